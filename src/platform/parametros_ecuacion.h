// What an equation panel shows for each equation: the captions and units of
// its four parameter boxes, which of them are shown, and the exponent box.
#pragma once

#include <QString>
#include <array>

#include "core/gas.h"

namespace korgas {

// The unit text of parameter a by equation: the one thing that differs between
// the windows that carry the panel.
struct UnidadesParametros {
    std::array<QString, kNumEcuaciones> a;

    static UnidadesParametros calculo();     // "l ² atm / mol ²" ...
    static UnidadesParametros simulacion();  // "l ²atm/mol ²" ...
};

// What the panel shows for one equation: captions and units of the four
// boxes, which boxes are shown, and whether the exponent is.
struct Disposicion {
    std::array<QString, 4> titulo;  // empty: the caption keeps what it holds
    std::array<QString, 4> unidad;
    std::array<bool, 4> visible{};
    bool exponente = false;
};
Disposicion disposicion(int ecuacion, const UnidadesParametros& unidades);

}  // namespace korgas
