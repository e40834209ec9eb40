// The calculation window opened from the main window's menu, as the program
// runs: the state of the four Calcular entries while it is open and after it
// closes, reopening, and the toolbar's general-mode button on an open window.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "calc/registro.h"
#include "core/gas.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/arranque.h"
#include "shell/frmSplash.h"
#include "shell/frmprincipal.h"

using namespace pruebas;
using korgas::entrada;
using korgas::Ventanas;

namespace {

const char* const kEntradas[4] = {"mnuf", "mnup", "mnuv", "mnut"};

// Enabled state of mnuf, mnup, mnuv, mnut, as a string "1000".
QString estados() {
    QString s;
    for (const char* n : kEntradas) {
        QAction* a = entrada(n);
        s += !a ? '?' : a->isEnabled() ? '1' : '0';
    }
    return s;
}

}  // namespace

class TstMenus : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void entradas_por_modo_data();
    void entradas_por_modo();
    void reabrir_solo_trae_al_frente();
    void boton_general_sobre_ventana_abierta();

  private:
    std::unique_ptr<ProgramaPrueba> entorno_;
};

void TstMenus::initTestCase() {
    korgas::registrar_calc();
}

void TstMenus::init() {
    entorno_ = std::make_unique<ProgramaPrueba>();
    QCOMPARE(korgas::arrancar(), 0);
    korgas::frmSplash* splash = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<korgas::frmSplash*>(w); s && !s->entregado()) splash = s;
    QVERIFY(splash);
    splash->fraMainFrame_Click();
    QVERIFY(korgas::frmprincipal::existente());
    QCOMPARE(estados(), QString("1111"));
}

void TstMenus::cleanup() {
    Ventanas::descargar("frmcalculos");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<korgas::frmSplash*>(w)) delete w;
    delete korgas::frmprincipal::existente();
    entorno_.reset();
}

void TstMenus::entradas_por_modo_data() {
    QTest::addColumn<int>("indice");  // into kEntradas
    QTest::addColumn<int>("modo");
    QTest::addColumn<QString>("abierta");
    QTest::newRow("mnuf") << 0 << 0 << "1000";
    QTest::newRow("mnup") << 1 << 1 << "0100";
    QTest::newRow("mnuv") << 2 << 2 << "0010";
    QTest::newRow("mnut") << 3 << 3 << "0001";
}

void TstMenus::entradas_por_modo() {
    QFETCH(int, indice);
    QFETCH(int, modo);
    QFETCH(QString, abierta);
    entrada(kEntradas[indice])->trigger();
    QCOMPARE(korgas::modo_calculo, modo);
    QWidget* w = Ventanas::buscar("frmcalculos");
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(estados(), abierta);
    // The window's caption is its menu entry's.
    QCOMPARE(w->windowTitle(), korgas::sin_acceso(entrada(kEntradas[indice])->text()));
    QVERIFY(entorno_->mensajes.empty());

    Ventanas::descargar("frmcalculos");
    QVERIFY(!Ventanas::buscar("frmcalculos"));
    QCOMPARE(estados(), QString("1111"));
}

void TstMenus::reabrir_solo_trae_al_frente() {
    entrada("mnup")->trigger();
    QWidget* w = Ventanas::buscar("frmcalculos");
    caja(w, "txtmol")->setText("7");
    entrada("mnup")->trigger();
    QCOMPARE(Ventanas::buscar("frmcalculos"), w);
    QCOMPARE(caja(w, "txtmol")->text(), QString("7"));  // no second load

    // Closed by the user through its frame, it loads afresh next time.
    auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QVERIFY(marco);
    marco->close();
    QTRY_VERIFY(!Ventanas::buscar("frmcalculos"));
    QCOMPARE(estados(), QString("1111"));
    entrada("mnuv")->trigger();
    w = Ventanas::buscar("frmcalculos");
    QCOMPARE(caja(w, "txtmol")->text(), QString("1.000"));
    QCOMPARE(caja(w, "txtvol")->text(), QString("24.6180"));
    QCOMPARE(estados(), QString("0010"));
}

void TstMenus::boton_general_sobre_ventana_abierta() {
    entrada("mnup")->trigger();
    QWidget* w = Ventanas::buscar("frmcalculos");
    QVERIFY(w);
    auto* principal = korgas::frmprincipal::existente();
    // The toolbar button of the general mode is not disabled: it sets mode 0
    // and brings the open window forward without loading it again.
    principal->Toolbar1_ButtonClick("f");
    QCOMPARE(korgas::modo_calculo, 0);
    QCOMPARE(Ventanas::buscar("frmcalculos"), w);
    QCOMPARE(estados(), QString("0100"));
    // From now on the captions take clicks and the hidden block is computed.
    pulsar(rotulo(w, "lbbvol"));
    QCOMPARE(color_texto(rotulo(w, "lbbvol")), QColor(255, 0, 0));
    QTest::keyClick(caja(w, "txtmol"), Qt::Key_Return);
    // The volume from the pressure shown, 4.0055 atm.
    QCOMPARE(caja(w, "txtvol")->text(), korgas::fmt(0.08206 * 300 / 4.0055, "####0.0000"));
    QCOMPARE(caja(w, "txtpv")->text(), korgas::tx(128));
}

QTEST_MAIN(TstMenus)
#include "tst_menus.moc"
