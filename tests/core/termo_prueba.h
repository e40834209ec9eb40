// Shared fixtures of the thermodynamic core tests: hand-filled systems and
// the shipped gas data file.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/gas.h"

namespace korgas::prueba {

// The test gas of the worked examples: tc 304.2 K, pc 72.9 atm.
inline constexpr double kTc = 304.2;
inline constexpr double kPc = 72.9;
inline const double kAvdw = 27 * R * R * kTc * kTc / (64 * kPc);  // 3.60610...
inline const double kBvdw = R * kTc / (8 * kPc);                  // 0.042803...

inline std::string ruta_datos() {
    return KORGAS_SOURCE_DIR "/data/data";
}

// A system filled by hand: equation, temperature, amount and parameters.
inline sistema pon_sistema(int eq, double T, double moles, double a, double b, double c = 0,
                           double d = 0, double mu = 0) {
    sistema s;
    s.ecuacion = eq;
    s.temperatura = T;
    s.moles = moles;
    s.gas.c = {a, b, c, d};
    s.gas.tc = kTc;
    s.gas.pc = kPc;
    s.gas.pm = 44;
    s.mu = mu;
    return s;
}

// A system of shipped gas numgas for equation eq at temperature T, loaded
// from the file (amount 1 mol; exponent of equation 6 from the file).
inline sistema carga_sistema(int numgas, int eq, double T, double moles = 1) {
    fichdatos = ruta_datos();
    sistema s;
    s.numgas = numgas;
    s.ecuacion = eq;
    s.temperatura = T;
    s.moles = moles;
    s.mu = -1;
    const Carga r = leergas(-1, s);
    EXPECT_EQ(r, Carga::ok) << "gas " << numgas << " equation " << eq;
    return s;
}

inline int gases_enviados() {
    return 28;
}

}  // namespace korgas::prueba
