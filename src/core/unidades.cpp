// Unit conversions between the names shown in the unit labels.
//
// Each quantity has its units as a factor to a reference unit, so every pair
// converts consistently and a chain of conversions returns to its start. The
// temperature scales have offsets and go through degrees Celsius instead:
// 0 ºC = 273.15 ºK, ºF = ºC·9/5 + 32, ºR = ºK·9/5, ºRe = ºC·4/5.

#include "core/unidades.h"

#include <array>
#include <cmath>
#include <optional>

namespace korgas {

namespace {

struct Unidad {
    std::string_view nombre;
    double factor;  // how many reference units one of this unit is
};

template <std::size_t N>
std::optional<double> factor_de(const std::array<Unidad, N>& tabla, std::string_view nombre) {
    for (const Unidad& u : tabla) {
        if (u.nombre == nombre) return u.factor;
    }
    return std::nullopt;
}

// x in unit `de` expressed in unit `a`: x·factor(de)/factor(a). Unknown names
// give 0; equal names give x untouched.
template <std::size_t N>
double por_factores(const std::array<Unidad, N>& tabla, double x, std::string_view de,
                    std::string_view a) {
    const auto fde = factor_de(tabla, de);
    const auto fa = factor_de(tabla, a);
    if (!fde || !fa) return 0;
    if (de == a) return x;
    return x * *fde / *fa;
}

// Energy in J.
constexpr std::array<Unidad, 4> kEnergia{{
    {"atm l", 101.325},
    {"J", 1.0},
    {"cal", 4.184},
    {"Kcal", 4184.0},
}};

// Density in g/l.
constexpr std::array<Unidad, 3> kDensidad{{
    {"g/l", 1.0},
    {"kg/m\u00b3", 1.0},
    {"g/cm\u00b3", 1000.0},
}};

// Pressure in Pa.
constexpr std::array<Unidad, 4> kPresion{{
    {"atm", 101325.0},
    {"Pa", 1.0},
    {"bar", 100000.0},
    {"mmHg", 101325.0 / 760.0},
}};

// Volume in l.
constexpr std::array<Unidad, 4> kVolumen{{
    {"l", 1.0},
    {"dm\u00b3", 1.0},
    {"m\u00b3", 1000.0},
    {"cm\u00b3", 0.001},
}};

enum class Escala { celsius, kelvin, fahrenheit, rankine, reaumur };

std::optional<Escala> escala_de(std::string_view nombre) {
    if (nombre == "\u00baC") return Escala::celsius;
    if (nombre == "\u00baK") return Escala::kelvin;
    if (nombre == "\u00baF") return Escala::fahrenheit;
    if (nombre == "\u00baR") return Escala::rankine;
    if (nombre == "\u00baRe") return Escala::reaumur;
    return std::nullopt;
}

constexpr double kHielo = 273.15;  // 0 ºC in ºK

double a_celsius(double x, Escala e) {
    switch (e) {
        case Escala::celsius:
            return x;
        case Escala::kelvin:
            return x - kHielo;
        case Escala::fahrenheit:
            return (x - 32) * 5 / 9;
        case Escala::rankine:
            return x * 5 / 9 - kHielo;
        case Escala::reaumur:
            return x * 5 / 4;
    }
    return 0;
}

double de_celsius(double x, Escala e) {
    switch (e) {
        case Escala::celsius:
            return x;
        case Escala::kelvin:
            return x + kHielo;
        case Escala::fahrenheit:
            return x * 9 / 5 + 32;
        case Escala::rankine:
            return (x + kHielo) * 9 / 5;
        case Escala::reaumur:
            return x * 4 / 5;
    }
    return 0;
}

}  // namespace

double convenergia(double x, std::string_view de, std::string_view a) {
    return por_factores(kEnergia, x, de, a);
}

double convcantidad(double x, std::string_view de, std::string_view a, double pm) {
    const bool de_ok = de == "mol" || de == "g";
    const bool a_ok = a == "mol" || a == "g";
    if (!de_ok || !a_ok) return 0;
    if (de == a) return x;
    const double r = de == "mol" ? x * pm : x / pm;
    return std::isfinite(r) ? r : 0;  // no molar mass: nothing to convert with
}

double convdensidad(double x, std::string_view de, std::string_view a) {
    return por_factores(kDensidad, x, de, a);
}

double convpresion(double x, std::string_view de, std::string_view a) {
    return por_factores(kPresion, x, de, a);
}

double convtemperatura(double x, std::string_view de, std::string_view a) {
    const auto ede = escala_de(de);
    const auto ea = escala_de(a);
    if (!ede || !ea) return 0;
    if (*ede == *ea) return x;
    // The absolute scales and Fahrenheit-Rankine convert without an offset.
    if (*ede == Escala::kelvin && *ea == Escala::rankine) return x * 9 / 5;
    if (*ede == Escala::rankine && *ea == Escala::kelvin) return x * 5 / 9;
    if (*ede == Escala::fahrenheit && *ea == Escala::rankine) return x + 459.67;
    if (*ede == Escala::rankine && *ea == Escala::fahrenheit) return x - 459.67;
    return de_celsius(a_celsius(x, *ede), *ea);
}

double convvolumen(double x, std::string_view de, std::string_view a) {
    return por_factores(kVolumen, x, de, a);
}

}  // namespace korgas
