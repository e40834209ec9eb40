// The simulation window through its controls and its instruments: the load,
// typed values, the limits, the drags, the pictures the instruments draw,
// the instrument buttons, the unit cycles and its own working record.
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <cmath>
#include <memory>

#include "calc/frmcalculos.h"
#include "calc/frmoperaciones.h"
#include "calc/registro.h"
#include "core/gas.h"
#include "platform/aviso_gases.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"
#include "platform/ventanas.h"
#include "pixeles_prueba.h"
#include "programa_prueba.h"

using namespace pruebas;
using korgas::frmoperaciones;
using korgas::Lienzo;

using namespace pixeles_prueba;

namespace {

constexpr double R = 0.08206;
const QColor kNegro(0, 0, 0);
constexpr int kDioxido = 21;
constexpr double kPi = 3.1415926536;

QString f2(double x) {
    return korgas::fmt(x, "####0.00");
}

// The message a refused box gives: language text n, the limit, the unit.
QString limite(int texto, const QString& valor_unidad) {
    return korgas::tx(texto) + " " + valor_unidad;
}

Lienzo* lienzo(QWidget* w, const char* nombre) {
    return control<Lienzo>(w, nombre);
}

void raton(Lienzo* l, QEvent::Type tipo, QPointF p, Qt::MouseButtons botones,
           Qt::MouseButton boton = Qt::NoButton) {
    QMouseEvent ev(tipo, p, l->mapToGlobal(p), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(l, &ev);
}
// A press of the left button at a point of the picture's scale, a move with
// the left button held, a release.
void pulsar_en(Lienzo* l, double x, double y) {
    raton(l, QEvent::MouseButtonPress, l->a_pixeles(x, y), Qt::LeftButton, Qt::LeftButton);
}
void mover_a(Lienzo* l, double x, double y, Qt::MouseButtons botones = Qt::LeftButton) {
    raton(l, QEvent::MouseMove, l->a_pixeles(x, y), botones);
}
void soltar_en(Lienzo* l, double x, double y) {
    raton(l, QEvent::MouseButtonRelease, l->a_pixeles(x, y), Qt::NoButton, Qt::LeftButton);
}

// The base line of a dial: its last row of pixels.
double base_de(Lienzo* l) {
    return l->escala_alto() - l->escala_alto() / l->height();
}

// A message of the validation (texts 77 to 84).
bool es_validacion(const QString& texto) {
    for (int n = 77; n <= 84; ++n)
        if (texto.startsWith(korgas::tx(n))) return true;
    return false;
}

// A gas data file of van der Waals-like gases with the critical data given
// and every parameter derived (-1), and extra keys per gas.
QByteArray fichero(const QList<QPair<QByteArray, QByteArray>>& gases) {
    QByteArray d = "[general]\r\nn= " + QByteArray::number(gases.size()) + "\r\n";
    int k = 0;
    for (const auto& [nombre, claves] : gases) {
        d += "\r\n[g" + QByteArray::number(++k) + "]\r\nnombre=" + nombre + "\r\n" + claves;
        for (int e = 1; e <= 9; ++e)
            for (int j = 1; j <= (e == 5 ? 4 : e >= 6 && e <= 8 ? 3 : 2); ++j)
                if (!claves.contains("c(" + QByteArray::number(e) + "," + QByteArray::number(j) +
                                     ")"))
                    d += "c(" + QByteArray::number(e) + "," + QByteArray::number(j) + ")=-1\r\n";
    }
    return d;
}
const QByteArray kCriticos =
    "pm= 44.01\r\ntc= 304.2\r\npc= 72.9\r\nvc= 0.094\r\nteb=-1\r\nhv=-1\r\n";

}  // namespace

class TstFrmoperaciones : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void apertura();
    void instrumentos_en_reposo();
    void entradas_enter_y_tab();
    void parametros_con_la_temperatura();
    void limites_data();
    void limites();
    void nunca_por_debajo_de_0_K_data();
    void nunca_por_debajo_de_0_K();
    void eleccion_de_la_dependiente();
    void resolver_otra_vez_sin_caja();
    void arrastre_del_piston();
    void arrastre_del_termometro();
    void arrastre_del_barometro_y_manometro();
    void un_mensaje_acaba_el_arrastre();
    void boton_derecho_y_consejo();
    void termopar_y_manometro();
    void medidores_sobreviven_al_cierre();
    void ciclos_de_unidades();
    void ida_y_vuelta_sin_perder_nada();
    void unidad_de_cantidad();
    void spinners();
    void no_calculable();
    void ventanas_juntas();
    void activacion_sin_bucle();
    void mensajes_en_ingles();
    void gases_borrados_y_anadidos();
    void sin_gases();

  private:
    std::unique_ptr<frmoperaciones> abrir();
    void elegir(QWidget* w, int numgas, int ecuacion);
    QLineEdit* txt(QWidget* w, const char* n) { return caja(w, n); }

    std::unique_ptr<ProgramaPrueba> entorno_;
};

void TstFrmoperaciones::initTestCase() {
    korgas::registrar_calc();
}

void TstFrmoperaciones::init() {
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
    entorno_ = std::make_unique<ProgramaPrueba>();
}

void TstFrmoperaciones::cleanup() {
    entorno_.reset();
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
}

std::unique_ptr<frmoperaciones> TstFrmoperaciones::abrir() {
    auto w = std::make_unique<frmoperaciones>();
    w->show();
    return w;
}

void TstFrmoperaciones::elegir(QWidget* w, int numgas, int ecuacion) {
    korgas::seleccionar(control<QComboBox>(w, "cmbgas"), numgas - 1);
    korgas::seleccionar(control<QComboBox>(w, "cmbecu"), ecuacion);
}

void TstFrmoperaciones::apertura() {
    auto w = abrir();
    QCOMPARE(w->windowTitle(), korgas::sin_acceso(korgas::tx(21)));
    QCOMPARE(control<QComboBox>(w.get(), "cmbgas")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>(w.get(), "cmbecu")->currentIndex(), 0);
    QCOMPARE(rotulo(w.get(), "Label2")->text(), korgas::tx(70) + ":");
    QCOMPARE(rotulo(w.get(), "lbbpress")->text(), korgas::tx(72));
    QCOMPARE(rotulo(w.get(), "Label5")->text(), korgas::tx(50) + ":");
    // 0.25 mol at 300 K in 6.146 l: 1.00 atm, the pressure red.
    QCOMPARE(txt(w.get(), "txtmol")->text(), QString("0.25"));
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("300.00"));
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("6.15"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
    for (const char* q : {"temp", "vol", "press"}) {
        const QColor c = QByteArray(q) == "press" ? kRojo : kNegro;
        QCOMPARE(color_texto(rotulo(w.get(), QByteArray("lbb") + q)), c);
        QCOMPARE(color_texto(caja(w.get(), QByteArray("txt") + q)), c);
        QCOMPARE(color_texto(rotulo(w.get(), QByteArray("lb") + q)), c);
    }
    // The parameter units of this window.
    korgas::seleccionar(control<QComboBox>(w.get(), "cmbecu"), 1);
    QCOMPARE(rotulo(w.get(), "lbunita")->text(), QString("l ²atm/mol ²"));
    korgas::seleccionar(control<QComboBox>(w.get(), "cmbecu"), 0);

    // The end labels and the spinner ranges.
    const QStringList rotulos = {"lbtsmax",  "lbtsmin",  "lbpsmax",  "lbpsmin",
                                 "lbtpsmax", "lbtpsmin", "lbppsmax", "lbppsmin"};
    const QStringList textos = {"373.15 ºK",  "273.15 ºK", "2.00 atm",   "0.00 atm",
                                "1000.00 ºK", "0.00 ºK",   "500.00 atm", "0.00 atm"};
    for (int i = 0; i < rotulos.size(); ++i)
        QCOMPARE(rotulo(w.get(), rotulos[i])->text(), textos[i]);
    const qint64 maximos[4] = {1000, 1000, 2000, 1000};
    for (int i = 0; i < 4; ++i) {
        auto* s = control<korgas::Spinner>(w.get(), QStringLiteral("UpDown%1").arg(i));
        QCOMPARE(s->minimo(), 0);
        QCOMPARE(s->maximo(), maximos[i]);
    }
    // The thermometer and the barometer are shown, their alternatives not.
    QVERIFY(lienzo(w.get(), "termometro")->isVisible());
    QVERIFY(!lienzo(w.get(), "termopar")->isVisible());
    QVERIFY(lienzo(w.get(), "barometro1")->isVisible());
    QVERIFY(!lienzo(w.get(), "Manometro")->isVisible());
    QCOMPARE(control<QToolButton>(w.get(), "bttermometro")->toolTip(), QString("Termómetro"));
    QVERIFY(entorno_->mensajes.empty());
}

void TstFrmoperaciones::instrumentos_en_reposo() {
    auto w = abrir();
    // The thermometer's column over the bottom (300 - 273.15)/100 of it.
    Lienzo* t = lienzo(w.get(), "termometro");
    QVERIFY(std::abs(parte_de(t, kRojo) - 0.2685) < 1.5 / t->height());
    QCOMPARE(t->color_en(1, 299.5), kRojo);
    QCOMPARE(t->color_en(1, 300.5), kTubo);

    // The gas down to 6.146 of the 10 l, in RGB(255, 255, round(6.146·25.5)).
    Lienzo* p = lienzo(w.get(), "pctpiston");
    const QColor gas(255, 255, 157);
    QVERIFY(std::abs(parte_de(p, gas) - 0.6146) < 1.5 / p->height());
    QCOMPARE(p->color_en(100, 6.0), gas);
    QCOMPARE(p->color_en(100, 6.3), kTubo);
    // The piston head stands at the gas's lower edge, with the gas colour on
    // its upper half; the rod starts under it.
    QWidget* cabeza = control<QWidget>(w.get(), "piston1");
    QCOMPARE(cabeza->y(), int(std::lround(p->y() + 6.146 * p->height() / 10)));
    QCOMPARE(lienzo(w.get(), "piston1")->imagen().pixelColor(cabeza->width() / 2, 1), gas);
    QCOMPARE(control<QWidget>(w.get(), "pistonn")->y(), cabeza->y() + cabeza->height());

    // The barometer's legs at 1.00 atm: both half full, the rising one from
    // below, the falling one from the bottom of its leg.
    Lienzo* sube = lienzo(w.get(), "barometro1");
    Lienzo* baja = lienzo(w.get(), "barometro0");
    QCOMPARE(sube->color_en(1, 0.95), kRojo);
    QCOMPARE(sube->color_en(1, 1.05), kTubo);
    QCOMPARE(baja->color_en(1, 1.05), kRojo);
    QCOMPARE(baja->color_en(1, 0.95), kTubo);
    QVERIFY(std::abs(parte_de(sube, kRojo) - 0.5) < 0.01);
    QVERIFY(std::abs(parte_de(baja, kRojo) - 0.5) < 0.01);

    // Ten l exactly is in range: white gas down to the bottom; 0 l yellow
    // and no gas; 10.5 l is drawn at 10 l with a message.
    teclear(txt(w.get(), "txtvol"), "10");
    QCOMPARE(p->color_en(100, 9.9), QColor(255, 255, 255));
    QVERIFY(entorno_->mensajes.empty());
    teclear(txt(w.get(), "txtvol"), "10.5");
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    QCOMPARE(entorno_->mensajes[0].texto, korgas::tx(90));
    QCOMPARE(entorno_->mensajes[0].estilo, 64);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("10.50"));
    QCOMPARE(cabeza->y(), p->y() + p->height());
    QCOMPARE(p->color_en(100, 9.9), QColor(255, 255, 255));
}

void TstFrmoperaciones::entradas_enter_y_tab() {
    auto w = abrir();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QLineEdit* mol = txt(w.get(), "txtmol");
    // Enter in the amount box recomputes and leaves the amount as typed.
    teclear(mol, "0.3");
    QCOMPARE(mol->text(), QString("0.3"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.3 * R * 300 / 6.146));
    // Leaving it writes two decimals and recomputes nothing.
    mol->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mol, Qt::Key_Tab);
    QCOMPARE(mol->text(), QString("0.30"));

    // Enter in the temperature box, Tab out of the volume box: each writes
    // its box and recomputes.
    QLineEdit* t = txt(w.get(), "txttemp");
    teclear(t, "350");
    QCOMPARE(t->text(), QString("350.00"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.3 * R * 350 / 6.146));
    QLineEdit* v = txt(w.get(), "txtvol");
    v->setFocus(Qt::TabFocusReason);
    v->clear();
    QTest::keyClicks(v, "5");
    QTest::keyClick(v, Qt::Key_Tab);
    QCOMPARE(v->text(), QString("5.00"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.3 * R * 350 / 5));
    // A value typed with three decimals is read as typed.
    teclear(t, "350.125");
    QCOMPARE(t->text(), QString("350.13"));
    QCOMPARE(korgas::leer_valor(t), 350.125);
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.3 * R * 350.125 / 5));
    QVERIFY(entorno_->mensajes.empty());
}

void TstFrmoperaciones::parametros_con_la_temperatura() {
    // Peng-Robinson's a depends on the temperature: the temperature box gives
    // the parameters of the temperature it holds, in any unit; a temperature
    // the recomputation refuses leaves them as they are.
    auto a_en = [](double t) {
        korgas::sistema s;
        s.numgas = kDioxido;
        s.ecuacion = 8;
        s.temperatura = t;
        s.moles = 0.25;
        s.mu = 1.5;
        korgas::leergas(0, s);
        return korgas::fmt(s.gas.c[0], "####0.00000");
    };
    QVERIFY(a_en(350) != a_en(300));
    auto w = abrir();
    elegir(w.get(), kDioxido, 8);
    QLineEdit* a = txt(w.get(), "txta");
    QLineEdit* t = txt(w.get(), "txttemp");
    QCOMPARE(a->text(), a_en(300));
    teclear(t, "350");
    QCOMPARE(a->text(), a_en(350));
    pulsar(rotulo(w.get(), "lbtemp"));
    teclear(t, "50");
    QCOMPARE(a->text(), a_en(323.15));
    QVERIFY(entorno_->mensajes.empty());
    // No minus key gets through the filter: the value is put in as code does.
    t->setText("-273.15");
    QTest::keyClick(t, Qt::Key_Return);
    QCOMPARE(entorno_->mensajes.at(0).texto, limite(79, "-273.15 ºC"));
    QCOMPARE(a->text(), a_en(323.15));
}

void TstFrmoperaciones::limites_data() {
    QTest::addColumn<QString>("dependiente");  // the caption clicked first
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("texto");  // 0: accepted
    QTest::addColumn<QString>("limite");
    QTest::newRow("amount 0") << "lbbpress"
                              << "txtmol"
                              << "0" << 77 << "0.00 mol";
    QTest::newRow("amount 0.01") << "lbbpress"
                                 << "txtmol"
                                 << "0.01" << 0 << "";
    QTest::newRow("amount 1000") << "lbbpress"
                                 << "txtmol"
                                 << "1000" << 0 << "";
    QTest::newRow("amount 1000.01") << "lbbpress"
                                    << "txtmol"
                                    << "1000.01" << 78 << "1000.00 mol";
    QTest::newRow("T 0") << "lbbpress"
                         << "txttemp"
                         << "0" << 79 << "0.00 ºK";
    QTest::newRow("T 1000") << "lbbpress"
                            << "txttemp"
                            << "1000" << 0 << "";
    QTest::newRow("T 1000.01") << "lbbpress"
                               << "txttemp"
                               << "1000.01" << 80 << "1000.00 ºK";
    QTest::newRow("V 0") << "lbbpress"
                         << "txtvol"
                         << "0" << 81 << "0.00 l";
    QTest::newRow("V 2000") << "lbbpress"
                            << "txtvol"
                            << "2000" << 0 << "";
    QTest::newRow("V 2000.01") << "lbbpress"
                               << "txtvol"
                               << "2000.01" << 82 << "2000.00 l";
    QTest::newRow("P 0") << "lbbvol"
                         << "txtpress"
                         << "0" << 83 << "0.00 atm";
    QTest::newRow("P 1000") << "lbbvol"
                            << "txtpress"
                            << "1000" << 0 << "";
    QTest::newRow("P 1000.01") << "lbbvol"
                               << "txtpress"
                               << "1000.01" << 84 << "1000.00 atm";
}

void TstFrmoperaciones::limites() {
    QFETCH(QString, dependiente);
    QFETCH(QString, caja);
    QFETCH(QString, valor);
    QFETCH(int, texto);
    QFETCH(QString, limite);
    auto w = abrir();
    pulsar(rotulo(w.get(), dependiente));
    QLineEdit* dep = txt(w.get(), dependiente == "lbbpress" ? "txtpress" : "txtvol");
    const QString antes = dep->text();
    QLineEdit* c = txt(w.get(), qPrintable(caja));
    teclear(c, valor);
    // A refusal is the first message (an accepted value may still lie
    // outside its instrument's scale, which is told after it).
    if (texto == 0) {
        for (const Mensaje& m : entorno_->mensajes) QVERIFY(!es_validacion(m.texto));
        return;
    }
    QVERIFY(!entorno_->mensajes.empty());
    QCOMPARE(entorno_->mensajes[0].texto, ::limite(texto, limite));
    QCOMPARE(entorno_->mensajes[0].estilo, 64);
    QCOMPARE(entorno_->mensajes[0].titulo, korgas::titulo_programa());
    // Nothing recomputed; the refused box is selected.
    QCOMPARE(dep->text(), antes);
    QCOMPARE(c->selectedText(), c->text());
}

void TstFrmoperaciones::nunca_por_debajo_de_0_K_data() {
    QTest::addColumn<int>("clics");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("limite");  // empty: accepted
    // The minimum in each unit is 0 K itself, refused; just above it is a
    // temperature.
    QTest::newRow("ºC -273.15") << 1 << "-273.15"
                                << "-273.15 ºC";
    QTest::newRow("ºC -273.14") << 1 << "-273.14"
                                << "";
    QTest::newRow("ºF -459.67") << 2 << "-459.67"
                                << "-459.67 ºF";
    QTest::newRow("ºF -460") << 2 << "-460"
                             << "-459.67 ºF";
    QTest::newRow("ºR 0") << 3 << "0"
                          << "0.00 ºR";
    QTest::newRow("ºR 0.4") << 3 << "0.4"
                            << "";
    QTest::newRow("ºRe -218.52") << 4 << "-218.52"
                                 << "-218.52 ºRe";
}

void TstFrmoperaciones::nunca_por_debajo_de_0_K() {
    QFETCH(int, clics);
    QFETCH(QString, valor);
    QFETCH(QString, limite);
    auto w = abrir();
    elegir(w.get(), kDioxido, 4);  // Redlich-Kwong takes the square root of T
    entorno_->mensajes.clear();
    for (int i = 0; i < clics; ++i) pulsar(rotulo(w.get(), "lbtemp"));
    QLineEdit* t = txt(w.get(), "txttemp");
    QLineEdit* p = txt(w.get(), "txtpress");
    const QString antes = p->text();
    // No minus key gets through the filter: the value is put in as code does.
    t->setText(valor);
    QTest::keyClick(t, Qt::Key_Return);
    QVERIFY(!entorno_->mensajes.empty());
    if (limite.isEmpty()) {
        // Taken: a very cold gas, below the thermometer's scale, and a
        // pressure the equation gives for it.
        QCOMPARE(entorno_->mensajes.back().texto, korgas::tx(91));
        for (const Mensaje& m : entorno_->mensajes) QVERIFY(!es_validacion(m.texto));
        QVERIFY(p->text() != antes);
        QVERIFY(w->registro().temperatura > 0 && w->registro().temperatura < 1);
    } else {
        QCOMPARE(entorno_->mensajes[0].texto, ::limite(79, limite));
        QCOMPARE(p->text(), antes);
    }
    QVERIFY(w->registro().temperatura > 0);
    QVERIFY(std::isfinite(korgas::leer_valor(p)));
    QVERIFY(!p->text().contains("nan") && !p->text().contains("inf"));
}

void TstFrmoperaciones::eleccion_de_la_dependiente() {
    auto w = abrir();
    // A click only repaints; Enter in the amount box then computes T.
    pulsar(rotulo(w.get(), "lbbtemp"));
    QCOMPARE(color_texto(rotulo(w.get(), "lbbtemp")), kRojo);
    QCOMPARE(color_texto(txt(w.get(), "txttemp")), kRojo);
    QCOMPARE(color_texto(rotulo(w.get(), "lbpress")), kNegro);
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("300.00"));
    QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
    // From the exact pressure behind "1.00" the temperature comes back.
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("300.00"));
    teclear(txt(w.get(), "txtpress"), "2");
    QCOMPARE(txt(w.get(), "txttemp")->text(), f2(2 * 6.146 / (0.25 * R)));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));  // beyond the thermometer
    QCOMPARE(entorno_->mensajes[0].texto, korgas::tx(91));

    // The volume under Dieterici from Newton's method.
    auto d = abrir();
    elegir(d.get(), kDioxido, 3);
    pulsar(rotulo(d.get(), "lbbvol"));
    teclear(txt(d.get(), "txtpress"), "1.5");
    const double v = korgas::leer_valor(txt(d.get(), "txtvol"));
    QVERIFY(v > 3.9 && v < 4.1);
    QCOMPARE(color_texto(txt(d.get(), "txtvol")), kRojo);
}

void TstFrmoperaciones::resolver_otra_vez_sin_caja() {
    auto w = abrir();
    teclear(txt(w.get(), "txtmol"), "0.4");
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.4 * R * 300 / 6.146));
    // The volume made dependent, but the pressure box emptied: the pressure
    // is solved again from the values last validated, and red again; again
    // and again the same (the volume is not multiplied by the amount twice).
    pulsar(rotulo(w.get(), "lbbvol"));
    txt(w.get(), "txtpress")->clear();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
        QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.4 * R * 300 / 6.146));
        QCOMPARE(color_texto(rotulo(w.get(), "lbbpress")), kRojo);
        QCOMPARE(color_texto(rotulo(w.get(), "lbbvol")), kNegro);
    }
    QVERIFY(entorno_->mensajes.empty());
}

void TstFrmoperaciones::arrastre_del_piston() {
    auto w = abrir();
    Lienzo* p = lienzo(w.get(), "pctpiston");
    // The pressure dependent: it stays so, and the barometer follows.
    pulsar_en(p, 100, 6.146);
    mover_a(p, 100, 5);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("5.00"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.23"));
    QCOMPARE(color_texto(rotulo(w.get(), "lbbpress")), kRojo);
    QCOMPARE(lienzo(w.get(), "barometro1")->color_en(1, 1.2), kRojo);
    QVERIFY(entorno_->mensajes.empty());
    mover_a(p, 100, 3);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("3.00"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("2.05"));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    QCOMPARE(entorno_->mensajes[0].texto, korgas::tx(94));
    // Beyond its scale the barometer is drawn full.
    QCOMPARE(parte_de(lienzo(w.get(), "barometro1"), kRojo), 1.0);
    soltar_en(p, 100, 3);

    // The temperature dependent: it stays so, from the volume dragged.
    teclear(txt(w.get(), "txtvol"), "6.146");
    pulsar(rotulo(w.get(), "lbbtemp"));
    pulsar_en(p, 100, 6);
    mover_a(p, 100, 7.5);
    soltar_en(p, 100, 7.5);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("7.50"));
    QCOMPARE(color_texto(rotulo(w.get(), "lbbtemp")), kRojo);
    const double t = korgas::leer_valor(txt(w.get(), "txttemp"));
    QVERIFY(std::abs(t - korgas::leer_valor(txt(w.get(), "txtpress")) * 7.5 / (0.25 * R)) < 1e-9);

    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));

    // Dragged beyond the picture the volume stays at its end: 0 l, which the
    // validation refuses.
    pulsar(rotulo(w.get(), "lbbpress"));
    pulsar_en(p, 100, 5);
    mover_a(p, 100, -3);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("0.00"));
    QCOMPARE(entorno_->mensajes.back().texto, limite(81, "0.00 l"));
    QCOMPARE(lienzo(w.get(), "pctpiston")->color_en(100, 5), kTubo);
}

void TstFrmoperaciones::arrastre_del_termometro() {
    auto w = abrir();
    Lienzo* t = lienzo(w.get(), "termometro");
    // A press at pixel row r of H reads 373.15 - 100·r/H.
    const int fila = t->height() / 4;
    raton(t, QEvent::MouseButtonPress, QPointF(1, fila), Qt::LeftButton, Qt::LeftButton);
    const double temperatura = 373.15 - 100.0 * fila / t->height();
    QCOMPARE(txt(w.get(), "txttemp")->text(), f2(temperatura));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.25 * R * temperatura / 6.146));
    QCOMPARE(lienzo(w.get(), "barometro1")->color_en(1, 0.25 * R * temperatura / 6.146 - 0.02),
             kRojo);
    QVERIFY(std::abs(parte_de(t, kRojo) - (temperatura - 273.15) / 100) < 1.5 / t->height());
    // Upwards out of the picture: the top of the scale; the tool tip shows
    // where the pointer is.
    mover_a(t, 1, 400);
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("373.15"));
    QCOMPARE(t->toolTip(), QString("400"));
    soltar_en(t, 1, 400);

    // With the temperature dependent, a press gives the box back to the
    // computed value and makes the pressure dependent; the next move sets it.
    pulsar(rotulo(w.get(), "lbbtemp"));
    teclear(txt(w.get(), "txtmol"), "0.25");
    const QString calculada = txt(w.get(), "txttemp")->text();
    pulsar_en(t, 1, 290);
    QCOMPARE(txt(w.get(), "txttemp")->text(), calculada);
    QCOMPARE(color_texto(rotulo(w.get(), "lbbpress")), kRojo);
    mover_a(t, 1, 290);
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("290.00"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.25 * R * 290 / 6.146));

    // The volume dependent stays so.
    pulsar(rotulo(w.get(), "lbbvol"));
    mover_a(t, 1, 320);
    QCOMPARE(color_texto(rotulo(w.get(), "lbbvol")), kRojo);
    QCOMPARE(korgas::leer_valor(txt(w.get(), "txtvol")),
             0.25 * R * 320 / korgas::leer_valor(txt(w.get(), "txtpress")));
}

void TstFrmoperaciones::arrastre_del_barometro_y_manometro() {
    auto w = abrir();
    Lienzo* b = lienzo(w.get(), "barometro1");
    // The pressure is dependent: the first event gives it back computed and
    // makes the temperature dependent; the move sets the pressure.
    pulsar_en(b, 1, 1.5);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
    QCOMPARE(color_texto(rotulo(w.get(), "lbbtemp")), kRojo);
    mover_a(b, 1, 1.5);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.50"));
    QCOMPARE(txt(w.get(), "txttemp")->text(), f2(1.5 * 6.146 / (0.25 * R)));
    soltar_en(b, 1, 1.5);

    pulsar(control<QToolButton>(w.get(), "btmanometro"));
    Lienzo* m = lienzo(w.get(), "Manometro");
    QVERIFY(m->isVisible());
    QVERIFY(!b->isVisible());
    pulsar(rotulo(w.get(), "lbbvol"));
    pulsar_en(m, 250, 50);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("250.00"));
    QCOMPARE(color_texto(rotulo(w.get(), "lbbvol")), kRojo);
    // The volume at the temperature the last drag left.
    QCOMPARE(txt(w.get(), "txtvol")->text(), f2(1.5 * 6.146 / 250));
    // The needle straight up at 250 of 500 atm.
    QVERIFY(rojo_cerca(m, 250, m->escala_alto() * 0.5));
    mover_a(m, 600, 50);  // beyond the right end
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("500.00"));
}

void TstFrmoperaciones::un_mensaje_acaba_el_arrastre() {
    auto w = abrir();
    Lienzo* p = lienzo(w.get(), "pctpiston");
    pulsar_en(p, 100, 6);
    mover_a(p, 100, 2);  // 3.07 atm: beyond the barometer, one message
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    // The button is still held, but the drag ended with the message: more
    // moves change nothing and show nothing.
    for (double v : {2.5, 1.5, 1.0}) mover_a(p, 100, v);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("2.00"));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    // A new press starts a new drag.
    pulsar_en(p, 100, 8);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("8.00"));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
}

void TstFrmoperaciones::boton_derecho_y_consejo() {
    auto w = abrir();
    Lienzo* p = lienzo(w.get(), "pctpiston");
    raton(p, QEvent::MouseButtonPress, p->a_pixeles(100, 3), Qt::RightButton, Qt::RightButton);
    raton(p, QEvent::MouseMove, p->a_pixeles(100, 4.5), Qt::RightButton);
    raton(p, QEvent::MouseMove, p->a_pixeles(100, 2.25), Qt::NoButton);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("6.15"));
    QCOMPARE(p->toolTip(), QString("2.25"));
    // Left and right together is no drag either.
    pulsar_en(p, 100, 3);
    raton(p, QEvent::MouseMove, p->a_pixeles(100, 4), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(txt(w.get(), "txtvol")->text(), QString("3.00"));
    // The dials have no tool tip.
    Lienzo* m = lienzo(w.get(), "Manometro");
    raton(m, QEvent::MouseMove, m->a_pixeles(100, 50), Qt::NoButton);
    QVERIFY(m->toolTip().isEmpty());
}

void TstFrmoperaciones::termopar_y_manometro() {
    auto w = abrir();
    pulsar(control<QToolButton>(w.get(), "bttermopar"));
    QCOMPARE(korgas::medidor_temperatura, 1);
    Lienzo* d = lienzo(w.get(), "termopar");
    QVERIFY(d->isVisible());
    QVERIFY(!lienzo(w.get(), "termometro")->isVisible());
    QVERIFY(!control<QWidget>(w.get(), "bolaterm")->isVisible());

    // The manometer at 1 atm: the needle lies on the base line, pointing to
    // the left end (1/500 of the half turn above it).
    pulsar(control<QToolButton>(w.get(), "btmanometro"));
    QCOMPARE(korgas::medidor_presion, 1);
    Lienzo* m = lienzo(w.get(), "Manometro");
    QVERIFY(!lienzo(w.get(), "barometro1")->isVisible());
    QVERIFY(!control<QWidget>(w.get(), "barometro_0")->isVisible());
    QVERIFY(rojo_cerca(m, 125, base_de(m)));
    QVERIFY(!rojo_cerca(m, 375, base_de(m)));

    // 500 K: the needle straight up; 1000 K: on the right end.
    const double h = d->escala_alto();
    teclear(txt(w.get(), "txttemp"), "500");
    QVERIFY(rojo_cerca(d, 500, h * 0.5));
    QVERIFY(!rojo_cerca(d, 850, base_de(d)));
    teclear(txt(w.get(), "txttemp"), "1000");
    QVERIFY(rojo_cerca(d, 850, base_de(d)));
    QCOMPARE(d->color_en(500, h * 0.5), QColor(Qt::white));
    QVERIFY(entorno_->mensajes.empty());
    // 1200 K: refused by the limit, and drawn at the right end with the
    // thermocouple's message; the box keeps what was typed.
    teclear(txt(w.get(), "txttemp"), "1200");
    QCOMPARE(entorno_->mensajes.size(), std::size_t(2));
    QCOMPARE(entorno_->mensajes[0].texto, limite(80, "1000.00 ºK"));
    QCOMPARE(entorno_->mensajes[1].texto, korgas::tx(92));
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("1200.00"));
    QVERIFY(rojo_cerca(d, 850, base_de(d)));

    // Back to the barometer: the dial hidden, the U-tube shown, and the
    // pressure of 1000 K beyond its scale.
    pulsar(control<QToolButton>(w.get(), "btbarometro"));
    QVERIFY(!m->isVisible());
    QVERIFY(control<QWidget>(w.get(), "barometro_2")->isVisible());
    QCOMPARE(entorno_->mensajes.size(), std::size_t(3));
    QCOMPARE(entorno_->mensajes[2].texto, korgas::tx(94));
    // Pressing the button of the instrument shown redraws it and repeats its
    // message.
    pulsar(control<QToolButton>(w.get(), "bttermopar"));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(4));
    QCOMPARE(entorno_->mensajes[3].texto, korgas::tx(92));
}

void TstFrmoperaciones::medidores_sobreviven_al_cierre() {
    auto w = abrir();
    pulsar(control<QToolButton>(w.get(), "bttermopar"));
    pulsar(control<QToolButton>(w.get(), "btmanometro"));
    w->close();
    w.reset();
    auto otra = abrir();
    QVERIFY(lienzo(otra.get(), "termopar")->isVisible());
    QVERIFY(lienzo(otra.get(), "Manometro")->isVisible());
    QVERIFY(!lienzo(otra.get(), "termometro")->isVisible());
    QVERIFY(!lienzo(otra.get(), "barometro1")->isVisible());
    // And the pictures of the shown ones are drawn: 300 K on the dial.
    Lienzo* d = lienzo(otra.get(), "termopar");
    const double b = -kPi / 2 - kPi * 0.3;
    QVERIFY(rojo_cerca(d, 500 + 1000 * (3.0 / 16) * std::sin(b),
                       base_de(d) + d->escala_alto() * (3.0 / 8) * std::cos(b)));
}

void TstFrmoperaciones::ciclos_de_unidades() {
    auto w = abrir();
    QLineEdit* v = txt(w.get(), "txtvol");
    auto* up2 = control<korgas::Spinner>(w.get(), "UpDown2");
    pulsar(rotulo(w.get(), "lbvol"));
    QCOMPARE(v->text(), QString("6.15"));
    QCOMPARE(up2->maximo(), 2000);
    pulsar(rotulo(w.get(), "lbvol"));
    QCOMPARE(rotulo(w.get(), "lbvol")->text(), QString("m³"));
    QCOMPARE(v->text(), QString("0.01"));
    QCOMPARE(up2->maximo(), 2);
    QCOMPARE(up2->minimo(), 0);
    // "0.01" m³ still means 6.146 l.
    QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
    QCOMPARE(v->text(), QString("0.01"));
    teclear(v, "2.01");
    QCOMPARE(entorno_->mensajes.at(0).texto, limite(82, "2.00 m³"));
    QCOMPARE(entorno_->mensajes.at(1).texto, korgas::tx(90));
    entorno_->mensajes.clear();

    // Pressure in Pa: the box, the limit and the spinner in Pa.
    const double atm = korgas::leer_valor(txt(w.get(), "txtpress"));
    pulsar(rotulo(w.get(), "lbpress"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(atm * 101325));
    QCOMPARE(control<korgas::Spinner>(w.get(), "UpDown3")->maximo(), 101325000);
    QCOMPARE(w->limites('p').maximo, 101325000.0);

    // Temperature in ºC: no recomputation, no redraw.
    const QImage antes = lienzo(w.get(), "termometro")->imagen();
    pulsar(rotulo(w.get(), "lbtemp"));
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("26.85"));
    auto* up1 = control<korgas::Spinner>(w.get(), "UpDown1");
    QCOMPARE(up1->minimo(), -273);
    QCOMPARE(up1->maximo(), 727);
    QCOMPARE(w->limites('t').minimo, -273.15);
    QCOMPARE(lienzo(w.get(), "termometro")->imagen(), antes);
    QVERIFY(entorno_->mensajes.empty());
}

void TstFrmoperaciones::ida_y_vuelta_sin_perder_nada() {
    auto w = abrir();
    struct Ciclo {
        const char* etiqueta;
        const char* caja;
        int clics;
        char tipo;
    };
    const Ciclo ciclos[] = {{"lbtemp", "txttemp", 5, 't'},
                            {"lbvol", "txtvol", 4, 'v'},
                            {"lbpress", "txtpress", 4, 'p'}};
    pulsar(rotulo(w.get(), "lbbvol"));
    teclear(txt(w.get(), "txtpress"), "1.234567");
    const double v0 = korgas::leer_valor(txt(w.get(), "txtvol"));
    for (const Ciclo& c : ciclos) {
        QLineEdit* b = txt(w.get(), c.caja);
        const QString texto = b->text();
        const double valor = korgas::leer_valor(b);
        const auto lim = w->limites(c.tipo);
        for (int i = 0; i < c.clics; ++i) pulsar(rotulo(w.get(), c.etiqueta));
        QCOMPARE(b->text(), texto);
        QCOMPARE(korgas::leer_valor(b), valor);
        QCOMPARE(w->limites(c.tipo).minimo, lim.minimo);
        QCOMPARE(w->limites(c.tipo).maximo, lim.maximo);
    }
    // The state is as it was: the same volume from the same inputs.
    QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
    QCOMPARE(korgas::leer_valor(txt(w.get(), "txtvol")), v0);
    QCOMPARE(korgas::leer_valor(txt(w.get(), "txtpress")), 1.234567);
    QVERIFY(entorno_->mensajes.empty());
}

void TstFrmoperaciones::unidad_de_cantidad() {
    auto w = abrir();
    elegir(w.get(), kDioxido, 0);
    const double pm = w->registro().gas.pm;
    QLabel* masa = rotulo(w.get(), "lbmasa");
    pulsar(masa);
    QCOMPARE(masa->text(), QString("g"));
    QCOMPARE(txt(w.get(), "txtmol")->text(), QString("0.25"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), f2(0.25 / pm * R * 300 / 6.146));
    QCOMPARE(w->limites('m').maximo, 1000 * pm);
    QCOMPARE(control<korgas::Spinner>(w.get(), "UpDown0")->maximo(),
             korgas::redondeo_par(1000 * pm));
    pulsar(masa);
    QCOMPARE(masa->text(), QString("mol"));
    QCOMPARE(w->limites('m').maximo, 1000.0);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
}

void TstFrmoperaciones::spinners() {
    auto w = abrir();
    // Volume dependent, barometer shown: the pressure spinner writes its
    // whole number and recomputes; in range the barometer writes two decimals.
    pulsar(rotulo(w.get(), "lbbvol"));
    auto* up3 = control<korgas::Spinner>(w.get(), "UpDown3");
    up3->subir();
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("2.00"));
    QCOMPARE(txt(w.get(), "txtvol")->text(), f2(0.25 * R * 300 / 2));
    up3->subir();
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("3"));
    QCOMPARE(txt(w.get(), "txtvol")->text(), f2(0.25 * R * 300 / 3));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    QCOMPARE(entorno_->mensajes[0].texto, korgas::tx(94));

    // The temperature spinner computes twice, once message per computation
    // when the value lies beyond the thermometer.
    pulsar(rotulo(w.get(), "lbbpress"));
    teclear(txt(w.get(), "txtvol"), "6.146");
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
    entorno_->mensajes.clear();
    txt(w.get(), "txttemp")->setText("373");
    auto* up1 = control<korgas::Spinner>(w.get(), "UpDown1");
    up1->subir();
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("374.00"));
    QCOMPARE(entorno_->mensajes.size(), std::size_t(2));
    // At the end of its range a spinner does nothing.
    txt(w.get(), "txttemp")->setText("1000");
    entorno_->mensajes.clear();
    up1->subir();
    QCOMPARE(txt(w.get(), "txttemp")->text(), QString("1000"));
    QVERIFY(entorno_->mensajes.empty());
    // The amount spinner reformats and recomputes.
    control<korgas::Spinner>(w.get(), "UpDown0")->subir();
    QCOMPARE(txt(w.get(), "txtmol")->text(), QString("1.00"));
}

void TstFrmoperaciones::no_calculable() {
    // A gas without a critical pressure has no parameters for any equation
    // but the ideal gas; a gas whose file exponent is 1 is computed with the
    // window's own exponent.
    entorno_->escribir("data", fichero({{"Prueba", kCriticos},
                                        {"Sin presion", "pm= 10\r\ntc= 300\r\npc= 0\r\n"},
                                        {"Exponente 1", kCriticos + "c(6,3)= 1\r\n"}}));
    korgas::numgases = 3;
    auto w = abrir();
    const QImage barometro = lienzo(w.get(), "barometro1")->imagen();
    elegir(w.get(), 2, 1);
    QCOMPARE(txt(w.get(), "txtpress")->text(), korgas::tx(128));
    // The barometer keeps what it showed.
    QCOMPARE(lienzo(w.get(), "barometro1")->imagen(), barometro);
    QVERIFY(entorno_->mensajes.empty());
    // Its ideal gas is computed.
    korgas::seleccionar(control<QComboBox>(w.get(), "cmbecu"), 0);
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));

    elegir(w.get(), 3, 6);
    QCOMPARE(txt(w.get(), "txtmu")->text(), QString("1.5"));
    const double a = korgas::leer_valor(txt(w.get(), "txta"));
    const double b = korgas::leer_valor(txt(w.get(), "txtb"));
    QVERIFY(a > 0 && b > 0);
    const double v = 6.146 / 0.25;
    QCOMPARE(korgas::leer_valor(txt(w.get(), "txtpress")),
             R * 300 / (v - b) - a / std::pow(v, 1.5));

    // The calculation window says the same.
    korgas::modo_calculo = 0;
    korgas::frmcalculos c;
    c.show();
    elegir(&c, 2, 8);
    QCOMPARE(caja(&c, "txtpress")->text(), korgas::tx(128));
    QCOMPARE(caja(&c, "txtpv")->text(), korgas::tx(128));
}

void TstFrmoperaciones::ventanas_juntas() {
    korgas::modo_calculo = 0;
    korgas::frmcalculos c;
    c.show();
    elegir(&c, kDioxido, 1);
    teclear(caja(&c, "txttemp"), "250");
    const QString pv = caja(&c, "txtpv")->text();
    const QString pc = caja(&c, "txtpress")->text();
    QCOMPARE(pv, QString("31.61"));
    QCOMPARE(caja(&c, "txtvg")->text(), QString("0.4719"));

    // The simulation window opens on its own defaults, beside it.
    auto w = abrir();
    QCOMPARE(c.registro().numgas, kDioxido);
    QCOMPARE(w->registro().numgas, 1);
    elegir(w.get(), 5, 8);
    teclear(txt(w.get(), "txttemp"), "350");
    pulsar(control<QPushButton>(&c, "btcalcular"));
    QCOMPARE(caja(&c, "txtpv")->text(), pv);
    QCOMPARE(caja(&c, "txtpress")->text(), pc);
    QCOMPARE(c.registro().ecuacion, 1);
    QCOMPARE(c.registro().gas.pm, 44.0095);
    const QString ps = txt(w.get(), "txtpress")->text();
    QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
    QCOMPARE(txt(w.get(), "txtpress")->text(), ps);
    QCOMPARE(w->registro().numgas, 5);
    QCOMPARE(w->registro().ecuacion, 8);
    QCOMPARE(w->registro().moles, 0.25);
}

void TstFrmoperaciones::activacion_sin_bucle() {
    auto* principal = entorno_->arrancar_hasta_principal();
    QVERIFY(principal);
    QApplication::setActiveWindow(principal);
    // Through its toolbar button.
    principal->Toolbar1_ButtonClick("operaciones");
    QWidget* w = korgas::Ventanas::buscar("frmoperaciones");
    QVERIFY(w && w->isVisible());
    auto* marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QVERIFY(marco);
    QMdiArea* area = marco->mdiArea();
    teclear(caja(w, "txttemp"), "400");
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    QCOMPARE(entorno_->mensajes[0].texto, korgas::tx(91));

    // Another window and back: the instruments are redrawn and the message
    // comes once more; nothing else brings it back.
    korgas::entrada("mnuf")->trigger();
    QWidget* c = korgas::Ventanas::buscar("frmcalculos");
    QVERIFY(c);
    QCOMPARE(area->activeSubWindow()->widget(), c);
    QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
    area->setActiveSubWindow(marco);
    QCOMPARE(entorno_->mensajes.size(), std::size_t(2));
    QCOMPARE(entorno_->mensajes[1].texto, korgas::tx(91));
    area->setActiveSubWindow(marco);
    QApplication::processEvents();
    QTest::qWait(50);
    QCOMPARE(entorno_->mensajes.size(), std::size_t(2));
    // Opening it again from the menu brings it forward, no new load.
    korgas::entrada("mnuoperaciones")->trigger();
    QCOMPARE(korgas::Ventanas::buscar("frmoperaciones"), w);
    QCOMPARE(caja(w, "txttemp")->text(), QString("400.00"));
    korgas::Ventanas::descargar("frmoperaciones");
    korgas::Ventanas::descargar("frmcalculos");
}

void TstFrmoperaciones::mensajes_en_ingles() {
    entorno_.reset();
    entorno_ = std::make_unique<ProgramaPrueba>("English");
    QCOMPARE(korgas::tx(77), QString("Minimum amount of substance:"));
    auto w = abrir();
    QCOMPARE(rotulo(w.get(), "lbbpress")->text(), QString("Pressure:"));
    QCOMPARE(control<QToolButton>(w.get(), "bttermometro")->toolTip(), QString("Thermometer"));
    QCOMPARE(control<QToolButton>(w.get(), "bttermopar")->toolTip(), QString("Thermocouple"));
    teclear(txt(w.get(), "txtvol"), "2500");
    QCOMPARE(entorno_->mensajes.at(0).texto, QString("Maximum volume: 2000.00 l"));
    korgas::modo_calculo = 1;
    korgas::frmcalculos c;
    c.show();
    teclear(caja(&c, "txtmol"), "0");
    QCOMPARE(entorno_->mensajes.back().texto, QString("Minimum amount of substance: 0.00 mol"));
}

void TstFrmoperaciones::gases_borrados_y_anadidos() {
    // Four gases; the calculation window on the second, the simulation
    // window on the fourth.
    auto gas = [](const QByteArray& nombre, double pm) {
        return QPair<QByteArray, QByteArray>(
            nombre, "pm= " + QByteArray::number(pm) + "\r\ntc= 304.2\r\npc= 72.9\r\nvc=-1\r\n");
    };
    entorno_->escribir(
        "data", fichero({gas("Uno", 10), gas("Dos", 20), gas("Tres", 30), gas("Cuatro", 40)}));
    korgas::numgases = 4;
    korgas::modo_calculo = 0;
    korgas::frmcalculos c;
    c.show();
    elegir(&c, 2, 1);
    auto w = abrir();
    elegir(w.get(), 4, 1);
    auto* gases_c = control<QComboBox>(&c, "cmbgas");
    auto* gases_w = control<QComboBox>(w.get(), "cmbgas");
    QVERIFY(entorno_->mensajes.empty());
    auto borrar = [&](int n, const QList<QPair<QByteArray, QByteArray>>& quedan) {
        entorno_->escribir("data", fichero(quedan));
        korgas::numgases = int(quedan.size());
        return korgas::AvisoGases::instancia()->anunciar_baja(n);
    };

    // Gas 2 deleted: the simulation window's gas is now number 3, nothing to
    // tell; the calculation window's gas is gone: it falls back to the first
    // gas, computes with it, and leaves it to the one who deleted the gas to
    // say so, once for every window.
    QVERIFY(borrar(2, {gas("Uno", 10), gas("Tres", 30), gas("Cuatro", 40)}));
    QCOMPARE(gases_w->count(), 3);
    QCOMPARE(gases_w->currentText(), QString("Cuatro"));
    QCOMPARE(w->registro().numgas, 3);
    QCOMPARE(w->registro().gas.pm, 40.0);
    QCOMPARE(gases_c->count(), 3);
    QCOMPARE(gases_c->currentIndex(), 0);
    QCOMPARE(c.registro().numgas, 1);
    QCOMPARE(c.registro().gas.nombre, std::string("Uno"));
    QVERIFY(entorno_->mensajes.empty());
    // Its next calculation uses the first gas's molar mass.
    pulsar(rotulo(&c, "lbmasa"));
    QCOMPARE(c.registro().moles, 0.1);

    // A gas added at the end: both lists gain it and keep their choice.
    entorno_->escribir(
        "data", fichero({gas("Uno", 10), gas("Tres", 30), gas("Cuatro", 40), gas("Cinco", 50)}));
    korgas::numgases = 4;
    korgas::AvisoGases::instancia()->anunciar_alta(4);
    QCOMPARE(gases_w->count(), 4);
    QCOMPARE(gases_w->itemText(3), QString("Cinco"));
    QCOMPARE(gases_w->currentText(), QString("Cuatro"));
    QCOMPARE(gases_c->currentIndex(), 0);
    // A gas renamed: the list shows its new name.
    entorno_->escribir("data", fichero({gas("Uno", 10), gas("Tres", 30), gas("Cuatro bis", 40),
                                        gas("Cinco", 50)}));
    korgas::AvisoGases::instancia()->anunciar_cambio(3);
    QCOMPARE(gases_w->currentText(), QString("Cuatro bis"));
    QCOMPARE(gases_w->currentIndex(), 2);

    // The first gas deleted under the simulation window's feet: it moves
    // down one, the calculation window falls back again.
    QVERIFY(borrar(1, {gas("Tres", 30), gas("Cuatro bis", 40), gas("Cinco", 50)}));
    QCOMPARE(w->registro().numgas, 2);
    QCOMPARE(gases_w->currentText(), QString("Cuatro bis"));
    QCOMPARE(c.registro().gas.nombre, std::string("Tres"));
    QVERIFY(entorno_->mensajes.empty());
    // The simulation window still computes with its own gas.
    QTest::keyClick(txt(w.get(), "txtmol"), Qt::Key_Return);
    QCOMPARE(w->registro().gas.pm, 40.0);
}

void TstFrmoperaciones::sin_gases() {
    korgas::escribirvalor(korgas::fichdatos, "general", "n", " 0");
    korgas::numgases = 0;
    auto w = abrir();
    QCOMPARE(control<QComboBox>(w.get(), "cmbgas")->count(), 0);
    for (const char* n : {"txtmol", "txttemp", "txtvol", "txtpress"})
        QVERIFY(!txt(w.get(), n)->isEnabled());
    // Nothing to drag, nothing computed from a choice of equation.
    Lienzo* p = lienzo(w.get(), "pctpiston");
    QVERIFY(!p->isEnabled());
    korgas::seleccionar(control<QComboBox>(w.get(), "cmbecu"), 1);
    pulsar(rotulo(w.get(), "lbmasa"));
    QCOMPARE(txt(w.get(), "txtpress")->text(), QString("1.00"));
    QVERIFY(entorno_->mensajes.empty());
}

QTEST_MAIN(TstFrmoperaciones)
#include "tst_frmoperaciones.moc"
