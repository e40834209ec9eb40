// Each equation's entry is consistent with itself: over a table of states of
// carbon dioxide (parameters derived at each temperature), the analytic
// derivatives agree with finite differences of the pressure, the
// antiderivative's slope is the pressure, Newton's residual vanishes on the
// isotherm with the slope it claims, the cubic's roots lie on the isotherm,
// and the closed form for T gives the temperature back.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/ecuaciones.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"
#include "termo_prueba.h"

namespace korgas {
namespace {

struct Estado {
    double T;  // K
    double V;  // l/mol
};

// Gas, liquid-like and dense states below and above tc (304.2 K).
constexpr Estado kEstados[] = {
    {220, 0.06}, {220, 0.5},  {220, 30}, {300, 0.1}, {300, 0.3},
    {300, 2},    {450, 0.07}, {450, 1},  {900, 0.2}, {900, 50},
};

// Central difference of f at x with step h.
template <class F>
double diferencia(const F& f, double x, double h) {
    return (f(x + h) - f(x - h)) / (2 * h);
}

class Ecuacion : public ::testing::TestWithParam<int> {};

TEST_P(Ecuacion, ConsistenteConSuPresion) {
    const int eq = GetParam();
    const Modelo* m = modelo(eq);
    ASSERT_NE(m, nullptr);
    for (const Estado& e : kEstados) {
        const sistema s = prueba::carga_sistema(21, eq, e.T);
        const Parametros p = parametros(s.gas.c, s.mu);
        const double T = e.T, V = e.V;
        const std::string caso =
            "eq " + std::to_string(eq) + " T " + std::to_string(T) + " V " + std::to_string(V);
        ASSERT_TRUE(m->en_dominio(p, V)) << caso;
        ASSERT_GT(V, m->inicio(p)) << caso;
        const double P = m->presion(p, T, V);
        ASSERT_TRUE(std::isfinite(P)) << caso;
        EXPECT_DOUBLE_EQ(presion(s, V), P) << caso;

        // ∂P/∂V and ∂P/∂T at fixed parameters.
        auto p_de_v = [&](double v) { return m->presion(p, T, v); };
        auto p_de_t = [&](double t) { return m->presion(p, t, V); };
        const double escala_v = std::fabs(P) / V + std::fabs(m->dp_dv(p, T, V));
        const double escala_t = std::fabs(P) / T + std::fabs(m->dp_dt(p, T, V));
        const double h = 1e-5 * (V - m->inicio(p));
        EXPECT_NEAR(m->dp_dv(p, T, V), diferencia(p_de_v, V, h), 1e-6 * escala_v) << caso;
        EXPECT_NEAR(m->dp_dt(p, T, V), diferencia(p_de_t, T, 1e-5 * T), 1e-6 * escala_t) << caso;

        // The integral of P dV.
        if (m->primitiva) {
            auto f = [&](double v) { return m->primitiva(p, T, v); };
            EXPECT_NEAR(diferencia(f, V, h), P, 1e-6 * (std::fabs(P) + R * T / V)) << caso;
        }

        if (!(P > 0)) continue;  // no volume is solved at a pressure not above 0

        // Newton's residual: zero on the isotherm, with the slope given.
        if (eq != kIdeal) {
            auto r = [&](double v) { return m->residuo(p, P, T, v); };
            const double dr = diferencia(r, V, h);
            EXPECT_NEAR(r(V), 0, 1e-8 * std::fabs(dr) * V) << caso;
            if (m->dresiduo_dv) {
                EXPECT_NEAR(m->dresiduo_dv(p, P, T, V), dr, 1e-6 * std::fabs(dr)) << caso;
            }
        }

        // The cubic: V is one of its roots, and every root inside the domain
        // is a volume of the isotherm at P.
        if (m->es_cubica && m->es_cubica(p)) {
            double a1, a2, a3, x1, x2, x3;
            m->cubica(p, P, T, a1, a2, a3);
            cubica(a1, a2, a3, x1, x2, x3);
            const double cercana =
                std::fmin(std::fabs(x1 - V), std::fmin(std::fabs(x2 - V), std::fabs(x3 - V)));
            EXPECT_LT(cercana, 1e-9 * V) << caso;
            for (double x : {x1, x2, x3}) {
                if (m->en_dominio(p, x)) {
                    EXPECT_NEAR(m->presion(p, T, x), P, 1e-7 * P) << caso << " root " << x;
                }
            }
        }

        // The closed form for T, where there is one.
        if (m->temperatura) {
            bool raices = true;
            const double t = m->temperatura(p, {s.gas.tc, s.gas.pc}, V, P, raices);
            EXPECT_TRUE(raices) << caso;
            EXPECT_NEAR(t, T, 1e-9 * T) << caso;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Todas, Ecuacion, ::testing::Range(0, kNumEcuaciones),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return "e" + std::to_string(i.param);
                         });

// The table's bookkeeping agrees with the equations' forms: the slots each
// reads, which are cubic in V, and which Newton solves.
TEST(Modelos, Tabla) {
    const int claves[kNumEcuaciones] = {0, 2, 2, 2, 2, 4, 3, 3, 3, 2};
    for (int e = 0; e < kNumEcuaciones; ++e) {
        const Modelo* m = modelo(e);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->claves, claves[e]) << e;
        const bool cubica = e == kVanDerWaals || e == kBerthelot || e == kRedlichKwong ||
                            e == kVirial || e == kSoave || e == kPengRobinson;
        EXPECT_EQ(m->es_cubica != nullptr, cubica) << e;
        EXPECT_EQ(m->cubica != nullptr, cubica) << e;
        EXPECT_EQ(m->temperatura == nullptr, e == kDieterici || e == kDietericiSadus) << e;
    }
    EXPECT_EQ(modelo(-1), nullptr);
    EXPECT_EQ(modelo(kNumEcuaciones), nullptr);
}

}  // namespace
}  // namespace korgas
