// Solving an equation of state for T or V, in closed form or through the
// roots of a cubic or quadratic, and the table that says which solver a
// calculation window uses.
#pragma once

#include <string_view>

#include "core/gas.h"
#include "core/solvers.h"

namespace korgas {

// var "t": the temperature (K) of system s at molar volume vmolar (l/mol) and
// pressure patm (atm); var "v": its molar volume at its temperature and patm.
// x 0 for another var or equation, for an equation the table below hands to
// newton (3, 9 for "t"; 3, 6, 9 and the virial with D != 0 for "v"), for "t"
// at a volume not above 0, for "v" at a pressure or temperature not above 0,
// and for a result that is not finite or is 0: sin_resultado; x 0 and
// sin_raices for a quadratic without real roots. For "v" with equations 7 and
// 8 the parameters of s are taken at s's temperature first
// (parametros_a_temperatura); a gas unusable there gives sin_resultado.
Solucion despejar(std::string_view var, int ecuacion, sistema& s, double vmolar, double patm);

// The root of a cubic (x1 <= x2 <= x3) nearest the reference value: x2 replaces
// x1 only when strictly nearer, and x3 replaces the one kept unless that one is
// strictly nearer (x3 wins a tie).
double raiz_cercana(double x1, double x2, double x3, double referencia);

// The root of a quadratic (x1 >= x2) nearest the reference: x2 only when
// strictly nearer.
double raiz_cercana(double x1, double x2, double referencia);

// True when the windows solve var ("t" or "v") of equation ecuacion with newton
// rather than despejar (virial: only for V with D != 0).
bool usa_newton(std::string_view var, int ecuacion, const datosgas& gas);

// What a calculation window asks for: T ("t", at molar volume vmolar and
// pressure patm) or the molar volume ("v", at s's temperature and patm) of
// the window's system s, by whichever solver usa_newton names; newton starts
// from patm·vmolar/R or R·T/patm. x is 0, with the solver's failure
// (sin_convergencia from newton, sin_raices from despejar) or sin_resultado,
// when: var is neither "t" nor "v"; patm is not above 0 (or not finite); for
// "t" vmolar is not above 0; for "v" the temperature is not above 0; the solver
// failed; or it gave a value that is not finite or not above 0: no volume, and
// no temperature at or below 0 K (which the closed forms give at a volume
// inside the covolume), is a result. For "v" with equations 7 and 8 the
// parameters of s are taken at its temperature first, as despejar does.
Solucion resolver(std::string_view var, sistema& s, double vmolar, double patm);

}  // namespace korgas
