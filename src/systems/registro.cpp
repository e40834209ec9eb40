#include "systems/registro.h"

#include "platform/ventanas.h"

namespace korgas {

void registrar_systems() {}

}  // namespace korgas
