// The thermometric scales window opened from the main window: the five boxes
// and columns at load, after Enter in each box, under a press and a drag
// (kept within the fixed points), the fill heights against the values, text
// that is no number or too large to convert, and the conversion function with
// its chains of conversions.
#include <QAction>
#include <QCursor>
#include <QMouseEvent>
#include <cmath>

#include "core/numtext.h"
#include "platform/lienzo.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/frmtermometro.h"
#include "shell/registro.h"

using namespace pruebas;
using korgas::frmtermometro;
using korgas::Lienzo;
using korgas::Ventanas;

namespace {

const QColor kRojo(255, 0, 0);

QLineEdit* caja_de(QWidget* w, int i) {
    return caja(w, QStringLiteral("txttemp_%1").arg(i));
}

Lienzo* columna(QWidget* w, int i) {
    return control<Lienzo>(w, QStringLiteral("pct_%1").arg(i));
}

QStringList cajas(QWidget* w) {
    QStringList s;
    for (int i = 0; i < frmtermometro::kEscalas; ++i) s << caja_de(w, i)->text();
    return s;
}

// Red pixel rows of a column (in its middle), and the red pixels of its whole
// image.
int filas_rojas(const Lienzo* l) {
    const QImage& im = l->imagen();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        if (im.pixelColor(im.width() / 2, y) == kRojo) ++n;
    return n;
}
int pixeles_rojos(const Lienzo* l) {
    const QImage& im = l->imagen();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (im.pixelColor(x, y) == kRojo) ++n;
    return n;
}

// The fill of column i in degrees of its scale, read from its pixels.
double grados_rellenos(QWidget* w, int i) {
    const Lienzo* l = columna(w, i);
    return filas_rojas(l) * -l->escala_alto() / l->imagen().height();
}

// A move with no button held, as the pointer passes over the column.
void pasar(QWidget* w, QPoint p) {
    QMouseEvent ev(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

}  // namespace

class TstTermometro : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void al_abrir();
    void enter_en_cada_caja_data();
    void enter_en_cada_caja();
    void solo_enter_actua();
    void enter_sin_editar_conserva_el_valor();
    void arrastre_entre_los_puntos_fijos();
    void relleno_sigue_a_los_valores();
    void escalas_data();
    void escalas();
    void cadenas_de_conversiones();

  private:
    std::unique_ptr<ProgramaPrueba> prog_;
    frmtermometro* t_ = nullptr;
};

void TstTermometro::initTestCase() {
    korgas::registrar_shell();
}

void TstTermometro::init() {
    prog_ = std::make_unique<ProgramaPrueba>();
    QVERIFY(prog_->arrancar_hasta_principal());
    QAction* a = korgas::entrada("mnutermosc");
    QVERIFY(a->isEnabled());
    a->trigger();
    t_ = Ventanas::buscar<frmtermometro>("frmtermometro");
    QVERIFY(t_ && t_->isVisible());
}

void TstTermometro::cleanup() {
    t_ = nullptr;
    prog_.reset();
}

void TstTermometro::al_abrir() {
    QCOMPARE(t_->windowTitle(), korgas::sin_acceso(korgas::tx(24)));
    QCOMPARE(cajas(t_), QStringList({"0.00", "273.15", "32.00", "491.67", "0.00"}));
    const char* const superior[] = {"100 ºC", "373.15 ºK", "212 ºF", "671.67 ºR", "80 ºRe"};
    const char* const inferior[] = {"0 ºC", "273.15 ºK", "32 ºF", "491.67 ºR", "0 ºRe"};
    const char* const unidad[] = {"ºC", "ºK", "ºF", "ºR", "ºRe"};
    for (int i = 0; i < 5; ++i) {
        const QString n = QString::number(i);
        QCOMPARE(rotulo(t_, "txttit_" + n)->text(), korgas::tx(110 + i));
        QCOMPARE(rotulo(t_, "lbt_" + n)->text(), QString::fromUtf8(superior[i]));
        QCOMPARE(rotulo(t_, "lbt0_" + n)->text(), QString::fromUtf8(inferior[i]));
        QCOMPARE(rotulo(t_, "lbgrado_" + n)->text(), QString::fromUtf8(unidad[i]));
        // Every value on its lower fixed point: no column holds any red.
        QCOMPARE(pixeles_rojos(columna(t_, i)), 0);
        QCOMPARE(columna(t_, i)->cursor().shape(), Qt::BitmapCursor);
    }

    // Heights in proportion to the degrees between the fixed points, every
    // column standing on the same line.
    const int alto = columna(t_, 3)->height();
    QCOMPARE(columna(t_, 2)->height(), alto);
    QVERIFY(std::abs(columna(t_, 0)->height() - alto * 100.0 / 180) <= 1);
    QCOMPARE(columna(t_, 1)->height(), columna(t_, 0)->height());
    QVERIFY(std::abs(columna(t_, 4)->height() - alto * 80.0 / 180) <= 1);
    const int pie = columna(t_, 0)->mapTo(t_, QPoint(0, columna(t_, 0)->height())).y();
    for (int i = 1; i < 5; ++i)
        QCOMPARE(columna(t_, i)->mapTo(t_, QPoint(0, columna(t_, i)->height())).y(), pie);
}

void TstTermometro::enter_en_cada_caja_data() {
    QTest::addColumn<int>("escala");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QStringList>("esperado");
    QTest::addColumn<int>("lleno");  // 1 every column full, 0 every one empty, -1 neither

    const QStringList ebullicion = {"100.00", "373.15", "212.00", "671.67", "80.00"};
    const QStringList cero_absoluto = {"-273.15", "0.00", "-459.67", "0.00", "-218.52"};
    QTest::newRow("100 C") << 0 << "100" << ebullicion << 1;
    QTest::newRow("373.15 K") << 1 << "373.15" << ebullicion << 1;
    QTest::newRow("212 F") << 2 << "212" << ebullicion << 1;
    QTest::newRow("671.67 R") << 3 << "671.67" << ebullicion << 1;
    QTest::newRow("80 Re") << 4 << "80" << ebullicion << 1;
    QTest::newRow("300 K") << 1 << "300"
                           << QStringList({"26.85", "300.00", "80.33", "540.00", "21.48"}) << -1;
    QTest::newRow("-40 F") << 2 << "-40"
                           << QStringList({"-40.00", "233.15", "-40.00", "419.67", "-32.00"}) << 0;
    QTest::newRow("0 R") << 3 << "0" << cero_absoluto << 0;
    QTest::newRow("-218.52 Re") << 4 << "-218.52" << cero_absoluto << 0;
    // Not a number: the leading number of the text, none here, is 0.
    QTest::newRow("abc K") << 1 << "abc" << cero_absoluto << 0;
    QTest::newRow("12abc C") << 0 << "12abc"
                             << QStringList({"12.00", "285.15", "53.60", "513.27", "9.60"}) << -1;
    // Too large for a double: no number either, read as letters are.
    QTest::newRow("9e999 C") << 0 << "9e999"
                             << QStringList({"0.00", "273.15", "32.00", "491.67", "0.00"}) << 0;
    QTest::newRow("-9e999 K") << 1 << "-9e999" << cero_absoluto << 0;
}

void TstTermometro::enter_en_cada_caja() {
    QFETCH(int, escala);
    QFETCH(QString, tecleado);
    QFETCH(QStringList, esperado);
    QFETCH(int, lleno);
    teclear(caja_de(t_, escala), tecleado);
    QCOMPARE(cajas(t_), esperado);
    for (int i = 0; i < 5; ++i) {
        const Lienzo* l = columna(t_, i);
        const int rojas = filas_rojas(l);
        if (lleno == 1) QCOMPARE(rojas, l->imagen().height());
        if (lleno == 0) QCOMPARE(pixeles_rojos(l), 0);
        if (lleno == -1) QVERIFY(rojas > 0 && rojas < l->imagen().height());
    }
}

void TstTermometro::solo_enter_actua() {
    QLineEdit* c = caja_de(t_, 0);
    c->clear();
    QTest::keyClicks(c, "25x");
    QCOMPARE(c->text(), QStringLiteral("25x"));  // typed unfiltered
    QCOMPARE(caja_de(t_, 1)->text(), QStringLiteral("273.15"));
    QCOMPARE(pixeles_rojos(columna(t_, 0)), 0);
    QTest::keyClick(c, Qt::Key_Return);
    QCOMPARE(caja_de(t_, 1)->text(), QStringLiteral("298.15"));
    QCOMPARE(c->text(), QStringLiteral("25.00"));
}

void TstTermometro::enter_sin_editar_conserva_el_valor() {
    // 300.004 K shows as 26.85 ºC; Enter in the Celsius box goes on with the
    // value behind that text, not with 26.85.
    teclear(caja_de(t_, 1), "300.004");
    QCOMPARE(caja_de(t_, 0)->text(), QStringLiteral("26.85"));
    QTest::keyClick(caja_de(t_, 0), Qt::Key_Return);
    QVERIFY(std::abs(t_->temperaturas()[1] - 300.004) < 1e-9);
    QCOMPARE(caja_de(t_, 3)->text(), QStringLiteral("540.01"));
}

void TstTermometro::arrastre_entre_los_puntos_fijos() {
    Lienzo* c = columna(t_, 0);
    const int x = c->width() / 2;

    // The pointer passing over a column shows the temperature under it.
    const QPoint medio(x, c->height() / 2);
    pasar(c, medio);
    const double y = c->a_escala(medio).y();
    QCOMPARE(c->toolTip(), QString::fromStdString(korgas::texto_corto_simple(float(y))));
    QCOMPARE(caja_de(t_, 0)->text(), QStringLiteral("0.00"));  // no button: nothing set

    // Another button than the left one sets nothing.
    QTest::mouseClick(c, Qt::RightButton, {}, medio);
    QCOMPARE(caja_de(t_, 0)->text(), QStringLiteral("0.00"));

    // A press sets the temperature under it.
    QTest::mousePress(c, Qt::LeftButton, {}, medio);
    QCOMPARE(caja_de(t_, 0)->text(), korgas::fmt(double(float(y)), "###0.00"));
    QVERIFY(std::abs(t_->temperaturas()[0] - 50) < 1);

    // Dragged above the window: the upper fixed point; below it: the lower.
    QTest::mouseMove(c, QPoint(x, -200));
    QCOMPARE(cajas(t_), QStringList({"100.00", "373.15", "212.00", "671.67", "80.00"}));
    QCOMPARE(t_->temperaturas()[0], 100.0);
    QTest::mouseMove(c, QPoint(x, c->height() + 200));
    QCOMPARE(cajas(t_), QStringList({"0.00", "273.15", "32.00", "491.67", "0.00"}));
    QCOMPARE(pixeles_rojos(c), 0);
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(x, c->height() + 200));

    // The same on the Rankine column.
    Lienzo* r = columna(t_, 3);
    QTest::mousePress(r, Qt::LeftButton, {}, QPoint(x, r->height() / 3));
    QTest::mouseMove(r, QPoint(x, -50));
    QCOMPARE(cajas(t_), QStringList({"100.00", "373.15", "212.00", "671.67", "80.00"}));
    QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(x, -50));
    for (int i = 0; i < 5; ++i) QCOMPARE(filas_rojas(columna(t_, i)), columna(t_, i)->height());
}

void TstTermometro::relleno_sigue_a_los_valores() {
    teclear(caja_de(t_, 0), "50");
    QCOMPARE(cajas(t_), QStringList({"50.00", "323.15", "122.00", "581.67", "40.00"}));
    // Read back from the pixels, each fill is its value above the lower fixed
    // point, to within a pixel.
    const double esperado[] = {50, 50, 90, 90, 40};
    for (int i = 0; i < 5; ++i) {
        const double paso = -columna(t_, i)->escala_alto() / columna(t_, i)->height();
        QVERIFY2(std::abs(grados_rellenos(t_, i) - esperado[i]) <= paso,
                 qPrintable(QString::number(grados_rellenos(t_, i))));
    }
    // A degree has one length on every column: the Fahrenheit fill is 9/5 of
    // the Celsius one.
    const double razon = double(filas_rojas(columna(t_, 2))) / filas_rojas(columna(t_, 0));
    QVERIFY2(std::abs(razon - 9.0 / 5) < 0.03, qPrintable(QString::number(razon)));
    QCOMPARE(filas_rojas(columna(t_, 1)), filas_rojas(columna(t_, 0)));
}

void TstTermometro::escalas_data() {
    QTest::addColumn<int>("de");
    QTest::addColumn<int>("a");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("esperado");
    struct Caso {
        const char* nombre;
        int de, a;
        double t, esperado;
    };
    const Caso casos[] = {
        {"C-K", 0, 1, 0, 273.15},         {"C-F", 0, 2, 100, 212},
        {"C-R", 0, 3, 0, 491.67},         {"C-Re", 0, 4, 100, 80},
        {"K-C", 1, 0, 300, 26.85},        {"K-F", 1, 2, 300, 80.33},
        {"K-R", 1, 3, 300, 540},          {"K-Re", 1, 4, 300, 21.48},
        {"F-C", 2, 0, -40, -40},          {"F-K", 2, 1, 32, 273.15},
        {"F-R", 2, 3, 0, 459.67},         {"F-Re", 2, 4, 212, 80},
        {"R-C", 3, 0, 0, -273.15},        {"R-K", 3, 1, 671.67, 373.15},
        {"R-F", 3, 2, 491.67, 32},        {"R-Re", 3, 4, 0, -218.52},
        {"Re-C", 4, 0, 80, 100},          {"Re-K", 4, 1, 0, 273.15},
        {"Re-F", 4, 2, -32, -40},         {"Re-R", 4, 3, 80, 671.67},
        {"same scale", 2, 2, 98.6, 98.6}, {"from outside", 5, 0, 10, 0},
        {"to outside", 0, -1, 10, 0},     {"16-bit-looking index", 65536, 1, 10, 0},
    };
    for (const Caso& c : casos) QTest::newRow(c.nombre) << c.de << c.a << c.t << c.esperado;
}

void TstTermometro::escalas() {
    QFETCH(int, de);
    QFETCH(int, a);
    QFETCH(double, t);
    QFETCH(double, esperado);
    const double r = frmtermometro::escalas(de, a, t);
    QVERIFY2(std::abs(r - esperado) < 1e-9, qPrintable(QString::number(r, 'g', 17)));
}

void TstTermometro::cadenas_de_conversiones() {
    // Every pair there and back, and a tour of all five scales in both
    // directions, returns to where it started.
    for (double t : {-500.0, -273.15, 0.0, 36.6, 100.0, 491.67, 1e6}) {
        const double tol = 1e-12 * std::max(1.0, std::abs(t)) * 1000;
        for (int a = 0; a < 5; ++a) {
            for (int b = 0; b < 5; ++b) {
                const double ida = frmtermometro::escalas(a, b, t);
                QVERIFY(std::abs(frmtermometro::escalas(b, a, ida) - t) < tol);
                // Through a third scale, the same as directly.
                for (int c = 0; c < 5; ++c)
                    QVERIFY(std::abs(frmtermometro::escalas(c, b, frmtermometro::escalas(a, c, t)) -
                                     ida) < tol * 2);
            }
        }
        double v = t;
        for (int i = 0; i < 5; ++i) v = frmtermometro::escalas(i, (i + 1) % 5, v);
        QVERIFY(std::abs(v - t) < tol);
        for (int i = 5; i > 0; --i) v = frmtermometro::escalas(i % 5, i - 1, v);
        QVERIFY(std::abs(v - t) < tol);
    }
}

QTEST_MAIN(TstTermometro)
#include "tst_termometro.moc"
