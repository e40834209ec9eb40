// Vapour pressure: the construction as it is against the one it replaced, on
// every shipped gas under equations 1 to 9 at Tr 0.3, 0.5, 0.7, 0.9 and 0.999;
// and the present one alone over the whole liquid range, Tr 0.001 to 0.9999.
//
// BM_PresionVapor/0 and /1 time one sweep of all the cases with the former
// and the present construction. BM_Razon times every case with both (the
// fastest of five calls each) and reports the median of the ratios present /
// former (razon_mediana), their largest (razon_max), and the slowest single
// call of each (max_ms_antes, max_ms_ahora), in processor time. BM_Rejilla
// times every case of the whole range (the fastest of three calls each) and
// reports the median call (mediana_ms), the slowest (max_ms) and, in its
// label, which case that was.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"
#include "core/vapor.h"
#include "correr_benchmarks.h"

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

double presion_vapor(int eq, const sistema& s, double T, double& vl, double& vg) {
    constexpr double kPaso = 0.001;
    if (eq < kVanDerWaals || eq > kDietericiSadus || !(T < s.gas.tc - 0.005)) return -1;
    const double a = s.gas.c[0], b = s.gas.c[1], c = s.gas.c[2], d = s.gas.c[3];
    const double vs = eq == kVirial ? 0 : eq == kDietericiSadus ? b / 4 : b;
    const bool es_cubica = eq == kVanDerWaals || eq == kBerthelot || eq == kRedlichKwong ||
                           eq == kSoave || eq == kPengRobinson || (eq == kVirial && d == 0);
    auto P = [&](double V) { return presion(s, V * s.moles); };

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
            vl = biseccion(eq, s, p, T, vs + kPaso, vmin).x;
            vg = biseccion(eq, s, p, T, vmax, R * T / p).x;
        }
        return !(vl < vs);
    };
    auto area = [&](double p) {
        const auto integral = eq == kDieterici || eq == kDietericiSadus
                                  ? simpson(eq, s, T, vl, vg)
                                  : integral_pdv(eq, {a, b, c, d, s.mu}, T, vl, vg);
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
// The whole liquid range, closer together where the isotherms change most.
constexpr double kTrRejilla[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,  0.2,   0.3,   0.4,
                                 0.5,   0.6,   0.7,   0.8,  0.9,  0.95, 0.99, 0.999, 0.9999};

// Every shipped gas under equations 1 to 9 at each reduced temperature,
// loaded for its temperature.
template <std::size_t N>
std::vector<sistema> carga_casos(const double (&trs)[N]) {
    fichdatos = KORGAS_SOURCE_DIR "/data/data";
    std::vector<sistema> l;
    for (int g = 1; g <= 28; ++g) {
        for (int eq = 1; eq <= 9; ++eq) {
            for (double tr : trs) {
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
}

const std::vector<sistema>& casos() {
    static const std::vector<sistema> lista = carga_casos(kTr);
    return lista;
}

using Funcion = double (*)(int, const sistema&, double, double&, double&);

double llama(Funcion f, const sistema& s) {
    double vl = 0, vg = 0;
    return f(s.ecuacion, s, s.temperatura, vl, vg);
}

// Arg 0: the former construction; 1: the present one.
void BM_PresionVapor(benchmark::State& st) {
    const Funcion f = st.range(0) == 0 ? anterior::presion_vapor : presion_vapor;
    st.SetLabel(st.range(0) == 0 ? "former" : "present");
    const auto& lista = casos();
    for (auto _ : st) {
        for (const sistema& s : lista) benchmark::DoNotOptimize(llama(f, s));
    }
    st.counters["casos"] = static_cast<double>(lista.size());
}
BENCHMARK(BM_PresionVapor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The processor time of this thread, in ms: other work on the machine does
// not count.
double ms_cpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The fastest of `veces` calls of f on case s, in ms.
double tiempo(Funcion f, const sistema& s, int veces = 5) {
    double mejor = 1e300;
    for (int k = 0; k < veces; ++k) {
        const double t0 = ms_cpu();
        benchmark::DoNotOptimize(llama(f, s));
        mejor = std::min(mejor, ms_cpu() - t0);
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

void BM_Rejilla(benchmark::State& st) {
    static const std::vector<sistema> lista = carga_casos(kTrRejilla);
    std::vector<double> ms;
    double peor = -1;
    std::string caso;
    for (auto _ : st) {
        ms.clear();
        for (const sistema& s : lista) {
            const double t = tiempo(presion_vapor, s, 3);
            ms.push_back(t);
            if (t > peor) {
                peor = t;
                char texto[96];
                std::snprintf(texto, sizeof texto, "slowest: gas %d (%s) eq %d Tr %g", s.numgas,
                              s.gas.nombre.c_str(), s.ecuacion, s.temperatura / s.gas.tc);
                caso = texto;
            }
        }
    }
    std::sort(ms.begin(), ms.end());
    st.counters["casos"] = static_cast<double>(ms.size());
    st.counters["mediana_ms"] = ms[ms.size() / 2];
    st.counters["max_ms"] = peor;
    st.SetLabel(caso);
}
BENCHMARK(BM_Rejilla)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::correr_benchmarks(argc, argv);
}
