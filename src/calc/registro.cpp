#include "calc/registro.h"

namespace korgas {
void registrar_calc() {}
}  // namespace korgas
