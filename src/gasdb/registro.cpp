#include "gasdb/registro.h"

#include "platform/ventanas.h"

namespace korgas {

void registrar_gasdb() {}

}  // namespace korgas
