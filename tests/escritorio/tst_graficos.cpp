// The graph window's plot under a real pointer: a plain click changes
// nothing, a drag zooms to its box, the scale dialog shows the scale.
#include <QLineEdit>

#include "core/gas.h"
#include "core/numtext.h"
#include "escritorio_prueba.h"
#include "platform/lienzo.h"
#include "platform/ventanas.h"
#include "systems/frmgraficos.h"

using escritorio::boton;
using escritorio::mover_global;

namespace {

korgas::frmgraficos* abrir_grafico(escritorio::Programa& p) {
    for (const char* e : {"mnudato", "mnudibujos"}) {
        QAction* a = korgas::entrada(QString::fromLatin1(e));
        if (!a) return nullptr;
        a->trigger();
    }
    return qobject_cast<korgas::frmgraficos*>(p.abrir(QStringLiteral("frmgraficos")));
}

}  // namespace

class TstGraficos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { escritorio::registrar_todo(); }
    void un_clic_no_cambia_nada();
    void arrastrar_acerca();
};

void TstGraficos::un_clic_no_cambia_nada() {
    escritorio::Programa p;
    QVERIFY(p.principal);
    korgas::frmgraficos* g = abrir_grafico(p);
    QVERIFY(g);
    korgas::Lienzo* plot = g->pctgrafico;
    // Clicks at several places of the plot, each without moving.
    const korgas::punto min = korgas::escala_min, max = korgas::escala_max;
    const QImage antes = plot->imagen();
    for (const QPoint& en :
         {QPoint(plot->width() / 3, plot->height() / 3),
          QPoint(plot->width() / 2 + 7, plot->height() / 2 + 3), QPoint(plot->width() - 13, 11)}) {
        escritorio::clic(plot, en);
        QCOMPARE(korgas::escala_min.v, min.v);
        QCOMPARE(korgas::escala_min.p, min.p);
        QCOMPARE(korgas::escala_max.v, max.v);
        QCOMPARE(korgas::escala_max.p, max.p);
    }
    QVERIFY(plot->imagen() == antes);
    // The scale dialog shows the scale the plot keeps.
    korgas::entrada(QStringLiteral("mnuescala"))->trigger();
    QWidget* d = p.abrir(QStringLiteral("frmescala"));
    QVERIFY(d);
    QCOMPARE(pruebas::caja(d, "txtmm_1")->text(),
             QString::fromStdString(korgas::texto_corto(min.v)));
}

void TstGraficos::arrastrar_acerca() {
    escritorio::Programa p;
    korgas::frmgraficos* g = abrir_grafico(p);
    QVERIFY(g);
    korgas::Lienzo* plot = g->pctgrafico;
    const QPoint a(plot->width() / 4, plot->height() / 4);
    const QPoint b(plot->width() / 2, plot->height() / 2);
    const QPointF ea = plot->a_escala(a), eb = plot->a_escala(b);
    mover_global(plot->mapToGlobal(a));
    boton(1, true);
    for (int i = 1; i <= 4; ++i) mover_global(plot->mapToGlobal(a + (b - a) * i / 4));
    const int antes = escritorio::testigo().sueltas;
    boton(1, false);
    escritorio::esperar_suelta(antes);
    QTRY_COMPARE(korgas::escala_min.v, std::min(ea.x(), eb.x()));
    QCOMPARE(korgas::escala_max.v, std::max(ea.x(), eb.x()));
    QCOMPARE(korgas::escala_min.p, std::min(ea.y(), eb.y()));
    QCOMPARE(korgas::escala_max.p, std::max(ea.y(), eb.y()));
}

QTEST_MAIN(TstGraficos)
#include "tst_graficos.moc"
