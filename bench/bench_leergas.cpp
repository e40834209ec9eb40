// Loading every gas of a data file through leergas (forced load, one
// equation), as a window does when it fills its gas list, for files of 100,
// 1,000, 5,000 and 20,000 gases. Each round starts cold, as the first list
// of a run does: the store has not read the file yet, so the time holds the
// read and the parse of the file as well as every lookup. Time is per full
// load of the file.
#include <benchmark/benchmark.h>

#include "core/gas.h"
#include "core/kvstore.h"
#include "correr_benchmarks.h"
#include "gases_generados.h"

namespace {

void BM_CargarTodos(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    korgas::fichdatos = generados::fichero_gases(n);
    korgas::datosgas g;
    for (auto _ : state) {
        state.PauseTiming();
        korgas::prueba::vaciar_cache();
        state.ResumeTiming();
        for (int k = 1; k <= n; ++k) {
            double t = 300, mu = -1;
            korgas::Carga r = korgas::leergas(-1, korgas::kSoave, k, t, mu, false, g);
            benchmark::DoNotOptimize(r);
            benchmark::DoNotOptimize(g.c);
        }
    }
    state.counters["gases"] = n;
    state.counters["per_gas"] = benchmark::Counter(
        n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CargarTodos)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const int r = bench::correr_benchmarks(argc, argv);
    generados::borrar_generados();
    return r;
}
