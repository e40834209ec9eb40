// The About box: its captions, the web address, the system-information
// button, and closing when another window of the program is activated.
#include <QDesktopServices>
#include <QDialog>
#include <QPointer>
#include <QPushButton>

#include "platform/etiqueta.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/creditos.h"
#include "shell/frmAbout.h"
#include "shell/registro.h"

using namespace korgas;

// Receives the addresses the desktop is asked to open.
class Navegador : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> abiertas;
  public slots:
    void abrir(const QUrl& url) { abiertas << url; }
};

namespace {

frmAbout* about() {
    return Ventanas::buscar<frmAbout>("frmAbout");
}

// Makes w the window with the focus, as a click on it does, and lets the
// program see the change. (A dialog counts as active while its owner is, so
// the focus window itself is what is waited for.)
bool activar(QWidget* w) {
    w->show();
    w->activateWindow();
    return QTest::qWaitFor([w] { return qGuiApp->focusWindow() == w->windowHandle(); });
}

// A PATH holding only a folder of our own, for the time of a test.
class RutaPropia {
  public:
    RutaPropia() : antes_(qgetenv("PATH")) { qputenv("PATH", dir_.path().toLocal8Bit()); }
    ~RutaPropia() { qputenv("PATH", antes_); }
    QString carpeta() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray antes_;
};

}  // namespace

class TstFrmAbout : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { registrar_shell(); }

    void rotulos_data();
    void rotulos();
    void abre_la_direccion_web();
    void se_cierra_al_activar_otra_ventana();
    void sin_herramienta_de_sistema();
    void herramienta_de_sistema();
};

void TstFrmAbout::rotulos_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("Español") << QString::fromUtf8("Español");
    QTest::newRow("English") << QString("English");
}

void TstFrmAbout::rotulos() {
    QFETCH(QString, idioma);
    ProgramaPrueba prog(idioma);
    QVERIFY(prog.arrancar_hasta_principal());
    QAction* acercade = entrada("mnuacercade");
    QVERIFY(acercade->isEnabled());
    acercade->trigger();
    frmAbout* a = about();
    QVERIFY(a && a->isVisible() && a->isWindow() && !a->isModal());
    QCOMPARE(a->windowTitle(), tx(60));
    QCOMPARE(pruebas::rotulo(a, "lblTitle")->text(), QString("KOR GAS"));
    QCOMPARE(pruebas::rotulo(a, "lblVersion")->text(), tx(61));
    QCOMPARE(pruebas::rotulo(a, "lblDescription")->text(), tx(62));
    QCOMPARE(pruebas::rotulo(a, "lblDisclaimer")->text(), tx(63));
    QCOMPARE(pruebas::control<QPushButton>(a, "cmdSysInfo")->text(), tx(64));
    const bool ingles = idioma == "English";
    QCOMPARE(pruebas::control<QPushButton>(a, "cmdOK")->text(), QString(ingles ? "OK" : "Aceptar"));
    QCOMPARE(pruebas::rotulo(a, "Label3")->text(),
             QString(ingles ? "The KOR-GAS project" : "Proyecto KOR-GAS"));
    QCOMPARE(
        pruebas::rotulo(a, "Label1")->text(),
        ingles ? QString("Design and programming:") : QString::fromUtf8("Diseño y programación:"));
    QCOMPARE(pruebas::rotulo(a, "Label4")->text(), direccion_web());
    QVERIFY(!pruebas::rotulo(a, "Image1")->pixmap().isNull());

    // OK closes it; showing it again loads it afresh.
    QPointer<frmAbout> primero = a;
    pruebas::pulsar(pruebas::control<QPushButton>(a, "cmdOK"));
    QVERIFY(!about());
    QTRY_VERIFY(primero.isNull());
    entrada("boton_17")->trigger();
    QVERIFY(about());
    QVERIFY(prog.mensajes.empty());
}

void TstFrmAbout::abre_la_direccion_web() {
    Navegador navegador;
    QDesktopServices::setUrlHandler("https", &navegador, "abrir");
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    entrada("mnuacercade")->trigger();
    pruebas::pulsar(pruebas::control<Etiqueta>(about(), "Label4"));
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(navegador.abiertas, QList<QUrl>{QUrl(direccion_web())});
}

void TstFrmAbout::se_cierra_al_activar_otra_ventana() {
    ProgramaPrueba prog;
    frmprincipal* principal = prog.arrancar_hasta_principal();
    QVERIFY(principal);
    entrada("mnuacercade")->trigger();
    QPointer<frmAbout> a = about();
    QVERIFY(activar(a));

    // A window the About box owns (a message box of its own) leaves it open,
    // while it is up and when it goes (the focus goes back to its owner).
    {
        QDialog propia(a);
        propia.setModal(true);
        QVERIFY(activar(&propia));
        QVERIFY(about() == a && a->isVisible());
    }
    QVERIFY(activar(a));
    QVERIFY(about() == a);

    // Another program taking the focus: no window of ours is active, and the
    // box stays.
    emit qGuiApp->focusWindowChanged(nullptr);
    QVERIFY(about() == a && a->isVisible());

    // The main window activated: the box unloads.
    QVERIFY(activar(principal));
    QVERIFY(!about());
    QTRY_VERIFY(a.isNull());
}

void TstFrmAbout::sin_herramienta_de_sistema() {
    RutaPropia ruta;  // no tool on the PATH
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    entrada("mnuacercade")->trigger();
    QPointer<frmAbout> a = about();
    QVERIFY(activar(a));
    // The message box takes the focus while it is up, as a real one does.
    prog.respuesta = 1;
    korgas::responder_mensajes_con([&](const QString& t, int e, const QString& ti) {
        prog.mensajes.push_back({t, e, ti});
        QDialog caja(QApplication::activeWindow());
        caja.setModal(true);
        activar(&caja);
        return 1;
    });
    pruebas::pulsar(pruebas::control<QPushButton>(a, "cmdSysInfo"));
    QCOMPARE(prog.mensajes.size(), std::size_t(1));
    QCOMPARE(prog.mensajes[0].texto, tx(184));
    QCOMPARE(prog.mensajes[0].estilo, 0);
    QCOMPARE(prog.mensajes[0].titulo, titulo_programa());
    QCoreApplication::processEvents();
    QVERIFY(!a.isNull());
    QVERIFY(about() == a && a->isVisible());
}

void TstFrmAbout::herramienta_de_sistema() {
    // The first tool found on the PATH is started.
    RutaPropia ruta;
    const QString marca = ruta.carpeta() + "/arrancada";
    const QString herramienta = ruta.carpeta() + "/" + frmAbout::herramientas_sistema()[1];
    {
        QFile f(herramienta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QString("#!/bin/sh\n/usr/bin/touch '%1'\n").arg(marca).toUtf8());
    }
    QFile::setPermissions(herramienta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProgramaPrueba prog;
    QVERIFY(prog.arrancar_hasta_principal());
    entrada("mnuacercade")->trigger();
    pruebas::pulsar(pruebas::control<QPushButton>(about(), "cmdSysInfo"));
    QTRY_VERIFY(QFile::exists(marca));
    QVERIFY(prog.mensajes.empty());
    QVERIFY(about());
}

QTEST_MAIN(TstFrmAbout)
#include "tst_frmAbout.moc"
