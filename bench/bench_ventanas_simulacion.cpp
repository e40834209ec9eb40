// The simulation window as the user drives it: one mouse move of a drag
// (the recomputation, the instruments redrawn and the window repainted) on the piston, the
// thermometer and the barometer, and one step of the temperature spinner,
// for each equation, with carbon dioxide. Beside the mean time of an event,
// "slowest_ms" gives the slowest single event of the run: the one the user
// feels as a stall.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <memory>

#include "calc/frmoperaciones.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/spinner.h"
#include "programa_prueba.h"
#include "ventanas_bench.h"

namespace {

constexpr int kDioxido = 21;

struct Ventana {
    ProgramaPrueba entorno;
    std::unique_ptr<korgas::frmoperaciones> w;

    explicit Ventana(int ecuacion) {
        korgas::medidor_temperatura = 0;
        korgas::medidor_presion = 0;
        w = std::make_unique<korgas::frmoperaciones>();
        w->show();
        korgas::seleccionar(w->findChild<QComboBox*>("cmbgas"), kDioxido - 1);
        korgas::seleccionar(w->findChild<QComboBox*>("cmbecu"), ecuacion);
        QApplication::processEvents();
        entorno.mensajes.clear();  // the virial equation's notice
    }
    korgas::Lienzo* lienzo(const char* nombre) const {
        return w->findChild<korgas::Lienzo*>(nombre);
    }
};

// Times each event of a run and keeps the slowest.
class MasLento {
  public:
    template <class F>
    void medir(F&& evento) {
        const auto t0 = std::chrono::steady_clock::now();
        evento();
        const std::chrono::duration<double, std::milli> t = std::chrono::steady_clock::now() - t0;
        peor_ = std::max(peor_, t.count());
    }
    void informar(benchmark::State& st) const { st.counters["slowest_ms"] = peor_; }

  private:
    double peor_ = 0;
};

void raton(korgas::Lienzo* l, QEvent::Type tipo, double y, Qt::MouseButton boton) {
    const QPointF p = l->a_pixeles(0, y);
    QMouseEvent ev(tipo, p, l->mapToGlobal(p), boton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(l, &ev);
}

// One mouse move of a drag on a vertical instrument, between two values that
// keep every reading within its scale; the window's repaint included.
void arrastre(benchmark::State& st, const char* picture, double a, double b) {
    Ventana v(int(st.range(0)));
    korgas::Lienzo* l = v.lienzo(picture);
    raton(l, QEvent::MouseButtonPress, a, Qt::LeftButton);
    raton(l, QEvent::MouseMove, b, Qt::NoButton);  // the drag takes effect from here
    bool ida = true;
    MasLento lento;
    for (auto _ : st) {
        lento.medir([&] {
            raton(l, QEvent::MouseMove, ida ? a : b, Qt::NoButton);
            QApplication::processEvents();
        });
        ida = !ida;
    }
    lento.informar(st);
    if (!v.entorno.mensajes.empty()) st.SkipWithError("a message box was opened");
    st.SetLabel(korgas::nombre_ecuacion(int(st.range(0))));
}

void BM_arrastre_piston(benchmark::State& st) {
    arrastre(st, "pctpiston", 5.0, 5.5);
}
void BM_arrastre_termometro(benchmark::State& st) {
    arrastre(st, "termometro", 300, 310);
}
void BM_arrastre_barometro(benchmark::State& st) {
    arrastre(st, "barometro1", 1.0, 1.1);
}

void BM_paso_temperatura(benchmark::State& st) {
    Ventana v(int(st.range(0)));
    auto* s = v.w->findChild<korgas::Spinner*>("UpDown1");
    bool sube = true;
    MasLento lento;
    for (auto _ : st) {
        lento.medir([&] {
            if (sube)
                s->subir();
            else
                s->bajar();
            QApplication::processEvents();
        });
        sube = !sube;
    }
    lento.informar(st);
    if (!v.entorno.mensajes.empty()) st.SkipWithError("a message box was opened");
    st.SetLabel(korgas::nombre_ecuacion(int(st.range(0))));
}

BENCHMARK(BM_arrastre_piston)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_arrastre_termometro)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_arrastre_barometro)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_paso_temperatura)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return correr_benchmarks_de_ventanas(argc, argv);
}
