// Solving for T or V: the root choice, the closed forms, the solver table,
// round trips over the shipped gases, and termination over extreme states.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/despejar.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"
#include "core/vapor.h"
#include "termo_prueba.h"

namespace korgas {
namespace {

using prueba::carga_sistema;
using prueba::kAvdw;
using prueba::kBvdw;
using prueba::pon_sistema;

TEST(RaizCercana, EleccionYDesempates) {
    const struct {
        double x1, x2, x3, ref, esperada;
    } cubicas[] = {
        {1, 2, 3, 2.2, 2}, {1, 2, 3, 0.9, 1},
        {1, 2, 3, 9, 3},   {1, 2, 3, 1.5, 1},  // x2 ties x1: x1 stays
        {1, 2, 3, 2.5, 3},                     // x3 ties x2: x3 wins
        {1, 3, 5, 3, 3},                       // x2 itself
        {1, 1, 1, 4, 1},
    };
    for (const auto& c : cubicas) {
        EXPECT_EQ(raiz_cercana(c.x1, c.x2, c.x3, c.ref), c.esperada) << c.ref;
    }
    // Equal distances from x1 and x3 with x2 farther: x3 wins the tie.
    EXPECT_EQ(raiz_cercana(-1, 5, 1, 0), 1);
    const struct {
        double x1, x2, ref, esperada;
    } cuadraticas[] = {{2, 1, 1.2, 1}, {2, 1, 1.8, 2}, {2, 1, 1.5, 2}, {-1, -1, 3, -1}};
    for (const auto& c : cuadraticas) {
        EXPECT_EQ(raiz_cercana(c.x1, c.x2, c.ref), c.esperada) << c.ref;
    }
}

TEST(Despejar, GasIdeal) {
    sistema s = pon_sistema(kIdeal, 300, 1, 0, 0);
    EXPECT_DOUBLE_EQ(despejar("t", kIdeal, s, 24.618, 1).x, 24.618 / R);
    EXPECT_DOUBLE_EQ(despejar("v", kIdeal, s, 0, 2).x, R * 300 / 2);
    EXPECT_EQ(despejar("p", kIdeal, s, 24.618, 1).x, 0.0);
    EXPECT_EQ(despejar("t", 10, s, 24.618, 1).x, 0.0);
    EXPECT_EQ(despejar("t", kDieterici, s, 24.618, 1).x, 0.0);  // newton's
    EXPECT_EQ(despejar("v", kGeneralizada, s, 0, 1).x, 0.0);    // newton's
}

// Below the critical temperature the van der Waals cubic has three roots; the
// volume is the one nearest the ideal gas volume. Above it there is one.
TEST(Despejar, VanDerWaalsTresRaicesYUna) {
    sistema s = pon_sistema(kVanDerWaals, 250, 1, kAvdw, kBvdw);
    const double P = 31.615, T = 250;
    double x1, x2, x3;
    cubica(-(kBvdw + R * T / P), kAvdw / P, -kAvdw * kBvdw / P, x1, x2, x3);
    ASSERT_LT(x1, x2);
    ASSERT_LT(x2, x3);
    EXPECT_EQ(despejar("v", kVanDerWaals, s, 0, P).x, x3);
    EXPECT_NEAR(x1, 0.0683, 1e-4);

    s.temperatura = 400;
    const double v = despejar("v", kVanDerWaals, s, 0, P).x;
    cubica(-(kBvdw + R * 400 / P), kAvdw / P, -kAvdw * kBvdw / P, x1, x2, x3);
    EXPECT_EQ(x1, x3);
    EXPECT_EQ(v, x1);
    EXPECT_NEAR(presion(s, v), P, 1e-9 * P);
}

// The virial volume is a cubic only without D; with D it is newton's.
TEST(Despejar, VirialConYSinD) {
    const double T = 400, V = 0.8;
    sistema s = pon_sistema(kVirial, T, 1, 1, kBvdw - kAvdw / (R * T), kBvdw * kBvdw, 0);
    const double P = presion(s, V);
    EXPECT_NEAR(despejar("v", kVirial, s, 0, P).x, V, 1e-9 * V);
    EXPECT_NEAR(despejar("t", kVirial, s, V, P).x, T, 1e-9 * T);
    s.gas.c[3] = kBvdw * kBvdw * kBvdw;
    EXPECT_EQ(despejar("v", kVirial, s, 0, presion(s, V)).x, 0.0);
    EXPECT_NEAR(resolver("v", s, 0, presion(s, V)).x, V, 1e-6 * V);
}

TEST(Despejar, BerthelotSinRaicesReales) {
    sistema s = pon_sistema(kBerthelot, 300, 1, kAvdw * 304.2, kBvdw);
    // Inside the covolume the quadratic in T has no real root: the solver
    // says so, for the window to tell.
    const Solucion r = despejar("t", kBerthelot, s, 0.9 * kBvdw, 0.01);
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.falla, Falla::sin_raices);
}

// Guards in front of the closed forms: no division by a zero volume or
// pressure, no volume at or below 0 K.
TEST(Despejar, EntradasSinSolucion) {
    for (int eq : {0, 1, 2, 4, 5, 6, 7, 8}) {
        sistema s = pon_sistema(eq, 300, 1, eq == kVirial ? 1 : kAvdw, kBvdw, 0, 0, 1.5);
        s.personalizado = true;
        EXPECT_EQ(despejar("t", eq, s, 0, 1).x, 0.0) << eq;
        EXPECT_EQ(despejar("t", eq, s, -1, 1).x, 0.0) << eq;
        EXPECT_EQ(despejar("v", eq, s, 0, 0).x, 0.0) << eq;
        EXPECT_EQ(despejar("v", eq, s, 0, -2).x, 0.0) << eq;
        s.temperatura = 0;
        EXPECT_EQ(despejar("v", eq, s, 0, 1).x, 0.0) << eq;
    }
}

// Equations 7 and 8 take a(T) of the system's own temperature: solving for V
// reloads the gas at that temperature first; own parameters stay.
TEST(Despejar, SoaveYPengRobinsonRecarganATemperatura) {
    for (int eq : {kSoave, kPengRobinson}) {
        sistema s = carga_sistema(21, eq, 250);
        const double a250 = s.gas.c[0];
        s.temperatura = 400;  // changed without a reload
        const double v = despejar("v", eq, s, 0, 50).x;
        EXPECT_NE(s.gas.c[0], a250);
        const sistema fresco = carga_sistema(21, eq, 400);
        EXPECT_EQ(s.gas.c[0], fresco.gas.c[0]);
        EXPECT_NEAR(presion(fresco, v), 50, 1e-9 * 50) << eq;

        s.personalizado = true;
        s.gas.c[0] = 2.5;
        s.gas.c[1] = 0.03;
        const double v_propio = despejar("v", eq, s, 0, 50).x;
        EXPECT_EQ(s.gas.c[0], 2.5);
        EXPECT_NEAR(presion(s, v_propio), 50, 1e-9 * 50) << eq;
    }
}

TEST(Despejar, TablaDeSolucionadores) {
    datosgas sin_d, con_d;
    con_d.c[3] = 1e-5;
    for (int eq = 0; eq <= 9; ++eq) {
        const bool t = eq == kDieterici || eq == kDietericiSadus;
        const bool v = t || eq == kGeneralizada;
        EXPECT_EQ(usa_newton("t", eq, sin_d), t) << eq;
        EXPECT_EQ(usa_newton("t", eq, con_d), t) << eq;
        EXPECT_EQ(usa_newton("v", eq, sin_d), v) << eq;
        EXPECT_EQ(usa_newton("v", eq, con_d), v || eq == kVirial) << eq;
    }
    EXPECT_FALSE(usa_newton("p", kDieterici, sin_d));
}

// Every shipped gas under every equation, over a grid of gas states: the
// pressure at (T, V), then V from (T, P) and T from (P, V) through the
// solver the windows use, returns the start.
TEST(Resolver, IdaYVueltaEnLaRegionDelGas) {
    for (int g = 1; g <= prueba::gases_enviados(); ++g) {
        for (int eq = 0; eq <= 9; ++eq) {
            for (double tr : {0.8, 1.2, 2.0, 3.0}) {
                for (double n : {2.0, 10.0, 50.0}) {
                    sistema s = carga_sistema(g, eq, 0);
                    const double T = tr * s.gas.tc;
                    const double V = n * R * s.gas.tc / s.gas.pc;
                    s.temperatura = T;
                    ASSERT_EQ(leergas(0, s), Carga::ok);
                    const double P = presion(s, V);
                    const std::string caso = "gas " + std::to_string(g) + " eq " +
                                             std::to_string(eq) + " Tr " + std::to_string(tr) +
                                             " V/x " + std::to_string(n);
                    ASSERT_GT(P, 0) << caso;
                    const Solucion v = resolver("v", s, 0, P);
                    EXPECT_NEAR(v.x, V, 1e-6 * V) << caso;
                    EXPECT_TRUE(v.ok()) << caso;
                    const Solucion t = resolver("t", s, V, P);
                    EXPECT_NEAR(t.x, T, 1e-6 * T) << caso;
                    EXPECT_TRUE(t.ok()) << caso;
                }
            }
        }
    }
}

TEST(Resolver, FallosSenalados) {
    const struct {
        const char* que;
        int eq;
        double T;
        const char* var;
        double V, P;
        Falla falla;
    } casos[] = {
        {"volume at 0 K", kVanDerWaals, 0, "v", 0, 1, Falla::sin_resultado},
        {"volume below 0 K", kDieterici, -5, "v", 0, 1, Falla::sin_resultado},
        {"no pressure", kVanDerWaals, 300, "v", 0, 0, Falla::sin_resultado},
        {"negative pressure", kVanDerWaals, 300, "t", 1, -1, Falla::sin_resultado},
        {"no volume", kVanDerWaals, 300, "t", 0, 1, Falla::sin_resultado},
        {"NaN pressure", kVanDerWaals, 300, "t", 1, std::numeric_limits<double>::quiet_NaN(),
         Falla::sin_resultado},
        {"unknown quantity", kVanDerWaals, 300, "p", 1, 1, Falla::sin_resultado},
        {"unknown equation", 12, 300, "t", 1, 1, Falla::sin_resultado},
        {"newton fails: Dieterici T inside b", kDieterici, 300, "t", 0.01, 1,
         Falla::sin_convergencia},
        {"no real T: Berthelot inside b", kBerthelot, 300, "t", 0.9 * kBvdw, 0.01,
         Falla::sin_raices},
        // The closed form gives a temperature below 0 K inside the covolume.
        {"T below 0 K: van der Waals inside b", kVanDerWaals, 300, "t", 0.5 * kBvdw, 1,
         Falla::sin_resultado},
    };
    for (const auto& c : casos) {
        const double a = c.eq == kBerthelot ? kAvdw * 304.2 : c.eq == kDieterici ? 4.5 : kAvdw;
        sistema s = pon_sistema(c.eq, c.T, 1, a, c.eq == kDieterici ? 0.0428 : kBvdw);
        const Solucion r = resolver(c.var, s, c.V, c.P);
        EXPECT_EQ(r.x, 0.0) << c.que;
        EXPECT_EQ(r.falla, c.falla) << c.que;
    }
}

// Every shipped gas under every equation, from 1e-5 K to twice tc and from
// 1e-6 to 1e4 atm: every solver returns, and nothing that is not a finite
// number comes back as a value.
TEST(Terminacion, EstadosExtremos) {
    const double pres[] = {1e-6, 1e-2, 1, 100, 1e4};
    const double vols[] = {1e-4, 0.05, 1, 1e3};
    for (int g = 1; g <= prueba::gases_enviados(); ++g) {
        for (int eq = 0; eq <= 9; ++eq) {
            const double tc = carga_sistema(g, eq, 0).gas.tc;
            // The coldest states are taken on a few gases only.
            std::vector<double> temps = {1.0, 0.3 * tc, 0.7 * tc, 0.999 * tc, 1.3 * tc, 2 * tc};
            if (g % 9 == 1) temps.insert(temps.begin(), {1e-5, 0.01});
            for (double T : temps) {
                sistema s = carga_sistema(g, eq, T);
                const std::string caso = "gas " + std::to_string(g) + " eq " + std::to_string(eq) +
                                         " T " + std::to_string(T);
                double vl = 0, vg = 0;
                const double pv = presion_vapor(eq, s, T, vl, vg);
                EXPECT_TRUE(std::isfinite(pv)) << caso;
                if (pv >= 0) {
                    EXPECT_TRUE(std::isfinite(vl) && std::isfinite(vg)) << caso;
                }
                for (double P : pres) {
                    const Solucion v = resolver("v", s, 0, P);
                    EXPECT_TRUE(std::isfinite(v.x)) << caso << " P " << P;
                    if (!v.ok()) {
                        EXPECT_EQ(v.x, 0.0);
                    }
                    EXPECT_TRUE(std::isfinite(despejar("v", eq, s, 0, P).x)) << caso;
                    if (usa_newton("v", eq, s.gas)) {
                        EXPECT_TRUE(std::isfinite(newton("v", eq, s, P, T, R * T / P).x));
                    }
                    for (double V : vols) {
                        const double t = resolver("t", s, V, P).x;
                        EXPECT_TRUE(std::isfinite(t)) << caso << " P " << P << " V " << V;
                        EXPECT_TRUE(std::isfinite(despejar("t", eq, s, V, P).x)) << caso;
                        EXPECT_TRUE(std::isfinite(presion(s, V))) << caso;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace korgas
