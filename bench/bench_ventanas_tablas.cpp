// The reference windows as a user meets them: opening the gas-properties
// table (load, show, first paint, close) on the shipped gas data file and on
// a generated one of 1,000 gases, and one drag event on the thermometric
// scales (five conversions, five boxes, five columns redrawn and painted).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <string>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "gases_generados.h"
#include "platform/lienzo.h"
#include "platform/ventanas.h"
#include "ventanas_bench.h"

namespace {

void usar_datos(const std::string& fichero) {
    korgas::fichdatos = fichero;
    korgas::numgases =
        int(korgas::leer_numero(korgas::leervalor(korgas::fichdatos, "general", "n")));
}

void abrir_tabla(benchmark::State& st, const std::string& fichero) {
    usar_datos(fichero);
    for (auto _ : st) {
        QWidget* w = korgas::Ventanas::mostrar(QStringLiteral("frmtabla"));
        QApplication::processEvents();
        benchmark::DoNotOptimize(w);
        korgas::Ventanas::descargar(QStringLiteral("frmtabla"));
    }
    st.counters["gases"] = korgas::numgases;
}

void BM_abrir_tabla_fichero_de_origen(benchmark::State& st) {
    abrir_tabla(st, KORGAS_SOURCE_DIR "/data/data");
}
BENCHMARK(BM_abrir_tabla_fichero_de_origen)->Unit(benchmark::kMillisecond);

void BM_abrir_tabla_1000_gases(benchmark::State& st) {
    abrir_tabla(st, generados::fichero_gases(1000));
}
BENCHMARK(BM_abrir_tabla_1000_gases)->Unit(benchmark::kMillisecond);

// A drag up and down the Celsius column with the left button held: each
// event sets a new temperature on all five scales.
void BM_arrastre_en_escalas(benchmark::State& st) {
    QWidget* w = korgas::Ventanas::mostrar(QStringLiteral("frmtermometro"));
    auto* c = w->findChild<korgas::Lienzo*>(QStringLiteral("pct_0"));
    QApplication::processEvents();
    int y = 0;
    for (auto _ : st) {
        y = (y + 7) % c->height();
        const QPointF p(c->width() / 2.0, y);
        QMouseEvent ev(QEvent::MouseMove, p, c->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
        QApplication::sendEvent(c, &ev);
        QApplication::processEvents();
    }
    korgas::Ventanas::descargar(QStringLiteral("frmtermometro"));
}
BENCHMARK(BM_arrastre_en_escalas)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const int r = correr_benchmarks_de_ventanas(argc, argv);
    generados::borrar_generados();
    return r;
}
