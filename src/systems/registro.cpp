#include "systems/registro.h"

#include "platform/ventanas.h"
#include "systems/frmcompuestos.h"
#include "systems/frmdatos.h"
#include "systems/frmescala.h"
#include "systems/frmgraficos.h"

namespace korgas {

void registrar_systems() {
    Ventanas::registrar(QStringLiteral("frmdatos"), [] { return new frmdatos(); });
    Ventanas::registrar(QStringLiteral("frmcompuestos"), [] { return new frmcompuestos(); });
    Ventanas::registrar(QStringLiteral("frmgraficos"), [] { return new frmgraficos(); });
    Ventanas::registrar(QStringLiteral("frmescala"), [] { return new frmescala(); });
}

}  // namespace korgas
