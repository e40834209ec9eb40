// Root solvers: cubic and quadratic roots, bisection and Newton on the
// equations of state. Molar volumes in l/mol, pressures in atm, T in K.
#pragma once

#include <array>
#include <string_view>

namespace korgas {

// Real roots of x³ + a1·x² + a2·x + a3 = 0 by Cardano, x1 <= x2 <= x3 (one real
// root is written to all three).
void cubica(double a1, double a2, double a3, double& x1, double& x2, double& x3);

// Real roots of x² + p·x + q = 0, x1 >= x2. Without real roots they are left
// as they are, language text 169 is shown, and the result is false.
bool cuadratica(double p, double q, double& x1, double& x2);

// Coefficients of the cubic x³ + a1·x² + a2·x + a3 = 0 whose roots are the
// molar volumes of equation eq at P and T with the parameters c (a, b, or A..D
// for the virial equation). False, and nothing written, for an equation that
// is no cubic in V: 0, 3, 6, 9, and the virial one with D != 0.
bool cubica_volumen(int eq, const std::array<double, 4>& c, double P, double T, double& a1,
                    double& a2, double& a3);

// Residual whose zero in V is a molar volume of equation eq at P and T, with
// the parameters of sistemas[i].
double fvolumen(int eq, int i, double P, double T, double V);

// A molar volume in [va, vb] where the residual changes sign, to 1e-6 l/mol;
// 0 after 10000 iterations, with texts 160/161 shown.
double biseccion(int eq, int i, double P, double T, double va, double vb);

// Newton's method: var "v" seeks the molar volume at T = fijo, var "t" the
// temperature at molar volume fijo, from x0. Converged when the last step is
// below 1e-4 of x (then *fallo is set to false). Stops after 100 iterations, or
// at once on a non-finite value, a zero derivative or a step onto x = 0: then
// texts 160/161 are shown (style 48), *fallo is set to true and the result is
// 0. Cases: "v" with equations 3, 5, 6, 9 and "t" with 3, 9; any other pair
// sets *fallo and gives 0 without a message.
double newton(std::string_view var, int eq, int i, double P, double fijo, double x0,
              bool* fallo = nullptr);

}  // namespace korgas
