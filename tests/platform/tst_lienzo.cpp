// The picture box: its scales, what each drawing call puts into the image,
// coordinates that must not stall or corrupt the drawing, the draw modes, the
// rubber band and the mouse in the box's scale.
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <limits>

#include "platform/lienzo.h"

using korgas::Lienzo;

namespace {

const QColor kBlanco(255, 255, 255);
const QColor kAzul(0, 0, 255);
const QColor kRojo(255, 0, 0);
const QColor kMarino(0, 0, 128);

// A 200 × 100 box with volume 0..5 across and pressure 0..100 upwards.
struct Caja {
    Lienzo l;
    Caja() {
        l.resize(200, 100);
        l.fijar_escala(0, 100, 5, -100);
        l.cls();
    }
    QColor px(int x, int y) const { return l.imagen().pixelColor(x, y); }
    int contar(const QColor& c) const {
        int n = 0;
        for (int y = 0; y < l.imagen().height(); ++y)
            for (int x = 0; x < l.imagen().width(); ++x) n += px(x, y) == c;
        return n;
    }
};

}  // namespace

class TstLienzo : public QObject {
    Q_OBJECT

  private slots:
    void escalas();
    void lineas_y_cajas();
    void punteada_y_grosor();
    void circulo();
    void coordenadas_extremas_data();
    void coordenadas_extremas();
    void modo_14();
    void banda_no_toca_la_imagen();
    void raton_en_la_escala();
    void la_imagen_sobrevive_al_tamano();
};

void TstLienzo::escalas() {
    Caja c;
    QCOMPARE(c.l.a_pixeles(2.5, 50), QPointF(100, 50));
    QCOMPARE(c.l.a_pixeles(0, 100), QPointF(0, 0));
    QCOMPARE(c.l.a_pixeles(5, 0), QPointF(200, 100));
    QCOMPARE(c.l.a_escala(QPointF(100, 50)), QPointF(2.5, 50));
    QCOMPARE(c.l.escala_alto(), -100.0);

    // A user scale keeps its rectangle when the box changes size.
    c.l.resize(400, 50);
    QCOMPARE(c.l.a_pixeles(2.5, 50), QPointF(200, 25));

    // The box's own scale is twips and follows its size.
    c.l.escala_twips();
    QCOMPARE(c.l.escala_ancho(), 400.0 * 15);
    QCOMPARE(c.l.escala_alto(), 50.0 * 15);
    QCOMPARE(c.l.a_pixeles(150, 300), QPointF(10, 20));

    // A scale of zero size maps onto the edge instead of dividing by zero.
    c.l.fijar_escala(1, 1, 0, 0);
    QCOMPARE(c.l.a_pixeles(7, 7), QPointF(0, 0));
}

void TstLienzo::lineas_y_cajas() {
    Caja c;
    c.l.linea(0, 50, 5, 50, kAzul);  // row 50, the whole width
    for (int x : {0, 57, 199}) QCOMPARE(c.px(x, 50), kAzul);
    QCOMPARE(c.px(100, 49), kBlanco);
    QCOMPARE(c.px(100, 51), kBlanco);

    // Filled box from V 0..1 over the whole height: pixel columns 0..39.
    c.l.caja_llena(0, 0, 1, 100, QColor(192, 192, 192));
    QCOMPARE(c.px(0, 0), QColor(192, 192, 192));
    QCOMPARE(c.px(39, 99), QColor(192, 192, 192));
    QCOMPARE(c.px(40, 10), kBlanco);
    QCOMPARE(c.px(40, 50), kAzul);

    // The fore colour is the default pen; an outline leaves the inside alone.
    c.l.fijar_tinta(kRojo);
    c.l.caja(2, 80, 4, 20);
    QCOMPARE(c.px(80, 40), kRojo);
    QCOMPARE(c.px(120, 30), kBlanco);
    QCOMPARE(c.px(100, 20), kRojo);

    c.l.fijar_fondo(QColor(224, 224, 224));
    c.l.cls();
    QCOMPARE(c.contar(QColor(224, 224, 224)), 200 * 100);
}

void TstLienzo::punteada_y_grosor() {
    Caja c;
    c.l.fijar_estilo(Lienzo::Estilo::punteado);
    c.l.linea(0, 50, 5, 50, kAzul);
    int azules = 0;
    for (int x = 0; x < 200; ++x) azules += c.px(x, 50) == kAzul;
    // Dots and gaps: some of the row, not all of it.
    QVERIFY2(azules > 40 && azules < 160, qPrintable(QString::number(azules)));

    c.l.cls();
    c.l.fijar_estilo(Lienzo::Estilo::solido);
    c.l.fijar_grosor(3);
    c.l.linea(0, 50, 5, 50, kAzul);
    int filas = 0;
    for (int y = 45; y < 55; ++y) filas += c.px(100, y) == kAzul;
    QCOMPARE(filas, 3);
}

void TstLienzo::circulo() {
    Lienzo l;
    l.resize(200, 100);
    l.fijar_escala(0, 0, 1000, 100);  // 5 units a pixel across, 1 down
    l.cls();
    // Radius 250 horizontal units = 50 pixels, a true circle on screen.
    l.circulo(500, 100, 250, kRojo);
    QCOMPARE(l.imagen().pixelColor(100, 50), kRojo);  // top of the circle
    QCOMPARE(l.imagen().pixelColor(100, 60), kBlanco);
    QCOMPARE(l.imagen().pixelColor(150, 99), kRojo);  // right end
}

void TstLienzo::coordenadas_extremas_data() {
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<bool>("visible");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("huge") << 1e300 << 50.0 << true;
    QTest::newRow("huge negative") << -1e300 << -1e300 << true;
    QTest::newRow("largest") << std::numeric_limits<double>::max() << 50.0 << true;
    QTest::newRow("inf") << inf << 50.0 << false;
    QTest::newRow("-inf") << 2.0 << -inf << false;
    QTest::newRow("nan") << nan << 50.0 << false;
}

void TstLienzo::coordenadas_extremas() {
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(bool, visible);
    Caja c;
    // Dashes along a huge line are the case that never ends unclipped.
    c.l.fijar_estilo(Lienzo::Estilo::punteado);
    for (int i = 0; i < 50; ++i) c.l.linea(2.5, 50, x2, y2, kAzul);
    c.l.caja(2.5, 50, x2, y2, kAzul);
    c.l.caja_llena(4.9, 1, x2, y2, kAzul);
    c.l.circulo(x2, y2, 1e300, kAzul);
    // The visible part of a finite line is drawn: the pixel where it starts.
    QCOMPARE(c.px(100, 50) == kAzul || c.px(99, 50) == kAzul, visible);
    if (!visible) QCOMPARE(c.contar(kAzul), 0);
}

void TstLienzo::modo_14() {
    Caja c;
    c.l.linea(0, 50, 5, 50, QColor(0, 128, 0));
    c.l.fijar_modo(14);
    c.l.caja(1, 80, 3, 20, kMarino);
    // Over white: pen | ~white = the pen.
    QCOMPARE(c.px(40, 30), kMarino);
    // Over the green curve: (0,0,128) | ~(0,128,0) = (255,127,255).
    QCOMPARE(c.px(40, 50), QColor(255, 127, 255));
    c.l.fijar_modo(7);  // not a mode: ignored
    QCOMPARE(c.l.modo(), 14);
}

void TstLienzo::banda_no_toca_la_imagen() {
    Caja c;
    c.l.linea(0, 50, 5, 50, kAzul);
    const QImage antes = c.l.imagen();
    c.l.banda(1, 80, 3, 20);
    QVERIFY(c.l.hay_banda());
    QCOMPARE(c.l.imagen(), antes);
    // On screen the band shows over the image.
    QImage pantalla = c.l.grab().toImage();
    int marinos = 0;
    for (int y = 20; y <= 80; ++y) marinos += pantalla.pixelColor(40, y) == kMarino;
    QVERIFY(marinos > 5);
    c.l.quitar_banda();
    pantalla = c.l.grab().toImage().convertToFormat(antes.format());
    QCOMPARE(pantalla, antes);
}

void TstLienzo::raton_en_la_escala() {
    Caja c;
    c.l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.l));
    QSignalSpy abajo(&c.l, &Lienzo::raton_abajo);
    QSignalSpy movido(&c.l, &Lienzo::raton_movido);
    QSignalSpy arriba(&c.l, &Lienzo::raton_arriba);

    QTest::mousePress(&c.l, Qt::LeftButton, {}, QPoint(40, 90));
    QCOMPARE(abajo.count(), 1);
    QCOMPARE(abajo[0][0].toInt(), 1);
    QCOMPARE(abajo[0][1].toDouble(), 1.0);
    QCOMPARE(abajo[0][2].toDouble(), 10.0);

    QMouseEvent mover(QEvent::MouseMove, QPointF(120, 60), c.l.mapToGlobal(QPointF(120, 60)),
                      Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&c.l, &mover);
    QCOMPARE(movido.last()[0].toInt(), 1);
    QCOMPARE(movido.last()[1].toDouble(), 3.0);
    QCOMPARE(movido.last()[2].toDouble(), 40.0);

    QTest::mouseRelease(&c.l, Qt::LeftButton, {}, QPoint(120, 60));
    QCOMPARE(arriba.last()[0].toInt(), 1);

    QTest::mousePress(&c.l, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(abajo.last()[0].toInt(), 2);
    QTest::mouseRelease(&c.l, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseMove(&c.l, QPoint(100, 50));
    QCOMPARE(movido.last()[0].toInt(), 0);
}

void TstLienzo::la_imagen_sobrevive_al_tamano() {
    Caja c;
    c.l.linea(0, 50, 5, 50, kAzul);
    c.l.resize(300, 150);
    // Read in the scale right after the resize: the new strip is there.
    QCOMPARE(c.l.color_en(4.5, 10), kBlanco);
    QCOMPARE(c.px(100, 50), kAzul);
    QCOMPARE(c.px(250, 120), kBlanco);
}

QTEST_MAIN(TstLienzo)
#include "tst_lienzo.moc"
