// Root solvers: Cardano's cubic, the quadratic, bisection and Newton.

#include "core/solvers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/ecuaciones.h"
#include "core/eos.h"
#include "core/gas.h"

namespace korgas {

namespace {

// The value of pi the trigonometric case of the cubic uses.
constexpr double kPi = 3.1415926536;

// Residual and derivative of one Newton step.
struct Paso {
    double f;
    double df;
};

// The cubic at x.
double cubica_en(double a1, double a2, double a3, double x) {
    return ((x + a1) * x + a2) * x + a3;
}

// A root of the cubic refined by Newton's method on the cubic itself: a step
// is taken only while it makes the residual smaller and moves the root by
// less than `alcance` (the room to the nearest other root), and the last one
// is the one that falls within the rounding of the root.
double pule(double a1, double a2, double a3, double x, double alcance) {
    double f = cubica_en(a1, a2, a3, x);
    for (int k = 0; k < 6 && f != 0; ++k) {
        const double df = (3 * x + 2 * a1) * x + a2;
        const double paso = f / df;
        if (!std::isfinite(paso) || !(std::fabs(paso) < alcance)) break;
        const double nuevo = x - paso;
        const double fn = cubica_en(a1, a2, a3, nuevo);
        if (!(std::fabs(fn) < std::fabs(f))) break;
        x = nuevo;
        f = fn;
        if (std::fabs(paso) <= 1e-15 * std::fabs(x)) break;
    }
    return x;
}

constexpr double kSinLimite = std::numeric_limits<double>::infinity();

// Cardano's roots of the cubic, x1 <= x2 <= x3, refined. The closed form gives
// the root largest in size to a few units of rounding, but the others only to
// that rounding times the size of the largest: nothing is left of them, not
// even whether they are real, when the roots differ by many orders of
// magnitude (a liquid and a gas volume at a low pressure). So only the largest
// root is taken from it, polished, and divided out; the other two are the
// roots of the quadratic left, whose product -a3/x and sum (a2 + a3/x)/x are
// free of cancellation, and are real when its discriminant is not negative.
void cardano(double a1, double a2, double a3, double& x1, double& x2, double& x3) {
    const double p = a2 - a1 * a1 / 3;
    const double q = a3 + 2 * a1 * a1 * a1 / 27 - a1 * a2 / 3;
    const double D = (q / 2) * (q / 2) + (p / 3) * (p / 3) * (p / 3);
    const double desplaza = a1 / 3;
    double x;  // the root largest in size
    if (D == 0) {
        const double u = std::cbrt(-q / 2);
        const double r1 = 2 * u - desplaza, r2 = -u - desplaza;
        x = std::fabs(r1) >= std::fabs(r2) ? r1 : r2;
    } else if (D > 0) {
        const double raiz = std::sqrt(D);
        const double u = std::cbrt(-q / 2 + raiz);
        const double v = std::cbrt(-q / 2 - raiz);
        x = u + v - desplaza;
    } else {
        const double r = std::sqrt(-p / 3);
        double phi;
        if (q < 0) {
            phi = std::atan(-2 * std::sqrt(-D) / q);
        } else if (q > 0) {
            phi = std::atan(-2 * std::sqrt(-D) / q) + kPi;
        } else {
            phi = kPi / 2;
        }
        // The largest of the three roots and the smallest; the middle one is
        // never the largest in size.
        const double theta = phi / 3;
        const double r1 = 2 * r * std::cos(theta) - desplaza;
        const double r3 = -2 * r * std::cos(kPi / 3 - theta) - desplaza;
        x = std::fabs(r3) > std::fabs(r1) ? r3 : r1;
    }
    x = pule(a1, a2, a3, x, kSinLimite);
    x1 = x2 = x3 = x;
    if (x == 0) return;  // the largest root 0: all are
    const double producto = -a3 / x;
    const double suma = (a2 + a3 / x) / x;
    const double d = suma * suma - 4 * producto;
    if (!(d >= 0)) return;  // one real root
    const double m = (suma + std::copysign(std::sqrt(d), suma)) / 2;
    double r1 = m, r2 = m != 0 ? producto / m : 0;
    const double alcance = std::fabs(r1 - r2) / 2;
    if (alcance > 0) {
        r1 = pule(a1, a2, a3, r1, alcance);
        r2 = pule(a1, a2, a3, r2, alcance);
    }
    x1 = std::min(r1, r2);
    x2 = std::max(r1, r2);
    if (x2 > x3) {
        std::swap(x2, x3);
        if (x1 > x2) std::swap(x1, x2);
    }
}

}  // namespace

void cubica(double a1, double a2, double a3, double& x1, double& x2, double& x3) {
    // Coefficients far from 1 in size are worked in x = 2^e·y, with 2^e near
    // the size of the largest root: the scaling is exact and keeps the sixth
    // powers in D from overflowing when the roots lie very far apart.
    int e = std::numeric_limits<int>::min();
    if (std::isfinite(a1) && std::isfinite(a2) && std::isfinite(a3)) {
        if (a1 != 0) e = std::ilogb(a1);
        if (a2 != 0) e = std::max(e, std::ilogb(a2) / 2);
        if (a3 != 0) e = std::max(e, std::ilogb(a3) / 3);
    }
    if ((e > -100 && e < 100) || e == std::numeric_limits<int>::min()) {
        cardano(a1, a2, a3, x1, x2, x3);
        return;
    }
    cardano(std::ldexp(a1, -e), std::ldexp(a2, -2 * e), std::ldexp(a3, -3 * e), x1, x2, x3);
    x1 = std::ldexp(x1, e);
    x2 = std::ldexp(x2, e);
    x3 = std::ldexp(x3, e);
}

bool cuadratica(double p, double q, double& x1, double& x2) {
    const double d = p * p - 4 * q;
    if (d == 0) {
        x1 = -p / 2;
        x2 = x1;
        return true;
    }
    if (d > 0) {
        const double raiz = std::sqrt(d);
        x1 = (-p + raiz) / 2;
        x2 = (-p - raiz) / 2;
        return true;
    }
    // A negative discriminant, or one that is not a number at all.
    return false;
}

bool cubica_volumen(int eq, const std::array<double, 4>& c, double P, double T, double& a1,
                    double& a2, double& a3) {
    const Modelo* m = modelo(eq);
    const Parametros p = parametros(c);
    if (!m || !m->es_cubica || !m->es_cubica(p)) return false;
    m->cubica(p, P, T, a1, a2, a3);
    return true;
}

double fvolumen(int eq, const sistema& s, double P, double T, double V) {
    const Modelo* m = modelo(eq);
    if (!m) return 0;
    return m->residuo(parametros(s.gas.c, s.mu), P, T, V);
}

Solucion biseccion(int eq, const sistema& s, double P, double T, double va, double vb) {
    constexpr int kLimite = 10000;
    constexpr double kTolerancia = 1e-6;  // l/mol
    double fa = fvolumen(eq, s, P, T, va);
    for (int k = 1; k <= kLimite; ++k) {
        const double medio = va + (vb - va) / 2;
        const double fm = fvolumen(eq, s, P, T, medio);
        if (fm == 0 || (vb - va) / 2 < kTolerancia) return {medio};
        if (fa * fm > 0) {
            va = medio;
            fa = fm;
        } else {
            vb = medio;
        }
    }
    return {0, Falla::sin_convergencia};
}

Solucion newton(std::string_view var, int eq, const sistema& s, double P, double fijo, double x0) {
    const Solucion sin_convergencia{0, Falla::sin_convergencia};
    const bool busca_v = var == "v";
    const bool busca_t = var == "t";
    const Modelo* m = modelo(eq);
    // Newton solves V where the equation gives the residual's slope in V, and T
    // where it has no closed form for T. No window asks for another pair:
    // there is nothing to iterate on.
    const bool caso_conocido =
        m && ((busca_v && m->dresiduo_dv) || (busca_t && !m->temperatura && m->dp_dt));
    if (!caso_conocido) return {0, Falla::sin_resultado};

    const Parametros p = parametros(s.gas.c, s.mu);

    // Residual and derivative at x (V when busca_v, T otherwise). The residual
    // is fvolumen's for every case; the derivative is taken in V or in T.
    auto paso = [&](double x) -> Paso {
        const double V = busca_v ? x : fijo;
        const double T = busca_v ? fijo : x;
        const double f = fvolumen(eq, s, P, T, V);
        return {f, busca_v ? m->dresiduo_dv(p, P, T, V) : m->dp_dt(p, T, V)};
    };

    constexpr int kMaxIteraciones = 100;
    constexpr double kTolerancia = 1e-4;  // relative, on the last step
    double x = x0;
    for (int k = 0; k < kMaxIteraciones; ++k) {
        const Paso este = paso(x);
        if (!std::isfinite(este.f) || !std::isfinite(este.df) || este.df == 0)
            return sin_convergencia;
        const double anterior = x;
        x = x - este.f / este.df;
        // A step onto 0 has no relative size, and 0 is no volume or temperature.
        if (!std::isfinite(x) || x == 0) return sin_convergencia;
        if (std::fabs((x - anterior) / x) < kTolerancia) return {x};
    }
    return sin_convergencia;
}

}  // namespace korgas
