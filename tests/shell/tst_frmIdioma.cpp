// The language editor: the grid read by key, editing in the floating box,
// saving as one rewrite, the new language, the closing question and printing.
#include <QCryptographicHash>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include "core/kvstore.h"
#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/frmIdioma.h"
#include "shell/idiomas.h"
#include "shell/imprimir.h"
#include "shell/registro.h"

using namespace korgas;

namespace {

// A language file of these sections (name, then "key=value" lines as written).
QByteArray fichero(const QString& actual, const QList<QPair<QString, QStringList>>& idiomas) {
    QString t = "[idioma]\r\nidioma=" + actual + "\r\n";
    for (const auto& [nombre, lineas] : idiomas) {
        t += "\r\n[" + nombre + "]\r\n";
        for (const QString& l : lineas) t += l + "\r\n";
    }
    return t.toLatin1();
}

QStringList numerados(const QString& prefijo, int desde, int hasta) {
    QStringList r;
    for (int n = desde; n <= hasta; ++n) r << QString("%1=%2 %1").arg(n).arg(prefijo);
    return r;
}

// Every pair of every language section as (section, key) -> the value's bytes
// as written; the first line of a key counts, as for the program.
QMap<QPair<QByteArray, QByteArray>, QByteArray> pares(const QByteArray& bytes) {
    QMap<QPair<QByteArray, QByteArray>, QByteArray> r;
    QByteArray seccion;
    int n = 0;
    for (QByteArray l : bytes.split('\n')) {
        if (l.endsWith('\r')) l.chop(1);
        if (l.isEmpty()) continue;
        if (l.startsWith('[')) {
            seccion = l.mid(1, l.size() - 2).toLower();
            ++n;
            continue;
        }
        if (n < 2) continue;
        const qsizetype igual = l.indexOf('=');
        const QByteArray clave = igual < 0 ? l : l.left(igual);
        const QPair<QByteArray, QByteArray> k{seccion, clave};
        if (!r.contains(k)) r.insert(k, igual < 0 ? QByteArray() : l.mid(igual + 1));
    }
    return r;
}

QByteArray huella(const QByteArray& b) {
    return QCryptographicHash::hash(b, QCryptographicHash::Sha256);
}

frmIdioma* editor() {
    return Ventanas::buscar<frmIdioma>("frmIdioma");
}

// The editor opened from its entry of the language menu.
frmIdioma* abrir_editor() {
    QAction* e = entrada(QString("mnuidiomas_%1").arg(numidiomas + 2));
    if (!e || !e->isEnabled()) return nullptr;
    e->trigger();
    return editor();
}

Rejilla* rejilla(frmIdioma* w) {
    return pruebas::control<Rejilla>(w, "MSFlexIdiomas");
}
QLineEdit* caja(frmIdioma* w) {
    return pruebas::caja(w, "txtidioma");
}

// A click on a body cell, as the user does: the floating box opens over it.
void clic(frmIdioma* w, int fila, int columna) {
    Rejilla* r = rejilla(w);
    r->scrollTo(r->model()->index(fila - 1, columna));
    const QPoint p = r->rect_celda(fila, columna).center() - r->viewport()->geometry().topLeft();
    QTest::mouseClick(r->viewport(), Qt::LeftButton, {}, p);
}

// Types a new text over a cell's text (inserted as typed or pasted text is:
// over the selection).
void escribir(frmIdioma* w, int fila, int columna, const QString& texto) {
    clic(w, fila, columna);
    QVERIFY(caja(w)->isVisible());
    QVERIFY(caja(w)->hasSelectedText() || caja(w)->text().isEmpty());
    caja(w)->insert(texto);
}

int fila_de(frmIdioma* w, const QString& clave) {
    for (int f = 1; f < rejilla(w)->filas(); ++f)
        if (rejilla(w)->texto(f, 0) == clave) return f;
    return -1;
}

}  // namespace

class TstFrmIdioma : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { registrar_shell(); }

    void rejilla_del_fichero_data();
    void rejilla_del_fichero();
    void fichero_ilegible();
    void guardar_cambia_solo_lo_editado_data();
    void guardar_cambia_solo_lo_editado();
    void guardar_sin_cambios_no_escribe();
    void guardar_fichero_editado_a_mano();
    void textos_largos();
    void mensajes_en_ingles();
    void idioma_actual_del_fichero();
    void cambios_de_otra_copia();
    void idioma_nuevo();
    void nombres_no_validos_data();
    void nombres_no_validos();
    void como_mucho_ocho_idiomas();
    void guardado_fallido();
    void pregunta_al_cerrar_data();
    void pregunta_al_cerrar();
    void caja_flotante();
    void texto_que_el_fichero_no_admite();
    void imprimir();
    void imprimir_sin_impresora();
};

void TstFrmIdioma::rejilla_del_fichero_data() {
    QTest::addColumn<QByteArray>("contenido");  // null: the shipped file
    QTest::addColumn<int>("filas");
    QTest::addColumn<int>("negrita");  // the bold header, 0 none
    QTest::newRow("shipped") << QByteArray() << 0 << 1;
    QTest::newRow("other letter case: no bold")
        << fichero("ESPAÑOL", {{"Español", numerados("es", 1, 5)}}) << 5 << 0;
    // The start-up refuses a file without languages; one that loses them
    // while the program runs gives columns without texts.
    QTest::newRow("no language left") << QByteArray("[idioma]\r\nidioma=x\r\n") << 0 << 1;
}

void TstFrmIdioma::rejilla_del_fichero() {
    QFETCH(QByteArray, contenido);
    QFETCH(int, filas);
    QFETCH(int, negrita);
    ProgramaPrueba prog;
    const bool perdidos = !contenido.isNull() && !contenido.contains("\r\n[");
    if (!contenido.isNull() && !perdidos) prog.escribir("idioma.lng", contenido);
    QVERIFY(prog.arrancar_hasta_principal());
    if (perdidos) prog.escribir("idioma.lng", contenido);
    frmIdioma* w = abrir_editor();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), sin_acceso(tx(7)));
    QCOMPARE(pruebas::control<QPushButton>(w, "btguardar")->text(), tx(38));
    QCOMPARE(pruebas::control<QPushButton>(w, "btnuevo")->text(), tx(9));
    QCOMPARE(pruebas::control<QPushButton>(w, "btimprimir")->text(), tx(37));
    Rejilla* r = rejilla(w);
    QCOMPARE(r->texto(0, 0), sin_acceso(tx(7)));
    QCOMPARE(r->columnas(), numidiomas + 1);
    if (filas) QCOMPARE(r->filas(), filas + 1);
    if (perdidos) QCOMPARE(r->filas(), 1);
    for (int i = 1; i <= numidiomas; ++i) {
        QCOMPARE(r->texto(0, i), QString::fromStdString(listaidiomas[i]));
        QCOMPARE(r->model()->headerData(i, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(),
                 i == negrita);
        // Every cell holds its language's text of the row's key.
        for (int f = 1; f < r->filas(); ++f)
            QCOMPARE(r->texto(f, i).toStdString(),
                     leervalor(fichidioma, listaidiomas[i], r->texto(f, 0).toStdString()));
    }
    QVERIFY(!w->modificado() && !w->columna_nueva() && !w->guardado_detenido());
    QVERIFY(prog.mensajes.empty());
}

void TstFrmIdioma::fichero_ilegible() {
    // The language file turns into something that cannot be read as a file
    // while the program runs: the editor says so once and shows no texts.
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    QVERIFY(QFile::remove(prog.ruta("idioma.lng")));
    QVERIFY(QDir(prog.carpeta()).mkdir("idioma.lng"));
    frmIdioma* w = abrir_editor();
    QVERIFY(w && w->isVisible());
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].estilo, 16);
    QVERIFY(prog.mensajes[0].texto.contains(prog.ruta("idioma.lng")));
    QCOMPARE(rejilla(w)->filas(), 1);
    QVERIFY(!w->modificado());
}

void TstFrmIdioma::guardar_cambia_solo_lo_editado_data() {
    QTest::addColumn<QByteArray>("contenido");  // null: the shipped file
    QTest::addColumn<QString>("clave");         // the key edited, in the first language
    QStringList sin5 = numerados("en", 1, 9);
    sin5.removeAt(4);
    QStringList con_extra = numerados("en", 1, 9);
    con_extra.insert(3, "77=only here");
    QTest::newRow("shipped") << QByteArray() << "168";
    QTest::newRow("second language lacks a key in the middle")
        << fichero("A", {{"A", numerados("a", 1, 9)}, {"B", sin5}}) << "7";
    QTest::newRow("second language has a key the first lacks")
        << fichero("A", {{"A", numerados("a", 1, 9)}, {"B", con_extra}}) << "2";
    QTest::newRow("blanks, equals signs and a line without =")
        << fichero("A", {{"A", {"1= leading and trailing ", "2=a=b", "sin igual", "3=x"}},
                         {"B", {"3=y", "1=z"}}})
        << "3";
}

void TstFrmIdioma::guardar_cambia_solo_lo_editado() {
    QFETCH(QByteArray, contenido);
    QFETCH(QString, clave);
    ProgramaPrueba prog;
    if (!contenido.isNull()) prog.escribir("idioma.lng", contenido);
    const auto antes = pares(prog.leer("idioma.lng"));
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    QVERIFY(w);
    const int f = fila_de(w, clave);
    QVERIFY(f > 0);
    escribir(w, f, 1, QString::fromUtf8("Texto nuevo, con acentos: áéíóú ñ º"));
    QVERIFY(w->modificado());
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btguardar"));
    QVERIFY(!w->modificado());
    QVERIFY(prog.mensajes.empty());

    // Every other text is there, byte for byte; a key a language lacked is
    // written with nothing after "=", which reads the same.
    const QByteArray bytes = prog.leer("idioma.lng");
    const auto despues = pares(bytes);
    const QByteArray primera = QString::fromStdString(listaidiomas[1]).toLower().toLatin1();
    int cambiadas = 0;
    for (auto it = despues.begin(); it != despues.end(); ++it) {
        if (it.key() == qMakePair(primera, clave.toLatin1())) {
            QCOMPARE(QString::fromStdString(desde_cp1252(it.value().toStdString())),
                     QString::fromUtf8("Texto nuevo, con acentos: áéíóú ñ º"));
            ++cambiadas;
        } else if (antes.contains(it.key())) {
            QCOMPARE(it.value(), antes.value(it.key()));
        } else {
            QCOMPARE(it.value(), QByteArray());
        }
    }
    QCOMPARE(cambiadas, 1);
    for (auto it = antes.begin(); it != antes.end(); ++it) QVERIFY(despues.contains(it.key()));
    // The file's layout: CR LF everywhere, the current language kept.
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QVERIFY(bytes.startsWith("[idioma]\r\nidioma="));
    QCOMPARE(leervalor(fichidioma, "idioma", "idioma"), idioma_actual);
    // A window opened now reads the new text.
    if (QString::fromStdString(listaidiomas[1]) == QString::fromStdString(idioma_actual))
        QCOMPARE(tx(clave.toInt()), QString::fromUtf8("Texto nuevo, con acentos: áéíóú ñ º"));
}

void TstFrmIdioma::guardar_fichero_editado_a_mano() {
    // Lines before [idioma], another key there, notes and lines without "=",
    // blanks and empty lines where a person left them, a lone LF, a section
    // that appears twice and a last line without its line end.
    const QByteArray a_mano =
        "; Textos del programa, editados a mano\r\n"
        "\r\n"
        "[idioma]\r\n"
        "idioma=A\r\n"
        "version=7\r\n"
        "\r\n"
        "[A]\r\n"
        "1=uno\r\n"
        "; una nota sin igual\r\n"
        "2=dos\r\n"
        "\r\n"
        "\r\n"
        "3=tres\r\n"
        "[B]\n"
        "1=one\n"
        "2=two  \r\n"
        "[a]\r\n"
        "1=otro uno\r\n"
        "4=cuatro\r\n"
        "\r\n"
        "[C]\r\n"
        "2=  con blancos \r\n"
        "1=x";
    ProgramaPrueba prog;
    prog.escribir("idioma.lng", a_mano);
    QVERIFY(prog.arrancar_hasta_principal());
    QCOMPARE(numidiomas, 3);  // the second [a] is the same language as [A]
    frmIdioma* w = abrir_editor();
    QVERIFY(w);
    QCOMPARE(rejilla(w)->filas(), 4);  // keys 1, 2, 3: notes are no texts
    escribir(w, fila_de(w, "2"), 1, "DOS");
    escribir(w, fila_de(w, "1"), 2, "ONE");
    escribir(w, fila_de(w, "3"), 3, QString::fromUtf8("TRÉS"));  // a key C lacks
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btguardar"));
    QVERIFY(prog.mensajes.empty());
    QVERIFY(!w->modificado());

    // Line ends are the file's own rule: every line written ends in CR LF.
    QByteArray esperado = a_mano;
    esperado.replace("2=dos\r\n", "2=DOS\r\n");
    esperado.replace("[B]\n1=one\n", "[B]\r\n1=ONE\r\n");
    esperado.replace("1=x", "1=x\r\n3=TR\xC9S\r\n");
    QCOMPARE(prog.leer("idioma.lng"), esperado);
}

void TstFrmIdioma::textos_largos() {
    // Longer than a text box holds unless told otherwise (32,767).
    const QString largo = QString(40000, 'x') + QStringLiteral(" fin");
    ProgramaPrueba prog;
    prog.escribir("idioma.lng",
                  fichero("A", {{"A", {"1=corto", "2=" + largo}}, {"B", {"1=short", "2=b"}}}));
    const QByteArray antes = prog.leer("idioma.lng");
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    QVERIFY(w);
    // A click loads all of it, and a save after it changes nothing.
    clic(w, 2, 1);
    QCOMPARE(caja(w)->text(), largo);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btguardar"));
    QCOMPARE(prog.leer("idioma.lng"), antes);
    // A long text put in whole reaches the file whole.
    escribir(w, 2, 2, largo + "B");
    QCOMPARE(rejilla(w)->texto(2, 2), largo + "B");
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btguardar"));
    QCOMPARE(QString::fromStdString(leervalor(fichidioma, "B", "2")), largo + "B");
    QCOMPARE(QString::fromStdString(leervalor(fichidioma, "A", "2")), largo);
    QVERIFY(prog.mensajes.empty());
}

void TstFrmIdioma::mensajes_en_ingles() {
    ProgramaPrueba prog("English");
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    QVERIFY(w);
    // A character the file cannot hold.
    clic(w, 4, 1);
    caja(w)->end(false);
    caja(w)->insert(QString::fromUtf8("ł"));
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto,
             QString("That character cannot be stored in the language file (Windows-1252)."));
    // A save that fails: its text, the file and the cause, all in English.
    escribir(w, 4, 1, "cambio");
    prueba::fallo_escritura([](int p) { return p == 4; });
    w->btguardar_Click();
    prueba::fallo_escritura({});
    QCOMPARE(prog.mensajes.size(), std::size_t(2));
    QCOMPARE(prog.mensajes[1].texto,
             "The language file could not be saved; it has not changed.\r\r" +
                 prog.ruta("idioma.lng") + ": cannot be replaced");
    QVERIFY(w->modificado());
}

void TstFrmIdioma::guardar_sin_cambios_no_escribe() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    const QByteArray antes = prog.leer("idioma.lng");
    frmIdioma* w = abrir_editor();
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btnuevo"));
    QVERIFY(w->columna_nueva() && !w->modificado());
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btguardar"));
    QVERIFY(prog.mensajes.empty());
    QCOMPARE(prog.leer("idioma.lng"), antes);
    QVERIFY(w->columna_nueva());
}

void TstFrmIdioma::idioma_actual_del_fichero() {
    // A language chosen in the menu during the run stays chosen after a save.
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    prog.respuesta = 1;
    entrada("mnuidiomas_2")->trigger();  // English, from the next start on
    QCOMPARE(leervalor(fichidioma, "idioma", "idioma"), std::string("English"));
    frmIdioma* w = abrir_editor();
    escribir(w, 1, 2, "File menu");
    w->btguardar_Click();
    QCOMPARE(leervalor(fichidioma, "idioma", "idioma"), std::string("English"));
    QCOMPARE(leervalor(fichidioma, "English", "1"), std::string("File menu"));
}

void TstFrmIdioma::cambios_de_otra_copia() {
    // Another copy of the program changes a text while the editor is open:
    // the save keeps it, and writes the text edited here.
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    escribirvalor(fichidioma, "English", "2", "Data (changed elsewhere)");
    escribir(w, fila_de(w, "1"), 2, "File (edited here)");
    w->btguardar_Click();
    QCOMPARE(leervalor(fichidioma, "English", "2"), std::string("Data (changed elsewhere)"));
    QCOMPARE(leervalor(fichidioma, "English", "1"), std::string("File (edited here)"));
}

void TstFrmIdioma::idioma_nuevo() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    const auto antes = pares(prog.leer("idioma.lng"));
    frmIdioma* w = abrir_editor();
    Rejilla* r = rejilla(w);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btnuevo"));
    QCOMPARE(r->columnas(), 4);
    QCOMPARE(r->ancho(3), r->ancho(2));
    escribir(w, 1, 3, "&Fichier");
    escribir(w, 2, 3, QString::fromUtf8("&Données"));

    // Saved without a name: text 185, the file holds the two languages as
    // they were, and the box opens over the new column's header.
    w->btguardar_Click();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(185));
    QCOMPARE(prog.mensajes[0].estilo, 16);
    QCOMPARE(prog.mensajes[0].titulo, sin_acceso(tx(7)));
    QVERIFY(w->modificado() && w->columna_nueva() && w->guardado_detenido());
    QCOMPARE(pares(prog.leer("idioma.lng")), antes);
    std::vector<std::string> secciones(1);
    QCOMPARE(leersecciones(fichidioma, secciones), 2);
    QVERIFY(caja(w)->isVisible());
    QCOMPARE(caja(w)->geometry(), r->rect_celda(0, 3));

    // The name typed into the header, and saved again.
    QTest::keyClicks(caja(w), "Test");
    QCOMPARE(r->texto(0, 3), QString("Test"));
    w->btguardar_Click();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QVERIFY(!w->modificado() && !w->columna_nueva() && !w->guardado_detenido());
    QCOMPARE(leersecciones(fichidioma, secciones), 3);
    QCOMPARE(secciones[3], std::string("Test"));
    QCOMPARE(leervalor(fichidioma, "Test", "1"), std::string("&Fichier"));
    QCOMPARE(QString::fromStdString(leervalor(fichidioma, "Test", "2")),
             QString::fromUtf8("&Données"));
    QCOMPARE(leervalor(fichidioma, "Test", "3"), std::string());
    // The menu lists it; the editor's entry now reads text 28.
    QCOMPARE(numidiomas, 3);
    QCOMPARE(entrada("mnuidiomas_3")->text(), QString("Test"));
    QVERIFY(entrada("mnuidiomas_4")->isSeparator());
    QCOMPARE(entrada("mnuidiomas_5")->text(), tx(28));
}

void TstFrmIdioma::nombres_no_validos_data() {
    QTest::addColumn<QString>("nombre");
    QTest::newRow("blanks") << "   ";
    QTest::newRow("an existing language") << "english";
    QTest::newRow("the first section") << "Idioma";
    QTest::newRow("a bracket") << "Fran[cais";
    QTest::newRow("a closing bracket") << "Francais]";
}

void TstFrmIdioma::nombres_no_validos() {
    QFETCH(QString, nombre);
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    w->btnuevo_Click();
    escribir(w, 1, 3, "x");
    w->btguardar_Click();
    QTest::keyClicks(caja(w), nombre);
    w->btguardar_Click();
    QCOMPARE(prog.mensajes.size(), std::size_t(2));
    QCOMPARE(prog.mensajes[1].texto, tx(185));
    QVERIFY(w->columna_nueva() && w->modificado());
    std::vector<std::string> secciones(1);
    QCOMPARE(leersecciones(fichidioma, secciones), 2);
    QCOMPARE(numidiomas, 2);
}

void TstFrmIdioma::como_mucho_ocho_idiomas() {
    QList<QPair<QString, QStringList>> ocho;
    for (int i = 1; i <= 8; ++i) ocho.append({QString("L%1").arg(i), numerados("t", 1, 3)});
    for (int k : {7, 8}) {
        ProgramaPrueba prog;
        prog.escribir("idioma.lng", fichero("L1", ocho.mid(0, k)));
        QVERIFY(prog.arrancar_hasta_principal());
        frmIdioma* w = abrir_editor();
        QVERIFY(w);
        w->btnuevo_Click();
        w->btnuevo_Click();  // a second press while a column is pending does nothing
        QCOMPARE(rejilla(w)->columnas(), 9);
        QCOMPARE(w->columna_nueva(), k == 7);
    }
}

void TstFrmIdioma::guardado_fallido() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    const QByteArray antes = prog.leer("idioma.lng");
    frmIdioma* w = abrir_editor();
    escribir(w, 3, 1, "cambiado");
    for (int paso = 1; paso <= 4; ++paso) {
        prueba::fallo_escritura([paso](int p) { return p == paso; });
        prog.mensajes.clear();
        w->btguardar_Click();
        QCOMPARE(prog.mensajes.size(), std::size_t(1));
        QCOMPARE(prog.mensajes[0].estilo, 16);
        QCOMPARE(prog.leer("idioma.lng"), antes);
        QVERIFY(w->modificado());
    }
    // Closing with Yes: the save fails again and the window stays open.
    prog.mensajes.clear();
    prog.respuesta = 6;
    w->close();
    QCOMPARE(editor(), w);
    QCOMPARE(prog.mensajes.size(), std::size_t(2));  // the question, then the failure
    QCOMPARE(prog.leer("idioma.lng"), antes);
    prueba::fallo_escritura({});
    w->btguardar_Click();
    QCOMPARE(leervalor(fichidioma, listaidiomas[1], rejilla(w)->texto(3, 0).toStdString()),
             std::string("cambiado"));
}

void TstFrmIdioma::pregunta_al_cerrar_data() {
    QTest::addColumn<int>("respuesta");
    QTest::addColumn<bool>("cerrada");
    QTest::addColumn<bool>("guardado");
    QTest::newRow("Yes") << 6 << true << true;
    QTest::newRow("No") << 7 << true << false;
    QTest::newRow("Cancel") << 2 << false << false;
}

void TstFrmIdioma::pregunta_al_cerrar() {
    QFETCH(int, respuesta);
    QFETCH(bool, cerrada);
    QFETCH(bool, guardado);
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    const QByteArray antes = prog.leer("idioma.lng");
    frmIdioma* w = abrir_editor();
    escribir(w, 1, 1, "otro texto");
    prog.respuesta = respuesta;
    w->close();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(40) + " " + sin_acceso(tx(7)) + "?");
    QCOMPARE(prog.mensajes[0].estilo, 51);
    QCOMPARE(prog.mensajes[0].titulo, sin_acceso(tx(7)));
    QCOMPARE(editor() == nullptr, cerrada);
    QCOMPARE(huella(prog.leer("idioma.lng")) != huella(antes), guardado);
    if (guardado) QCOMPARE(tx(1), QString("otro texto"));

    // Unmodified, the window closes without a question; a stopped save keeps
    // it open.
    prog.mensajes.clear();
    frmIdioma* v = cerrada ? abrir_editor() : editor();
    if (!cerrada) {
        v->btnuevo_Click();
        prog.respuesta = 6;
        v->close();  // Yes, and the save stops at the unnamed column
        QCOMPARE(editor(), v);
        QCOMPARE(prog.mensajes.back().texto, tx(185));
        QVERIFY(!v->guardado_detenido());
    } else {
        v->close();
        QVERIFY(!editor());
        QVERIFY(prog.mensajes.empty());
    }
}

void TstFrmIdioma::caja_flotante() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    Rejilla* r = rejilla(w);
    const int ultima = r->filas() - 1;
    // Over the cell clicked, with its text selected.
    clic(w, 5, 2);
    QVERIFY(caja(w)->isVisible());
    QCOMPARE(caja(w)->text(), r->texto(5, 2));
    QCOMPARE(caja(w)->selectedText(), r->texto(5, 2));
    QCOMPARE(caja(w)->geometry(), r->rect_celda(5, 2));
    // Enter moves down a row.
    QTest::keyClick(caja(w), Qt::Key_Return);
    QCOMPARE(r->fila(), 6);
    QCOMPARE(caja(w)->text(), r->texto(6, 2));
    QCOMPARE(caja(w)->geometry(), r->rect_celda(6, 2));
    // On the last row Enter hides the box.
    clic(w, ultima, 1);
    QTest::keyClick(caja(w), Qt::Key_Return);
    QVERIFY(!caja(w)->isVisible());
    QCOMPARE(r->fila(), ultima);
    // Clicks on the keys or the headers open nothing.
    QTest::mouseClick(r->viewport(), Qt::LeftButton, {},
                      r->rect_celda(3, 0).center() - r->viewport()->geometry().topLeft());
    QVERIFY(!caja(w)->isVisible());

    // A menu popping up over the box (its own, to paste from) leaves it open;
    // the focus moving to another control of the window hides it.
    w->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w->window()));
    clic(w, 5, 2);
    QVERIFY(caja(w)->hasFocus());
    QMenu menu;
    menu.addAction("Pegar");
    menu.popup(caja(w)->mapToGlobal(QPoint(2, 2)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QVERIFY(caja(w)->isVisible());
    menu.close();
    QVERIFY(caja(w)->isVisible());
    pruebas::control<QPushButton>(w, "btnuevo")->setFocus(Qt::TabFocusReason);
    QVERIFY(!caja(w)->isVisible());
}

void TstFrmIdioma::texto_que_el_fichero_no_admite() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    Rejilla* r = rejilla(w);
    const QString antes = r->texto(4, 1);
    clic(w, 4, 1);
    caja(w)->end(false);
    caja(w)->insert(QString::fromUtf8("ł"));  // not in Windows-1252
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(r->texto(4, 1), antes);
    QCOMPARE(caja(w)->text(), antes);
    // Line ends pasted become blanks.
    clic(w, 4, 1);
    caja(w)->selectAll();
    caja(w)->insert("uno\r\ndos\ntres");
    QCOMPARE(r->texto(4, 1), QString("uno dos tres"));
    w->btguardar_Click();
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(leervalor(fichidioma, listaidiomas[1], r->texto(4, 0).toStdString()),
             std::string("uno dos tres"));
}

void TstFrmIdioma::imprimir() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    // An edit not yet saved is not printed: the file on disk is.
    escribir(w, 1, 1, "NO IMPRESO");
    const QString pdf = prog.ruta("idioma.pdf");
    elegir_impresora_con([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    });
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btimprimir"));
    elegir_impresora_con({});
    QVERIFY(prog.mensajes.empty());
    QProcess texto;
    texto.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(texto.waitForFinished(30000));
    const QString t = QString::fromUtf8(texto.readAllStandardOutput());
    // (The layout of the PDF's text widens runs of blanks.)
    const QString titulo = sin_acceso(tx(27)) + "  " + sin_acceso(tx(24));
    QVERIFY(t.simplified().contains(titulo.simplified()));
    QVERIFY(t.contains(sin_acceso(tx(25)) + " " + QDate::currentDate().toString("MM-dd-yyyy")));
    QVERIFY(t.contains(QString::fromUtf8("[Español]")));
    QVERIFY(t.contains("1=&Archivos"));
    QVERIFY(t.contains(QString::fromUtf8("184=La información del sistema no está disponible")));
    QVERIFY(!t.contains("NO IMPRESO"));
    QVERIFY(t.contains(QString::fromUtf8("Página: 1")));
}

void TstFrmIdioma::imprimir_sin_impresora() {
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    frmIdioma* w = abrir_editor();
    elegir_impresora_con([](QPrinter& p) {
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName("no-existe-esta-impresora");
        return true;
    });
    w->btimprimir_Click();
    elegir_impresora_con({});
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(39));
    QCOMPARE(prog.mensajes[0].estilo, 0);
    QCOMPARE(prog.mensajes[0].titulo, titulo_programa());
}

QTEST_MAIN(TstFrmIdioma)
#include "tst_frmIdioma.moc"
