// Small things a user meets on a desktop: the help contents open a page on
// one click and show their entries whole; closing the parameter table gives
// the focus back to the data window; every Tab stop of a window shows where
// the focus is.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHelpContentWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>

#include "escritorio_prueba.h"
#include "platform/ventanas.h"
#include "shell/frmayuda.h"

using escritorio::clic;
using escritorio::tecla;

class TstVentanas : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { escritorio::registrar_todo(); }
    void ayuda_un_clic_abre_data();
    void ayuda_un_clic_abre();
    void la_tabla_devuelve_el_foco_a_los_datos();
    void cada_parada_de_tab_se_ve_data();
    void cada_parada_de_tab_se_ve();
};

void TstVentanas::ayuda_un_clic_abre_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("Español") << QStringLiteral("Español");
    QTest::newRow("English") << QStringLiteral("English");
}

void TstVentanas::ayuda_un_clic_abre() {
    QFETCH(QString, idioma);
    escritorio::Programa p(idioma);
    p.entorno.instalar_ayuda(idioma);
    QVERIFY(p.principal);
    korgas::entrada(QStringLiteral("mnuayuda"))->trigger();
    auto* w = korgas::Ventanas::buscar<korgas::frmayuda>(QStringLiteral("frmayuda"));
    QVERIFY(w);
    if (w->inicio().isEmpty()) {
        QSignalSpy listo(w, &korgas::frmayuda::contenido_listo);
        QVERIFY(listo.wait(10000));
    }
    QVERIFY(escritorio::esperar_ventana(w));
    QHelpContentWidget* arbol = w->arbol();
    const QModelIndex raiz = arbol->model()->index(0, 0);
    QVERIFY(arbol->model()->rowCount(raiz) >= 2);
    // Every entry shown whole: the pane is as wide as its longest entry, or
    // it scrolls across to it.
    QStringList cortadas;
    for (int i = 0; i < arbol->model()->rowCount(raiz); ++i) {
        const QModelIndex e = arbol->model()->index(i, 0, raiz);
        const QString texto = e.data().toString();
        if (arbol->fontMetrics().horizontalAdvance(texto) > arbol->visualRect(e).width())
            cortadas << texto;
    }
    QVERIFY2(cortadas.isEmpty(), qPrintable(cortadas.join(QStringLiteral(", "))));
    // Shown whole in the pane, or reached by scrolling across.
    QVERIFY(arbol->viewport()->width() >= arbol->columnWidth(0) ||
            arbol->horizontalScrollBar()->maximum() > 0);
    // One click on the second entry opens its page.
    const QModelIndex segunda = arbol->model()->index(1, 0, raiz);
    const QRect r = arbol->visualRect(segunda);
    QVERIFY(r.isValid());
    const QUrl antes = w->pagina()->source();
    clic(arbol->viewport(), r.center());
    QTRY_VERIFY(w->pagina()->source() != antes);
    QCOMPARE(arbol->currentIndex(), segunda);
    korgas::Ventanas::descargar(QStringLiteral("frmayuda"));
}

void TstVentanas::la_tabla_devuelve_el_foco_a_los_datos() {
    escritorio::Programa p;
    QVERIFY(p.principal);
    // The calculation window open first, so the area has another window to
    // activate.
    QVERIFY(p.abrir(QStringLiteral("frmcalculos")));
    QWidget* datos = p.abrir(QStringLiteral("frmdatos"));
    QVERIFY(datos);
    clic(pruebas::control<QAbstractButton>(datos, "btparametros"));
    QWidget* tabla = nullptr;
    QTRY_VERIFY((tabla = korgas::Ventanas::buscar(QStringLiteral("frmcompuestos"))) &&
                tabla->isVisible());
    clic(pruebas::control<QAbstractButton>(tabla, "btaceptar"));
    QTRY_VERIFY(!korgas::Ventanas::buscar(QStringLiteral("frmcompuestos")));
    QMdiArea* area = korgas::Ventanas::area();
    QTRY_VERIFY(area->activeSubWindow() && area->activeSubWindow()->widget() == datos);
    QTRY_VERIFY(datos->isAncestorOf(QApplication::focusWidget()));
}

void TstVentanas::cada_parada_de_tab_se_ve_data() {
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("ventana");
    // The calculation window in each of its modes.
    for (const char* e : {"mnup", "mnuv", "mnut", "mnuf"})
        QTest::newRow(e) << QString::fromLatin1(e) << QStringLiteral("frmcalculos");
    QTest::newRow("mnuoperaciones") << "mnuoperaciones"
                                    << "frmoperaciones";
    QTest::newRow("mnudato") << "mnudato"
                             << "frmdatos";
    QTest::newRow("mnugases") << "mnugases"
                              << "frmgases";
}

void TstVentanas::cada_parada_de_tab_se_ve() {
    QFETCH(QString, entrada);
    QFETCH(QString, ventana);
    escritorio::Programa p;
    korgas::entrada(entrada)->trigger();
    QWidget* w = p.abrir(ventana);
    QVERIFY(w);
    QTRY_VERIFY(QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget()));
    QWidget* primero = QApplication::focusWidget();
    QStringList mal;
    // Round the window's Tab order once: each stop is a control that shows
    // the focus, visible and enabled.
    auto se_ve = [](QWidget* f) {
        return f && f->isVisible() && f->isEnabled() && f->width() > 0 &&
               (qobject_cast<QLineEdit*>(f) || qobject_cast<QComboBox*>(f) ||
                qobject_cast<QAbstractButton*>(f) || qobject_cast<QAbstractSpinBox*>(f) ||
                qobject_cast<QAbstractItemView*>(f));
    };
    // Back from the first stop too: the order wraps round to the last one.
    tecla(XK_Tab, Qt::ShiftModifier);
    if (!se_ve(QApplication::focusWidget())) mal << QStringLiteral("before the first");
    tecla(XK_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), primero);
    for (int i = 0; i < 80; ++i) {
        QWidget* f = QApplication::focusWidget();
        if (!se_ve(f))
            mal << (f ? QStringLiteral("%1 (%2)").arg(
                            f->objectName(), QString::fromLatin1(f->metaObject()->className()))
                      : QStringLiteral("nothing"));
        tecla(XK_Tab);
        if (QApplication::focusWidget() == primero) break;
    }
    QVERIFY2(mal.isEmpty(), qPrintable(mal.join(QStringLiteral(", "))));
}

QTEST_MAIN(TstVentanas)
#include "tst_ventanas.moc"
