// The parameter table of the current system: its layout and grid per
// equation, the own parameters and how they reach the curve, the grid
// click, the exponent of the generalised equation, what OK stores, and its
// bond with the data window.
#include <QLabel>

#include "platform/aviso_gases.h"
#include "platform/formulas.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "sistemas_prueba.h"

using namespace sistemas_prueba;
using korgas::frmcompuestos;
using korgas::sistemas;

namespace {

constexpr double R = 0.08206;

frmcompuestos* tabla() {
    return ventana<frmcompuestos>("frmcompuestos");
}

}  // namespace

class TstFrmcompuestos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { korgas::registrar_systems(); }
    void init() { p_ = std::make_unique<Programa>(); }
    void cleanup() { p_.reset(); }

    void disposicion_por_ecuacion_data();
    void disposicion_por_ecuacion();
    void sistema_actual_y_ventana_de_datos();
    void sistema_cero_con_la_tabla_abierta();
    void parametros_propios_hasta_la_curva();
    void clic_en_la_rejilla();
    void exponente();
    void exponente_propio_tras_reabrir();
    void soave_y_peng_robinson_con_parametros_propios();
    void lo_que_guarda_aceptar();
    void sigue_a_los_gases();

  private:
    // Row 1 with this equation, the table opened on it.
    frmcompuestos* abrir(int ecuacion, const QString& t = "300") {
        korgas::frmdatos* d = p_->abrir_datos();
        fila(d, 1, true, 1, ecuacion, t, "1");
        korgas::sistema_actual = 1;
        d->btparametros->click();
        return tabla();
    }
    std::unique_ptr<Programa> p_;
};

void TstFrmcompuestos::disposicion_por_ecuacion_data() {
    QTest::addColumn<int>("ecuacion");
    QTest::addColumn<QStringList>("cabeceras");
    QTest::addColumn<int>("ancho");
    QTest::addColumn<QString>("cajas");  // shown: a b c d mu
    QTest::addColumn<QStringList>("fila1");
    const QString a2 = "a [l ² atm / mol ²]", bl = "b [l / mol]";
    QTest::newRow("0 ideal") << 0 << QStringList{} << 9125 << "00000" << QStringList{"Dioxido"};
    QTest::newRow("1 van der Waals") << 1 << QStringList{a2, bl} << 3042 << "11000"
                                     << QStringList{"Dioxido", "3.60610", "0.04280"};
    QTest::newRow("2 Berthelot") << 2 << QStringList{"a [l ² atm / mol ² K]", bl} << 3042 << "11000"
                                 << QStringList{};
    QTest::newRow("3 Dieterici") << 3 << QStringList{a2, bl} << 3042 << "11000" << QStringList{};
    QTest::newRow("4 Redlich-Kwong")
        << 4 << QStringList{"a [l ² atm / mol ² K ½]", bl} << 3042 << "11000" << QStringList{};
    QTest::newRow("5 virial")
        << 5 << QStringList{"A", "B [l / mol]", "C [l ² / mol ²]", "D [l ³ / mol ³]"} << 1825
        << "11110" << QStringList{"Dioxido", "1.00000", "-0.10368", "0.001832", "0.000078"};
    QTest::newRow("6 generalised")
        << 6 << QStringList{"a", "b"} << 3042 << "11001" << QStringList{};
    QTest::newRow("7 Soave") << 7 << QStringList{"a (T) [l ² atm / mol ²]", bl, "w"} << 2281
                             << "11000" << QStringList{};
    QTest::newRow("8 Peng-Robinson")
        << 8 << QStringList{"a (T) [l ² atm / mol ²]", bl, "w"} << 2281 << "11000" << QStringList{};
    QTest::newRow("9 Dieterici-Sadus")
        << 9 << QStringList{a2, bl} << 3042 << "11000" << QStringList{};
}

void TstFrmcompuestos::disposicion_por_ecuacion() {
    QFETCH(int, ecuacion);
    QFETCH(QStringList, cabeceras);
    QFETCH(int, ancho);
    QFETCH(QString, cajas);
    QFETCH(QStringList, fila1);
    frmcompuestos* t = abrir(ecuacion);
    QVERIFY(t && t->isVisible());
    korgas::Rejilla* g = t->grid;
    QCOMPARE(g->columnas(), cabeceras.size() + 1);
    QCOMPARE(g->filas(), 5);
    QCOMPARE(g->texto(0, 0), korgas::tx(143));
    for (int c = 1; c < g->columnas(); ++c) QCOMPARE(g->texto(0, c), cabeceras[c - 1]);
    for (int c = 0; c < g->columnas(); ++c) QCOMPARE(g->ancho(c), ancho);
    for (int c = 0; c < fila1.size(); ++c) QCOMPARE(g->texto(1, c), fila1[c]);
    QCOMPARE(g->texto(4, 0), QString("Metano"));
    QLineEdit* boxes[5] = {t->txt[0], t->txt[1], t->txt[2], t->txt[3], t->txtmu};
    for (int k = 0; k < 5; ++k) QCOMPARE(boxes[k]->isVisible(), cajas[k] == '1');
    QCOMPARE(t->chkdp->isVisible(), ecuacion != 0);
    QCOMPARE(t->cmbecu->currentIndex(), ecuacion);
    QCOMPARE(t->windowTitle(), korgas::tx(144) + " " + t->cmbecu->currentText());
    QCOMPARE(t->imgformula->pixmap().toImage(),
             korgas::formula(ecuacion, t->devicePixelRatioF()).toImage());
    // Without the own flag the shown boxes hold the system's parameters and
    // take no typing.
    if (ecuacion != 0) {
        QVERIFY(!t->txt[0]->isEnabled() && !t->txt[1]->isEnabled());
        QCOMPARE(t->txt[1]->text(), korgas::fmt(sistemas[1].gas.c[1], "####0.00000"));
    }
    QVERIFY(p_->mensajes().size() == (ecuacion == 5 ? 1u : 0u));  // the virial notice
}

void TstFrmcompuestos::sistema_actual_y_ventana_de_datos() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 2, 1, "300", "1");
    korgas::sistema_actual = 0;  // as the calculation window leaves it
    d->btparametros->click();
    frmcompuestos* t = tabla();
    QCOMPARE(korgas::sistema_actual, 1);
    QCOMPARE(t->cmbecu->currentIndex(), 1);
    QCOMPARE(t->grid->texto(2, 0), QString("Nitrogeno"));
    QVERIFY(!d->parentWidget()->isEnabled());
    // An equation chosen here is the data window's choice.
    korgas::seleccionar(t->cmbecu, 4);
    QCOMPARE(d->cmbecu[1]->currentIndex(), 4);
    QCOMPARE(sistemas[1].ecuacion, 4);
    QCOMPARE(t->grid->texto(0, 1), QString("a [l ² atm / mol ² K ½]"));
    // The same equation again is no new choice: no second virial notice.
    korgas::seleccionar(t->cmbecu, 5);
    korgas::seleccionar(t->cmbecu, 5);
    QCOMPARE(int(p_->mensajes().size()), 1);
    t->close();
    QVERIFY(d->parentWidget()->isEnabled());

    // Closing the data window closes the table that writes into it.
    d->btparametros->click();
    QVERIFY(tabla());
    e("mnudato")->trigger();
    QVERIFY(!tabla());
    QVERIFY(datos()->parentWidget()->isEnabled());
}

// A calculation window that reloads its gas while the table is open sets
// sistema_actual to 0, the number of its own record; the table goes on with
// the data window's row it was opened on, whose equation list it drives.
void TstFrmcompuestos::sistema_cero_con_la_tabla_abierta() {
    frmcompuestos* t = abrir(1);
    korgas::frmdatos* d = datos();
    const korgas::sistema cero = sistemas[0];
    korgas::sistema_actual = 0;
    korgas::seleccionar(t->cmbecu, 4);
    QCOMPARE(d->cmbecu[1]->currentIndex(), 4);
    QCOMPARE(sistemas[1].ecuacion, 4);
    QCOMPARE(t->grid->texto(0, 1), QString("a [l ² atm / mol ² K ½]"));
    korgas::marcar(t->chkdp, true);
    QVERIFY(sistemas[1].personalizado);
    t->txt[0]->setText("10");
    t->btaceptar->click();
    QCOMPARE(sistemas[1].gas.c[0], 10.0);
    QCOMPARE(sistemas[0].ecuacion, cero.ecuacion);
    QCOMPARE(sistemas[0].personalizado, cero.personalizado);
    QVERIFY(sistemas[0].gas.c == cero.gas.c);
}

void TstFrmcompuestos::parametros_propios_hasta_la_curva() {
    frmcompuestos* t = abrir(1, "250");
    korgas::frmdatos* d = datos();
    korgas::marcar(t->chkdp, true);
    QVERIFY(sistemas[1].personalizado);
    QVERIFY(t->txt[0]->isEnabled() && t->lb[1]->isEnabled());
    QCOMPARE(d->shpmarca->color(), QColor(255, 0, 0));
    // Ticking stores nothing yet.
    QCOMPARE(sistemas[1].gas.c[0], 3.6060995073674995);
    t->txt[0]->setFocus();
    t->txt[0]->selectAll();
    QTest::keyClicks(t->txt[0], "10");
    t->txt[1]->selectAll();
    QTest::keyClicks(t->txt[1], "0.1");
    t->btaceptar->click();
    QVERIFY(!tabla());
    QCOMPARE(sistemas[1].gas.c[0], 10.0);
    QCOMPARE(sistemas[1].gas.c[1], 0.1);

    // The curve is R·T/(V - 0.1) - 10/V², with no tie line.
    d->btactualiza->click();
    asentar();
    korgas::Lienzo* l = grafico()->pctgrafico;
    for (double v : {1.0, 2.0, 4.0})
        QVERIFY2(color_cerca(l, v, R * 250 / (v - 0.1) - 10 / (v * v), QColor(0, 0, 255)),
                 qPrintable(QString::number(v)));
    QVERIFY(!color_cerca(l, 0.3, 31.6154, QColor(0, 0, 255)));
    // The own parameters survive a change of temperature in the data window.
    fila(d, 1, true, 1, 1, "260", "1");
    QCOMPARE(sistemas[1].gas.c[0], 10.0);

    // Unticking brings back the derived parameters at once.
    d->btparametros->click();
    t = tabla();
    QVERIFY(t->chkdp->isChecked());
    QVERIFY(t->txt[0]->isEnabled());
    QCOMPARE(t->txt[0]->text(), QString("10.00000"));
    korgas::marcar(t->chkdp, false);
    QCOMPARE(t->txt[0]->text(), QString("3.60610"));
    QCOMPARE(t->txt[1]->text(), QString("0.04280"));
    QVERIFY(!t->txt[0]->isEnabled());
    QCOMPARE(sistemas[1].gas.c[0], 3.6060995073674995);
    QCOMPARE(d->shpmarca->color(), QColor(0, 0, 0));
}

void TstFrmcompuestos::clic_en_la_rejilla() {
    // Van der Waals: columns 1 and 2 into boxes 1 and 2, whatever the flag,
    // with the exact values behind the texts.
    frmcompuestos* t = abrir(1);
    t->grid->fijar_celda(3, 1);
    emit t->grid->clic();
    QCOMPARE(t->txt[0]->text(), t->grid->texto(3, 1));
    QCOMPARE(t->txt[1]->text(), t->grid->texto(3, 2));
    korgas::marcar(t->chkdp, true);
    t->btaceptar->click();
    korgas::sistema agua;
    agua.numgas = 3;
    agua.ecuacion = 1;
    agua.temperatura = 300;
    korgas::leergas(-1, agua);
    QCOMPARE(sistemas[1].gas.c[0], agua.gas.c[0]);
    QCOMPARE(sistemas[1].gas.c[1], agua.gas.c[1]);

    // Virial: only C and D, into boxes 3 and 4.
    datos()->btparametros->click();
    t = tabla();
    korgas::marcar(t->chkdp, false);
    korgas::seleccionar(t->cmbecu, 5);
    const QString a = t->txt[0]->text(), b = t->txt[1]->text();
    t->grid->fijar_celda(4, 2);
    emit t->grid->clic();
    QCOMPARE(t->txt[0]->text(), a);
    QCOMPARE(t->txt[1]->text(), b);
    QCOMPARE(t->txt[2]->text(), t->grid->texto(4, 3));
    QCOMPARE(t->txt[3]->text(), t->grid->texto(4, 4));
    // The ideal gas: no copy.
    korgas::seleccionar(t->cmbecu, 0);
    QStringList antes;
    for (QLineEdit* c : t->txt) antes << c->text();
    t->grid->fijar_celda(2, 0);
    emit t->grid->clic();
    QStringList despues;
    for (QLineEdit* c : t->txt) despues << c->text();
    QCOMPARE(despues, antes);
}

void TstFrmcompuestos::exponente() {
    frmcompuestos* t = abrir(6);
    QCOMPARE(t->txtmu->text(), QString("1.5"));
    QCOMPARE(sistemas[1].mu, 1.5);
    const QString a = t->grid->texto(1, 1);
    pruebas::teclear(t->txtmu, "1");
    QCOMPARE(int(p_->mensajes().size()), 1);
    QCOMPARE(p_->mensajes()[0].texto, korgas::tx(93));
    QCOMPARE(sistemas[1].mu, 1.5);
    QCOMPARE(t->grid->texto(1, 1), a);
    pruebas::teclear(t->txtmu, "1.2");
    QCOMPARE(sistemas[1].mu, 1.2);
    QVERIFY(t->grid->texto(1, 1) != a);
    QCOMPARE(t->txt[0]->text(), t->grid->texto(1, 1));  // the system reloaded
    QCOMPARE(t->txtmu->text(), QString("1.2"));
    // Enter in an empty box lays out again and changes nothing.
    pruebas::teclear(t->txtmu, "");
    QCOMPARE(t->txtmu->text(), QString("1.2"));
    QCOMPARE(int(p_->mensajes().size()), 1);
}

void TstFrmcompuestos::exponente_propio_tras_reabrir() {
    frmcompuestos* t = abrir(6, "150");
    pruebas::teclear(t->txtmu, "1.2");
    korgas::marcar(t->chkdp, true);
    t->btaceptar->click();
    korgas::frmdatos* d = datos();
    d->btactualiza->click();
    asentar();
    const QImage antes = grafico()->pctgrafico->imagen();
    // Reopened, the row keeps its own parameters and its exponent.
    e("mnudato")->trigger();
    d = datos();
    d->btactualiza->click();
    asentar();
    QCOMPARE(sistemas[1].mu, 1.2);
    QVERIFY(sistemas[1].personalizado);
    QCOMPARE(grafico()->pctgrafico->imagen(), antes);

    // After a new file a row with own parameters takes the file's exponent.
    e("mnunuevo")->trigger();
    d = datos();
    sistemas[1].personalizado = true;
    korgas::seleccionar(d->cmbecu[1], 6);
    QCOMPARE(sistemas[1].mu, 1.5);
}

void TstFrmcompuestos::soave_y_peng_robinson_con_parametros_propios() {
    for (int e : {7, 8}) {
        frmcompuestos* t = abrir(e);
        korgas::marcar(t->chkdp, true);
        QVERIFY(t->txt[0]->isEnabled() && t->txt[1]->isEnabled());
        // A new layout (an equation choice) leaves a(T) off.
        korgas::seleccionar(t->cmbecu, e == 7 ? 8 : 7);
        QVERIFY(!t->txt[0]->isEnabled() && !t->lb[0]->isEnabled());
        QVERIFY(t->txt[1]->isEnabled() && t->lb[1]->isEnabled());
        QCOMPARE(t->lb[0]->text(), QString("a (T):"));
        QCOMPARE(t->grid->texto(1, 3), QString("-0.365"));  // the table's acentric factor
        t->close();
        sistemas[1].personalizado = false;
    }
    // Opened on a system with its own parameters: everything enabled.
    korgas::frmdatos* d = datos();
    fila(d, 1, true, 1, 7, "300", "1");
    sistemas[1].personalizado = true;
    d->btparametros->click();
    frmcompuestos* t = tabla();
    QVERIFY(t->chkdp->isChecked());
    QVERIFY(t->txt[0]->isEnabled() && t->txt[1]->isEnabled());
    QCOMPARE(d->shpmarca->color(), QColor(255, 0, 0));
}

void TstFrmcompuestos::lo_que_guarda_aceptar() {
    // A box left empty stores 0 when another holds text.
    frmcompuestos* t = abrir(5);
    korgas::marcar(t->chkdp, true);
    for (int k = 0; k < 4; ++k) t->txt[k]->clear();
    t->txt[2]->setText("0.5");
    t->btaceptar->click();
    QCOMPARE(sistemas[1].gas.c, (std::array<double, 4>{0, 0, 0.5, 0}));

    // All empty: nothing stored.
    datos()->btparametros->click();
    t = tabla();
    for (int k = 0; k < 4; ++k) t->txt[k]->clear();
    t->btaceptar->click();
    QCOMPARE(sistemas[1].gas.c, (std::array<double, 4>{0, 0, 0.5, 0}));

    // The close box stores nothing.
    datos()->btparametros->click();
    t = tabla();
    t->txt[0]->setText("9");
    t->parentWidget()->close();
    QCOMPARE(sistemas[1].gas.c[0], 0.0);

    // Under the ideal gas the hidden boxes store nothing either, whatever
    // they still hold.
    datos()->btparametros->click();
    t = tabla();
    t->txt[0]->setText("10");
    t->txt[1]->setText("0.5");
    korgas::seleccionar(t->cmbecu, 0);
    t->btaceptar->click();
    QCOMPARE(sistemas[1].gas.c, (std::array<double, 4>{0, 0, 0, 0}));
    korgas::frmdatos* d = datos();
    d->btactualiza->click();
    asentar();
    QCOMPARE(grafico()->x0y1->text(), QString("100.00"));
    QCOMPARE(grafico()->pctgrafico->color_en(0.01, 50), QColor(255, 255, 255));  // no grey box
}

void TstFrmcompuestos::sigue_a_los_gases() {
    frmcompuestos* t = abrir(1);
    auto gases = gases_prueba();
    gases.erase(gases.begin() + 1);
    p_->prog->escribir("data", fichero(gases));
    korgas::numgases = 3;
    emit korgas::AvisoGases::instancia()->gas_borrado(2);
    QCOMPARE(t->grid->filas(), 4);
    QCOMPARE(t->grid->texto(2, 0), QString("Agua"));
    QCOMPARE(t->grid->texto(3, 0), QString("Metano"));
}

QTEST_MAIN(TstFrmcompuestos)
#include "tst_frmcompuestos.moc"
