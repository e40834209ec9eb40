// The gas editor on generated data files of 2,000 and 20,000 gases (all but
// 28 of them the user's): listing the user's gases, and the add, the modify
// and the delete of gas 29 (every later section renumbered), each one rewrite
// of the file. "per_gas" is the time divided by the number of gases: it stays
// the same from one size to the other when the work grows with the file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/gas.h"
#include "core/kvstore.h"
#include "gasdb/frmgases.h"
#include "gasdb/textextend.h"
#include "gases_generados.h"
#include "platform/carpeta.h"
#include "platform/controles.h"
#include "ventanas_bench.h"

namespace {

QByteArray leer_fichero(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(ruta));
    return f.readAll();
}

void escribir_fichero(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(ruta));
}

// A program folder of its own with a big data file of n gases.
class Entorno {
  public:
    explicit Entorno(int n)
        : gases_(n), original_(leer_fichero(QString::fromStdString(generados::fichero_gases(n)))) {
        for (const char* f : {"data", "idioma.lng"})
            QFile::copy(QStringLiteral(KORGAS_SOURCE_DIR "/data/") + f, dir_.path() + "/" + f);
        ruta_ = dir_.path() + "/data";
        korgas::fijar_carpeta_programa(dir_.path());
        korgas::fichidioma = korgas::ruta_programa(QStringLiteral("idioma.lng"));
        korgas::fichdatos = ruta_.toStdString();
        korgas::idioma_actual = "Español";
        // Counts the rewrites: the hook is asked once at the start of each.
        korgas::prueba::fallo_escritura([this](int paso) {
            if (paso == 1) ++reescrituras;
            return false;
        });
        restaurar();
    }
    ~Entorno() { korgas::prueba::fallo_escritura({}); }

    // The data file as generated, read once by the store as the editor's
    // open window would have read it.
    void restaurar() {
        escribir_fichero(ruta_, original_);
        korgas::numgases = gases_;
        korgas::leervalor(korgas::fichdatos, "general", "n");
    }

    int reescrituras = 0;

  private:
    int gases_;
    QTemporaryDir dir_;
    QString ruta_;
    QByteArray original_;
};

korgas::textextend* caja(QWidget* w, const char* nombre) {
    return w->findChild<korgas::textextend*>(QLatin1String(nombre));
}

void por_gas(benchmark::State& st) {
    st.counters["gases"] = double(st.range(0));
    st.counters["per_gas"] =
        benchmark::Counter(double(st.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

void elegir(korgas::frmgases& w, int posicion) {
    w.btsel_Click();
    korgas::seleccionar(w.findChild<QComboBox*>(QStringLiteral("cmbgas")), posicion);
}

void BM_lista_de_gases(benchmark::State& st) {
    Entorno entorno(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        auto w = std::make_unique<korgas::frmgases>();
        st.ResumeTiming();
        w->btsel_Click();
        benchmark::DoNotOptimize(w->gas_elegido());
    }
    por_gas(st);
}
BENCHMARK(BM_lista_de_gases)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_anadir(benchmark::State& st) {
    Entorno entorno(int(st.range(0)));
    korgas::frmgases w;
    caja(&w, "textgas")->Text(QStringLiteral("Nuevo"));
    caja(&w, "textpm")->Text(QStringLiteral("30.01"));
    caja(&w, "textpc")->Text(QStringLiteral("64"));
    caja(&w, "texttc")->Text(QStringLiteral("180"));
    entorno.reescrituras = 0;
    for (auto _ : st) {
        st.PauseTiming();
        entorno.restaurar();
        st.ResumeTiming();
        w.btadd_Click();
    }
    if (korgas::numgases != int(st.range(0)) + 1) st.SkipWithError("the gas was not added");
    por_gas(st);
    st.counters["reescrituras"] =
        benchmark::Counter(entorno.reescrituras, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_anadir)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_modificar(benchmark::State& st) {
    Entorno entorno(int(st.range(0)));
    korgas::frmgases w;
    int vuelta = 0;
    int reescrituras = 0;
    for (auto _ : st) {
        st.PauseTiming();
        elegir(w, int(st.range(0)) / 2 - 29);
        caja(&w, "textteb")->Text(QString::number(200 + (++vuelta % 2)));
        const int antes = entorno.reescrituras;
        st.ResumeTiming();
        w.btmod_Click();
        st.PauseTiming();
        reescrituras += entorno.reescrituras - antes;
        st.ResumeTiming();
    }
    por_gas(st);
    st.counters["reescrituras"] =
        benchmark::Counter(reescrituras, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_modificar)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_borrar_el_29(benchmark::State& st) {
    Entorno entorno(int(st.range(0)));
    korgas::frmgases w;
    int reescrituras = 0;
    for (auto _ : st) {
        st.PauseTiming();
        entorno.restaurar();
        elegir(w, 0);
        const int antes = entorno.reescrituras;
        st.ResumeTiming();
        w.btdel_Click();
        st.PauseTiming();
        reescrituras += entorno.reescrituras - antes;
        st.ResumeTiming();
    }
    if (korgas::numgases != int(st.range(0)) - 1) st.SkipWithError("the gas was not deleted");
    por_gas(st);
    st.counters["reescrituras"] =
        benchmark::Counter(reescrituras, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_borrar_el_29)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const int r = correr_benchmarks_de_ventanas(argc, argv);
    generados::borrar_generados();
    return r;
}
