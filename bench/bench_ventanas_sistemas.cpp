// The gas-system windows as the user drives them: the graph window with five
// systems of different gases and equations at 1280 × 900, the parameter
// table's refill after an equation change on the shipped file and on
// generated files of 2,000 and 20,000 gases, and the data window opened on
// those files. "per_gas" is the time divided by the number of gases.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <memory>

#include "../tests/systems/sistemas_prueba.h"
#include "gases_generados.h"
#include "platform/texto_qt.h"
#include "systems/graficos.h"
#include "ventanas_bench.h"

using namespace sistemas_prueba;

namespace {

// The shipped gas data file, or a generated one of n gases.
QByteArray fichero_enviado() {
    QFile f(QStringLiteral(KORGAS_SOURCE_DIR "/data/data"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray fichero_de(int n) {
    QFile f(QString::fromStdString(generados::fichero_gases(n)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void por_gas(benchmark::State& st) {
    st.counters["gases"] = double(st.range(0));
    st.counters["per_gas"] =
        benchmark::Counter(double(st.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

// The program with five systems below their critical temperatures and the
// graph window open at 1280 × 900.
struct Escena {
    std::unique_ptr<Programa> p;
    korgas::frmdatos* d = nullptr;
    korgas::frmgraficos* g = nullptr;
    QMdiSubWindow* marco = nullptr;

    explicit Escena(const QByteArray& datos = fichero_enviado()) {
        p = std::make_unique<Programa>(QString(), datos);
        p->principal->resize(1700, 1200);
        d = p->abrir_datos();
    }
    void cinco_sistemas() {
        fila(d, 1, true, 21, 1, "250", "1");    // CO2, van der Waals
        fila(d, 2, true, 9, 4, "110", "1");     // N2, Redlich-Kwong
        fila(d, 3, true, 19, 8, "560", "0.5");  // water, Peng-Robinson
        fila(d, 4, true, 10, 7, "140", "1");    // O2, Soave
        fila(d, 5, true, 22, 9, "170", "2");    // methane, Dieterici-Sadus
        d->btactualiza->click();
        g = grafico();
        marco = qobject_cast<QMdiSubWindow*>(g->parentWidget());
        tamano(QSize(1280, 900));
        asentar();
    }
    // The graph window itself at this size, drawn for it (the window draws
    // a resize when the event loop comes round).
    void tamano(QSize s) {
        marco->resize(marco->size() - g->size() + s);
        QCoreApplication::processEvents();
    }
};

// One program at a time: the scene of the five systems lives until a
// benchmark needs another program, and goes before the application does.
std::unique_ptr<Escena>& actual() {
    static std::unique_ptr<Escena> e;
    return e;
}

Escena& escena() {
    if (!actual()) {
        actual() = std::make_unique<Escena>();
        actual()->cinco_sistemas();
    }
    return *actual();
}

void BM_actualiza(benchmark::State& st) {
    Escena& e = escena();
    // Every round a temperature a little different, so nothing remembered
    // from the round before is reused: five vapour pressures are computed.
    int k = 0;
    for (auto _ : st) {
        const double dt = (++k % 2) * 0.001;
        for (int i = 1; i <= 5; ++i) {
            e.d->txttemp[i]->setText(
                QString::number(korgas::num(e.d->txttemp[i]->text()) + (dt > 0 ? 0.001 : -0.001)));
        }
        e.g->actualiza();
    }
    st.counters["muestras"] = korgas::muestras(*e.g->pctgrafico);
}
BENCHMARK(BM_actualiza)->Unit(benchmark::kMillisecond);

// The same with the first system at a few hundredths of a kelvin, where the
// march along the isotherm finds no loop within its bound.
void BM_actualiza_casi_0_K(benchmark::State& st) {
    Escena& e = escena();
    const QString antes = e.d->txttemp[1]->text();
    int k = 0;
    for (auto _ : st) e.d->txttemp[1]->setText(++k % 2 ? "0.01" : "0.02"), e.g->actualiza();
    e.d->txttemp[1]->setText(antes);
    e.g->actualiza();
}
BENCHMARK(BM_actualiza_casi_0_K)->Unit(benchmark::kMillisecond);

void BM_dibuja(benchmark::State& st) {
    Escena& e = escena();
    e.g->actualiza();
    for (auto _ : st) e.g->dibuja();
}
BENCHMARK(BM_dibuja)->Unit(benchmark::kMillisecond);

void BM_redimension(benchmark::State& st) {
    Escena& e = escena();
    int k = 0;
    for (auto _ : st) {
        e.tamano(++k % 2 ? QSize(1270, 890) : QSize(1280, 900));
        if (e.g->pctgrafico->imagen().width() != e.g->pctgrafico->width())
            st.SkipWithError("not drawn for the new size");
    }
    e.tamano(QSize(1280, 900));
}
BENCHMARK(BM_redimension)->Unit(benchmark::kMillisecond);

void BM_lectura(benchmark::State& st) {
    Escena& e = escena();
    korgas::Lienzo* l = e.g->pctgrafico;
    int k = 0;
    for (auto _ : st) {
        const QPointF px(100 + (++k % 500), 200);
        QMouseEvent ev(QEvent::MouseMove, px, l->mapToGlobal(px), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(l, &ev);
    }
}
BENCHMARK(BM_lectura)->Unit(benchmark::kMicrosecond);

void BM_zoom(benchmark::State& st) {
    Escena& e = escena();
    korgas::Lienzo* l = e.g->pctgrafico;
    for (auto _ : st) {
        korgas::escala_min = korgas::escala_auto_min;
        korgas::escala_max = korgas::escala_auto_max;
        l->fijar_escala(0, korgas::escala_max.p, 5, korgas::escala_min.p - korgas::escala_max.p);
        raton(l, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 0.05, 10);
        raton(l, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 0.5, 30);
        raton(l, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 1.0, 55);
    }
}
BENCHMARK(BM_zoom)->Unit(benchmark::kMillisecond);

// The parameter table: one equation change (the data window takes it, the
// table is laid out and its grid filled again).
void cambio_de_ecuacion(benchmark::State& st, Escena& e) {
    korgas::sistema_actual = 1;
    e.d->btparametros->click();
    auto* t = ventana<korgas::frmcompuestos>("frmcompuestos");
    int k = 0;
    for (auto _ : st) korgas::seleccionar(t->cmbecu, ++k % 2 ? 1 : 5);
    st.counters["gases"] = korgas::numgases;
    t->close();
}

void BM_tabla_fichero_enviado(benchmark::State& st) {
    cambio_de_ecuacion(st, escena());
}
BENCHMARK(BM_tabla_fichero_enviado)->Unit(benchmark::kMillisecond);

void BM_tabla_gases(benchmark::State& st) {
    actual().reset();
    actual() = std::make_unique<Escena>(fichero_de(int(st.range(0))));
    cambio_de_ecuacion(st, *actual());
    por_gas(st);
}
BENCHMARK(BM_tabla_gases)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Opening the data window on a file of n gases: the names read once and put
// into the five gas lists.
void BM_abrir_datos(benchmark::State& st) {
    actual().reset();
    actual() = std::make_unique<Escena>(fichero_de(int(st.range(0))));
    // Gases y condiciones closes the open window and opens it again.
    for (auto _ : st) actual()->p->abrir_datos();
    por_gas(st);
}
BENCHMARK(BM_abrir_datos)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const int r = correr_benchmarks_de_ventanas(argc, argv, {}, [] { actual().reset(); });
    generados::borrar_generados();
    return r;
}
