#include "shell/registro.h"

#include "platform/ventanas.h"
#include "shell/frmtabla.h"
#include "shell/frmtablaay.h"
#include "shell/frmtermometro.h"

namespace korgas {

void registrar_shell() {
    Ventanas::registrar(QStringLiteral("frmtabla"), [] { return new frmtabla(); });
    Ventanas::registrar(QStringLiteral("frmtablaay"), [] { return new frmtablaay(); });
    Ventanas::registrar(QStringLiteral("frmtermometro"), [] { return new frmtermometro(); });
}

}  // namespace korgas
