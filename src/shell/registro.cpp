#include "shell/registro.h"

#include "platform/ventanas.h"

namespace korgas {

void registrar_shell() {}

}  // namespace korgas
