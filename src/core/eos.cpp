// The ten equations of state.

#include "core/eos.h"

#include <cmath>

#include "core/comun.h"
#include "core/gas.h"

namespace korgas {

namespace {

std::optional<double> finito_o_nada(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    return x;
}

}  // namespace

double presion_dieterici_sadus(double a, double b, double T, double V) {
    const double y = b / (4 * V);
    const double g = (1 + y + y * y - y * y * y) / ((1 - y) * (1 - y) * (1 - y));
    return (R * T / V) * g * std::exp(-a / (R * T * V));
}

double presion(int i, double V) {
    if (!indice_valido(i)) return 0;
    const sistema& s = sistemas[i];
    if (!(s.moles > 0)) return 0;
    const double vm = V / s.moles;
    const double T = s.temperatura;
    const double a = s.gas.c[0];
    const double b = s.gas.c[1];
    // Every domain test is written so that a NaN volume also falls outside.
    double p = 0;
    switch (s.ecuacion) {
        case kIdeal:
            if (!(vm > 0)) return 0;
            p = R * T / vm;
            break;
        case kVanDerWaals:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / (vm * vm);
            break;
        case kBerthelot:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / (T * vm * vm);
            break;
        case kDieterici:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) * std::exp(-a / (R * T * vm));
            break;
        case kRedlichKwong:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / (std::sqrt(T) * vm * (vm + b));
            break;
        case kVirial: {
            if (!(vm > 0)) return 0;
            const double B = s.gas.c[1], C = s.gas.c[2], D = s.gas.c[3];
            p = (R * T / vm) * (a + B / vm + C / (vm * vm) + D / (vm * vm * vm));
            break;
        }
        case kGeneralizada:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / std::pow(vm, s.mu);
            break;
        case kSoave:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / (vm * (vm + b));
            break;
        case kPengRobinson:
            if (!(vm - b > 0)) return 0;
            p = R * T / (vm - b) - a / (vm * (vm + b) + b * (vm - b));
            break;
        case kDietericiSadus:
            if (!(4 * vm - b > 0)) return 0;
            p = presion_dieterici_sadus(a, b, T, vm);
            break;
        default:
            return 0;
    }
    return finito_o_cero(p);
}

std::optional<double> presion_tv(int eq, int i, double T, double V) {
    if (eq != kDieterici && eq != kDietericiSadus) return 0.0;
    if (!indice_valido(i)) return std::nullopt;
    const double a = sistemas[i].gas.c[0];
    const double b = sistemas[i].gas.c[1];
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

std::optional<double> simpson(int eq, int i, double T, double V1, double V2) {
    constexpr int kIntervalos = 1000;
    const double h = (V2 - V1) / kIntervalos;
    const auto f1 = presion_tv(eq, i, T, V1);
    const auto f2 = presion_tv(eq, i, T, V2);
    if (!f1 || !f2) return std::nullopt;
    double suma = *f1 + *f2;
    for (int k = 1; k < kIntervalos; ++k) {
        const auto f = presion_tv(eq, i, T, V1 + k * h);
        if (!f) return std::nullopt;
        suma += (k % 2 == 1 ? 4.0 : 2.0) * *f;
    }
    return finito_o_nada(suma * h / 3);
}

std::optional<double> integral_pdv(int eq, int i, double T, double a, double b, double c, double d,
                                   double V1, double V2) {
    if (eq == kDieterici || eq == kDietericiSadus) return simpson(eq, i, T, V1, V2);
    if (eq < kVanDerWaals || eq > kDietericiSadus) return 0.0;
    // The antiderivatives take a logarithm of V - b (of V for the virial one):
    // a volume at or inside the excluded volume has no integral.
    const double limite = eq == kVirial ? 0.0 : b;
    if (!(V1 > limite) || !(V2 > limite)) return std::nullopt;
    const double rt = R * T;
    double mu = 0;
    if (eq == kGeneralizada) {
        if (!indice_valido(i)) return std::nullopt;
        mu = sistemas[i].mu;
    }
    const double raiz2 = std::sqrt(2.0);
    auto F = [&](double V) -> double {
        switch (eq) {
            case kVanDerWaals:
                return rt * std::log(V - b) + a / V;
            case kBerthelot:
                return rt * std::log(V - b) + a / (T * V);
            case kRedlichKwong:
                return rt * std::log(V - b) + a / (std::sqrt(T) * b) * std::log((V + b) / V);
            case kVirial:
                return rt * (a * std::log(V) - b / V - c / (2 * V * V) - d / (3 * V * V * V));
            case kGeneralizada:
                return rt * std::log(V - b) + a / ((mu - 1) * std::pow(V, mu - 1));
            case kSoave:
                return rt * std::log(V - b) + (a / b) * std::log((V + b) / V);
            default:  // kPengRobinson
                return rt * std::log(V - b) +
                       raiz2 * a / (4 * b) *
                           std::log((V + (raiz2 + 1) * b) / (V - (raiz2 - 1) * b));
        }
    };
    return finito_o_nada(F(V2) - F(V1));
}

}  // namespace korgas
