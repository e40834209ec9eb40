// Loading every gas of a data file through leergas (forced load, one
// equation), as a window does when it fills its gas list, for files of 100,
// 1,000 and 5,000 gases. Time is per full load of the file.
#include <benchmark/benchmark.h>

#include "core/gas.h"
#include "gases_generados.h"

namespace {

void BM_CargarTodos(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    korgas::fichdatos = generados::fichero_gases(n);
    korgas::datosgas g;
    for (auto _ : state) {
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
BENCHMARK(BM_CargarTodos)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    generados::borrar_generados();
    return 0;
}
