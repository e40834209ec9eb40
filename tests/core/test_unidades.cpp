// Unit conversions: known values, consistency of every pair, unknown names.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/unidades.h"

namespace korgas {
namespace {

using Conversion = double (*)(double, std::string_view, std::string_view);

// The amount conversion with a molar mass of 44 g/mol, in the form of the others.
double cantidad_co2(double x, std::string_view de, std::string_view a) {
    return convcantidad(x, de, a, 44);
}

struct Caso {
    Conversion f;
    double x;
    const char* de;
    const char* a;
    double esperado;
};

TEST(Unidades, ValoresConocidos) {
    const Caso casos[] = {
        // Temperatures with the exact scales: 0 ºC = 273.15 ºK.
        {convtemperatura, 0, "\u00baC", "\u00baK", 273.15},
        {convtemperatura, 273.15, "\u00baK", "\u00baC", 0},
        {convtemperatura, 32, "\u00baF", "\u00baK", 273.15},
        {convtemperatura, 273.15, "\u00baK", "\u00baF", 32},
        {convtemperatura, 212, "\u00baF", "\u00baC", 100},
        {convtemperatura, 0, "\u00baK", "\u00baR", 0},
        {convtemperatura, 373.15, "\u00baK", "\u00baR", 671.67},
        {convtemperatura, 491.67, "\u00baR", "\u00baC", 0},
        {convtemperatura, 0, "\u00baF", "\u00baR", 459.67},
        {convtemperatura, 100, "\u00baC", "\u00baRe", 80},
        {convtemperatura, 80, "\u00baRe", "\u00baF", 212},
        {convtemperatura, 0, "\u00baRe", "\u00baK", 273.15},
        {convtemperatura, -40, "\u00baC", "\u00baF", -40},
        {convtemperatura, 671.67, "\u00baR", "\u00baRe", 80},
        // The thermochemical calorie.
        {convenergia, 1, "cal", "J", 4.184},
        {convenergia, 1, "Kcal", "J", 4184},
        {convenergia, 1, "Kcal", "cal", 1000},
        {convenergia, 1, "atm l", "J", 101.325},
        {convenergia, 4184, "J", "Kcal", 1},
        {convenergia, 1, "atm l", "cal", 101.325 / 4.184},
        {convenergia, 41.84, "cal", "atm l", 41.84 * 4.184 / 101.325},
        // Pressures.
        {convpresion, 1, "atm", "Pa", 101325},
        {convpresion, 1, "atm", "bar", 1.01325},
        {convpresion, 1, "atm", "mmHg", 760},
        {convpresion, 1, "bar", "Pa", 100000},
        {convpresion, 760, "mmHg", "Pa", 101325},
        {convpresion, 1, "bar", "mmHg", 760 / 1.01325},
        // Volumes and densities.
        {convvolumen, 1, "m\u00b3", "l", 1000},
        {convvolumen, 1, "m\u00b3", "cm\u00b3", 1e6},
        {convvolumen, 2.5, "l", "dm\u00b3", 2.5},
        {convvolumen, 1, "dm\u00b3", "cm\u00b3", 1000},
        {convvolumen, 1, "cm\u00b3", "m\u00b3", 1e-6},
        {convdensidad, 1, "g/cm\u00b3", "g/l", 1000},
        {convdensidad, 1, "g/cm\u00b3", "kg/m\u00b3", 1000},
        {convdensidad, 5, "g/l", "kg/m\u00b3", 5},
        {convdensidad, 5, "kg/m\u00b3", "g/cm\u00b3", 0.005},
    };
    for (const Caso& c : casos) {
        EXPECT_NEAR(c.f(c.x, c.de, c.a), c.esperado, 1e-9 * std::max(1.0, std::fabs(c.esperado)))
            << c.x << " " << c.de << " -> " << c.a;
    }
}

struct Magnitud {
    const char* nombre;
    Conversion f;
    std::vector<std::string> unidades;
};

const std::vector<Magnitud>& magnitudes() {
    static const std::vector<Magnitud> m = {
        {"energia", convenergia, {"atm l", "J", "cal", "Kcal"}},
        {"densidad", convdensidad, {"g/l", "kg/m\u00b3", "g/cm\u00b3"}},
        {"presion", convpresion, {"atm", "Pa", "bar", "mmHg"}},
        {"temperatura", convtemperatura, {"\u00baC", "\u00baK", "\u00baF", "\u00baR", "\u00baRe"}},
        {"volumen", convvolumen, {"l", "dm\u00b3", "m\u00b3", "cm\u00b3"}},
    };
    return m;
}

// Converting straight from u to w gives what going through any third unit v
// gives, and every chain comes back to its start: one wrong entry in any pair
// breaks this.
TEST(Unidades, CadenasVuelvenAlInicio) {
    for (const Magnitud& m : magnitudes()) {
        for (double x : {37.5, -12.25, 1e-3, 812.0}) {
            for (const auto& u : m.unidades) {
                for (const auto& v : m.unidades) {
                    const double uv = m.f(x, u, v);
                    EXPECT_NEAR(m.f(uv, v, u), x, 1e-12 * std::max(1.0, std::fabs(x)))
                        << m.nombre << " " << u << " <-> " << v;
                    for (const auto& w : m.unidades) {
                        const double directo = m.f(x, u, w);
                        EXPECT_NEAR(m.f(uv, v, w), directo,
                                    1e-11 * std::max(1.0, std::fabs(directo)))
                            << m.nombre << " " << u << " -> " << v << " -> " << w;
                    }
                }
            }
        }
    }
}

TEST(Unidades, NombresIgualesDevuelvenElValor) {
    for (const Magnitud& m : magnitudes()) {
        for (const auto& u : m.unidades) EXPECT_EQ(m.f(0.1 + 0.2, u, u), 0.1 + 0.2) << u;
    }
    EXPECT_EQ(convcantidad(7.25, "g", "g", 44), 7.25);
}

TEST(Unidades, NombreDesconocidoDaCero) {
    // Names compare exactly: letter case, the Windows-1252 byte of "º" and a
    // missing superscript all make an unknown name.
    const struct {
        Conversion f;
        const char* de;
        const char* a;
    } casos[] = {
        {convpresion, "ATM", "Pa"},        {convpresion, "atm", "pa"},
        {convpresion, "atm", "psi"},       {convtemperatura, "\xbaK", "\u00baC"},
        {convtemperatura, "K", "\u00baC"}, {convtemperatura, "\u00baC", "\u00bak"},
        {convtemperatura, "x", "x"},       {convvolumen, "dm3", "l"},
        {convvolumen, "L", "l"},           {convdensidad, "g/l", "kg/m3"},
        {convenergia, "kcal", "J"},        {convenergia, "atm  l", "J"},
        {cantidad_co2, "mol", "kg"},       {cantidad_co2, "Mol", "g"},
    };
    for (const auto& c : casos) EXPECT_EQ(c.f(5.0, c.de, c.a), 0.0) << c.de << " -> " << c.a;
}

TEST(Unidades, CantidadUsaLaMasaMolarDada) {
    EXPECT_DOUBLE_EQ(convcantidad(2, "mol", "g", 44), 88);
    EXPECT_DOUBLE_EQ(convcantidad(88, "g", "mol", 44), 2);
    // Without a molar mass there is nothing to convert with: 0, never inf.
    EXPECT_EQ(convcantidad(88, "g", "mol", 0), 0.0);
    EXPECT_EQ(convcantidad(2, "mol", "g", 0), 0.0);
}

}  // namespace
}  // namespace korgas
