// Root solvers: cubic and quadratic roots, bisection and Newton on the
// equations of state. Molar volumes in l/mol, pressures in atm, T in K.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/gas.h"

namespace korgas {

// Why a solver gives no result. The core shows no message: the windows show
// texts 160 and 161 for sin_convergencia and text 169 for sin_raices.
enum class Falla {
    ninguna,           // x is the result
    sin_resultado,     // nothing to solve, or no result to give
    sin_convergencia,  // the iteration did not converge
    sin_raices,        // a quadratic on the way had no real roots
};

// What a solver gives: the value x, 0 when there is none, and why not.
struct Solucion {
    double x = 0;
    Falla falla = Falla::ninguna;
    bool ok() const { return falla == Falla::ninguna; }
};

// Real roots of x³ + a1·x² + a2·x + a3 = 0 by Cardano, x1 <= x2 <= x3 (one real
// root is written to all three), refined by Newton's method on the cubic so
// that each is right to a few units of rounding however far apart they lie.
void cubica(double a1, double a2, double a3, double& x1, double& x2, double& x3);

// Real roots of x² + p·x + q = 0, x1 >= x2. Without real roots they are left
// as they are and the result is false.
bool cuadratica(double p, double q, double& x1, double& x2);

// Coefficients of the cubic x³ + a1·x² + a2·x + a3 = 0 whose roots are the
// molar volumes of equation eq at P and T with the parameters c (a, b, or A..D
// for the virial equation). False, and nothing written, for an equation that
// is no cubic in V: 0, 3, 6, 9, and the virial one with D != 0.
bool cubica_volumen(int eq, const std::array<double, 4>& c, double P, double T, double& a1,
                    double& a2, double& a3);

// Residual whose zero in V is a molar volume of equation eq at P and T, with
// the parameters of system s (its gas.c and mu).
double fvolumen(int eq, const sistema& s, double P, double T, double V);

// A molar volume in [va, vb] where the residual (fvolumen, of s) changes sign,
// to 1e-6 l/mol; x 0 and sin_convergencia after 10000 iterations.
Solucion biseccion(int eq, const sistema& s, double P, double T, double va, double vb);

// Newton's method on equation eq with the parameters of system s: var "v"
// seeks the molar volume at T = fijo, var "t" the temperature at molar volume
// fijo, from x0. Converged when the last step is below 1e-4 of x. Stops after
// 100 iterations, or at once on a non-finite value, a zero derivative or a
// step onto x = 0: then x is 0 and the failure sin_convergencia. Cases: "v"
// with equations 3, 5, 6, 9 and "t" with 3, 9; any other pair gives x 0 and
// sin_resultado.
Solucion newton(std::string_view var, int eq, const sistema& s, double P, double fijo, double x0);

// A zero of f between x0 and x1, where f changes sign: regula falsi with the
// Illinois correction, and a halving of the bracket whenever three steps have
// not halved it. The result is within tol of the zero (the bracket's width).
// Empty when f has the same sign at both ends, gives a value that is not
// finite, or has not converged in 400 steps.
template <class F>
std::optional<double> raiz_acotada(F&& f, double x0, double x1, double tol);

// The same, with the values of f at the ends already known.
template <class F>
std::optional<double> raiz_acotada(F&& f, double x0, double x1, double f0, double f1, double tol) {
    if (!std::isfinite(f0) || !std::isfinite(f1)) return std::nullopt;
    if (f0 == 0) return x0;
    if (f1 == 0) return x1;
    if ((f0 < 0) == (f1 < 0)) return std::nullopt;
    int ultimo = 0;  // the end that moved last: -1 x0, 1 x1
    int lentos = 0;  // steps since the bracket last halved
    double ancho = std::fabs(x1 - x0);
    for (int k = 0; k < 400; ++k) {
        double x = x1 - f1 * (x1 - x0) / (f1 - f0);
        if (lentos >= 3 || !(x > std::fmin(x0, x1) && x < std::fmax(x0, x1))) {
            x = x0 + (x1 - x0) / 2;
            lentos = 0;
            if (x == x0 || x == x1) return x;  // no double left between the ends
        }
        const double fx = f(x);
        if (!std::isfinite(fx)) return std::nullopt;
        if (fx == 0) return x;
        if ((fx < 0) == (f1 < 0)) {
            x1 = x;
            f1 = fx;
            if (ultimo == 1) f0 /= 2;
            ultimo = 1;
        } else {
            x0 = x;
            f0 = fx;
            if (ultimo == -1) f1 /= 2;
            ultimo = -1;
        }
        const double nuevo = std::fabs(x1 - x0);
        if (nuevo <= tol) return x0 + (x1 - x0) / 2;
        if (nuevo <= ancho / 2) {
            ancho = nuevo;
            lentos = 0;
        } else {
            ++lentos;
        }
    }
    return std::nullopt;
}

template <class F>
std::optional<double> raiz_acotada(F&& f, double x0, double x1, double tol) {
    const double f0 = f(x0);
    const double f1 = f(x1);
    return raiz_acotada(f, x0, x1, f0, f1, tol);
}

}  // namespace korgas
