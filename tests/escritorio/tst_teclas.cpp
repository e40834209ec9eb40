// Access keys on a desktop: while a window inside the main window is active,
// Alt and the letter of one of its own captions presses that button, even
// where the main menu has a title with the same letter; a letter the window
// does not use still opens the main menu.
#include <QAbstractButton>
#include <QMenu>
#include <QSignalSpy>

#include "escritorio_prueba.h"
#include "platform/ventanas.h"

using escritorio::tecla;

namespace {

// Opens a window through its menu entries, in order, and waits until the
// last one is active.
QWidget* abrir_por_menu(escritorio::Programa& p, const QStringList& entradas,
                        const QString& ventana) {
    for (const QString& e : entradas) {
        QAction* a = korgas::entrada(e);
        if (!a) return nullptr;
        a->trigger();
    }
    return p.abrir(ventana);
}

}  // namespace

class TstTeclas : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { escritorio::registrar_todo(); }
    void botones_de_la_ventana_data();
    void botones_de_la_ventana();
    void el_menu_sigue_con_sus_letras();
};

void TstTeclas::botones_de_la_ventana_data() {
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("ventana");
    QTest::addColumn<QString>("boton");
    QTest::addColumn<int>("letra");
    const QStringList escala{"mnudato", "mnudibujos", "mnuescala"};
    const QString es = QStringLiteral("Español"), en = QStringLiteral("English");
    // Each clashes with a title of the main menu in its language.
    QTest::newRow("scale dialog, Aceptar") << es << escala << "frmescala"
                                           << "btaceptar" << int(XK_a);
    QTest::newRow("scale dialog, Cancelar") << es << escala << "frmescala"
                                            << "btcancelar" << int(XK_c);
    QTest::newRow("scale dialog, Cancel") << en << escala << "frmescala"
                                          << "btcancelar" << int(XK_c);
    QTest::newRow("data window, Show graph") << en << QStringList{"mnudato"} << "frmdatos"
                                             << "btactualiza" << int(XK_s);
    QTest::newRow("parameter table, Aceptar") << es << QStringList{"mnudato"} << "frmcompuestos"
                                              << "btaceptar" << int(XK_a);
    QTest::newRow("language editor, Guardar") << es << QStringList{} << "frmIdioma"
                                              << "btguardar" << int(XK_g);
    QTest::newRow("language editor, Save") << en << QStringList{} << "frmIdioma"
                                           << "btguardar" << int(XK_s);
}

void TstTeclas::botones_de_la_ventana() {
    QFETCH(QString, idioma);
    QFETCH(QStringList, menus);
    QFETCH(QString, ventana);
    QFETCH(QString, boton);
    QFETCH(int, letra);
    escritorio::Programa p(idioma);
    QVERIFY(p.principal);
    QWidget* w = abrir_por_menu(p, menus, ventana);
    QVERIFY(w);
    auto* b = pruebas::control<QAbstractButton>(w, boton);
    QSignalSpy pulsado(b, &QAbstractButton::clicked);
    tecla(letra, Qt::AltModifier);
    QTRY_COMPARE(pulsado.count(), 1);
    QVERIFY(!QApplication::activePopupWidget());
}

void TstTeclas::el_menu_sigue_con_sus_letras() {
    escritorio::Programa p;
    QVERIFY(p.principal);
    QWidget* w = abrir_por_menu(p, {"mnudato", "mnudibujos", "mnuescala"}, "frmescala");
    QVERIFY(w);
    // The scale dialog has no D: the Datos menu opens.
    tecla(XK_d, Qt::AltModifier);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("mnudatos"));
    tecla(XK_Escape);
    tecla(XK_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TstTeclas)
#include "tst_teclas.moc"
