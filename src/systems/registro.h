// Registers the windows of this group with the window registry.
#pragma once

namespace korgas {
void registrar_systems();
}
