// How long one calculation of the general mode takes, from the Enter key in
// the amount box to the last result box written, for each equation. The
// figures are printed; nothing here judges them.
#include <QComboBox>
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

#include "calc/frmcalculos.h"
#include "platform/controles.h"
#include "programa_prueba.h"

using namespace pruebas;

class TstRendimiento : public QObject {
    Q_OBJECT

  private slots:
    void calcular_general_data();
    void calcular_general();
};

void TstRendimiento::calcular_general_data() {
    QTest::addColumn<int>("gas");
    QTest::addColumn<QString>("temperatura");
    // Carbon dioxide well below and just below its critical temperature, and
    // toluene, a large molecule far below it.
    QTest::newRow("CO2 250 K") << 21 << QString("250");
    QTest::newRow("CO2 300 K") << 21 << QString("300");
    QTest::newRow("tolueno 400 K") << 28 << QString("400");
}

void TstRendimiento::calcular_general() {
    QFETCH(int, gas);
    QFETCH(QString, temperatura);
    ProgramaPrueba entorno;
    korgas::modo_calculo = 0;
    korgas::frmcalculos w;
    w.show();
    korgas::seleccionar(control<QComboBox>(&w, "cmbgas"), gas - 1);
    QLineEdit* mol = caja(&w, "txtmol");
    QLineEdit* dg = caja(&w, "txtdg");
    constexpr int kVeces = 15;
    for (int e = 0; e < 10; ++e) {
        korgas::seleccionar(control<QComboBox>(&w, "cmbecu"), e);
        teclear(caja(&w, "txttemp"), temperatura);
        std::vector<double> ms;
        for (int i = 0; i < kVeces; ++i) {
            dg->clear();
            QElapsedTimer reloj;
            reloj.start();
            QTest::keyClick(mol, Qt::Key_Return);
            ms.push_back(double(reloj.nsecsElapsed()) / 1e6);
            QVERIFY(!dg->text().isEmpty());  // the last box was written
        }
        std::sort(ms.begin(), ms.end());
        qInfo("%-16s eq %d: median %7.3f ms, max %7.3f ms  (Pv %s)", QTest::currentDataTag(), e,
              ms[ms.size() / 2], ms.back(), qPrintable(caja(&w, "txtpv")->text()));
    }
}

QTEST_MAIN(TstRendimiento)
#include "tst_rendimiento.moc"
