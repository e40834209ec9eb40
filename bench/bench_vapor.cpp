// Vapour pressure: the construction as it is against the one it replaced, on
// every shipped gas under every equation at Tr 0.3, 0.5, 0.7, 0.9 and 0.999.
//
// BM_PresionVapor/0 and /1 time one sweep of all the cases with the former
// and the present construction. BM_Razon times every case with both (the
// fastest of five calls each) and reports the median of the ratios present /
// former (razon_mediana), their largest (razon_max), and the slowest single
// call of each (max_ms_antes, max_ms_ahora).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>
#include <vector>

#include "core/eos.h"
#include "core/gas.h"
#include "core/mensajes.h"
#include "core/solvers.h"
#include "core/vapor.h"

namespace {

using namespace korgas;

// The former construction, kept only to be measured against: the march, an
// absolute stop of 1e-4 atm, Cardano's roots as they come, the bisection of
// the volumes to 1e-6 l/mol and Simpson's rule for the Dieterici equations.
namespace anterior {

void cubica(double a1, double a2, double a3, double& x1, double& x2, double& x3) {
    constexpr double kPi = 3.1415926536;
    const double p = a2 - a1 * a1 / 3;
    const double q = a3 + 2 * a1 * a1 * a1 / 27 - a1 * a2 / 3;
    const double D = (q / 2) * (q / 2) + (p / 3) * (p / 3) * (p / 3);
    const double desplaza = a1 / 3;
    if (D == 0) {
        const double u = std::cbrt(-q / 2);
        x1 = 2 * u - desplaza;
        x2 = -u - desplaza;
        x3 = x2;
    } else if (D > 0) {
        const double raiz = std::sqrt(D);
        x1 = std::cbrt(-q / 2 + raiz) + std::cbrt(-q / 2 - raiz) - desplaza;
        x2 = x1;
        x3 = x1;
    } else {
        const double r = std::sqrt(-p / 3);
        double phi = kPi / 2;
        if (q < 0) phi = std::atan(-2 * std::sqrt(-D) / q);
        if (q > 0) phi = std::atan(-2 * std::sqrt(-D) / q) + kPi;
        const double theta = phi / 3;
        x1 = 2 * r * std::cos(theta) - desplaza;
        x2 = -2 * r * std::cos(kPi / 3 + theta) - desplaza;
        x3 = -2 * r * std::cos(kPi / 3 - theta) - desplaza;
    }
    if (x1 > x2) std::swap(x1, x2);
    if (x2 > x3) {
        std::swap(x2, x3);
        if (x1 > x2) std::swap(x1, x2);
    }
}

double presion_vapor(int eq, int i, double T, double& vl, double& vg) {
    constexpr double kPaso = 0.001;
    const sistema& s = sistemas[i];
    if (eq < kVanDerWaals || eq > kDietericiSadus || !(T < s.gas.tc - 0.005)) return -1;
    const double a = s.gas.c[0], b = s.gas.c[1], c = s.gas.c[2], d = s.gas.c[3];
    const double vs = eq == kVirial ? 0 : eq == kDietericiSadus ? b / 4 : b;
    const bool es_cubica = eq == kVanDerWaals || eq == kBerthelot || eq == kRedlichKwong ||
                           eq == kSoave || eq == kPengRobinson || (eq == kVirial && d == 0);
    auto P = [&](double V) { return presion(i, V * s.moles); };

    double v1 = vs + kPaso, p1 = P(v1), v2, p2;
    for (long k = 0;; ++k) {
        if (k > 1'000'000) return -1;
        v2 = v1 + kPaso;
        p2 = P(v2);
        if (!(p2 < p1)) break;
        v1 = v2;
        p1 = p2;
    }
    const double vmin = (v1 + v2) / 2, pmin = P(vmin);
    v1 = v2;
    p1 = p2;
    for (long k = 0;; ++k) {
        if (k > 1'000'000) return -1;
        v2 = v1 + kPaso;
        p2 = P(v2);
        if (!(p2 > p1)) break;
        v1 = v2;
        p1 = p2;
    }
    const double vmax = (v1 + v2) / 2, pmax = P(vmax);

    auto raices = [&](double p) {
        if (es_cubica) {
            double a1, a2, a3, x2;
            cubica_volumen(eq, s.gas.c, p, T, a1, a2, a3);
            cubica(a1, a2, a3, vl, x2, vg);
        } else {
            vl = biseccion(eq, i, p, T, vs + kPaso, vmin);
            vg = biseccion(eq, i, p, T, vmax, R * T / p);
        }
        return !(vl < vs);
    };
    auto area = [&](double p) {
        const auto integral = eq == kDieterici || eq == kDietericiSadus
                                  ? simpson(eq, i, T, vl, vg)
                                  : integral_pdv(eq, i, T, a, b, c, d, vl, vg);
        return integral ? p * (vg - vl) - *integral : std::nan("");
    };

    double dp = pmax - pmin;
    if (!raices(pmax)) return 0;
    double area_previa = area(pmax);
    double p = pmin < 0 ? pmax / 2 : pmax - dp / 2;
    double suelo = pmin;
    for (int prueba = 0; prueba < 2000; ++prueba) {
        if (dp < 1e-4) return p;
        dp /= 2;
        if (!raices(p)) return 0;
        const double A = area(p);
        if (std::isnan(A)) return -1;
        if (A * area_previa < 0) {
            suelo = p;
            p = p + dp / 2;
        } else {
            p = suelo < 0 ? p / 2 : p - dp / 2;
            area_previa = A;
        }
    }
    return -1;
}

}  // namespace anterior

constexpr double kTr[] = {0.3, 0.5, 0.7, 0.9, 0.999};

// Every case, loaded once: shipped gas, equation, reduced temperature.
const std::vector<sistema>& casos() {
    static const std::vector<sistema> lista = [] {
        fichdatos = KORGAS_SOURCE_DIR "/data/data";
        std::vector<sistema> l;
        for (int g = 1; g <= 28; ++g) {
            for (int eq = 0; eq <= 9; ++eq) {
                for (double tr : kTr) {
                    sistema s;
                    s.numgas = g;
                    s.ecuacion = eq;
                    s.moles = 1;
                    s.mu = -1;
                    leergas(-1, s);
                    s.temperatura = tr * s.gas.tc;
                    leergas(-1, s);
                    l.push_back(s);
                }
            }
        }
        return l;
    }();
    return lista;
}

using Funcion = double (*)(int, int, double, double&, double&);

double llama(Funcion f, const sistema& s) {
    double vl = 0, vg = 0;
    return f(s.ecuacion, 1, s.temperatura, vl, vg);
}

// Arg 0: the former construction; 1: the present one.
void BM_PresionVapor(benchmark::State& st) {
    const Funcion f = st.range(0) == 0 ? anterior::presion_vapor : presion_vapor;
    st.SetLabel(st.range(0) == 0 ? "former" : "present");
    const auto& lista = casos();
    for (auto _ : st) {
        for (const sistema& s : lista) {
            sistemas[1] = s;
            benchmark::DoNotOptimize(llama(f, s));
        }
    }
    st.counters["casos"] = static_cast<double>(lista.size());
}
BENCHMARK(BM_PresionVapor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The fastest of five calls of f on case s, in ms.
double tiempo(Funcion f, const sistema& s) {
    double mejor = 1e300;
    for (int k = 0; k < 5; ++k) {
        sistemas[1] = s;
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(llama(f, s));
        const auto t1 = std::chrono::steady_clock::now();
        mejor = std::min(mejor, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return mejor;
}

void BM_Razon(benchmark::State& st) {
    const auto& lista = casos();
    std::vector<double> razones;
    double max_antes = 0, max_ahora = 0;
    for (auto _ : st) {
        razones.clear();
        for (const sistema& s : lista) {
            const double antes = tiempo(anterior::presion_vapor, s);
            const double ahora = tiempo(presion_vapor, s);
            max_antes = std::max(max_antes, antes);
            max_ahora = std::max(max_ahora, ahora);
            razones.push_back(ahora / antes);
        }
    }
    std::sort(razones.begin(), razones.end());
    st.counters["razon_mediana"] = razones[razones.size() / 2];
    st.counters["razon_max"] = razones.back();
    st.counters["max_ms_antes"] = max_antes;
    st.counters["max_ms_ahora"] = max_ahora;
}
BENCHMARK(BM_Razon)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The former bisection shows a message when it fails; none may reach the
    // terminal.
    instalar_presentador([](const std::string&, int, const std::string&) { return 1; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
