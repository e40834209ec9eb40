// The calculation window as the user drives it: one whole calculation of the
// general mode, from the Enter key in the amount box to the last result box
// written, the equilibrium block (vapour pressure, volumes, densities and the
// enthalpy of vaporisation) included, for each equation. Carbon dioxide at
// 250 K, and at the temperatures where a calculation costs most: a few
// kelvin, where the loops of the isotherms span the most orders of magnitude.
// max_ms is the slowest single calculation, in processor time.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <algorithm>
#include <ctime>
#include <memory>

#include "calc/frmcalculos.h"
#include "platform/controles.h"
#include "programa_prueba.h"
#include "ventanas_bench.h"

namespace {

constexpr int kDioxido = 21;

double ms_cpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Args: equation, temperature (K).
void BM_calculo(benchmark::State& st) {
    const int e = int(st.range(0));
    const QString t = QString::number(st.range(1));
    ProgramaPrueba entorno;
    korgas::modo_calculo = 0;
    auto w = std::make_unique<korgas::frmcalculos>();
    w->show();
    korgas::seleccionar(w->findChild<QComboBox*>("cmbgas"), kDioxido - 1);
    korgas::seleccionar(w->findChild<QComboBox*>("cmbecu"), e);
    QLineEdit* temp = w->findChild<QLineEdit*>("txttemp");
    temp->clear();
    QTest::keyClicks(temp, t);
    QTest::keyClick(temp, Qt::Key_Return);
    QLineEdit* mol = w->findChild<QLineEdit*>("txtmol");
    double max_ms = 0;
    for (auto _ : st) {
        const double t0 = ms_cpu();
        QTest::keyClick(mol, Qt::Key_Return);
        max_ms = std::max(max_ms, ms_cpu() - t0);
    }
    st.counters["max_ms"] = max_ms;
    st.SetLabel(korgas::nombre_ecuacion(e) + " " + t.toStdString() + " K, Pv " +
                w->findChild<QLineEdit*>("txtpv")->text().toStdString());
}
BENCHMARK(BM_calculo)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 3, 5, 10, 250}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return correr_benchmarks_de_ventanas(argc, argv);
}
