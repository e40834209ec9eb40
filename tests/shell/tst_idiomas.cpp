// The language file, the language menu and the choice of the next start's
// language.
#include <QAction>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <set>

#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/idiomas.h"

using namespace korgas;

namespace {

QAction* e(const QString& nombre) {
    return entrada(nombre);
}
QAction* idioma(int i) {
    return e(QString("mnuidiomas_%1").arg(i));
}

// Builds a language file of these language sections, each with texts 1..40.
QByteArray fichero_de(const QString& actual, const QStringList& idiomas) {
    QString t = "[idioma]\r\nidioma=" + actual + "\r\n";
    for (const QString& i : idiomas) {
        t += "\r\n[" + i + "]\r\n";
        for (int n = 1; n <= 40; ++n) t += QString("%1=%2 %1\r\n").arg(n).arg(i);
    }
    return t.toLatin1();
}

}  // namespace

class TstIdiomas : public QObject {
    Q_OBJECT

  private slots:
    void fichero_entregado_completo();
    void menu_de_idiomas_data();
    void menu_de_idiomas();
    void elegir_otro_idioma();
    void el_idioma_marcado_no_hace_nada();
    void idioma_desaparecido();
    void escritura_fallida_data();
    void escritura_fallida();
    void texto_cambiado_en_el_fichero();
    void botones_de_qt_data();
    void botones_de_qt();
};

void TstIdiomas::fichero_entregado_completo() {
    QFile f(QStringLiteral(KORGAS_SOURCE_DIR "/data/idioma.lng"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Windows-1252, CR LF on every line.
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    QVERIFY(bytes.startsWith("[idioma]\r\nidioma=Espa\xF1ol\r\n"));

    std::set<int> leidos;
    const int listas[][2] = {{1, 25},    {27, 40},   {50, 55},   {58, 58},   {60, 65},
                             {70, 73},   {77, 95},   {100, 108}, {110, 114}, {120, 129},
                             {140, 144}, {150, 156}, {160, 169}, {180, 185}, {190, 203},
                             {207, 210}, {220, 225}, {230, 267}};
    QStringList claves[2];
    int seccion = -1;
    for (const QByteArray& linea : bytes.split('\n')) {
        const QByteArray l = linea.chopped(linea.endsWith('\r') ? 1 : 0);
        if (l.startsWith('[')) {
            ++seccion;
            continue;
        }
        if (seccion >= 1 && !l.isEmpty()) claves[seccion - 1] << l.left(l.indexOf('='));
    }
    QCOMPARE(seccion, 2);
    QCOMPARE(claves[0], claves[1]);  // same keys, same order
    int anterior = 0;
    for (const QString& c : claves[0]) {
        QVERIFY2(c.toInt() > anterior, qPrintable(c));  // increasing
        anterior = c.toInt();
    }

    const std::string ruta = KORGAS_SOURCE_DIR "/data/idioma.lng";
    std::vector<std::string> secciones(1);
    QCOMPARE(leersecciones(ruta, secciones), 2);
    QCOMPARE(QString::fromStdString(secciones[1]), QString::fromUtf8("Español"));
    QCOMPARE(QString::fromStdString(secciones[2]), QString("English"));
    int total = 0;
    for (const auto& [desde, hasta] : listas) {
        for (int n = desde; n <= hasta; ++n, ++total) {
            for (int s = 1; s <= 2; ++s)
                QVERIFY2(!leervalor(ruta, secciones[s], std::to_string(n)).empty(),
                         qPrintable(QString("text %1 of %2").arg(n).arg(s)));
        }
    }
    QCOMPARE(claves[0].size(), total);  // and nothing else
}

void TstIdiomas::menu_de_idiomas_data() {
    QTest::addColumn<QByteArray>("fichero");  // null: as shipped
    QTest::addColumn<QStringList>("nombres");
    QTest::addColumn<int>("marcado");  // 0: none
    const QString es = QString::fromUtf8("Español");
    QTest::newRow("as shipped") << QByteArray() << QStringList{es, "English"} << 1;
    QTest::newRow("other letter case")
        << QString(
               "[idioma]\r\nidioma=ESPAÑOL\r\n\r\n[Español]\r\n1=&Archivos\r\n\r\n"
               "[English]\r\n1=&File\r\n")
               .toLatin1()
        << QStringList{es, "English"} << 1;
    QTest::newRow("current language has no section")
        << fichero_de("Klingon", {"Uno", "Dos"}) << QStringList{"Uno", "Dos"} << 1;
    QStringList nueve;
    for (int i = 1; i <= 9; ++i) nueve << QString("Idioma%1").arg(i);
    QTest::newRow("nine languages") << fichero_de("Idioma9", nueve) << nueve << 9;
    QTest::newRow("blank and repeated names")
        << QByteArray(
               "[idioma]\r\nidioma=B\r\n\r\n[A]\r\n1=a\r\n\r\n[ ]\r\n1=blank\r\n\r\n"
               "[]\r\n1=empty\r\n\r\n[B]\r\n1=b\r\n\r\n[a]\r\n1=again\r\n")
        << QStringList{"A", "B"} << 2;
    QTest::newRow("a name with &") << fichero_de("A&B", {"A&B"}) << QStringList{"A&B"} << 1;
}

void TstIdiomas::menu_de_idiomas() {
    QFETCH(QByteArray, fichero);
    QFETCH(QStringList, nombres);
    QFETCH(int, marcado);
    ProgramaPrueba prog;
    if (!fichero.isNull()) prog.escribir("idioma.lng", fichero);
    QVERIFY(prog.arrancar_hasta_principal());

    const int k = int(nombres.size());
    QCOMPARE(numidiomas, k);
    for (int i = 1; i <= k; ++i) {
        QCOMPARE(QString::fromStdString(listaidiomas[i]), nombres[i - 1]);
        QAction* a = idioma(i);
        QVERIFY(a->isVisible() && a->isEnabled() && !a->isSeparator());
        QCOMPARE(sin_acceso(a->text()), nombres[i - 1]);
        QCOMPARE(a->isChecked(), i == marcado);
    }
    QVERIFY(idioma(k + 1)->isSeparator() && idioma(k + 1)->isVisible());
    QAction* editor = idioma(k + 2);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), tx(29));
    QVERIFY(!editor->isChecked());
    QVERIFY(!editor->isEnabled());  // no language editor is registered in this test
    for (int i = k + 3; i <= 10; ++i) QVERIFY(!idioma(i)->isVisible());
    QCOMPARE(fichero_ayuda, marcado ? prog.ruta(nombres[marcado - 1] + ".qhc") : QString());
    if (marcado) QVERIFY(!tx(1).isEmpty());  // the texts are found in any letter case
    // A current language without a section of its own: the start-up said so.
    QCOMPARE(prog.mensajes.size(), std::size_t(fichero.contains("Klingon") ? 1 : 0));
}

void TstIdiomas::elegir_otro_idioma() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    idioma(2)->trigger();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(168));
    QCOMPARE(prog.mensajes[0].estilo, 64);
    QCOMPARE(prog.mensajes[0].titulo, QString("Idioma"));
    QCOMPARE(leervalor(prog.idioma_lng(), "idioma", "idioma"), std::string("English"));
    // Nothing else changes in this run.
    QVERIFY(idioma(1)->isChecked());
    QVERIFY(!idioma(2)->isChecked());
    QCOMPARE(QString::fromStdString(idioma_actual), QString::fromUtf8("Español"));
    QCOMPARE(e("mnuarchivos")->text(), QString("&Archivos"));
    // The next start speaks the chosen language.
    prog.cerrar();
    QVERIFY(prog.arrancar_hasta_principal());
    QCOMPARE(e("mnuarchivos")->text(), QString("&File"));
    QCOMPARE(e("mnup")->text(), QString("Calculate P (T,V)"));
    QVERIFY(idioma(2)->isChecked());
    QVERIFY(!idioma(1)->isChecked());
}

void TstIdiomas::el_idioma_marcado_no_hace_nada() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    const QByteArray antes = prog.leer("idioma.lng");
    idioma(1)->trigger();
    idioma(1)->trigger();
    QVERIFY(prog.mensajes.empty());
    QCOMPARE(prog.leer("idioma.lng"), antes);
    QVERIFY(idioma(1)->isChecked());
    QVERIFY(!idioma(2)->isChecked());
}

void TstIdiomas::idioma_desaparecido() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    // The English section goes while the program runs.
    QByteArray sin_ingles = prog.leer("idioma.lng");
    sin_ingles.truncate(sin_ingles.indexOf("[English]"));
    prog.escribir("idioma.lng", sin_ingles);
    idioma(2)->trigger();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(167));
    QCOMPARE(prog.mensajes[0].estilo, 16);
    QCOMPARE(prog.mensajes[0].titulo, QString("Idioma"));
    QCOMPARE(prog.leer("idioma.lng"), sin_ingles);
    QVERIFY(!cambiaridioma("English"));
}

void TstIdiomas::escritura_fallida_data() {
    QTest::addColumn<int>("paso");  // the step that fails; 0: the file is read-only
    QTest::addColumn<QString>("lengua");
    QTest::addColumn<QString>("causa");  // the cause as the message says it
    const QString es = QString::fromUtf8("Español");
    QTest::newRow("read-only file")
        << 0 << es << "es de solo lectura (no tiene permiso de escritura)";
    QTest::newRow("temporary file")
        << 1 << es << "no se puede crear un fichero temporal en su carpeta";
    QTest::newRow("write") << 2 << es << "no se puede escribir";
    QTest::newRow("flush") << 3 << es << "no se puede escribir";
    QTest::newRow("rename") << 4 << es << "no se puede reemplazar";
    QTest::newRow("read-only file, in English") << 0 << "English"
                                                << "is read-only (it has no write permission)";
    QTest::newRow("rename, in English") << 4 << "English"
                                        << "cannot be replaced";
}

void TstIdiomas::escritura_fallida() {
    QFETCH(int, paso);
    QFETCH(QString, lengua);
    QFETCH(QString, causa);
    ProgramaPrueba prog(lengua);
    QVERIFY(prog.arrancar_hasta_principal());
    const bool ingles = lengua == "English";
    const QByteArray antes = prog.leer("idioma.lng");
    const auto permisos = QFile::permissions(prog.ruta("idioma.lng"));
    if (paso == 0)
        QFile::setPermissions(prog.ruta("idioma.lng"),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    prueba::fallo_escritura([paso](int p) { return p == paso; });
    QVERIFY(!cambiaridioma(ingles ? "Español" : "English"));
    idioma(ingles ? 1 : 2)->trigger();
    prueba::fallo_escritura({});
    QFile::setPermissions(prog.ruta("idioma.lng"), permisos);
    QCOMPARE(prog.mensajes.size(), std::size_t(2));
    for (const Mensaje& m : prog.mensajes) {
        QCOMPARE(m.estilo, 16);
        QVERIFY2(m.texto.contains(prog.ruta("idioma.lng")), qPrintable(m.texto));
        QVERIFY(m.texto != tx(168));
        // In the current language only: its own text, the file and the cause.
        QCOMPARE(m.texto, tx(246) + "\r\r" + prog.ruta("idioma.lng") + ": " + causa);
        QCOMPARE(tx(246), ingles ? QString("The chosen language could not be saved.")
                                 : QString("No se ha podido guardar el idioma elegido."));
    }
    QCOMPARE(prog.leer("idioma.lng"), antes);
}

void TstIdiomas::texto_cambiado_en_el_fichero() {
    // A window loaded after a text changed in the file shows the new text; one
    // already open keeps what it read.
    Ventanas::registrar("frmtablaay", [] {
        auto* w = new QWidget;
        w->setWindowTitle(sin_acceso(tx(23)));
        return w;
    });
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    e("mnutermo")->trigger();
    QCOMPARE(Ventanas::buscar("frmtablaay")->windowTitle(),
             QString::fromUtf8("Constantes Termodinámicas"));
    escribirvalor(prog.idioma_lng(), "Español", "23", "Tabla de &Constantes");
    QCOMPARE(Ventanas::buscar("frmtablaay")->windowTitle(),
             QString::fromUtf8("Constantes Termodinámicas"));
    Ventanas::descargar("frmtablaay");
    e("boton_12")->trigger();
    QCOMPARE(Ventanas::buscar("frmtablaay")->windowTitle(), QString("Tabla de Constantes"));
    Ventanas::registrar("frmtablaay", {});
}

void TstIdiomas::botones_de_qt_data() {
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QStringList>("botones");  // Yes, No, Cancel, OK as shown
    QTest::newRow("Español") << QString::fromUtf8("Español")
                             << QStringList{QString::fromUtf8("Sí"), "No", "Cancelar", "Aceptar"};
    QTest::newRow("English") << "English" << QStringList{"Yes", "No", "Cancel", "OK"};
    // A language Qt has no translation for keeps Qt's own words.
    QTest::newRow("Klingon") << "Klingon" << QStringList{"Yes", "No", "Cancel", "OK"};
}

void TstIdiomas::botones_de_qt() {
    QFETCH(QString, idioma);
    QFETCH(QStringList, botones);
    const QString traducciones = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(traducciones + "/qtbase_es.qm"))
        QSKIP("Qt's translations are not installed (qt6-translations-l10n)");
    ProgramaPrueba prog;
    prog.escribir("idioma.lng",
                  fichero_de(idioma, {QString::fromUtf8("Español"), "English", "Klingon"}));
    QVERIFY(prog.arrancar_hasta_principal());
    QCOMPARE(QString::fromStdString(idioma_actual), idioma);
    // The buttons of the program's own message boxes (the question of text
    // 40 has Yes, No and Cancel).
    QMessageBox caja;
    QStringList vistos;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
        vistos << sin_acceso(caja.addButton(b)->text());
    QCOMPARE(vistos, botones);
}

QTEST_MAIN(TstIdiomas)
#include "tst_idiomas.moc"
