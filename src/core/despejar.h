// Solving an equation of state for T or V, in closed form or through the
// roots of a cubic or quadratic, and the table that says which solver a
// calculation window uses.
#pragma once

#include <string_view>

#include "core/gas.h"

namespace korgas {

// var "t": the temperature (K) of system s at molar volume vmolar (l/mol) and
// pressure patm (atm); var "v": its molar volume at its temperature and patm.
// 0 for another var or equation. For "v" with equations 7 and 8 the gas of s is
// reloaded at s's temperature first.
double despejar(std::string_view var, int ecuacion, sistema& s, double vmolar, double patm);

// True when the windows solve var ("t" or "v") of equation ecuacion with newton
// rather than despejar (virial: only for V with D != 0).
bool usa_newton(std::string_view var, int ecuacion, const datosgas& gas);

// What a calculation window asks for: T or molar V of sistemas[0] at the given
// values, by whichever solver the table names. fallo is set when newton failed
// or the result is not finite (the result is then 0).
double resolver(std::string_view var, double vmolar, double patm, bool* fallo = nullptr);

}  // namespace korgas
