#include "gasdb/registro.h"

#include "gasdb/frmgases.h"
#include "platform/nombres_ventanas.h"
#include "platform/ventanas.h"

namespace korgas {

void registrar_gasdb() {
    Ventanas::registrar(kFrmgases, [] { return new frmgases(); });
}

}  // namespace korgas
