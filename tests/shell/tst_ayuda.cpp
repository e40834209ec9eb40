// The help: the collections built for each language, and the help window the
// Help entry opens.
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <set>

#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/frmayuda.h"
#include "shell/idiomas.h"
#include "shell/registro.h"

using namespace korgas;

namespace {

// Every item of the contents tree, depth first.
void recorrer(QHelpContentItem* item, QList<QHelpContentItem*>& todos) {
    todos << item;
    for (int i = 0; i < item->childCount(); ++i) recorrer(item->child(i), todos);
}

// Waits until the engine's contents and index, which it builds in threads of
// its own, are done, so that no such thread outlives the engine.
void asentar(QHelpEngine& motor) {
    QHelpContentModel* modelo = motor.contentModel();
    QHelpIndexModel* indice = motor.indexModel();
    for (int i = 0; i < 200 && (modelo->rowCount() == 0 || modelo->isCreatingContents() ||
                                indice->isCreatingIndex());
         ++i)
        QTest::qWait(50);
}

QList<QHelpContentItem*> contenido(QHelpEngine& motor) {
    asentar(motor);
    QHelpContentModel* modelo = motor.contentModel();
    QList<QHelpContentItem*> todos;
    for (int i = 0; i < modelo->rowCount(); ++i)
        recorrer(modelo->contentItemAt(modelo->index(i, 0)), todos);
    return todos;
}

QString relativa(const QUrl& url) {
    return url.path().section('/', -1);
}

frmayuda* ventana_ayuda() {
    return Ventanas::buscar<frmayuda>("frmayuda");
}

}  // namespace

class TstAyuda : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { registrar_shell(); }

    void colecciones_data();
    void colecciones();
    void mismas_paginas_en_cada_idioma();

    void sin_coleccion_data();
    void sin_coleccion();
    void coleccion_ilegible();
    void abre_en_el_contenido_y_se_reutiliza();
};

void TstAyuda::colecciones_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("Español") << QString::fromUtf8("Español");
    QTest::newRow("English") << QString("English");
}

void TstAyuda::colecciones() {
    QFETCH(QString, idioma);
    // Opened from a folder of its own, as the program opens it: the collection
    // finds its documentation beside it.
    ProgramaPrueba prog;
    prog.instalar_ayuda(idioma);
    QHelpEngine motor(prog.ruta(idioma + ".qhc"));
    motor.setReadOnly(true);
    QVERIFY2(motor.setupData(), qPrintable(motor.error()));

    const QList<QHelpContentItem*> items = contenido(motor);
    QVERIFY(items.size() >= 20);
    std::set<QString> listadas;
    for (QHelpContentItem* it : items) {
        QVERIFY(!it->title().isEmpty());
        const QByteArray pagina = motor.fileData(it->url());
        QVERIFY2(!pagina.isEmpty(), qPrintable(it->url().toString()));
        listadas.insert(relativa(it->url()));

        // Every link and picture of the page is in the collection too.
        static const QRegularExpression enlace(
            QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"#:]+)(?:#[^\"]*)?\""));
        const QString html = QString::fromUtf8(pagina);
        for (auto m = enlace.globalMatch(html); m.hasNext();) {
            const QUrl destino = it->url().resolved(QUrl(m.next().captured(1)));
            QVERIFY2(!motor.fileData(destino).isEmpty(),
                     qPrintable(relativa(it->url()) + " -> " + destino.toString()));
        }
        // The page's own title is the one of the contents.
        QVERIFY2(html.contains("<title>" + it->title().toHtmlEscaped() + "</title>"),
                 qPrintable(it->title()));
    }
    QCOMPARE(listadas.size(), std::size_t(items.size()));  // no page listed twice
    // The ten equations have their formula pictures.
    for (int e = 0; e < 10; ++e) {
        const QUrl png = items.front()->url().resolved(QUrl(QString("formula_%1.png").arg(e)));
        QVERIFY(QImage::fromData(motor.fileData(png)).width() > 50);
    }
}

void TstAyuda::mismas_paginas_en_cada_idioma() {
    // The two languages have the same contents, page for page.
    QStringList paginas[2];
    int k = 0;
    ProgramaPrueba prog;
    for (const QString& idioma : {QString::fromUtf8("Español"), QString("English")}) {
        prog.instalar_ayuda(idioma);
        QHelpEngine motor(prog.ruta(idioma + ".qhc"));
        motor.setReadOnly(true);
        QVERIFY(motor.setupData());
        for (QHelpContentItem* it : contenido(motor)) paginas[k] << relativa(it->url());
        ++k;
    }
    QCOMPARE(paginas[0], paginas[1]);
}

void TstAyuda::sin_coleccion_data() {
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("instalada");  // the collection put in the folder
    QTest::addColumn<bool>("sin_paginas");   // and its .qch then removed
    const QString es = QString::fromUtf8("Español");
    QTest::newRow("language without collection") << QString("English") << QString() << false;
    QTest::newRow("current language has no section") << QString("Klingon") << QString() << false;
    QTest::newRow("collection of another language only") << QString("English") << es << false;
    QTest::newRow("collection without its pages") << es << es << true;
}

void TstAyuda::sin_coleccion() {
    QFETCH(QString, idioma);
    QFETCH(QString, instalada);
    QFETCH(bool, sin_paginas);
    ProgramaPrueba prog(idioma);
    if (!instalada.isEmpty()) prog.instalar_ayuda(instalada);
    if (sin_paginas) QVERIFY(QFile::remove(prog.ruta(instalada + ".qch")));
    QVERIFY(prog.arrancar_hasta_principal());
    // A current language without a section: the start-up said so first.
    if (idioma == "Klingon") {
        QCOMPARE(prog.mensajes.size(), std::size_t(1));
        prog.mensajes.clear();
    }
    QAction* ayuda = entrada("mnuayuda");
    QVERIFY(ayuda->isEnabled());
    ayuda->trigger();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(36));
    QCOMPARE(prog.mensajes[0].estilo, 64);
    QCOMPARE(prog.mensajes[0].titulo, QString("KOR GAS V1.0"));
    QVERIFY(!ventana_ayuda());
    // The toolbar button goes the same way.
    entrada("boton_16")->trigger();
    QCOMPARE(prog.mensajes.size(), std::size_t(2));
    QVERIFY(!ventana_ayuda());
    // Nothing is left behind in the program's folder.
    if (sin_paginas) QVERIFY(!QFile::exists(prog.ruta(instalada + ".qch")));
}

void TstAyuda::coleccion_ilegible() {
    ProgramaPrueba prog(QString::fromUtf8("Español"));
    prog.escribir(QString::fromUtf8("Español.qhc"), "no es una coleccion de ayuda");
    QVERIFY(prog.arrancar_hasta_principal());
    entrada("mnuayuda")->trigger();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QVERIFY(!prog.mensajes[0].texto.isEmpty());
    QVERIFY(prog.mensajes[0].texto != tx(36));
    QCOMPARE(prog.mensajes[0].estilo, 0);
    QVERIFY(!ventana_ayuda());
}

void TstAyuda::abre_en_el_contenido_y_se_reutiliza() {
    for (const QString& idioma : {QString::fromUtf8("Español"), QString("English")}) {
        ProgramaPrueba prog(idioma);
        prog.instalar_ayuda(idioma);
        QVERIFY(prog.arrancar_hasta_principal());
        entrada("mnuayuda")->trigger();
        frmayuda* w = ventana_ayuda();
        QVERIFY(w && w->isVisible() && w->isWindow());
        if (w->inicio().isEmpty()) {
            QSignalSpy listo(w, &frmayuda::contenido_listo);
            QVERIFY(listo.wait(10000));
        }
        QVERIFY(prog.mensajes.empty());
        // At its contents: the tree filled and open, its first page shown.
        QVERIFY(w->arbol()->model()->rowCount() > 0);
        const QModelIndex raiz = w->arbol()->model()->index(0, 0);
        QVERIFY(w->arbol()->isExpanded(raiz));
        QVERIFY(w->arbol()->model()->rowCount(raiz) >= 10);
        QCOMPARE(w->pagina()->source(), w->inicio());
        QCOMPARE(relativa(w->inicio()), QString("index.html"));
        QVERIFY(w->pagina()->toPlainText().contains("KOR-GAS"));
        QCOMPARE(w->windowTitle(), sin_acceso(tx(30)));

        // A page of one equation, by its link in the contents: the formula
        // picture is drawn in it.
        const QUrl ec = w->inicio().resolved(QUrl("ec_vdw.html"));
        emit w->arbol()->linkActivated(ec);
        QCOMPARE(w->pagina()->source(), ec);
        QCOMPARE(w->arbol()->currentIndex(), w->arbol()->indexOf(ec));  // the tree follows
        QVERIFY(w->pagina()->toPlainText().contains("Van der Waals", Qt::CaseInsensitive));

        // A second Help brings the same window back, on the page it shows.
        entrada("boton_16")->trigger();
        QCOMPARE(ventana_ayuda(), w);
        QCOMPARE(w->pagina()->source(), ec);
        int ventanas = 0;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (qobject_cast<frmayuda*>(t)) ++ventanas;
        QCOMPARE(ventanas, 1);
        Ventanas::descargar("frmayuda");
    }
}

QTEST_MAIN(TstAyuda)
#include "tst_ayuda.moc"
