// Root solvers: Cardano's cubic, the quadratic, the volume residual,
// bisection and Newton.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"
#include "termo_prueba.h"

namespace korgas {
namespace {

using prueba::kAvdw;
using prueba::kBvdw;
using prueba::pon_sistema;

TEST(Cubica, RaicesOrdenadas) {
    const struct {
        double a1, a2, a3;
        double x1, x2, x3;
    } casos[] = {
        {-6, 11, -6, 1, 2, 3},               // three real roots
        {0, -7, 6, -3, 1, 2},                // q > 0
        {0, -7, -6, -2, -1, 3},              // q < 0
        {0, -1, 0, -1, 0, 1},                // q = 0
        {0, -3, 2, -2, 1, 1},                // D = 0
        {-3, 3, -1, 1, 1, 1},                // triple root, D = 0
        {1, 1, 1, -1, -1, -1},               // D > 0: one real root everywhere
        {0, 0, 0, 0, 0, 0},                  // x³
        {0, 0, -8, 2, 2, 2},                 // D > 0
        {-3.25, 0.76, -0.03, 0.05, 0.2, 3},  // roots of very different size
    };
    for (const auto& c : casos) {
        double x1 = 99, x2 = 99, x3 = 99;
        cubica(c.a1, c.a2, c.a3, x1, x2, x3);
        EXPECT_NEAR(x1, c.x1, 1e-6) << c.a1 << " " << c.a2 << " " << c.a3;
        EXPECT_NEAR(x2, c.x2, 1e-6) << c.a1 << " " << c.a2 << " " << c.a3;
        EXPECT_NEAR(x3, c.x3, 1e-6) << c.a1 << " " << c.a2 << " " << c.a3;
        EXPECT_LE(x1, x2);
        EXPECT_LE(x2, x3);
    }
}

// Roots many orders of magnitude apart, as a liquid and a gas volume at a low
// pressure: each comes out right to a few units of rounding, where the closed
// form alone loses the small ones (or overflows on the cube of the largest).
TEST(Cubica, RaicesMuySeparadas) {
    const struct {
        double r1, r2, r3;
    } casos[] = {
        {0.03, 1.2, 4.5e7}, {0.03, 1.2, 2.8e12}, {0.0427, 0.11, 1.6e41},
        {1e-3, 2e-3, 1e60}, {-2e-9, 5e-9, 7.0},  {-8e55, 0.5, 3.0},
    };
    for (const auto& c : casos) {
        const double a1 = -(c.r1 + c.r2 + c.r3);
        const double a2 = c.r1 * c.r2 + c.r1 * c.r3 + c.r2 * c.r3;
        const double a3 = -c.r1 * c.r2 * c.r3;
        double x1 = 0, x2 = 0, x3 = 0;
        cubica(a1, a2, a3, x1, x2, x3);
        const double raices[3] = {c.r1, c.r2, c.r3};
        const double halladas[3] = {x1, x2, x3};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(halladas[k], raices[k], 1e-13 * std::fabs(raices[k]))
                << k << ": " << c.r1 << " " << c.r2 << " " << c.r3;
        }
    }
}

// The van der Waals cubic at a pressure of 2.8e-12 atm (argon at a tenth of
// its critical temperature): the liquid volume is still a root of the cubic.
TEST(Cubica, VanDerWaalsABajaPresion) {
    const double a = 1.344034871261367, b = 0.032205456556118353, T = 15.0687, P = 2.8e-12;
    double x1, x2, x3;
    cubica(-(b + R * T / P), a / P, -a * b / P, x1, x2, x3);
    ASSERT_LT(x1, x2);
    ASSERT_LT(x2, x3);
    for (double v : {x1, x2, x3}) {
        // Residual of the pressure, relative to the size of its two terms.
        const double atraccion = a / (v * v);
        EXPECT_NEAR(R * T / (v - b) - atraccion, P, 1e-12 * (atraccion + P)) << v;
    }
    EXPECT_NEAR(x1, 0.033220809878, 1e-11);
}

TEST(Cuadratica, RaicesYSinRaices) {
    double x1 = 0, x2 = 0;
    EXPECT_TRUE(cuadratica(-3, 2, x1, x2));
    EXPECT_DOUBLE_EQ(x1, 2);
    EXPECT_DOUBLE_EQ(x2, 1);
    EXPECT_TRUE(cuadratica(2, 1, x1, x2));
    EXPECT_DOUBLE_EQ(x1, -1);
    EXPECT_DOUBLE_EQ(x2, -1);

    // No real roots: the roots stay (the window that asked tells the user).
    x1 = 7;
    x2 = 8;
    EXPECT_FALSE(cuadratica(0, 1, x1, x2));
    EXPECT_EQ(x1, 7);
    EXPECT_EQ(x2, 8);

    EXPECT_FALSE(cuadratica(std::numeric_limits<double>::quiet_NaN(), 0, x1, x2));
    EXPECT_EQ(x1, 7);
}

// Parameters per equation for the residual and solver tests: the van der
// Waals pair of the test gas, scaled as each equation wants it.
sistema pon_ecuacion(int eq, double T) {
    switch (eq) {
        case kBerthelot:
            return pon_sistema(eq, T, 1, kAvdw * prueba::kTc, kBvdw);
        case kDieterici:
            return pon_sistema(eq, T, 1, 4.5, 0.0428);
        case kRedlichKwong:
            return pon_sistema(eq, T, 1, 63.8, 0.0297);
        case kVirial:
            return pon_sistema(eq, T, 1, 1, kBvdw - kAvdw / (R * T), kBvdw * kBvdw,
                               kBvdw * kBvdw * kBvdw);
        case kGeneralizada:
            return pon_sistema(eq, T, 1, 1.2, 0.0107, 0, 0, 1.5);
        case kDietericiSadus:
            return pon_sistema(eq, T, 1, 3.8, 0.0786);
        default:
            return pon_sistema(eq, T, 1, kAvdw, kBvdw);
    }
}

// The residual vanishes exactly where the equation gives the pressure.
TEST(Fvolumen, CeroEnLaPresionDeLaEcuacion) {
    for (int eq = 1; eq <= 9; ++eq) {
        for (double T : {250.0, 400.0}) {
            for (double V : {0.09, 0.3, 2.0}) {
                const sistema s = pon_ecuacion(eq, T);
                const double P = presion(s, V);
                ASSERT_NE(P, 0.0) << eq;
                const double f = fvolumen(eq, s, P, T, V);
                // Scale of the terms: V³ for the cubic forms, P for the others.
                const double escala = std::max({V * V * V, std::pow(V, 4) * P / (R * T), P});
                EXPECT_NEAR(f, 0, 1e-11 * escala) << "eq " << eq << " T " << T << " V " << V;
            }
        }
    }
    const sistema s = pon_ecuacion(kVanDerWaals, 300);
    EXPECT_EQ(fvolumen(0, s, 1, 300, 1), 0.0);
    EXPECT_EQ(fvolumen(10, s, 1, 300, 1), 0.0);
}

TEST(Biseccion, EncuentraElCambioDeSigno) {
    const sistema s = pon_sistema(kVanDerWaals, 250, 1, kAvdw, kBvdw);
    const double P = 31.615, T = 250;
    double x1, x2, x3;
    cubica(-(kBvdw + R * T / P), kAvdw / P, -kAvdw * kBvdw / P, x1, x2, x3);
    EXPECT_NEAR(biseccion(1, s, P, T, kBvdw + 0.001, 0.1).x, x1, 1e-6);
    EXPECT_NEAR(biseccion(1, s, P, T, 0.3, R * T / P).x, x3, 1e-6);

    // Without a sign change it ends at one end of the interval.
    const double v = biseccion(1, s, P, T, 1.0, 2.0).x;
    EXPECT_TRUE(std::fabs(v - 1.0) < 1e-6 || std::fabs(v - 2.0) < 1e-6) << v;

    // An interval that never shrinks gives up after 10000 halvings.
    const Solucion r = biseccion(1, s, P, T, 0.3, std::numeric_limits<double>::infinity());
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.falla, Falla::sin_convergencia);
}

// Newton lands on the state it was built from, to well within its stopping
// step (a wrong derivative would stop early and far from it).
TEST(Newton, ConvergeEnLosSeisCasos) {
    const struct {
        const char* var;
        int eq;
    } casos[] = {{"v", kDieterici},      {"v", kVirial},    {"v", kGeneralizada},
                 {"v", kDietericiSadus}, {"t", kDieterici}, {"t", kDietericiSadus}};
    for (const auto& c : casos) {
        for (double T : {260.0, 320.0, 600.0}) {
            for (double V : {0.4, 1.5, 20.0}) {
                const sistema s = pon_ecuacion(c.eq, T);
                const double P = presion(s, V);
                ASSERT_GT(P, 0) << c.eq;
                Solucion r;
                if (std::string_view(c.var) == "v") {
                    r = newton("v", c.eq, s, P, T, R * T / P);
                    EXPECT_NEAR(r.x, V, 1e-7 * V) << c.var << " " << c.eq << " T " << T;
                } else {
                    r = newton("t", c.eq, s, P, V, P * V / R);
                    EXPECT_NEAR(r.x, T, 1e-7 * T) << c.var << " " << c.eq << " V " << V;
                }
                EXPECT_TRUE(r.ok());
            }
        }
    }
}

TEST(Newton, GeneralizadaConMuDosEsVanDerWaals) {
    const double T = 250, P = 20;
    const sistema s = pon_sistema(kGeneralizada, T, 1, kAvdw, kBvdw, 0, 0, 2);
    double x1, x2, x3;
    cubica(-(kBvdw + R * T / P), kAvdw / P, -kAvdw * kBvdw / P, x1, x2, x3);
    EXPECT_NEAR(newton("v", kGeneralizada, s, P, T, R * T / P).x, x3, 1e-7);
}

// Own parameters may give the Dieterici-Sadus equation no covolume; its
// pressure is then R·T/V·exp(-a/(R·T·V)), and newton finds the gas volume
// (above a/(R·T), where the pressure peaks) instead of reporting a failure.
TEST(Newton, DietericiSadusSinCovolumen) {
    const double a = 3.8, T = 300;
    for (double V : {0.5, 2.0, 24.6}) {
        const sistema s = pon_sistema(kDietericiSadus, T, 1, a, 0, 0, 0);
        const double P = R * T / V * std::exp(-a / (R * T * V));
        ASSERT_DOUBLE_EQ(presion(s, V), P);
        const Solucion r = newton("v", kDietericiSadus, s, P, T, R * T / P);
        EXPECT_NEAR(r.x, V, 1e-7 * V) << V;
        EXPECT_TRUE(r.ok()) << V;
    }
}

TEST(Newton, FallosTerminanSinConvergencia) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* que;
        const char* var;
        int eq;
        double a, b, c, d;
        double P, fijo, x0;
    } casos[] = {
        // A volume inside the covolume: zero derivative, then inf and NaN.
        {"Dieterici T at V < b", "t", kDieterici, 4.5, 0.0428, 0, 0, 1, 0.01, 0.01 / R},
        // P·V⁴/(R·T) + 1 has no real root: the iteration wanders for ever.
        {"virial without a root", "v", kVirial, 0, 0, 0, -1, R * 300, 300, 0.7},
        {"infinite start", "v", kDieterici, 4.5, 0.0428, 0, 0, 1, 300, inf},
    };
    for (const auto& c : casos) {
        const sistema s = pon_sistema(c.eq, 300, 1, c.a, c.b, c.c, c.d);
        const Solucion r = newton(c.var, c.eq, s, c.P, c.fijo, c.x0);
        EXPECT_EQ(r.x, 0.0) << c.que;
        EXPECT_EQ(r.falla, Falla::sin_convergencia) << c.que;
    }
}

TEST(Newton, CasoSinResidualNoDaResultado) {
    const sistema s = pon_sistema(kVanDerWaals, 300, 1, kAvdw, kBvdw);
    for (const char* var : {"v", "t", "p"}) {
        const Solucion r = newton(var, kVanDerWaals, s, 1, 300, 24);
        EXPECT_EQ(r.x, 0.0);
        EXPECT_EQ(r.falla, Falla::sin_resultado) << var;
    }
}

}  // namespace
}  // namespace korgas
