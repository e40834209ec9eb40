// The ten equations of state.

#include "core/eos.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/ecuaciones.h"
#include "core/gas.h"

namespace korgas {

namespace {

std::optional<double> finito_o_nada(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    return x;
}

// The 15 Kronrod nodes on [-1, 1] (the positive half, the centre last) with
// their weights, and the weights of the 7-point Gauss rule on the odd ones.
constexpr double kNodos[8] = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.0,
};
constexpr double kPesosKronrod[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714,
};
constexpr double kPesosGauss[4] = {
    0.129484966168869693270611432679082,
    0.279705391489276667901467771423780,
    0.381830050505118944950369775488975,
    0.417959183673469387755102040816327,
};

struct Tramo {
    double x1, x2;
    double valor;  // the Kronrod value
    double error;  // its distance to the Gauss value
};

template <class F>
Tramo gauss_kronrod(const F& f, double x1, double x2) {
    const double centro = x1 + (x2 - x1) / 2;
    const double medio = (x2 - x1) / 2;
    const double fc = f(centro);
    double k = kPesosKronrod[7] * fc;
    double g = kPesosGauss[3] * fc;
    for (int j = 0; j < 7; ++j) {
        const double d = medio * kNodos[j];
        const double suma = f(centro - d) + f(centro + d);
        k += kPesosKronrod[j] * suma;
        if (j % 2 == 1) g += kPesosGauss[j / 2] * suma;
    }
    return {x1, x2, k * medio, std::fabs((k - g) * medio)};
}

// Integral of f from x1 to x2 by adaptive Gauss-Kronrod quadrature: the piece
// with the largest error estimate is halved until the estimates add up to
// less than 1e-11 of the integral of |f|. Empty when 200 pieces do not reach
// that, or a value is not finite.
template <class F>
std::optional<double> integral_adaptativa(const F& f, double x1, double x2) {
    constexpr int kMaxTramos = 200;
    constexpr double kTolerancia = 1e-11;
    if (x1 == x2) return 0.0;
    std::array<Tramo, kMaxTramos> tramos;
    // One piece per unit of x to start with: the isotherms change over about that.
    const int n = static_cast<int>(std::clamp(std::ceil(std::fabs(x2 - x1)), 1.0, 32.0));
    for (int k = 0; k < n; ++k) {
        tramos[k] = gauss_kronrod(f, x1 + (x2 - x1) * k / n,
                                  k + 1 == n ? x2 : x1 + (x2 - x1) * (k + 1) / n);
    }
    int cuantos = n;
    for (;;) {
        double valor = 0, error = 0, absoluto = 0;
        int peor = 0;
        for (int k = 0; k < cuantos; ++k) {
            valor += tramos[k].valor;
            error += tramos[k].error;
            absoluto += std::fabs(tramos[k].valor);
            if (tramos[k].error > tramos[peor].error) peor = k;
        }
        if (!std::isfinite(valor) || !std::isfinite(error)) return std::nullopt;
        if (error <= kTolerancia * absoluto) return valor;
        if (cuantos == kMaxTramos) return std::nullopt;
        const Tramo t = tramos[peor];
        const double mitad = t.x1 + (t.x2 - t.x1) / 2;
        tramos[peor] = gauss_kronrod(f, t.x1, mitad);
        tramos[cuantos++] = gauss_kronrod(f, mitad, t.x2);
    }
}

// Integral of P dV from V1 to V2 of an equation without an antiderivative
// (3, 9). It is taken in x = ln(V - vs), vs the start of the domain (b, or b/4
// for 9): there the integrand P·(V - vs) is smooth and bounded, however steep
// the isotherm rises near vs and however far apart the volumes lie.
std::optional<double> integral_en_log(const Modelo& m, const Parametros& p, double T, double V1,
                                      double V2) {
    const double vs = m.inicio(p);
    if (!(V1 > vs) || !(V2 > vs)) return std::nullopt;
    if (V1 == V2) return 0.0;
    auto f = [&](double x) {
        const double d = std::exp(x);
        return m.integrando_log(p, T, vs + d, d);
    };
    const auto r = integral_adaptativa(f, std::log(V1 - vs), std::log(V2 - vs));
    if (!r) return std::nullopt;
    return finito_o_nada(*r);
}

}  // namespace

double presion_dieterici_sadus(double a, double b, double T, double V) {
    const double y = b / (4 * V);
    const double g = (1 + y + y * y - y * y * y) / ((1 - y) * (1 - y) * (1 - y));
    return (R * T / V) * g * std::exp(-a / (R * T * V));
}

double presion(const sistema& s, double V) {
    if (!(s.moles > 0)) return 0;
    const Modelo* m = modelo(s.ecuacion);
    if (!m) return 0;
    const double vm = V / s.moles;
    const Parametros p = parametros(s.gas.c, s.mu);
    // Every domain test is written so that a NaN volume also falls outside.
    if (!m->en_dominio(p, vm)) return 0;
    // An overflow, or a parameter that is not finite, gives no number: it is
    // handed on as it is, for the caller to show as no result, never as 0.
    return m->presion(p, s.temperatura, vm);
}

std::optional<double> presion_tv(int eq, const sistema& s, double T, double V) {
    if (eq != kDieterici && eq != kDietericiSadus) return 0.0;
    const double a = s.gas.c[0];
    const double b = s.gas.c[1];
    if (eq == kDieterici) {
        if (!(V > b)) return std::nullopt;
        return finito_o_nada(R * T / (V - b) * std::exp(-a / (R * T * V)));
    }
    if (!(4 * V > b)) return std::nullopt;
    if (b == 0) {
        // Without a covolume the form below is 0/0; its limit is the plain
        // R·T/V·exp(-a/(R·T·V)).
        return finito_o_nada(R * T / V * std::exp(-a / (R * T * V)));
    }
    const double y = b / (4 * V);
    const double e = std::exp(-4 * a * y / (R * T * b));
    const double uno_y = 1 - y;
    constexpr double k4R = 0.32824;  // 4·R
    return finito_o_nada(k4R * T * y * (1 + y + y * y - y * y * y) / (uno_y * uno_y * uno_y * b) *
                         e);
}

std::optional<double> simpson(int eq, const sistema& s, double T, double V1, double V2) {
    constexpr int kIntervalos = 1000;
    const double h = (V2 - V1) / kIntervalos;
    const auto f1 = presion_tv(eq, s, T, V1);
    const auto f2 = presion_tv(eq, s, T, V2);
    if (!f1 || !f2) return std::nullopt;
    double suma = *f1 + *f2;
    for (int k = 1; k < kIntervalos; ++k) {
        const auto f = presion_tv(eq, s, T, V1 + k * h);
        if (!f) return std::nullopt;
        suma += (k % 2 == 1 ? 4.0 : 2.0) * *f;
    }
    return finito_o_nada(suma * h / 3);
}

std::optional<double> integral_pdv(int eq, const Parametros& p, double T, double V1, double V2) {
    const Modelo* m = modelo(eq);
    // The ideal gas has no loop, and nothing here integrates it.
    if (!m || m->claves == 0) return 0.0;
    if (!m->primitiva) return integral_en_log(*m, p, T, V1, V2);
    // The antiderivatives take a logarithm of V - b (of V for the virial one):
    // a volume at or inside the excluded volume has no integral.
    const double limite = m->inicio(p);
    if (!(V1 > limite) || !(V2 > limite)) return std::nullopt;
    return finito_o_nada(m->primitiva(p, T, V2) - m->primitiva(p, T, V1));
}

}  // namespace korgas
