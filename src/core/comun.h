// Small checks shared by the numeric routines of the core.
#pragma once

#include <cmath>

#include "core/gas.h"

namespace korgas {

// True for an index of sistemas.
inline bool indice_valido(int i) {
    return i >= 0 && i < static_cast<int>(sistemas.size());
}

// Anything that is not a finite number is "cannot compute": 0.
inline double finito_o_cero(double x) {
    return std::isfinite(x) ? x : 0.0;
}

}  // namespace korgas
