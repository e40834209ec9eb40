#include "gasdb/registro.h"

#include "gasdb/frmgases.h"
#include "platform/ventanas.h"

namespace korgas {

void registrar_gasdb() {
    Ventanas::registrar(QStringLiteral("frmgases"), [] { return new frmgases(); });
}

}  // namespace korgas
