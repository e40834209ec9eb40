// Vapour pressure by the equal-area construction, and the enthalpy of
// vaporisation.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/eos.h"
#include "core/gas.h"
#include "core/vapor.h"
#include "termo_prueba.h"

namespace korgas {
namespace {

using prueba::Avisos;
using prueba::carga_sistema;
using prueba::kAvdw;
using prueba::kBvdw;
using prueba::kTc;
using prueba::pon_sistema;

TEST(PresionVapor, EjemploDeVanDerWaals) {
    for (double moles : {1.0, 3.0}) {
        pon_sistema(1, kVanDerWaals, 250, moles, kAvdw, kBvdw);
        double vl = 0, vg = 0;
        EXPECT_NEAR(presion_vapor(kVanDerWaals, 1, 250, vl, vg), 31.615, 5e-4) << moles;
        EXPECT_NEAR(vl, 0.0683, 5e-5) << moles;
        EXPECT_NEAR(vg, 0.4719, 5e-5) << moles;

        // The generalised equation with exponent 2 is the same isotherm, solved
        // through bisection instead of the cubic.
        pon_sistema(1, kGeneralizada, 250, moles, kAvdw, kBvdw, 0, 0, 2);
        double vl6 = 0, vg6 = 0;
        EXPECT_NEAR(presion_vapor(kGeneralizada, 1, 250, vl6, vg6), 31.615, 5e-4) << moles;
        EXPECT_NEAR(vl6, vl, 1e-5);
        EXPECT_NEAR(vg6, vg, 1e-5);
    }
}

// Where there is no vapour pressure to find: -1, and the volumes untouched.
TEST(PresionVapor, SinEquilibrio) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* que;
        int eq;
        double T;
        double moles;
    } casos[] = {
        {"ideal gas", kIdeal, 250, 1},
        {"unknown equation", 10, 250, 1},
        {"at tc - 0.005", kVanDerWaals, kTc - 0.005, 1},
        {"above tc", kVanDerWaals, kTc + 20, 1},
        {"at 0 K", kVanDerWaals, 0, 1},
        {"below 0 K", kVanDerWaals, -3, 1},
        {"NaN temperature", kVanDerWaals, std::numeric_limits<double>::quiet_NaN(), 1},
        {"infinite temperature", kVanDerWaals, inf, 1},
        {"no amount", kVanDerWaals, 250, 0},
    };
    for (const auto& c : casos) {
        pon_sistema(1, c.eq, c.T, c.moles, kAvdw, kBvdw);
        double vl = -7, vg = -7;
        EXPECT_EQ(presion_vapor(c.eq, 1, c.T, vl, vg), -1) << c.que;
        EXPECT_EQ(vl, -7) << c.que;
        EXPECT_EQ(vg, -7) << c.que;
    }
    pon_sistema(1, kVanDerWaals, kTc - 0.006, 1, kAvdw, kBvdw);
    double vl = 0, vg = 0;
    const double p = presion_vapor(kVanDerWaals, 1, kTc - 0.006, vl, vg);
    EXPECT_NEAR(p, prueba::kPc, 0.1);
    EXPECT_LT(vl, vg);
}

// Very low temperatures: the liquid root falls below the covolume (0), or the
// isotherm's maximum lies beyond a million steps (-1); both end promptly.
TEST(PresionVapor, TemperaturasMuyBajas) {
    const struct {
        double T;
        double esperado;
    } casos[] = {{10, 0}, {1, 0}, {1e-5, -1}};
    for (const auto& c : casos) {
        pon_sistema(1, kVanDerWaals, c.T, 1, kAvdw, kBvdw);
        double vl = 0, vg = 0;
        EXPECT_EQ(presion_vapor(kVanDerWaals, 1, c.T, vl, vg), c.esperado) << c.T;
        EXPECT_TRUE(std::isfinite(vl) && std::isfinite(vg)) << c.T;
    }
}

// ∫ P dV of system i from V1 to V2, independent of the program's integrals:
// Simpson's rule in ln V, fine enough for the steep liquid branch.
double area_bajo_isoterma(int i, double V1, double V2) {
    const int n = 40000;
    const double u1 = std::log(V1), h = (std::log(V2) - u1) / n;
    auto f = [&](double u) { return presion(i, std::exp(u)) * std::exp(u); };
    double suma = f(u1) + f(u1 + n * h);
    for (int k = 1; k < n; ++k) suma += (k % 2 ? 4 : 2) * f(u1 + k * h);
    return suma * h / 3;
}

// A virial gas without D is a cubic in V: its roots come from Cardano, like
// van der Waals, and the construction holds on its isotherm too.
TEST(PresionVapor, VirialSinDUsaLaCubica) {
    const double T = 250;
    pon_sistema(1, kVirial, T, 1, 1, kBvdw - kAvdw / (R * T), kBvdw * kBvdw, 0);
    double vl = 0, vg = 0;
    const double pv = presion_vapor(kVirial, 1, T, vl, vg);
    ASSERT_GT(pv, 0);
    ASSERT_LT(vl, vg);
    EXPECT_NEAR(presion(1, vl), pv, 2e-4);
    EXPECT_NEAR(presion(1, vg), pv, 2e-4);
    const double desequilibrio =
        (presion(1, vg) * (vg - vl) - area_bajo_isoterma(1, vl, vg)) / (vg - vl);
    EXPECT_NEAR(desequilibrio, 0, 2e-4);
}

// Maxwell's construction holds at every result: the isotherm gives the vapour
// pressure at both volumes, and the area under it between them equals the
// rectangle. The areas are compared as the pressure error they stand for,
// (rectangle - area)/(vg - vl), against the construction's 1e-4 atm. At low
// temperature the liquid root of the Dieterici equations lies within the first
// 0.001 l/mol above the covolume, which the liquid interval must reach.
TEST(PresionVapor, AreasIguales) {
    for (int g : {1, 3, 19, 21, 28}) {  // helium, argon, water, carbon dioxide, toluene
        for (int eq = 1; eq <= 9; ++eq) {
            for (double tr : {0.5, 0.6, 0.7, 0.8, 0.9, 0.95, 0.99}) {
                sistema& s = carga_sistema(1, g, eq, 0);
                const double T = tr * s.gas.tc;
                s.temperatura = T;
                ASSERT_EQ(leergas(-1, s), Carga::ok);
                double vl = 0, vg = 0;
                const double pv = presion_vapor(eq, 1, T, vl, vg);
                const std::string caso = "gas " + std::to_string(g) + " eq " + std::to_string(eq) +
                                         " Tr " + std::to_string(tr);
                ASSERT_GT(pv, 0) << caso;
                ASSERT_LT(vl, vg) << caso;
                // The volumes belong to the trial pressure before the result;
                // a bisection volume is known to 1e-6 l/mol on a steep branch.
                for (double v : {vl, vg}) {
                    const double h = v * 1e-7;
                    const double pendiente = (presion(1, v + h) - presion(1, v - h)) / (2 * h);
                    EXPECT_NEAR(presion(1, v), pv, 2e-4 + 2e-6 * std::fabs(pendiente))
                        << caso << " at V " << v;
                }
                const double p_prueba = presion(1, vg);
                const double desequilibrio =
                    (p_prueba * (vg - vl) - area_bajo_isoterma(1, vl, vg)) / (vg - vl);
                // Simpson's rule with 1000 intervals over the Dieterici isotherms
                // is good to about 1e-4 of the vapour pressure at Tr 0.5.
                const bool simpson = eq == kDieterici || eq == kDietericiSadus;
                EXPECT_NEAR(desequilibrio, 0, 2e-4 + (simpson ? 1.2e-4 * pv : 0)) << caso;
            }
        }
    }
}

// Vapour pressure of shipped gas g under equation eq at T, with the gas
// loaded for T in system 1.
double pv_a(int g, int eq, double T) {
    carga_sistema(1, g, eq, T);
    double vl, vg;
    return presion_vapor(eq, 1, T, vl, vg);
}

// Clapeyron: ΔH = T·(vg - vl)·dPv/dT, the slope taken here by a central
// difference of the vapour pressures at T ± 0.5 K.
TEST(CalorVaporizacion, EsLaPendienteDeClapeyron) {
    Avisos avisos;
    for (int g : {3, 21, 28}) {  // argon, carbon dioxide, toluene
        for (int eq = 1; eq <= 9; ++eq) {
            for (double tr : {0.6, 0.8, 0.95}) {
                sistema& s = carga_sistema(0, g, eq, 0);
                const double T = tr * s.gas.tc;
                s.temperatura = T;
                ASSERT_EQ(leergas(0, s), Carga::ok);
                double vl, vg;
                ASSERT_GT(presion_vapor(eq, 0, T, vl, vg), 0);
                const double dh = calor_vaporizacion(T, vl, vg);
                const double pendiente = (pv_a(g, eq, T + 0.5) - pv_a(g, eq, T - 0.5)) / 1.0;
                // Each vapour pressure is known to about 1.5e-4 atm, which over
                // 1 K is a slope error of 3e-4 atm/K in either estimate.
                const double ruido = T * (vg - vl) * 6e-4;
                EXPECT_NEAR(dh, T * (vg - vl) * pendiente, 3e-3 * dh + ruido)
                    << "gas " << g << " eq " << eq << " Tr " << tr;
                // The working record ends at T with the gas loaded for T.
                EXPECT_EQ(sistemas[0].temperatura, T);
                EXPECT_EQ(sistemas[0].gas.c, carga_sistema(1, g, eq, T).gas.c);
            }
        }
    }
}

TEST(CalorVaporizacion, CercaDeLosLimites) {
    Avisos avisos;
    sistema& s = carga_sistema(0, 21, kVanDerWaals, 250);
    const double tc = s.gas.tc;
    const struct {
        const char* que;
        double T;
        bool positivo;
    } casos[] = {
        // T + 0.5 is pulled back below tc: 0.25 K above T is still at most tc.
        {"0.3 K below tc", tc - 0.3, true},
        // Pulled to within 0.005 K of tc, where there is no vapour pressure.
        {"0.003 K below tc", tc - 0.003, false},
        // The liquid root at T - 0.5 lies below the covolume: no pressure.
        {"10 K", 10, false},
    };
    for (const auto& c : casos) {
        s.temperatura = c.T;
        ASSERT_EQ(leergas(0, s), Carga::ok);
        double vl = 0.05, vg = 0.2;
        presion_vapor(kVanDerWaals, 0, c.T, vl, vg);
        const double dh = calor_vaporizacion(c.T, vl, vg);
        if (c.positivo) {
            EXPECT_GT(dh, 0) << c.que;
            EXPECT_TRUE(std::isfinite(dh)) << c.que;
        } else {
            EXPECT_EQ(dh, -1) << c.que;
        }
        EXPECT_EQ(sistemas[0].temperatura, c.T) << c.que;
    }
    // Outside (0, tc) nothing is computed and the record is left alone.
    for (double T : {0.0, -4.0, tc, tc + 10}) {
        s.temperatura = 123;
        EXPECT_EQ(calor_vaporizacion(T, 0.05, 0.2), -1) << T;
        EXPECT_EQ(sistemas[0].temperatura, 123) << T;
    }
}

}  // namespace
}  // namespace korgas
