// Start-up: the check of the files, the splash window and its hand-over to the
// main window, the number rule.
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "locale_coma.h"
#include "platform/texto_qt.h"
#include "programa_prueba.h"

using namespace korgas;

class TstArranque : public QObject {
    Q_OBJECT

  private slots:
    void carga_del_splash();
    void entrega_en_el_quinto_tic();
    void clics_data();
    void clics();
    void cerrado_por_el_escritorio();
    void ficheros_que_faltan_data();
    void ficheros_que_faltan();
    void fichero_enorme_data();
    void fichero_enorme();
    void programa_que_no_puede_leer_data();
    void programa_que_no_puede_leer();
    void numeros_sin_la_configuracion_regional();
    void sin_idioma_utilizable_data();
    void sin_idioma_utilizable();
};

void TstArranque::carga_del_splash() {
    ProgramaPrueba prog;
    frmSplash* s = prog.arrancar();
    QVERIFY(s);
    QVERIFY(s->isVisible());
    QVERIFY(s->windowFlags() & Qt::SplashScreen);
    QCOMPARE(QString::fromStdString(fichidioma), prog.ruta("idioma.lng"));

    // The main window is loaded, hidden, with the current language's texts.
    frmprincipal* p = frmprincipal::existente();
    QVERIFY(p);
    QVERIFY(!p->isVisible());
    QCOMPARE(QString::fromStdString(idioma_actual), QString::fromUtf8("Español"));
    QCOMPARE(p->findChild<QMenu*>("mnuarchivos")->title(), QString("&Archivos"));

    auto texto = [&](const char* nombre) { return s->findChild<QLabel*>(nombre)->text(); };
    auto del_fichero = [&](int n) {
        return QString::fromStdString(leervalor(prog.idioma_lng(), "Español", std::to_string(n)));
    };
    QCOMPARE(texto("lblCompanyProduct"), del_fichero(180));
    QCOMPARE(texto("lblProductName"), QString("KOR-GAS"));
    QCOMPARE(texto("lblProductDescription"), del_fichero(181) + "\n" + del_fichero(182));
    QCOMPARE(texto("lblPlatform"), QString("Linux"));
    QCOMPARE(texto("lblWarning"), del_fichero(63));
    QCOMPARE(texto("lblVersion"), del_fichero(183));
    QVERIFY(!texto("Label1").isEmpty() && !texto("Label2").isEmpty());

    auto* reloj = s->findChild<QTimer*>("Timer1");
    QVERIFY(reloj->isActive());
    QCOMPARE(reloj->interval(), 1000);
    QVERIFY(prog.mensajes.empty());
}

void TstArranque::entrega_en_el_quinto_tic() {
    ProgramaPrueba prog;
    QPointer<frmSplash> s = prog.arrancar();
    frmprincipal* p = frmprincipal::existente();
    for (int tic = 1; tic <= 4; ++tic) {
        s->Timer1_Timer();
        QVERIFY2(!p->isVisible(), qPrintable(QString("tick %1").arg(tic)));
        QVERIFY(s->isVisible());
    }
    s->Timer1_Timer();
    QVERIFY(p->isVisible());
    QVERIFY(s.isNull() || !s->isVisible());
    QVERIFY(s.isNull() || !s->findChild<QTimer*>("Timer1")->isActive());
    QTRY_VERIFY(s.isNull());                 // unloaded for good
    QCOMPARE(frmprincipal::existente(), p);  // the same main window, loaded once
}

void TstArranque::clics_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("entrega");
    for (const char* c :
         {"fraMainFrame", "Image1", "Image2", "Label1", "Label2", "lblCompanyProduct",
          "lblPlatform", "lblProductName", "lblVersion", "lblWarning"})
        QTest::newRow(c) << QString(c) << true;
    QTest::newRow("lblProductDescription") << "lblProductDescription" << false;
    QTest::newRow("outside the frame") << "frmSplash" << false;
}

void TstArranque::clics() {
    QFETCH(QString, control);
    QFETCH(bool, entrega);
    ProgramaPrueba prog;
    QPointer<frmSplash> s = prog.arrancar();
    QWidget* w = control == "frmSplash" ? s.data() : s->findChild<QWidget*>(control);
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, control == "frmSplash" ? QPoint(2, 2) : QPoint());
    QCOMPARE(frmprincipal::existente()->isVisible(), entrega);
    if (!entrega) {
        QVERIFY(s->isVisible());
        // The timer still hands over in the end.
        for (int i = 0; i < 5; ++i) s->Timer1_Timer();
        QVERIFY(frmprincipal::existente()->isVisible());
    }
}

void TstArranque::cerrado_por_el_escritorio() {
    // The desktop closes the splash (a close key or command) before the fifth
    // tick: the run goes on in the main window instead of without any window.
    ProgramaPrueba prog;
    QPointer<frmSplash> s = prog.arrancar();
    frmprincipal* p = frmprincipal::existente();
    s->Timer1_Timer();
    QVERIFY(s->close());
    QVERIFY(p->isVisible());
    QVERIFY(s.isNull() || !s->findChild<QTimer*>("Timer1")->isActive());
    QTRY_VERIFY(s.isNull());
    QCOMPARE(frmprincipal::existente(), p);
}

void TstArranque::ficheros_que_faltan_data() {
    QTest::addColumn<QString>("quitar");    // file removed from the folder
    QTest::addColumn<QString>("carpeta");   // name made a folder instead
    QTest::addColumn<QByteArray>("n");      // value of key n (null: as shipped)
    QTest::addColumn<QString>("nombrado");  // the file the message names
    QTest::newRow("language file missing") << "idioma.lng"
                                           << "" << QByteArray() << "idioma.lng";
    QTest::newRow("both missing: the language file first") << "both"
                                                           << "" << QByteArray() << "idioma.lng";
    QTest::newRow("gas data file missing") << "data"
                                           << "" << QByteArray() << "data";
    QTest::newRow("language file is a folder") << ""
                                               << "idioma.lng" << QByteArray() << "idioma.lng";
    QTest::newRow("gas data file is a folder") << ""
                                               << "data" << QByteArray() << "data";
    QTest::newRow("n empty") << ""
                             << "" << QByteArray("") << "data";
    QTest::newRow("n not a number") << ""
                                    << "" << QByteArray("veintiocho") << "data";
    QTest::newRow("n negative") << ""
                                << "" << QByteArray("-1") << "data";
    QTest::newRow("n too large") << ""
                                 << "" << QByteArray("40000") << "data";
    QTest::newRow("n with decimals") << ""
                                     << "" << QByteArray("28.5") << "data";
    QTest::newRow("n sound") << ""
                             << "" << QByteArray("28") << "";
    QTest::newRow("n sound with blanks") << ""
                                         << "" << QByteArray("  28 ") << "";
    QTest::newRow("n zero") << ""
                            << "" << QByteArray("0") << "";
    QTest::newRow("as shipped") << ""
                                << "" << QByteArray() << "";
}

void TstArranque::ficheros_que_faltan() {
    QFETCH(QString, quitar);
    QFETCH(QString, carpeta);
    QFETCH(QByteArray, n);
    QFETCH(QString, nombrado);
    ProgramaPrueba prog;
    if (quitar == "both") {
        QFile::remove(prog.ruta("idioma.lng"));
        QFile::remove(prog.ruta("data"));
    } else if (!quitar.isEmpty()) {
        QFile::remove(prog.ruta(quitar));
    }
    if (!carpeta.isEmpty()) {
        QFile::remove(prog.ruta(carpeta));
        QDir().mkdir(prog.ruta(carpeta));
    }
    if (!n.isNull()) {
        QByteArray datos = prog.leer("data");
        const qsizetype i = datos.indexOf("\nn=");
        QVERIFY(i >= 0);
        const qsizetype fin = datos.indexOf('\r', i);
        datos.replace(i + 3, fin - i - 3, n);
        prog.escribir("data", datos);
    }

    const int estado = comprobar_ficheros();
    if (nombrado.isEmpty()) {
        QCOMPARE(estado, 0);
        QVERIFY(prog.mensajes.empty());
        QCOMPARE(leer_numgases(prog.ruta("data").toStdString()),
                 std::optional<int>(n.isNull() ? 28 : n.trimmed().toInt()));
        return;
    }
    QVERIFY(estado != 0);
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].estilo, 16);
    QVERIFY2(prog.mensajes[0].texto.contains(prog.ruta(nombrado)),
             qPrintable(prog.mensajes[0].texto));
    // No splash, no main window: the run ends there.
    QCOMPARE(arrancar(), estado);
    QVERIFY(!frmprincipal::existente());
}

// A file far larger than any the program reads: 100 GB, nearly all of it a hole.
void hacer_enorme(const QString& ruta) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(qint64{100} << 30));
}

void TstArranque::fichero_enorme_data() {
    QTest::addColumn<QString>("fichero");
    QTest::newRow("language file") << "idioma.lng";
    QTest::newRow("gas data file") << "data";
}

void TstArranque::fichero_enorme() {
    QFETCH(QString, fichero);
    ProgramaPrueba prog;
    hacer_enorme(prog.ruta(fichero));
    const int estado = comprobar_ficheros();
    QVERIFY(estado != 0);
    QVERIFY(prog.mensajes.size() == 1);
    QCOMPARE(prog.mensajes[0].estilo, 16);
    QVERIFY2(prog.mensajes[0].texto.contains(prog.ruta(fichero)),
             qPrintable(prog.mensajes[0].texto));
    QVERIFY2(prog.mensajes[0].texto.contains("too large"), qPrintable(prog.mensajes[0].texto));
}

void TstArranque::programa_que_no_puede_leer_data() {
    QTest::addColumn<QString>("quitar");
    QTest::addColumn<QString>("enorme");
    QTest::addColumn<QString>("nombrado");
    QTest::newRow("no language file") << "idioma.lng"
                                      << ""
                                      << "idioma.lng";
    QTest::newRow("gas data file far too large") << ""
                                                 << "data"
                                                 << "data";
}

void TstArranque::programa_que_no_puede_leer() {
    // The real program, started in a folder of its own with a file it cannot
    // read: a message naming the file and a non-zero exit status, never an
    // abort.
    QFETCH(QString, quitar);
    QFETCH(QString, enorme);
    QFETCH(QString, nombrado);
    const QString programa = QStringLiteral(KORGAS_PROGRAM_DIR "/korgas");
    if (!QFile::exists(programa)) QSKIP("the program is not built in this build folder");
    QTemporaryDir dir;
    QVERIFY(QFile::copy(programa, dir.path() + "/korgas"));
    QFile::setPermissions(dir.path() + "/korgas", QFile::permissions(programa));
    for (const char* f : {"data", "idioma.lng"})
        if (quitar != f)
            QVERIFY(
                QFile::copy(QStringLiteral(KORGAS_SOURCE_DIR "/data/") + f, dir.path() + "/" + f));
    if (!enorme.isEmpty()) hacer_enorme(dir.path() + "/" + enorme);

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(dir.path() + "/korgas", {});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QVERIFY(p.exitCode() != 0);
    const QString salida = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(salida.contains(dir.path() + "/" + nombrado), qPrintable(salida));
}

void TstArranque::numeros_sin_la_configuracion_regional() {
    // As a desktop with a decimal comma would leave them.
    QVERIFY(korgas_pruebas::poner_locale_coma(LC_NUMERIC));
    char coma[16];
    std::snprintf(coma, sizeof coma, "%.2f", 2.25);
    QCOMPARE(QString(coma), QString("2,25"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    preparar_aplicacion();
    QCOMPARE(QString(std::setlocale(LC_NUMERIC, nullptr)), QString("C"));
    QCOMPARE(std::strtod("1.5", nullptr), 1.5);
    QCOMPARE(QLocale().toString(1.5), QString("1.5"));
    QCOMPARE(QString::asprintf("%.2f", 2.25), QString("2.25"));
    QCOMPARE(fmt(1234.5, "####0.00"), QString("1234.50"));
    QCOMPARE(num("6.146"), 6.146);
    QVERIFY(!QApplication::quitOnLastWindowClosed());
}

void TstArranque::sin_idioma_utilizable_data() {
    QTest::addColumn<QByteArray>("fichero");
    QTest::addColumn<QString>("usado");  // the language the run starts in; empty: none
    const QByteArray dos = "\r\n[Uno]\r\n1=&Ficheros\r\n\r\n[Dos]\r\n1=&Files\r\n";
    QTest::newRow("empty file") << QByteArray("") << "";
    QTest::newRow("junk") << QByteArray("\x01\x02 nada que ver\r\n=\r\n\xff") << "";
    QTest::newRow("no language with texts")
        << QByteArray("[idioma]\r\nidioma=Uno\r\n\r\n[Uno]\r\n; nada\r\n1=\r\n") << "";
    QTest::newRow("current language names no section")
        << "[idioma]\r\nidioma=Klingon\r\n" + dos << "Uno";
    QTest::newRow("no [idioma] section") << "[Cero]\r\n1=x\r\n" + dos << "Uno";
    QTest::newRow("current language has no texts")
        << QByteArray("[idioma]\r\nidioma=Uno\r\n\r\n[Uno]\r\n\r\n[Dos]\r\n1=&Files\r\n") << "Dos";
    QTest::newRow("blank current language")
        << "[idioma]\r\nidioma=\r\n\r\n[ ]\r\n1=&Nada\r\n" + dos << "Uno";
    QTest::newRow("sound") << "[idioma]\r\nidioma=dos\r\n" + dos << "dos";
}

void TstArranque::sin_idioma_utilizable() {
    QFETCH(QByteArray, fichero);
    QFETCH(QString, usado);
    ProgramaPrueba prog;
    prog.escribir("idioma.lng", fichero);
    const QByteArray antes = prog.leer("idioma.lng");
    const int estado = comprobar_ficheros();
    if (usado.isEmpty()) {
        // One message naming the file, in both languages, and the run ends.
        QVERIFY(estado != 0);
        QCOMPARE(prog.mensajes.size(), std::size_t(1));
        QCOMPARE(prog.mensajes[0].estilo, 16);
        QVERIFY2(prog.mensajes[0].texto.contains(prog.ruta("idioma.lng")),
                 qPrintable(prog.mensajes[0].texto));
        QVERIFY(prog.mensajes[0].texto.contains("idiomas"));
        QVERIFY(prog.mensajes[0].texto.contains("language"));
        QCOMPARE(arrancar(), estado);
        QVERIFY(!frmprincipal::existente());
        return;
    }
    QCOMPARE(estado, 0);
    const bool del_fichero = usado == "dos";
    QCOMPARE(prog.mensajes.size(), std::size_t(del_fichero ? 0 : 1));
    if (!del_fichero) {
        QCOMPARE(prog.mensajes[0].estilo, 48);
        QVERIFY(prog.mensajes[0].texto.contains(prog.ruta("idioma.lng")));
        QVERIFY(prog.mensajes[0].texto.contains(usado));
        QVERIFY(prog.mensajes[0].texto.contains("idiomas"));
        QVERIFY(prog.mensajes[0].texto.contains("language"));
    }
    // The run starts in that language: its captions are not empty, the menu
    // checks it, and a blank name is never offered.
    QVERIFY(prog.arrancar_hasta_principal());
    QCOMPARE(QString::fromStdString(idioma_actual), usado);
    QVERIFY(!tx(1).isEmpty());
    for (int i = 1; i <= numidiomas; ++i) {
        QAction* a = entrada(QString("mnuidiomas_%1").arg(i));
        QVERIFY(!a->text().trimmed().isEmpty());
        QCOMPARE(a->isChecked(), a->text().toLower() == usado.toLower());
    }
    // The file itself is left as it was.
    QCOMPARE(prog.leer("idioma.lng"), antes);
}

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
