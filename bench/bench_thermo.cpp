// Thermodynamic core: vapour pressure per equation, solvers, one isotherm and
// the numeric work of one graph drawn afresh with five systems.
//
// Each benchmark also reports max_ms, the slowest single call it timed, in
// processor time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "core/despejar.h"
#include "core/eos.h"
#include "core/gas.h"
#include "core/solvers.h"
#include "core/vapor.h"
#include "correr_benchmarks.h"

namespace {

using namespace korgas;

constexpr int kArgon = 3;
constexpr int kTolueno = 28;
constexpr double kTr[] = {0.5, 0.7, 0.9, 0.99};

// A system of shipped gas g for equation eq at reduced temperature tr.
sistema carga(int g, int eq, double tr, double moles = 1) {
    fichdatos = KORGAS_SOURCE_DIR "/data/data";
    sistema s;
    s.numgas = g;
    s.ecuacion = eq;
    s.moles = moles;
    s.mu = -1;
    leergas(-1, s);
    s.temperatura = tr * s.gas.tc;
    leergas(-1, s);
    return s;
}

// The processor time of this thread, in ms: other work on the machine does
// not count.
double ms_cpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Times every iteration on its own clock as well, for the slowest call.
class Cronometro {
  public:
    explicit Cronometro(benchmark::State& st) : st_(st) {}
    ~Cronometro() { st_.counters["max_ms"] = max_ms_; }
    template <class F>
    void mide(F&& f) {
        const double t0 = ms_cpu();
        f();
        max_ms_ = std::max(max_ms_, ms_cpu() - t0);
    }

  private:
    benchmark::State& st_;
    double max_ms_ = 0;
};

// Args: gas, equation, index of the reduced temperature.
void BM_PresionVapor(benchmark::State& st) {
    const int g = static_cast<int>(st.range(0));
    const int eq = static_cast<int>(st.range(1));
    const double tr = kTr[st.range(2)];
    const sistema s = carga(g, eq, tr);
    const double T = s.temperatura;
    st.SetLabel(std::string(g == kArgon ? "argon" : "toluene") + " eq " + std::to_string(eq) +
                " Tr " + std::to_string(tr).substr(0, 4));
    double vl = 0, vg = 0, pv = 0;
    {
        Cronometro c(st);
        for (auto _ : st) {
            c.mide([&] { pv = presion_vapor(eq, s, T, vl, vg); });
            benchmark::DoNotOptimize(pv);
        }
    }
    st.counters["pv_atm"] = pv;
}

void ArgsPresionVapor(benchmark::internal::Benchmark* b) {
    for (int g : {kArgon, kTolueno}) {
        for (int eq = 1; eq <= 9; ++eq) {
            for (int t = 0; t < 4; ++t) b->Args({g, eq, t});
        }
    }
}
BENCHMARK(BM_PresionVapor)->Apply(ArgsPresionVapor)->Unit(benchmark::kMicrosecond);

// One call of the solver a calculation window uses, per equation: V from
// (T, P) at 0.8 tc and 20 atm, T from (P, V) at the same state.
void BM_Resolver(benchmark::State& st) {
    const int eq = static_cast<int>(st.range(0));
    const bool busca_v = st.range(1) == 0;
    sistema s = carga(21, eq, 0.8);
    const double P = 20;
    const double V = resolver("v", s, 0, P).x;
    st.SetLabel(std::string(busca_v ? "V" : "T") + " eq " + std::to_string(eq) +
                (usa_newton(busca_v ? "v" : "t", eq, s.gas) ? " newton" : " despejar"));
    double x = 0;
    {
        Cronometro c(st);
        for (auto _ : st) {
            c.mide([&] { x = busca_v ? resolver("v", s, 0, P).x : resolver("t", s, V, P).x; });
            benchmark::DoNotOptimize(x);
        }
    }
}
BENCHMARK(BM_Resolver)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// Newton on its own, for the two Dieterici equations.
void BM_Newton(benchmark::State& st) {
    const int eq = static_cast<int>(st.range(0));
    const sistema s = carga(21, eq, 0.8);
    const double T = s.temperatura, P = 20;
    for (auto _ : st) benchmark::DoNotOptimize(newton("v", eq, s, P, T, R * T / P).x);
}
BENCHMARK(BM_Newton)->Arg(kDieterici)->Arg(kDietericiSadus)->Unit(benchmark::kMicrosecond);

// One isotherm of 101 samples from the covolume to 5 l.
void BM_Isoterma101(benchmark::State& st) {
    const int eq = static_cast<int>(st.range(0));
    const sistema s = carga(21, eq, 0.8);
    for (auto _ : st) {
        double suma = 0;
        for (int k = 0; k <= 100; ++k) suma += presion(s, 5.0 * k / 100);
        benchmark::DoNotOptimize(suma);
    }
}
BENCHMARK(BM_Isoterma101)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

// The samples the graph takes of each isotherm when it is drawn afresh: one
// per twip of the plot's width for its pressure range (479 pixels at the
// window's design size, 15 twips each), and the 101 ends of its 100 segments.
constexpr int kMuestrasRango = 479 * 15;
constexpr int kMuestrasCurva = 101;

// The numbers of one graph drawn afresh over 0..5 l: for each of its five
// systems (sistemas 1..5) its pressure range, its tie line (one vapour
// pressure) and its isotherm.
void redibujo() {
    for (int i = 1; i <= 5; ++i) {
        const sistema& s = sistemas[i];
        for (int k = 0; k <= kMuestrasRango; ++k)
            benchmark::DoNotOptimize(presion(s, 5.0 * k / kMuestrasRango));
        double vl, vg;
        benchmark::DoNotOptimize(presion_vapor(s.ecuacion, s, s.temperatura, vl, vg));
        for (int k = 0; k < kMuestrasCurva; ++k)
            benchmark::DoNotOptimize(presion(s, 5.0 * k / (kMuestrasCurva - 1)));
    }
}

// Shipped gas g for equation eq at temperature T (K).
sistema carga_a(int g, int eq, double T) {
    sistema s = carga(g, eq, 0.5);
    s.temperatura = T;
    leergas(-1, s);
    return s;
}

// Arg 0: five different gases and equations at Tr 0.8. Arg 1: five
// Dieterici-Sadus systems at Tr 0.5. Arg 2: five generalised van der Waals
// systems at 4 to 8 K, where the loops span the most orders of magnitude.
void BM_Redibujo(benchmark::State& st) {
    if (st.range(0) == 0) {
        sistemas[1] = carga(21, kVanDerWaals, 0.8, 2);
        sistemas[2] = carga(kArgon, kDieterici, 0.8);
        sistemas[3] = carga(19, kDietericiSadus, 0.8);
        sistemas[4] = carga(kTolueno, kPengRobinson, 0.8);
        sistemas[5] = carga(22, kVirial, 0.8);
        st.SetLabel("mixed, Tr 0.8");
    } else if (st.range(0) == 1) {
        for (int i = 1; i <= 5; ++i) sistemas[i] = carga(kTolueno, kDietericiSadus, 0.5, i);
        st.SetLabel("5 x Dieterici-Sadus, Tr 0.5");
    } else {
        const int gases[5] = {21, 23, 12, kTolueno, 19};
        for (int i = 1; i <= 5; ++i) sistemas[i] = carga_a(gases[i - 1], kGeneralizada, 3.0 + i);
        st.SetLabel("5 x generalised, 4-8 K");
    }
    Cronometro c(st);
    for (auto _ : st) c.mide(redibujo);
}
BENCHMARK(BM_Redibujo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::correr_benchmarks(argc, argv);
}
