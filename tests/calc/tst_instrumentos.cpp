// The simulation window's instruments on their own: the mouse on each
// dragged picture as values of its scale, each instrument's drawing at the
// ends of its range, and, in the window, every dragged picture reached by the
// mouse all over it (no other instrument lies over it).
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolButton>
#include <cmath>
#include <functional>
#include <memory>

#include "calc/frmoperaciones.h"
#include "calc/instrumentos.h"
#include "calc/registro.h"
#include "core/gas.h"
#include "platform/lienzo.h"
#include "pixeles_prueba.h"
#include "programa_prueba.h"

using namespace pruebas;
using korgas::Barometro;
using korgas::Esfera;
using korgas::Instrumento;
using korgas::Lienzo;
using korgas::Piston;
using korgas::Termometro;

using namespace pixeles_prueba;

namespace {


// The window's ranges.
Instrumento* crear(const QString& cual, QWidget* area) {
    if (cual == "piston") {
        auto* p = new Piston(area);
        p->fijar_rango(0, 10);
        return p;
    }
    if (cual == "termometro") {
        auto* t = new Termometro(area);
        t->fijar_rango(273.15, 373.15);
        return t;
    }
    if (cual == "barometro") {
        auto* b = new Barometro(area);
        b->fijar_rango(0, 2);
        return b;
    }
    if (cual == "termopar") {
        Esfera* e = Esfera::termopar(area);
        e->fijar_rango(0, 1000, 0, 100);
        return e;
    }
    Esfera* e = Esfera::manometro(area);
    e->fijar_rango(0, 500, 0, 500);
    return e;
}

void raton(Lienzo* l, QEvent::Type tipo, QPointF p, Qt::MouseButtons botones,
           Qt::MouseButton boton = Qt::NoButton) {
    QMouseEvent ev(tipo, p, l->mapToGlobal(p), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(l, &ev);
}

// A point of the picture's scale with the dragged coordinate at v and the
// other one in the middle.
QPointF en(Lienzo* l, bool vertical, double v) {
    const double x = l->escala_izquierda() + l->escala_ancho() / 2;
    const double y = l->escala_arriba() + l->escala_alto() / 2;
    return vertical ? l->a_pixeles(x, v) : l->a_pixeles(v, y);
}

bool cerca(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

}  // namespace

class TstInstrumentos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { korgas::registrar_calc(); }
    void arrastre_data();
    void arrastre();
    void piston_en_los_extremos();
    void columnas_en_los_extremos();
    void esferas_en_los_extremos();
    void el_raton_llega_a_cada_imagen();

  private:
    QWidget area_;
};

void TstInstrumentos::arrastre_data() {
    QTest::addColumn<QString>("instrumento");
    QTest::addColumn<QString>("imagen");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("consejo");
    QTest::addColumn<double>("minimo");  // the ends of the scale the drag keeps to
    QTest::addColumn<double>("maximo");
    QTest::newRow("piston") << "piston"
                            << "pctpiston" << true << true << 0.0 << 10.0;
    QTest::newRow("thermometer") << "termometro"
                                 << "termometro" << true << true << 273.15 << 373.15;
    QTest::newRow("barometer") << "barometro"
                               << "barometro1" << true << true << 0.0 << 2.0;
    QTest::newRow("thermocouple") << "termopar"
                                  << "termopar" << false << false << 0.0 << 1000.0;
    QTest::newRow("manometer") << "manometro"
                               << "Manometro" << false << false << 0.0 << 500.0;
}

void TstInstrumentos::arrastre() {
    QFETCH(QString, instrumento);
    QFETCH(QString, imagen);
    QFETCH(bool, vertical);
    QFETCH(bool, consejo);
    QFETCH(double, minimo);
    QFETCH(double, maximo);
    std::unique_ptr<Instrumento> i(crear(instrumento, &area_));
    Lienzo* l = control<Lienzo>(i.get(), imagen);
    QSignalSpy pulsado(i.get(), &Instrumento::pulsado);
    QSignalSpy arrastrado(i.get(), &Instrumento::arrastrado);
    QSignalSpy soltado(i.get(), &Instrumento::soltado);
    const double medio = minimo + (maximo - minimo) * 0.3;
    const double rango = maximo - minimo;

    // A right press, a move with no button or with both: no value; a
    // vertical instrument's tool tip shows where the pointer is, also beyond
    // the picture.
    raton(l, QEvent::MouseButtonPress, en(l, vertical, medio), Qt::RightButton, Qt::RightButton);
    raton(l, QEvent::MouseMove, en(l, vertical, maximo + rango), Qt::NoButton);
    QCOMPARE(l->toolTip(), consejo ? QString::number(maximo + rango) : QString());
    raton(l, QEvent::MouseMove, en(l, vertical, medio), Qt::LeftButton | Qt::RightButton);
    raton(l, QEvent::MouseButtonRelease, en(l, vertical, medio), Qt::NoButton, Qt::RightButton);
    QCOMPARE(pulsado.count() + arrastrado.count() + soltado.count(), 0);

    // A left press gives the value under the pointer; moves beyond either
    // end give that end; the release ends it.
    raton(l, QEvent::MouseButtonPress, en(l, vertical, medio), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(pulsado.count(), 1);
    QVERIFY(cerca(pulsado[0][0].toDouble(), medio));
    raton(l, QEvent::MouseMove, en(l, vertical, medio + rango * 0.1), Qt::LeftButton);
    raton(l, QEvent::MouseMove, en(l, vertical, maximo + rango), Qt::LeftButton);
    raton(l, QEvent::MouseMove, en(l, vertical, minimo - rango), Qt::LeftButton);
    QCOMPARE(arrastrado.count(), 3);
    QVERIFY(cerca(arrastrado[0][0].toDouble(), medio + rango * 0.1));
    QVERIFY(cerca(arrastrado[1][0].toDouble(), maximo));
    QVERIFY(cerca(arrastrado[2][0].toDouble(), minimo));
    raton(l, QEvent::MouseButtonRelease, en(l, vertical, minimo - rango), Qt::NoButton,
          Qt::LeftButton);
    QCOMPARE(soltado.count(), 1);

    // A picture that may not be dragged reports nothing.
    i->permitir_arrastre(false);
    raton(l, QEvent::MouseButtonPress, en(l, vertical, medio), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(pulsado.count(), 1);
}

void TstInstrumentos::piston_en_los_extremos() {
    std::unique_ptr<Instrumento> i(crear("piston", &area_));
    auto* p = static_cast<Piston*>(i.get());
    Lienzo* cilindro = control<Lienzo>(p, "pctpiston");
    QWidget* cabeza = control<QWidget>(p, "piston1");
    QWidget* vastago = control<QWidget>(p, "pistonn");
    // Empty: the head at the top, yellow on its upper half, no gas drawn.
    p->dibujar(0);
    QCOMPARE(cabeza->y(), cilindro->y());
    QCOMPARE(control<Lienzo>(p, "piston1")->imagen().pixelColor(cabeza->width() / 2, 1),
             QColor(255, 255, 0));
    QCOMPARE(parte_de(cilindro, kTubo), 1.0);
    // Full: the head at the bottom edge, the gas white all the way down, and
    // the head and the rod still within the instrument.
    p->dibujar(10);
    QCOMPARE(cabeza->y(), cilindro->y() + cilindro->height());
    QCOMPARE(parte_de(cilindro, QColor(255, 255, 255)), 1.0);
    for (QWidget* parte : {cabeza, control<QWidget>(p, "piston2"), vastago})
        QVERIFY(p->rect().contains(parte->geometry()));
    QCOMPARE(vastago->y(), cabeza->y() + cabeza->height());
}

void TstInstrumentos::columnas_en_los_extremos() {
    std::unique_ptr<Instrumento> t(crear("termometro", &area_));
    Lienzo* columna = control<Lienzo>(t.get(), "termometro");
    static_cast<Termometro*>(t.get())->dibujar(273.15);
    QCOMPARE(parte_de(columna, kRojo), 0.0);
    static_cast<Termometro*>(t.get())->dibujar(373.15);
    QCOMPARE(parte_de(columna, kRojo), 1.0);
    QCOMPARE(control<QLabel>(t.get(), "lbtsmax")->text(), QString("373.15 ºK"));
    QCOMPARE(control<QLabel>(t.get(), "lbtsmin")->text(), QString("273.15 ºK"));

    // The rising leg fills as the pressure grows, the falling leg empties.
    std::unique_ptr<Instrumento> b(crear("barometro", &area_));
    Lienzo* sube = control<Lienzo>(b.get(), "barometro1");
    Lienzo* baja = control<Lienzo>(b.get(), "barometro0");
    static_cast<Barometro*>(b.get())->dibujar(0);
    QCOMPARE(parte_de(sube, kRojo), 0.0);
    QCOMPARE(parte_de(baja, kRojo), 1.0);
    static_cast<Barometro*>(b.get())->dibujar(2);
    QCOMPARE(parte_de(sube, kRojo), 1.0);
    QCOMPARE(parte_de(baja, kRojo), 0.0);
}

void TstInstrumentos::esferas_en_los_extremos() {
    for (const char* cual : {"termopar", "manometro"}) {
        std::unique_ptr<Instrumento> i(crear(cual, &area_));
        auto* e = static_cast<Esfera*>(i.get());
        Lienzo* l = control<Lienzo>(e, QByteArray(cual) == "termopar" ? "termopar" : "Manometro");
        const double w = l->escala_ancho();
        const double h = l->escala_alto();
        const double base = h - h / l->height();
        // The needle, three quarters of the half ellipse long: to the left
        // end, straight up, to the right end; nothing red where it is not.
        e->dibujar(0);
        QVERIFY(rojo_cerca(l, w / 8 + w / 100, base));
        QVERIFY(!rojo_cerca(l, w / 2, base - h * 0.7));
        e->dibujar(w / 2);
        QVERIFY(rojo_cerca(l, w / 2, base - h * 0.7));
        QVERIFY(!rojo_cerca(l, w / 8 + w / 100, base));
        e->dibujar(w);
        QVERIFY(rojo_cerca(l, 7 * w / 8 - w / 100, base));
        QVERIFY(!rojo_cerca(l, w / 8 + w / 100, base));
    }
}

void TstInstrumentos::el_raton_llega_a_cada_imagen() {
    ProgramaPrueba entorno;
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
    korgas::frmoperaciones w;
    w.show();
    // On a grid of points over each picture shown, edges included, the
    // window finds that picture under the pointer (the head of the piston
    // and the pipes take no mouse).
    auto llega = [&w](const char* nombre) {
        Lienzo* l = control<Lienzo>(&w, nombre);
        QVERIFY2(l->isVisible(), nombre);
        for (int i = 0; i <= 8; ++i)
            for (int j = 0; j <= 8; ++j) {
                const QPoint p((l->width() - 1) * i / 8, (l->height() - 1) * j / 8);
                QCOMPARE(w.childAt(l->mapTo(&w, p)), l);
            }
    };
    for (const char* n : {"pctpiston", "termometro", "barometro1"}) llega(n);
    pulsar(control<QToolButton>(&w, "bttermopar"));
    pulsar(control<QToolButton>(&w, "btmanometro"));
    for (const char* n : {"pctpiston", "termopar", "Manometro"}) llega(n);
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
}

QTEST_MAIN(TstInstrumentos)
#include "tst_instrumentos.moc"
