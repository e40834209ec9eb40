// The language editor and the help as a user meets them: opening the language
// editor on the shipped language file (load, grid of every text, show, first
// paint, close), printing the shipped language file to a PDF file through
// the editor's Print button, and opening the help window until its contents
// are built and its first page is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/ventanas.h"
#include "shell/frmIdioma.h"
#include "shell/frmayuda.h"
#include "shell/idiomas.h"
#include "shell/imprimir.h"
#include "ventanas_bench.h"

namespace {

void BM_abrir_editor_de_idiomas(benchmark::State& st) {
    for (auto _ : st) {
        QWidget* w = korgas::Ventanas::mostrar(QStringLiteral("frmIdioma"));
        QApplication::processEvents();
        benchmark::DoNotOptimize(w);
        korgas::Ventanas::descargar(QStringLiteral("frmIdioma"));
    }
}
BENCHMARK(BM_abrir_editor_de_idiomas)->Unit(benchmark::kMillisecond);

void BM_imprimir_fichero_de_idiomas_a_pdf(benchmark::State& st) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("idioma.pdf"));
    korgas::elegir_impresora_con([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    });
    auto* w =
        static_cast<korgas::frmIdioma*>(korgas::Ventanas::mostrar(QStringLiteral("frmIdioma")));
    for (auto _ : st) w->btimprimir_Click();
    korgas::Ventanas::descargar(QStringLiteral("frmIdioma"));
    korgas::elegir_impresora_con({});
    st.counters["bytes_pdf"] = double(QFileInfo(pdf).size());
}
BENCHMARK(BM_imprimir_fichero_de_idiomas_a_pdf)->Unit(benchmark::kMillisecond);

void BM_abrir_ayuda(benchmark::State& st) {
    for (auto _ : st) {
        QEventLoop espera;
        QTimer::singleShot(10000, &espera, &QEventLoop::quit);
        korgas::mostrar_ayuda();
        auto* w = korgas::Ventanas::buscar<korgas::frmayuda>(QStringLiteral("frmayuda"));
        if (!w) {
            st.SkipWithError("no help window");
            break;
        }
        if (w->inicio().isEmpty()) {
            QObject::connect(w, &korgas::frmayuda::contenido_listo, &espera, &QEventLoop::quit);
            espera.exec();
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(w->pagina()->document());
        korgas::Ventanas::descargar(QStringLiteral("frmayuda"));
    }
}
BENCHMARK(BM_abrir_ayuda)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return correr_benchmarks_de_ventanas(argc, argv, [] {
        std::vector<std::string> lista(1);
        korgas::numidiomas = std::max(0, korgas::leersecciones(korgas::fichidioma, lista));
        korgas::listaidiomas = lista;
        korgas::fichero_ayuda = QStringLiteral(KORGAS_PROGRAM_DIR "/") +
                                QString::fromStdString(korgas::idioma_actual) +
                                QStringLiteral(".qhc");
    });
}
