// The picture box: the drawing a graph redraw asks of it.
#include <benchmark/benchmark.h>

#include "platform/lienzo.h"
#include "ventanas_bench.h"

namespace {

// One isotherm's worth of work: clear, then 100 segments, some dotted.
void BM_curva_de_100_segmentos(benchmark::State& st) {
    korgas::Lienzo l;
    l.resize(900, 700);
    l.fijar_escala(0, 100, 5, -100);
    for (auto _ : st) {
        l.cls();
        double v1 = 0.05;
        for (int i = 0; i < 100; ++i) {
            const double v2 = v1 + 0.05;
            l.fijar_estilo(i > 30 && i < 60 ? korgas::Lienzo::Estilo::punteado
                                            : korgas::Lienzo::Estilo::solido);
            l.linea(v1, 8.2 / v1, v2, 8.2 / v2, QColor(0, 0, 255));
            v1 = v2;
        }
        benchmark::DoNotOptimize(l.imagen().constBits());
    }
}
BENCHMARK(BM_curva_de_100_segmentos)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return correr_benchmarks_de_ventanas(argc, argv);
}
