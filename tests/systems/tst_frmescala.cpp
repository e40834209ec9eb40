// The scale dialog over the graph window: its first opening, the automatic
// pressure axis over typed volumes, typed pressures, each of its warnings and
// those of a scale that cannot be drawn, and how it closes.
#include "platform/texto_qt.h"
#include "sistemas_prueba.h"
#include "systems/graficos.h"

using namespace sistemas_prueba;
using korgas::num;
using korgas::sistemas;

class TstFrmescala : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { korgas::registrar_systems(); }
    void init();
    void cleanup() { p_.reset(); }

    void primera_apertura();
    void presion_automatica_de_dos_curvas();
    void avisos_data();
    void avisos();
    void al_cerrar();

  private:
    korgas::frmescala* abrir() {
        e("mnuescala")->trigger();
        return ventana<korgas::frmescala>("frmescala");
    }
    void arrancar(const QString& idioma);
    std::unique_ptr<Programa> p_;
};

void TstFrmescala::init() {
    arrancar(QString());
}

void TstFrmescala::arrancar(const QString& idioma) {
    p_.reset();
    p_ = std::make_unique<Programa>(idioma);
    korgas::frmdatos* d = p_->abrir_datos();
    d->btactualiza->click();  // the ideal gas at 300 K, 1 mol
    asentar();
}

void TstFrmescala::primera_apertura() {
    korgas::frmescala* s = abrir();
    QVERIFY(s && s->isVisible());
    QCOMPARE(s->windowTitle(), korgas::tx(150));
    QCOMPARE(s->btaceptar->text(), korgas::tx(65));
    QCOMPARE(s->txtmm[1]->text(), QString("0"));
    QCOMPARE(s->txtmm[2]->text(), QString("5"));
    QCOMPARE(s->txtmm[3]->text(), QString("0"));
    QCOMPARE(s->txtmm[4]->text(), QString("100"));
    QVERIFY(s->chky->isChecked());
    QVERIFY(!s->txtmm[3]->isEnabled() && !s->txtmm[4]->isEnabled() && !s->Label[3]->isEnabled());
    // The graph takes no input while the dialog is open.
    QVERIFY(!grafico()->parentWidget()->isEnabled());
    korgas::marcar(s->chky, false);
    QVERIFY(s->txtmm[3]->isEnabled() && s->Label[4]->isEnabled());

    // An all-zero current scale opens as the automatic one.
    s->btcancelar->click();
    QVERIFY(grafico()->parentWidget()->isEnabled());
    korgas::escala_min = korgas::escala_max = {};
    s = abrir();
    QCOMPARE(s->txtmm[2]->text(), QString("5"));
    QCOMPARE(korgas::escala_max.p, 100.0);
}

void TstFrmescala::presion_automatica_de_dos_curvas() {
    korgas::frmdatos* d = datos();
    fila(d, 2, true, 2, 0, "200", "2");
    d->btactualiza->click();
    asentar();
    korgas::frmescala* s = abrir();
    s->txtmm[1]->setText("1");
    s->txtmm[2]->setText("3");
    s->btaceptar->click();
    // The ideal gas between 1 and 3 l: lowest at 3 l of row 1 (300 K,
    // 1 mol), highest at 1 l of row 2 (200 K, 2 mol).
    constexpr double R = 0.08206;
    korgas::frmgraficos* g = grafico();
    QCOMPARE(g->x0y0x->text(), QString("1.00"));
    QCOMPARE(g->x1y0->text(), QString("3.00"));
    QCOMPARE(g->x0y0y->text(), korgas::fmt(R * 300 / 3, "####0.00"));
    QCOMPARE(g->x0y1->text(), korgas::fmt(R * 200 * 2, "####0.00"));
    QCOMPARE(num(s->txtmm[3]->text()), korgas::escala_min.p);
    QCOMPARE(num(s->txtmm[4]->text()), korgas::escala_max.p);
    QVERIFY(std::abs(korgas::escala_min.p - R * 100) < 1e-6);
    // The dialog stays; the graph is enabled again; the automatic scale of
    // the graph is what its actualiza made it.
    QVERIFY(s->isVisible());
    QVERIFY(g->parentWidget()->isEnabled());
    QCOMPARE(korgas::escala_auto_max.v, 5.0);
    QVERIFY(p_->mensajes().empty());

    // Typed pressures.
    korgas::marcar(s->chky, false);
    s->txtmm[3]->setText("10");
    s->txtmm[4]->setText("20");
    s->btaceptar->click();
    QCOMPARE(g->x0y0y->text(), QString("10.00"));
    QCOMPARE(g->x0y1->text(), QString("20.00"));
}

void TstFrmescala::avisos_data() {
    QTest::addColumn<QStringList>("cajas");  // V min, V max, P min, P max ("-": automatic P)
    QTest::addColumn<QString>("mensaje");    // a fixed text, or #n for language text n then 163
    QTest::addColumn<int>("estilo");
    QTest::addColumn<QString>("idioma");  // empty: the shipped current one
    QTest::newRow("V inverted") << QStringList{"3", "1", "-", "-"}
                                << "El valor de V máximo debe ser mayor que V mínimo" << 0
                                << QString();
    QTest::newRow("P inverted") << QStringList{"1", "3", "20", "10"}
                                << "El valor de P máxima debe ser mayor que P mínima" << 0
                                << QString();
    QTest::newRow("V inverted, in English")
        << QStringList{"3", "1", "-", "-"} << "The maximum V must be greater than the minimum V"
        << 0 << "English";
    QTest::newRow("P inverted, in English")
        << QStringList{"1", "3", "20", "10"} << "The maximum P must be greater than the minimum P"
        << 0 << "English";
    QTest::newRow("P equal, in English")
        << QStringList{"1", "3", "7", "7"} << "#162" << 16 << "English";
    QTest::newRow("V equal") << QStringList{"2", "2", "0", "10"} << "#164" << 16 << QString();
    // Over one volume the automatic pressure range is zero too, and that is
    // checked first.
    QTest::newRow("V equal, automatic P")
        << QStringList{"2", "2", "-", "-"} << "#162" << 16 << QString();
    QTest::newRow("P equal") << QStringList{"1", "3", "7", "7"} << "#162" << 16 << QString();
    QTest::newRow("P too large") << QStringList{"1", "3", "0", "2000000000"} << "#165" << 16
                                 << QString();
    QTest::newRow("V too large") << QStringList{"0", "2000000000", "0", "10"} << "#166" << 16
                                 << QString();
    QTest::newRow("V empty") << QStringList{"", "3", "-", "-"} << "" << 0 << QString();
    QTest::newRow("P empty") << QStringList{"1", "3", "", "10"} << "" << 0 << QString();
}

void TstFrmescala::avisos() {
    QFETCH(QStringList, cajas);
    QFETCH(QString, mensaje);
    QFETCH(int, estilo);
    QFETCH(QString, idioma);
    if (!idioma.isEmpty()) arrancar(idioma);
    korgas::frmescala* s = abrir();
    korgas::frmgraficos* g = grafico();
    const bool automatica = cajas[2] == "-";
    korgas::marcar(s->chky, automatica);
    for (int k = 0; k < 4; ++k)
        if (cajas[k] != "-") s->txtmm[k + 1]->setText(cajas[k]);
    const QStringList antes = {g->x0y0x->text(), g->x1y0->text()};
    const korgas::punto min = korgas::escala_min;
    const korgas::punto max = korgas::escala_max;
    p_->mensajes().clear();
    s->btaceptar->click();
    if (mensaje.isEmpty()) {
        // An empty box: the click does nothing at all.
        QVERIFY(p_->mensajes().empty());
        QCOMPARE(QStringList({g->x0y0x->text(), g->x1y0->text()}), antes);
        QCOMPARE(korgas::escala_min.v, min.v);
        QCOMPARE(korgas::escala_max.v, max.v);
        return;
    }
    QCOMPARE(int(p_->mensajes().size()), 1);
    const Mensaje& m = p_->mensajes()[0];
    QCOMPARE(m.estilo, estilo);
    if (mensaje.startsWith('#')) {
        // Refused when drawn: the scale stays current, the plot empty.
        QCOMPARE(m.texto, korgas::tx(mensaje.mid(1).toInt()) + QChar(13) + korgas::tx(163));
        QCOMPARE(m.titulo, idioma.isEmpty() ? QString("Advertencia") : QString("Warning"));
        QCOMPARE(korgas::escala_min.v, num(cajas[0]));
        const QImage& img = g->pctgrafico->imagen();
        QImage blanca(img.size(), img.format());
        blanca.fill(Qt::white);
        QCOMPARE(img, blanca);
        QVERIFY(g->parentWidget()->isEnabled());
    } else {
        // Refused by the dialog: nothing changes.
        QCOMPARE(m.texto, mensaje);
        QCOMPARE(m.titulo, korgas::titulo_programa());
        QCOMPARE(QStringList({g->x0y0x->text(), g->x1y0->text()}), antes);
        QCOMPARE(korgas::escala_min.v, min.v);
    }
}

void TstFrmescala::al_cerrar() {
    // The close box enables the graph again.
    korgas::frmescala* s = abrir();
    QVERIFY(!grafico()->parentWidget()->isEnabled());
    s->parentWidget()->close();
    QVERIFY(!ventana<korgas::frmescala>("frmescala"));
    QVERIFY(grafico()->parentWidget()->isEnabled());
    // Closing the graph (here with the data window) takes the dialog along.
    abrir();
    korgas::Ventanas::descargar("frmdatos");
    QVERIFY(!grafico());
    QVERIFY(!ventana<korgas::frmescala>("frmescala"));
    QVERIFY(!e("mnuescala")->isEnabled() && !e("boton_8")->isEnabled());
}

QTEST_MAIN(TstFrmescala)
#include "tst_frmescala.moc"
