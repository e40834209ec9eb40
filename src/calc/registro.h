// Registers the windows of the calculation group with the window registry.
#pragma once

namespace korgas {
void registrar_calc();
}
