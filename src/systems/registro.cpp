#include "systems/registro.h"

#include "platform/nombres_ventanas.h"
#include "platform/ventanas.h"
#include "systems/frmcompuestos.h"
#include "systems/frmdatos.h"
#include "systems/frmescala.h"
#include "systems/frmgraficos.h"

namespace korgas {

void registrar_systems() {
    Ventanas::registrar(kFrmdatos, [] { return new frmdatos(); });
    Ventanas::registrar(kFrmcompuestos, [] { return new frmcompuestos(); });
    Ventanas::registrar(kFrmgraficos, [] { return new frmgraficos(); });
    Ventanas::registrar(kFrmescala, [] { return new frmescala(); });
}

}  // namespace korgas
