// The windows that show a gas while the gas editor changes it: after a modify
// each loads the gas again and recomputes from the state the user set; after a
// delete a window whose gas is gone shows gas 1, and the user is told once.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "calc/registro.h"
#include "core/gas.h"
#include "gasdb/frmgases.h"
#include "gasdb/registro.h"
#include "gasdb/textextend.h"
#include "platform/controles.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "systems/frmdatos.h"
#include "systems/registro.h"

using korgas::entrada;
using korgas::tx;
using korgas::Ventanas;
using pruebas::caja;
using pruebas::control;
using pruebas::pulsar;
using pruebas::teclear;

namespace {

// A user gas whose parameters are all derived from its critical data.
QByteArray seccion(int k, const QByteArray& nombre, const QByteArray& criticos) {
    QByteArray s = "\r\n[G" + QByteArray::number(k) + "]\r\nnombre=" + nombre + "\r\n" + criticos +
                   "vc=-1\r\nteb=-1\r\nhv=-1\r\n";
    for (int e = 1; e <= 9; ++e) {
        for (int j = 1; j <= (e == 5 ? 4 : e >= 6 && e <= 8 ? 3 : 2); ++j) {
            const QByteArray v = e == 6 && j == 3 ? " 1.5" : e >= 7 && j == 3 ? " 0.2" : "-1";
            s += "c(" + QByteArray::number(e) + "," + QByteArray::number(j) + ")=" + v + "\r\n";
        }
    }
    return s;
}

// The shipped gases, then ModGas (29: pm 30, pc 20 atm, tc 100 K; under van
// der Waals a 1.42042, b 0.05129) and Otro (30).
QByteArray fichero() {
    QFile f(QStringLiteral(KORGAS_SOURCE_DIR "/data/data"));
    if (!f.open(QIODevice::ReadOnly)) qFatal("no shipped data file");
    QByteArray s = f.readAll();
    s.replace("n= 28\r\n", "n= 30\r\n");
    s += seccion(29, "ModGas", "pm= 30\r\ntc= 100\r\npc= 20\r\n");
    s += seccion(30, "Otro", "pm= 40\r\ntc= 150\r\npc= 30\r\n");
    return s;
}

QWidget* abrir(const char* menu, const char* ventana) {
    entrada(QLatin1String(menu))->trigger();
    QWidget* w = Ventanas::buscar(QLatin1String(ventana));
    if (!w) qFatal("no window %s", ventana);
    return w;
}

// A calculation window (mode P, at 1 l) or a simulation window (at 4 l, in
// the barometer's range) on gas k with van der Waals, with the window's own
// amount and temperature.
QWidget* calculo(const char* menu, const char* ventana, int k) {
    QWidget* w = abrir(menu, ventana);
    korgas::seleccionar(control<QComboBox>(w, "cmbgas"), k - 1);
    korgas::seleccionar(control<QComboBox>(w, "cmbecu"), 1);
    teclear(caja(w, "txtvol"), QByteArray(ventana) == "frmcalculos" ? "1" : "4");
    return w;
}

korgas::frmdatos* datos() {
    return Ventanas::buscar<korgas::frmdatos>(QStringLiteral("frmdatos"));
}

// The data window with row 1 on gas k and van der Waals.
void fila_datos(int k) {
    abrir("mnudato", "frmdatos");
    korgas::seleccionar(datos()->cmbgas[1], k - 1);
    korgas::seleccionar(datos()->cmbecu[1], 1);
    teclear(datos()->txtmol[1], "1");
}

korgas::frmgases* editor() {
    return static_cast<korgas::frmgases*>(abrir("mnugases", "frmgases"));
}

// In the editor: Select, the gas at that place of the list.
void elegir(korgas::frmgases* g, int posicion) {
    pulsar(control<QPushButton>(g, "btsel"));
    korgas::seleccionar(control<QComboBox>(g, "cmbgas"), posicion);
}

void escribir(korgas::textextend* c, const QString& texto) {
    c->Txt()->selectAll();
    QTest::keyClicks(c->Txt(), texto);
}

}  // namespace

class TstVentanasYEditor : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();
    void modificar_data();
    void modificar();
    void borrar_data();
    void borrar();

  private:
    std::unique_ptr<ProgramaPrueba> p_;
};

void TstVentanasYEditor::initTestCase() {
    korgas::registrar_calc();
    korgas::registrar_systems();
    korgas::registrar_gasdb();
}

void TstVentanasYEditor::cleanup() {
    p_.reset();
    korgas::sistemas = {};
    korgas::sistemas_iniciados = false;
}

void TstVentanasYEditor::modificar_data() {
    QTest::addColumn<QString>("ventana");
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("despues");
    // ModGas's tc 100 becomes 200 and its pm 30 becomes 40: van der Waals a
    // 5.68168, b 0.10258 worked out by hand. The calculation window: 1 mol,
    // 300 K, 1 l; the simulation window 0.25 mol at 300 K in 4 l; the data
    // window's row of 1 mol: a and the grams; the parameter table: its box a
    // and its grid.
    QTest::newRow("calculation") << "frmcalculos"
                                 << "24.5284"
                                 << "21.7501";
    QTest::newRow("simulation") << "frmoperaciones"
                                << "1.54"
                                << "1.53";
    QTest::newRow("data window row") << "frmdatos"
                                     << "1.42042 30.000"
                                     << "5.68168 40.000";
    QTest::newRow("parameter table") << "frmcompuestos"
                                     << "1.42042 1.42042"
                                     << "5.68168 5.68168";
}

void TstVentanasYEditor::modificar() {
    QFETCH(QString, ventana);
    QFETCH(QString, antes);
    QFETCH(QString, despues);
    p_ = std::make_unique<ProgramaPrueba>(QString(), fichero());
    QVERIFY(p_->arrancar_hasta_principal());
    std::function<QString()> figura;
    std::function<void()> elegir_otra_vez;
    if (ventana == "frmcalculos" || ventana == "frmoperaciones") {
        QWidget* w = ventana == "frmcalculos" ? calculo("mnup", "frmcalculos", 29)
                                              : calculo("mnuoperaciones", "frmoperaciones", 29);
        figura = [w] { return caja(w, "txtpress")->text(); };
        elegir_otra_vez = [w] {
            auto* l = control<QComboBox>(w, "cmbgas");
            korgas::seleccionar(l, l->currentIndex());
        };
    } else if (ventana == "frmdatos") {
        fila_datos(29);
        figura = [] {
            const korgas::sistema& s = korgas::sistemas[1];
            return korgas::fmt(s.gas.c[0], "####0.00000") + " " + korgas::fmt(s.gramos, "0.000");
        };
    } else {
        fila_datos(29);
        datos()->btparametros->click();
        QWidget* t = Ventanas::buscar(QStringLiteral("frmcompuestos"));
        QVERIFY(t);
        figura = [t] {
            return caja(t, "txta")->text() + " " +
                   control<korgas::Rejilla>(t, "grid")->texto(29, 1);
        };
    }
    QCOMPARE(figura(), antes);

    korgas::frmgases* g = editor();
    elegir(g, 0);
    escribir(pruebas::control<korgas::textextend>(g, "texttc"), "200");
    escribir(pruebas::control<korgas::textextend>(g, "textpm"), "40");
    const std::size_t vistos = p_->mensajes.size();
    pulsar(control<QPushButton>(g, "btmod"));
    QCOMPARE(p_->mensajes.size(), vistos + 1);
    QCOMPARE(p_->mensajes.back().texto, tx(222));
    QCOMPARE(figura(), despues);
    // What a new choice of the gas gives too.
    if (elegir_otra_vez) {
        elegir_otra_vez();
        QCOMPARE(figura(), despues);
    }
}

void TstVentanasYEditor::borrar_data() {
    QTest::addColumn<int>("calculo");      // the calculation window's gas
    QTest::addColumn<int>("simulacion");   // the simulation window's gas (0: not open)
    QTest::addColumn<int>("fila");         // the gas of the data window's row 1 (0: not open)
    QTest::addColumn<bool>("al_primero");  // whether the user is told of gas 1
    // ModGas (29) is deleted; Otro moves from 30 to 29.
    QTest::newRow("the calculation window's gas") << 29 << 0 << 0 << true;
    QTest::newRow("a later gas") << 30 << 30 << 30 << false;
    QTest::newRow("every window's gas") << 29 << 29 << 29 << true;
}

void TstVentanasYEditor::borrar() {
    QFETCH(int, calculo);
    QFETCH(int, simulacion);
    QFETCH(int, fila);
    QFETCH(bool, al_primero);
    p_ = std::make_unique<ProgramaPrueba>(QString(), fichero());
    QVERIFY(p_->arrancar_hasta_principal());
    QList<QWidget*> ventanas{::calculo("mnup", "frmcalculos", calculo)};
    if (simulacion) ventanas << ::calculo("mnuoperaciones", "frmoperaciones", simulacion);
    if (fila) fila_datos(fila);
    QStringList antes;
    for (QWidget* w : ventanas) antes << caja(w, "txtpress")->text();

    korgas::frmgases* g = editor();
    elegir(g, 0);
    const std::size_t vistos = p_->mensajes.size();
    pulsar(control<QPushButton>(g, "btdel"));

    // One message, with the switch to gas 1 when a window had to make it.
    QCOMPARE(p_->mensajes.size(), vistos + 1);
    const QString dicho = tx(220) + (al_primero ? "\r\r" + tx(232) + "\r" + "Helio" : QString());
    QCOMPARE(p_->mensajes.back().texto, dicho);
    const QString nombre = al_primero ? QStringLiteral("Helio") : QStringLiteral("Otro");
    for (int i = 0; i < ventanas.size(); ++i) {
        QWidget* w = ventanas[i];
        auto* l = control<QComboBox>(w, "cmbgas");
        QCOMPARE(l->count(), 29);
        QCOMPARE(l->currentText(), nombre);
        // Computed for the gas it shows, as a new choice of it computes.
        const QString ahora = caja(w, "txtpress")->text();
        if (!al_primero) QCOMPARE(ahora, antes[i]);
        korgas::seleccionar(l, l->currentIndex());
        QCOMPARE(caja(w, "txtpress")->text(), ahora);
    }
    if (fila) QCOMPARE(datos()->cmbgas[1]->currentText(), nombre);
    QCOMPARE(p_->mensajes.size(), vistos + 1);
}

QTEST_MAIN(TstVentanasYEditor)
#include "tst_ventanas_y_editor.moc"
