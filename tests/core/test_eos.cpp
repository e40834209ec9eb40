// The equations of state: pressure, its domains and the integral of P dV.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/eos.h"
#include "core/gas.h"
#include "termo_prueba.h"

namespace korgas {
namespace {

using prueba::carga_sistema;
using prueba::kAvdw;
using prueba::kBvdw;
using prueba::pon_sistema;

// With parameters derived from the critical data, the critical isotherm of
// every two-parameter equation has its inflection at the critical pressure:
// dP/dV reaches 0 at its highest, where P = pc. This checks each pressure
// formula together with the parameters a load gives it.
TEST(Presion, IsotermaCriticaPasaPorElPuntoCritico) {
    for (int g = 1; g <= prueba::gases_enviados(); ++g) {
        for (int eq : {1, 2, 3, 4, 6, 7, 8, 9}) {
            sistema s = carga_sistema(g, eq, 0);
            const double tc = s.gas.tc, pc = s.gas.pc;
            s.temperatura = tc;
            ASSERT_EQ(leergas(-1, s), Carga::ok);
            const double x = R * tc / pc;
            const double desde = 1.05 * (eq == kDietericiSadus ? s.gas.c[1] / 4 : s.gas.c[1]);
            double mejor_pendiente = -std::numeric_limits<double>::infinity();
            double v_mejor = 0;
            for (int k = 0; k <= 20000; ++k) {
                const double V = desde * std::pow(3 * x / desde, k / 20000.0);  // to 3 R·tc/pc
                const double h = V * 1e-5;
                const double pendiente = (presion(s, V + h) - presion(s, V - h)) / (2 * h);
                if (pendiente > mejor_pendiente) {
                    mejor_pendiente = pendiente;
                    v_mejor = V;
                }
            }
            EXPECT_NEAR(presion(s, v_mejor) / pc, 1, 1e-3) << "gas " << g << " eq " << eq;
            // The Dieterici-Sadus constants leave a slight loop at tc itself.
            const double tolerancia = eq == kDietericiSadus ? 0.035 : 1e-3;
            EXPECT_NEAR(mejor_pendiente * x / pc, 0, tolerancia) << "gas " << g << " eq " << eq;
        }
    }
}

// The virial form is the van der Waals equation expanded to the fourth
// coefficient: far from the covolume the two agree to the first omitted term.
TEST(Presion, VirialEsLaSerieDeVanDerWaals) {
    for (int g = 1; g <= prueba::gases_enviados(); ++g) {
        for (double tr : {0.9, 1.5}) {
            sistema v = carga_sistema(g, kVirial, 0);
            v.temperatura = tr * v.gas.tc;
            ASSERT_EQ(leergas(-1, v), Carga::ok);
            const sistema w = carga_sistema(g, kVanDerWaals, v.temperatura);
            const double b = w.gas.c[1];
            for (double n : {10.0, 30.0, 300.0}) {
                const double V = n * b;
                const double cola = R * v.temperatura / V * std::pow(b / V, 4) / (1 - b / V);
                EXPECT_NEAR(presion(v, V), presion(w, V), 1.01 * cola + 1e-12) << g << " " << n;
            }
        }
    }
}

// Each equation at the edge of its domain and just inside it.
TEST(Presion, Dominios) {
    const double b = kBvdw, T = 300;
    const struct {
        int eq;
        double limite;  // molar volume at which the result turns 0
    } casos[] = {{0, 0}, {1, b}, {2, b}, {3, b}, {4, b},
                 {5, 0}, {6, b}, {7, b}, {8, b}, {9, b / 4}};
    for (const auto& c : casos) {
        for (double moles : {1.0, 2.5}) {
            sistema s = pon_sistema(c.eq, T, moles, kAvdw, b, 0.0001, 0.00002, 1.5);
            if (c.eq == kVirial) s.gas.c[0] = 1;
            EXPECT_EQ(presion(s, c.limite * moles), 0.0) << c.eq;
            EXPECT_EQ(presion(s, (c.limite - 0.01) * moles), 0.0) << c.eq;
            EXPECT_EQ(presion(s, -1), 0.0) << c.eq;
            EXPECT_EQ(presion(s, std::numeric_limits<double>::quiet_NaN()), 0.0) << c.eq;
            const double dentro = presion(s, (c.limite + 0.5) * moles);
            EXPECT_NE(dentro, 0.0) << c.eq;
            EXPECT_TRUE(std::isfinite(dentro)) << c.eq;
        }
    }
}

TEST(Presion, SinCantidadOEcuacionDesconocidaDaCero) {
    for (int eq = 0; eq <= 9; ++eq) {
        for (double moles : {0.0, -1.0}) {
            const sistema s = pon_sistema(eq, 300, moles, kAvdw, kBvdw, 0, 0, 1.5);
            for (double V : {0.1, 1.0, 50.0}) EXPECT_EQ(presion(s, V), 0.0) << eq;
        }
    }
    for (int eq : {-1, 10, 99}) {
        EXPECT_EQ(presion(pon_sistema(eq, 300, 1, kAvdw, kBvdw), 1.0), 0.0) << eq;
    }
}

// The pressure depends on the molar volume only; far out every equation is
// the ideal gas.
TEST(Presion, CantidadYLimiteIdeal) {
    for (int eq = 0; eq <= 9; ++eq) {
        sistema s = pon_sistema(eq, 300, 1, eq == kVirial ? 1.0 : kAvdw, kBvdw, 0, 0, 1.5);
        const double p1 = presion(s, 0.7);
        for (double n : {3.0, 0.25}) {
            s.moles = n;
            EXPECT_NEAR(presion(s, 0.7 * n), p1, 1e-12 * std::fabs(p1)) << eq;
        }
        s.moles = 1;
        const double V = 1e5;
        EXPECT_NEAR(presion(s, V), R * 300 / V, 1e-3 * R * 300 / V) << eq;
    }
}

TEST(Presion, GeneralizadaConMuDosEsVanDerWaals) {
    for (double T : {150.0, 300.0, 900.0}) {
        for (double V : {0.05, 0.2, 3.0}) {
            const double vdw = presion(pon_sistema(kVanDerWaals, T, 1, kAvdw, kBvdw), V);
            const sistema g = pon_sistema(kGeneralizada, T, 1, kAvdw, kBvdw, 0, 0, 2);
            EXPECT_NEAR(presion(g, V), vdw, 1e-12 * std::fabs(vdw)) << T << " " << V;
        }
    }
}

// An overflow is no pressure: a result too large for a double, from a huge
// exponent, a parameter or a volume next to 0, comes back not finite, never
// as 0 or another number standing for it; the same for a parameter that is
// not finite. Where nothing overflows the result is finite.
TEST(Presion, DesbordeNoEsNumero) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* que;
        int eq;
        double T, a, b, mu, V;
    } desbordes[] = {
        {"ideal gas next to V = 0", kIdeal, 300, 0, 0, 1.5, 1e-320},
        {"generalised, mu 400", kGeneralizada, 300, kAvdw, kBvdw, 400, 0.05},
        {"generalised, mu 1e6", kGeneralizada, 300, kAvdw, kBvdw, 1e6, 0.5},
        {"Berthelot at 0 K", kBerthelot, 0, kAvdw, kBvdw, 1.5, 1},
        {"van der Waals, a infinite", kVanDerWaals, 300, inf, kBvdw, 1.5, 1},
        {"Dieterici, a -infinite", kDieterici, 300, -inf, kBvdw, 1.5, 1},
        {"Peng-Robinson, a 1e308", kPengRobinson, 300, 1e308, kBvdw, 1.5, 0.05},
    };
    for (const auto& c : desbordes) {
        const sistema s = pon_sistema(c.eq, c.T, 1, c.a, c.b, 0, 0, c.mu);
        EXPECT_FALSE(std::isfinite(presion(s, c.V))) << c.que;
    }
    for (double mu : {1.5, 50.0}) {
        for (double V : {0.5, 5.0, 1e6}) {
            const sistema s = pon_sistema(kGeneralizada, 300, 1, kAvdw, kBvdw, 0, 0, mu);
            EXPECT_TRUE(std::isfinite(presion(s, V))) << mu << " " << V;
        }
    }
}

// Reference integral of the system's pressure by a fine Simpson rule.
double integral_de_referencia(const sistema& s, double V1, double V2) {
    const int n = 200000;
    const double h = (V2 - V1) / n;
    double suma = presion(s, V1) + presion(s, V2);
    for (int k = 1; k < n; ++k) suma += (k % 2 ? 4 : 2) * presion(s, V1 + k * h);
    return suma * h / 3;
}

TEST(IntegralPdv, CoincideConLaIntegralDeLaPresion) {
    for (int eq = 1; eq <= 9; ++eq) {
        for (double T : {200.0, 450.0}) {
            sistema s = carga_sistema(21, eq, T);  // carbon dioxide
            s.mu = 1.5;
            const auto& c = s.gas.c;
            const Parametros p = parametros(c, s.mu);
            const double b = eq == kVirial ? std::sqrt(c[2]) : c[1];  // C = b0²
            for (const auto& [V1, V2] : {std::pair{1.5 * b, 30 * b}, std::pair{3 * b, 4 * b}}) {
                const auto r = integral_pdv(eq, p, T, V1, V2);
                ASSERT_TRUE(r) << eq;
                const double ref = integral_de_referencia(s, V1, V2);
                EXPECT_NEAR(*r, ref, 1e-7 * std::fabs(ref)) << "eq " << eq << " T " << T;
                const auto inverso = integral_pdv(eq, p, T, V2, V1);
                ASSERT_TRUE(inverso);
                EXPECT_NEAR(*inverso, -*r, 1e-12 * std::fabs(*r)) << eq;
                EXPECT_EQ(integral_pdv(eq, p, T, V1, V1), 0.0) << eq;
            }
        }
    }
    // The ideal gas and unknown equations contribute nothing.
    EXPECT_EQ(integral_pdv(0, {}, 300, 0.1, 10), 0.0);
    EXPECT_EQ(integral_pdv(10, {1, 0.04}, 300, 0.1, 10), 0.0);
}

// The Dieterici integral in closed form, through the exponential integral:
// with k = a/(R·T), the integral of R·T/(V - b)·exp(-k/V) is
// -R·T·(Ei(-k/V) - exp(-k/b)·Ei(k/b - k/V)).
double integral_dieterici_exacta(double a, double b, double T, double V1, double V2) {
    const double rt = R * T, k = a / rt;
    auto F = [&](double V) {
        return -rt * (std::expint(-k / V) - std::exp(-k / b) * std::expint(k / b - k / V));
    };
    return F(V2) - F(V1);
}

// Between the volumes of liquid and gas at low temperatures the Dieterici
// isotherm rises steeply within a hair of the covolume and the gas volume lies
// thousands of times further out; the integral stays right to far below the
// 1e-6 of the vapour pressure that it decides.
TEST(IntegralPdv, DietericiDesdeElLiquido) {
    for (double tr : {0.2, 0.35, 0.5, 0.8}) {
        const sistema s = carga_sistema(3, kDieterici, 0);  // argon
        const double T = tr * s.gas.tc;
        const double a = s.gas.c[0], b = s.gas.c[1];
        for (const auto& [V1, V2] : {std::pair{b * (1 + 1e-8), 1e4 * b},
                                     std::pair{b * 1.001, 50 * b}, std::pair{1.2 * b, 1.3 * b}}) {
            const auto r = integral_pdv(kDieterici, {a, b}, T, V1, V2);
            ASSERT_TRUE(r) << tr;
            const double exacta = integral_dieterici_exacta(a, b, T, V1, V2);
            EXPECT_NEAR(*r, exacta, 1e-10 * std::fabs(exacta)) << "Tr " << tr << " from " << V1;
        }
    }
    // Dieterici-Sadus against a fine Simpson rule in ln(V - b/4).
    sistema s = carga_sistema(21, kDietericiSadus, 0);  // carbon dioxide
    const double T = 0.35 * s.gas.tc;
    s.temperatura = T;
    const double a = s.gas.c[0], b = s.gas.c[1], vs = b / 4;
    const double V1 = vs * 1.33, V2 = 2.0;
    const int n = 200000;
    const double u1 = std::log(V1 - vs), h = (std::log(V2 - vs) - u1) / n;
    auto f = [&](double u) { return presion(s, vs + std::exp(u)) * std::exp(u); };
    double suma = f(u1) + f(u1 + n * h);
    for (int k = 1; k < n; ++k) suma += (k % 2 ? 4 : 2) * f(u1 + k * h);
    const auto r = integral_pdv(kDietericiSadus, {a, b}, T, V1, V2);
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r, suma * h / 3, 1e-10 * std::fabs(*r));
}

// At or inside the excluded volume there is no integral, and none that is
// not finite.
TEST(IntegralPdv, SinIntegralFueraDelDominio) {
    const double a = kAvdw, b = kBvdw;
    for (int eq = 1; eq <= 9; ++eq) {
        const Parametros p{a, b, 0, 0, 1.5};
        const double limite = eq == kVirial ? 0 : eq == kDietericiSadus ? b / 4 : b;
        for (double V1 : {limite, limite - 0.001, -1.0}) {
            EXPECT_FALSE(integral_pdv(eq, p, 300, V1, 1.0)) << eq << " " << V1;
            EXPECT_FALSE(integral_pdv(eq, p, 300, 1.0, V1)) << eq << " " << V1;
        }
        EXPECT_TRUE(integral_pdv(eq, p, 300, limite + 0.01, 1.0)) << eq;
    }
    // Exponent 1 makes the generalised antiderivative divide by zero.
    EXPECT_FALSE(integral_pdv(kGeneralizada, {a, b, 0, 0, 1}, 300, 0.1, 1.0));
    // Covolume 0 for the logarithmic attraction terms: 0/0.
    EXPECT_FALSE(integral_pdv(kSoave, {a, 0}, 300, 0.1, 1.0));
}

// The pressure function of the Dieterici integrals is the same pressure that
// presion gives, written another way.
TEST(PresionTv, EsLaPresionDeLasDosDieterici) {
    for (int eq : {kDieterici, kDietericiSadus}) {
        for (double b : {kBvdw, 0.0}) {
            const sistema s = pon_sistema(eq, 280, 1, kAvdw, b);
            for (double V : {0.06, 0.3, 4.0}) {
                const auto p = presion_tv(eq, s, 280, V);
                ASSERT_TRUE(p) << eq;
                EXPECT_NEAR(*p, presion(s, V), 1e-12 * presion(s, V)) << eq << " b " << b;
            }
        }
    }
    const sistema s = pon_sistema(kDieterici, 280, 1, kAvdw, kBvdw);
    EXPECT_FALSE(presion_tv(kDieterici, s, 280, kBvdw));
    EXPECT_FALSE(presion_tv(kDietericiSadus, s, 280, kBvdw / 4));
    EXPECT_TRUE(presion_tv(kDietericiSadus, s, 280, kBvdw / 2));
    EXPECT_EQ(presion_tv(kVanDerWaals, s, 280, 1.0), 0.0);
    EXPECT_FALSE(simpson(kDieterici, s, 280, kBvdw, 1.0));
}

}  // namespace
}  // namespace korgas
