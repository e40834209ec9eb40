#include "shell/registro.h"

#include "platform/ventanas.h"
#include "shell/frmAbout.h"
#include "shell/frmIdioma.h"
#include "shell/frmayuda.h"
#include "shell/frmtabla.h"
#include "shell/frmtablaay.h"
#include "shell/frmtermometro.h"

namespace korgas {

void registrar_shell() {
    Ventanas::registrar(QStringLiteral("frmtabla"), [] { return new frmtabla(); });
    Ventanas::registrar(QStringLiteral("frmtablaay"), [] { return new frmtablaay(); });
    Ventanas::registrar(QStringLiteral("frmtermometro"), [] { return new frmtermometro(); });
    registrar_ayuda();
    Ventanas::registrar(QStringLiteral("frmAbout"), [] { return new frmAbout; });
    Ventanas::registrar(QStringLiteral("frmIdioma"), [] { return new frmIdioma; });
}

}  // namespace korgas
