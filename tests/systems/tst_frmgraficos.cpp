// The graph window on the fixture gases: the tie line of a van der Waals gas
// at the right pressure and volumes, the dotted two-phase stretch, the curve
// colours, the grey excluded volume, the automatic scale, the warnings of a
// scale that cannot be drawn, the read-out and the zoom, and curves that
// cannot be computed.
#include <limits>

#include "platform/texto_qt.h"
#include "sistemas_prueba.h"
#include "co2_referencia.h"
#include "systems/graficos.h"

using namespace sistemas_prueba;
using korgas::sistemas;

namespace {

using namespace co2_referencia;
constexpr double kB = 0.042803;

const QColor kAzul(0, 0, 255);
const QColor kGris(192, 192, 192);

// Pixels of a colour in the plot.
int contar(const korgas::Lienzo* l, const QColor& c, QRect zona = {}) {
    const QImage& img = l->imagen();
    if (zona.isNull()) zona = img.rect();
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x) n += img.pixelColor(x, y) == c;
    return n;
}

// The longest horizontal run of a colour in the plot.
int corrida(const korgas::Lienzo* l, const QColor& c) {
    const QImage& img = l->imagen();
    int mejor = 0;
    for (int y = 0; y < img.height(); ++y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) {
            n = img.pixelColor(x, y) == c ? n + 1 : 0;
            mejor = std::max(mejor, n);
        }
    }
    return mejor;
}

QStringList esquinas(korgas::frmgraficos* g) {
    return {g->x0y0x->text(), g->x1y0->text(), g->x0y0y->text(), g->x0y1->text()};
}

}  // namespace

class TstFrmgraficos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { korgas::registrar_systems(); }
    void init() { p_ = std::make_unique<Programa>(); }
    void cleanup() { p_.reset(); }

    void grafico_por_defecto();
    void linea_de_equilibrio_data();
    void linea_de_equilibrio();
    void sin_linea_por_encima_del_punto_critico();
    void colores_de_las_curvas();
    void gris_con_una_curva_y_sin_el_con_dos();
    void lo_invisible_no_borra_otras_curvas();
    void escala_automatica_de_las_filas_activas();
    void tope_de_100_atm_sin_invertir_la_escala();
    void lectura_y_zoom();
    void clic_sin_caja_no_cambia_nada();
    void curvas_que_no_se_calculan();
    void escala_que_no_es_un_numero();
    void mitad_de_la_ventana_principal();

  private:
    // The data window with row 1 as given and the others off, and the graph
    // shown by the show-graph button.
    korgas::frmgraficos* dibujar(int numgas, int ecuacion, const QString& t, const QString& n);
    // The scale dialog's typed scale.
    void escala(double vmin, double vmax, double pmin, double pmax);

    std::unique_ptr<Programa> p_;
};

korgas::frmgraficos* TstFrmgraficos::dibujar(int numgas, int ecuacion, const QString& t,
                                             const QString& n) {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, numgas, ecuacion, t, n);
    d->btactualiza->click();
    asentar();
    return grafico();
}

void TstFrmgraficos::escala(double vmin, double vmax, double pmin, double pmax) {
    e("mnuescala")->trigger();
    auto* s = ventana<korgas::frmescala>("frmescala");
    korgas::marcar(s->chky, false);
    const double v[5] = {0, vmin, vmax, pmin, pmax};
    for (int k = 1; k <= 4; ++k) s->txtmm[k]->setText(korgas::fmt(v[k], "####0.####"));
    s->btaceptar->click();
    s->btcancelar->click();
}

void TstFrmgraficos::grafico_por_defecto() {
    korgas::frmdatos* d = p_->abrir_datos();
    QCOMPARE(d->btactualiza->text(), korgas::tx(55));
    d->btactualiza->click();
    asentar();
    korgas::frmgraficos* g = grafico();
    QVERIFY(g && g->isVisible());
    QCOMPARE(g->windowTitle(), korgas::sin_acceso(korgas::tx(3)));
    QCOMPARE(esquinas(g), QStringList({"0.00", "5.00", "0.00", "100.00"}));
    QCOMPARE(d->btactualiza->text(), korgas::tx(58));
    QVERIFY(e("mnuescala")->isEnabled() && e("boton_8")->isEnabled());
    QVERIFY(p_->mensajes().empty());
    // The ideal gas: R·T/V, drawn solid in blue.
    QVERIFY(color_cerca(g->pctgrafico, 1.0, R * 300, kAzul));
    QVERIFY(color_cerca(g->pctgrafico, 4.0, R * 300 / 4, kAzul));

    korgas::Ventanas::descargar("frmgraficos");
    QCOMPARE(d->btactualiza->text(), korgas::tx(55));
    QVERIFY(!e("mnuescala")->isEnabled() && !e("boton_8")->isEnabled());

    // No row ticked: the zero pressure range, once.
    korgas::escala_auto_min = korgas::escala_auto_max = {};
    korgas::marcar(d->Check[1], false);
    d->btactualiza->click();
    asentar();
    QCOMPARE(int(p_->mensajes().size()), 1);
    QCOMPARE(p_->mensajes()[0].texto, korgas::tx(162) + QChar(13) + korgas::tx(163));
    QCOMPARE(p_->mensajes()[0].titulo, QString("Advertencia"));
    QCOMPARE(p_->mensajes()[0].estilo, 16);
}

void TstFrmgraficos::linea_de_equilibrio_data() {
    QTest::addColumn<int>("moles");
    QTest::newRow("1 mol") << 1;
    QTest::newRow("2 mol") << 2;
}

void TstFrmgraficos::linea_de_equilibrio() {
    QFETCH(int, moles);
    korgas::frmgraficos* g = dibujar(1, 1, "250", QString::number(moles));
    escala(0, 1, 0, 50);
    korgas::Lienzo* l = g->pctgrafico;
    QCOMPARE(esquinas(g), QStringList({"0.00", "1.00", "0.00", "50.00"}));
    const double vl = kVl * moles;
    const double vg = kVg * moles;
    const double px = 1.0 / l->width();  // litres per pixel
    // The tie line: blue on its pixel row from vl to vg, and only there.
    for (double v = vl + 2 * px; v <= vg - 2 * px; v += px)
        QVERIFY2(color_cerca(l, v, kPv, kAzul), qPrintable(QString::number(v)));
    // Past its ends its row is clear (the steep liquid branch and the gas
    // branch leave the row at once).
    const double un_pixel = 50.0 / l->height();
    double p_linea = kPv;
    for (double dp : {0.0, un_pixel, -un_pixel}) {
        bool toda = true;
        for (double v = vl + 2 * px; v <= vg - 2 * px; v += px)
            toda = toda && l->color_en(v, kPv + dp) == kAzul;
        if (toda) p_linea = kPv + dp;
    }
    for (double v : {vl - 4 * px, vg + 4 * px})
        QVERIFY2(l->color_en(v, p_linea) != kAzul, qPrintable(QString::number(v)));

    // The grey excluded volume of a single curve, up to n·b.
    QCOMPARE(l->color_en(moles * kB / 2, 25), kGris);
    QCOMPARE(l->color_en(moles * kB - 2 * px, 45), kGris);
    QVERIFY(l->color_en(moles * kB + 2 * px, 45) != kGris);

    // The isotherm between vl and vg is dotted: the same curve with the same
    // parameters as its own (no tie line, drawn solid) shows clearly more
    // blue there.
    const QPointF a = l->a_pixeles(vl + 0.05 * moles, 50);
    const QPointF b = l->a_pixeles(vg - 0.05 * moles, 0);
    const QPointF lin = l->a_pixeles(0, kPv);
    auto fuera_de_la_linea = [&] {
        return contar(l, kAzul,
                      QRect(QPoint(int(a.x()), 0), QPoint(int(b.x()), int(lin.y()) - 3))) +
               contar(l, kAzul,
                      QRect(QPoint(int(a.x()), int(lin.y()) + 3),
                            QPoint(int(b.x()), l->height() - 1)));
    };
    const int punteada = fuera_de_la_linea();
    QVERIFY(punteada > 10);
    sistemas[1].personalizado = true;
    g->dibuja();
    const int solida = fuera_de_la_linea();
    QVERIFY2(punteada < 0.75 * solida, qPrintable(QString("%1 %2").arg(punteada).arg(solida)));
    // An own-parameter curve has no tie line.
    QVERIFY(!color_cerca(l, (vl + vg) / 2, kPv, kAzul) ||
            !color_cerca(l, (vl + vg) / 2 + 10 * px, kPv, kAzul));
    QVERIFY(corrida(l, kAzul) < 40);
    QVERIFY(p_->mensajes().empty());
}

void TstFrmgraficos::sin_linea_por_encima_del_punto_critico() {
    korgas::frmgraficos* g = dibujar(1, 1, "250", "1");
    escala(0, 1, 0, 50);
    QVERIFY(corrida(g->pctgrafico, kAzul) > 150);  // the tie line
    korgas::frmdatos* d = datos();
    fila(d, 1, true, 1, 1, "305", "1");
    korgas::escala_min = {0, 0};
    korgas::escala_max = {1, 50};
    g->dibuja();
    QVERIFY(corrida(g->pctgrafico, kAzul) < 40);
    // The ideal gas neither.
    fila(d, 1, true, 1, 0, "250", "1");
    g->dibuja();
    QVERIFY(corrida(g->pctgrafico, kAzul) < 40);
}

void TstFrmgraficos::colores_de_las_curvas() {
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 1, 1, "250", "1");
    fila(d, 2, true, 2, 4, "120", "1");
    fila(d, 3, true, 3, 8, "500", "1");
    fila(d, 4, true, 4, 0, "300", "1");
    fila(d, 5, true, 1, 3, "280", "2");
    d->btactualiza->click();
    asentar();
    korgas::frmgraficos* g = grafico();
    const QColor colores[5] = {{0, 0, 255}, {0, 128, 0}, {255, 0, 0}, {255, 0, 255}, {128, 128, 0}};
    for (const QColor& c : colores) QVERIFY2(contar(g->pctgrafico, c) > 50, qPrintable(c.name()));
    QCOMPARE(contar(g->pctgrafico, kGris), 0);
    QVERIFY(p_->mensajes().empty());
}

void TstFrmgraficos::gris_con_una_curva_y_sin_el_con_dos() {
    korgas::frmgraficos* g = dibujar(1, 9, "250", "3");  // Dieterici-Sadus: b/4
    korgas::Lienzo* l = g->pctgrafico;
    const double b = sistemas[1].gas.c[1];
    const double px = 5.0 / l->width();
    QCOMPARE(l->color_en(3 * b / 4 - 2 * px, 50), kGris);
    QVERIFY(l->color_en(3 * b / 4 + 2 * px, 50) != kGris);
    korgas::frmdatos* d = datos();
    fila(d, 2, true, 2, 1, "300", "1");
    d->btactualiza->click();
    asentar();
    QCOMPARE(contar(l, kGris), 0);
}

void TstFrmgraficos::lo_invisible_no_borra_otras_curvas() {
    // The ideal gas first; then a gas whose excluded volume (20 mol · b =
    // 0.856 l) lies over it: the stretch not drawn must not erase it.
    korgas::frmdatos* d = p_->abrir_datos();
    fila(d, 1, true, 1, 0, "300", "1");
    fila(d, 2, true, 1, 1, "300", "20");
    d->btactualiza->click();
    asentar();
    korgas::Lienzo* l = grafico()->pctgrafico;
    for (double v : {0.80, 0.85, 0.90})
        QVERIFY2(color_cerca(l, v, R * 300 / v, kAzul), qPrintable(QString::number(v)));
}

void TstFrmgraficos::escala_automatica_de_las_filas_activas() {
    korgas::frmdatos* d = p_->abrir_datos();
    korgas::marcar(d->Check[1], false);  // 300 K, 1 mol: would make it 0..100
    fila(d, 2, true, 1, 0, "10", "0.01");
    fila(d, 3, true, 2, 0, "20", "0.01");
    d->btactualiza->click();
    asentar();
    korgas::frmgraficos* g = grafico();
    // The highest pressure of the ideal gas is at its first sample after 0.
    const int n = korgas::muestras(*g->pctgrafico);
    QCOMPARE(n, g->pctgrafico->width() * 15);
    const double alto = R * 20 * 0.01 / (5.0 / n);
    QCOMPARE(korgas::escala_auto_min.p, 0.0);
    QCOMPARE(korgas::escala_auto_max.p, alto);
    QCOMPARE(korgas::escala_max.p, alto);
    QCOMPARE(g->x0y1->text(), korgas::fmt(alto, "####0.00"));
}

void TstFrmgraficos::tope_de_100_atm_sin_invertir_la_escala() {
    // 100 mol of the ideal gas at 1000 K between 1 and 3 l: every pressure
    // is above 100 atm, so the cap would put the top below the bottom.
    korgas::frmgraficos* g = dibujar(1, 0, "1000", "100");
    QCOMPARE(g->x0y1->text(), QString("100.00"));  // over 0..5 l the cap applies
    e("mnuescala")->trigger();
    auto* s = ventana<korgas::frmescala>("frmescala");
    s->txtmm[1]->setText("1");
    s->txtmm[2]->setText("3");
    s->btaceptar->click();
    QCOMPARE(esquinas(g), QStringList({"1.00", "3.00", korgas::fmt(R * 1000 * 100 / 3, "####0.00"),
                                       korgas::fmt(R * 1000 * 100, "####0.00")}));
    QVERIFY(p_->mensajes().empty());
}

void TstFrmgraficos::lectura_y_zoom() {
    korgas::frmgraficos* g = dibujar(1, 1, "250", "1");
    korgas::Lienzo* l = g->pctgrafico;
    const QStringList automaticas = esquinas(g);

    // The read-out under the pointer.
    raton(l, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, 2.5, 2);
    QCOMPARE(l->toolTip(), QString("(2.5000,2.0000)"));

    // A drag either way zooms to its box; the band is only an overlay.
    const QImage antes = l->imagen();
    for (bool reves : {false, true}) {
        const double v0 = reves ? 3 : 1, p0 = reves ? 40 : 10;
        const double v1 = reves ? 1 : 3, p1 = reves ? 10 : 40;
        korgas::escala_min = korgas::escala_auto_min;
        korgas::escala_max = korgas::escala_auto_max;
        g->dibuja();
        raton(l, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, v0, p0);
        raton(l, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 2, 20);
        QVERIFY(l->hay_banda());
        raton(l, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, v1, p1);
        QCOMPARE(l->imagen(), antes);
        raton(l, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, v1, p1);
        QVERIFY(!l->hay_banda());
        QCOMPARE(esquinas(g), QStringList({"1.00", "3.00", "10.00", "40.00"}));
        QCOMPARE(korgas::escala_min.v, 1.0);
        QCOMPARE(korgas::escala_max.p, 40.0);
    }
    // The automatic scale stays what actualiza made it; a right click goes
    // back to it.
    QCOMPARE(korgas::escala_auto_max.v, 5.0);
    raton(l, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, 2, 20);
    raton(l, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, 2, 20);
    QCOMPARE(esquinas(g), automaticas);

    // Released left of V = 0 and below P = 0: that corner is 0.
    raton(l, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 2, 30);
    raton(l, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, -1, -5);
    QCOMPARE(esquinas(g), QStringList({"0.00", "2.00", "0.00", "30.00"}));
    QVERIFY(p_->mensajes().empty());
}

void TstFrmgraficos::clic_sin_caja_no_cambia_nada() {
    korgas::frmgraficos* g = dibujar(1, 1, "250", "1");
    korgas::Lienzo* l = g->pctgrafico;
    const QImage antes = l->imagen();
    const QStringList esq = esquinas(g);
    raton(l, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 2, 30);
    raton(l, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 3, 30);
    raton(l, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 3, 30);  // no height
    QCOMPARE(l->imagen(), antes);
    QCOMPARE(esquinas(g), esq);
    QVERIFY(!l->hay_banda());
    raton(l, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 2, 30);
    raton(l, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 2, 30);
    QCOMPARE(l->imagen(), antes);
    QCOMPARE(korgas::escala_max.p, 100.0);
}

void TstFrmgraficos::curvas_que_no_se_calculan() {
    // Gas 5 is counted but has no section; gas 2's exponent of the
    // generalised equation is 1.
    auto gases = gases_prueba();
    gases[1].mu = 1;
    QByteArray fichero_roto = fichero(gases).replace("n= 4", "n= 5");
    p_.reset();
    p_ = std::make_unique<Programa>(QString(), fichero_roto);
    korgas::frmdatos* d = p_->abrir_datos();
    QCOMPARE(d->cmbgas[1]->count(), 5);
    fila(d, 1, true, 1, 1, "0", "1");  // 0 K
    fila(d, 2, true, 5, 1, "300", "1");
    fila(d, 3, true, 2, 6, "300", "1");
    fila(d, 4, true, 3, 0, "300", "1");
    QStringList vistos;
    for (const Mensaje& m : p_->mensajes()) vistos << m.texto;
    QVERIFY(vistos.contains(korgas::tx(221)));
    QVERIFY(vistos.contains(korgas::tx(93)));
    p_->mensajes().clear();

    QElapsedTimer reloj;
    reloj.start();
    d->btactualiza->click();
    asentar();
    korgas::frmgraficos* g = grafico();
    QVERIFY(g);
    QVERIFY(reloj.elapsed() < 60000);
    vistos.clear();
    for (const Mensaje& m : p_->mensajes()) vistos << m.texto;
    QCOMPARE(vistos, QStringList({korgas::tx(221), korgas::tx(93)}));
    QCOMPARE(pruebas::no_numerico(g, {}), QString());
    QCOMPARE(pruebas::no_numerico(d, {}), QString());
    // The curves that cannot be computed are left out.
    QVERIFY(contar(g->pctgrafico, QColor(255, 0, 255)) > 50);
    QCOMPARE(contar(g->pctgrafico, QColor(0, 128, 0)), 0);
    QCOMPARE(contar(g->pctgrafico, QColor(255, 0, 0)), 0);
    for (double v : {0.0, 0.01, 2.5, 4.99}) {
        raton(g->pctgrafico, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, v, 50);
        QCOMPARE(pruebas::no_numerico(g, {}), QString());
    }
    // Zooming into it and the dialog's automatic range stay finite too.
    raton(g->pctgrafico, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 0.01, 1);
    raton(g->pctgrafico, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 0.5, 90);
    e("mnuescala")->trigger();
    auto* s = ventana<korgas::frmescala>("frmescala");
    s->btaceptar->click();
    QCOMPARE(pruebas::no_numerico(g, {}), QString());
    QCOMPARE(pruebas::no_numerico(s, {}), QString());
}

void TstFrmgraficos::escala_que_no_es_un_numero() {
    // A range that is not a finite number is refused as too large, and the
    // plot and its labels stay as they were.
    korgas::frmgraficos* g = dibujar(1, 1, "250", "1");
    const QImage antes = g->pctgrafico->imagen();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QVERIFY(!korgas::fija_escala(*g, {0, 0}, {5, nan}));
    QVERIFY(!korgas::fija_escala(*g, {0, 0}, {inf, 10}));
    QCOMPARE(int(p_->mensajes().size()), 2);
    QCOMPARE(p_->mensajes()[0].texto, korgas::tx(165) + QChar(13) + korgas::tx(163));
    QCOMPARE(p_->mensajes()[1].texto, korgas::tx(166) + QChar(13) + korgas::tx(163));
    QCOMPARE(g->pctgrafico->imagen(), antes);
    QCOMPARE(esquinas(g), QStringList({"0.00", "5.00", "0.00", "100.00"}));

    // A curve below 0 over the whole range gives a zero range, never a
    // scale upside down (its lowest pressure is raised to 0).
    korgas::frmdatos* d = datos();
    fila(d, 1, true, 1, 1, "100", "1");
    korgas::punto bajo{0.1, 0}, alto{0.2, 0};
    korgas::rango_presion(*g->pctgrafico, 1, bajo, alto);
    QCOMPARE(bajo.p, 0.0);
    QCOMPARE(alto.p, 0.0);
}

void TstFrmgraficos::mitad_de_la_ventana_principal() {
    korgas::frmgraficos* g = dibujar(1, 1, "250", "1");
    auto* marco = qobject_cast<QMdiSubWindow*>(g->parentWidget());
    QVERIFY(marco);
    const QSize mitad = p_->principal->size() / 2;
    marco->resize(mitad.width() + 100, mitad.height() - 40);
    QCOMPARE(marco->height(), mitad.height());
    // A drag of the bottom edge past the limit leaves the pointer on the edge.
    QCursor::setPos(marco->mapToGlobal(QPoint(50, marco->height() + 40)));
    const QPointF dentro(50, marco->height() + 40);
    QMouseEvent arrastre(QEvent::MouseMove, dentro, marco->mapToGlobal(dentro), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(marco, &arrastre);
    QCOMPARE(QCursor::pos(), marco->mapToGlobal(QPoint(50, marco->height() - 1)));

    marco->resize(mitad.width() - 40, mitad.height() + 100);
    QCOMPARE(marco->width(), mitad.width());
    // The limit follows the main window.
    p_->principal->resize(1400, 1000);
    marco->resize(100, 100);
    QCOMPARE(marco->size(), QSize(700, 500));
    // A resize draws again, and the drawing follows the plot's new size.
    QTRY_COMPARE(g->pctgrafico->imagen().width(),
                 int(g->pctgrafico->width() * g->pctgrafico->devicePixelRatioF()));
    QTRY_VERIFY(color_cerca(g->pctgrafico, 4.0, 250 * R / (4 - kB) - 3.60610 / 16, kAzul));
    QVERIFY(p_->mensajes().empty());
}

QTEST_MAIN(TstFrmgraficos)
#include "tst_frmgraficos.moc"
