// Window lifetime: load on first use, raise when open, unload on close.
#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QtTest>

#include "platform/ventanas.h"

using korgas::Ventanas;

namespace {

// What the test windows did, in order: "load a", "unload a", ...
QStringList diario;
bool negarse = false;  // the next close is refused

class VentanaPrueba : public QWidget {
  public:
    explicit VentanaPrueba(const QString& nombre) : nombre_(nombre) { diario << "load " + nombre_; }
    ~VentanaPrueba() override { diario << "destroy " + nombre_; }

  protected:
    void closeEvent(QCloseEvent* ev) override {
        if (negarse) {
            negarse = false;
            diario << "refuse " + nombre_;
            ev->ignore();
            return;
        }
        diario << "unload " + nombre_;
        // An unload that closes another window, as the data window closes the
        // graph window.
        if (nombre_ == "frmdatos") Ventanas::descargar("frmgraficos");
        ev->accept();
    }

  private:
    QString nombre_;
};

class DialogoPrueba : public QDialog {
  public:
    DialogoPrueba() { diario << "load frmAbout"; }
};

}  // namespace

class TstVentanas : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void carga_solo_una_vez_y_eleva();
    void descargar_ejecuta_la_descarga_y_destruye();
    void cierre_del_usuario_olvida_la_ventana();
    void cierre_rechazado_la_deja_abierta();
    void descarga_encadenada();
    void dialogo_fuera_del_area();
    void sin_registrar();
    void entrada_por_nombre();
    void habilitar_la_ventana_entera();

  private:
    QMainWindow* principal_ = nullptr;
    QMdiArea* area_ = nullptr;
};

void TstVentanas::initTestCase() {
    for (const char* n : {"frmcalculos", "frmdatos", "frmgraficos"}) {
        const QString nombre = n;
        Ventanas::registrar(nombre, [nombre] { return new VentanaPrueba(nombre); });
    }
    Ventanas::registrar("frmAbout", [] { return new DialogoPrueba; });
}

void TstVentanas::init() {
    principal_ = new QMainWindow;
    principal_->setObjectName("frmprincipal");
    area_ = new QMdiArea;
    principal_->setCentralWidget(area_);
    Ventanas::fijar_area(area_);
    principal_->show();
    diario.clear();
    negarse = false;
}

void TstVentanas::cleanup() {
    for (const char* n : {"frmcalculos", "frmdatos", "frmgraficos", "frmAbout"})
        Ventanas::descargar(n);
    delete principal_;
    principal_ = nullptr;
}

void TstVentanas::carga_solo_una_vez_y_eleva() {
    QWidget* a = Ventanas::cargar("frmcalculos");
    QVERIFY(a);
    QVERIFY(!a->isVisible());  // loaded, not shown
    QCOMPARE(a->objectName(), QString("frmcalculos"));
    QCOMPARE(Ventanas::buscar("frmcalculos"), a);
    QCOMPARE(Ventanas::mostrar("frmcalculos"), a);
    QVERIFY(a->isVisible());
    auto* sub = qobject_cast<QMdiSubWindow*>(a->parentWidget());
    QVERIFY(sub);
    QCOMPARE(sub->mdiArea(), area_);

    Ventanas::mostrar("frmdatos");
    QVERIFY(area_->activeSubWindow() != sub);
    QCOMPARE(Ventanas::mostrar("frmcalculos"), a);  // raised, not loaded again
    QCOMPARE(area_->activeSubWindow(), sub);
    QCOMPARE(diario, QStringList({"load frmcalculos", "load frmdatos"}));
}

void TstVentanas::descargar_ejecuta_la_descarga_y_destruye() {
    QPointer<QWidget> a = Ventanas::mostrar("frmcalculos");
    QPointer<QWidget> sub = a->parentWidget();
    Ventanas::descargar("frmcalculos");
    // Everything has happened when descargar returns: no event loop needed.
    QVERIFY(a.isNull());
    QVERIFY(sub.isNull());
    QVERIFY(!Ventanas::buscar("frmcalculos"));
    QVERIFY(area_->subWindowList().isEmpty());
    QCOMPARE(diario,
             QStringList({"load frmcalculos", "unload frmcalculos", "destroy frmcalculos"}));
    // The next request loads a new window; unloading twice is harmless.
    Ventanas::descargar("frmcalculos");
    QVERIFY(Ventanas::mostrar("frmcalculos"));
    QCOMPARE(diario.count("load frmcalculos"), 2);
}

void TstVentanas::cierre_del_usuario_olvida_la_ventana() {
    // Closing from the sub-window's frame (the user's close button), and the
    // window closing itself.
    QPointer<QWidget> a = Ventanas::mostrar("frmcalculos");
    qobject_cast<QMdiSubWindow*>(a->parentWidget())->close();
    QVERIFY(!Ventanas::buscar("frmcalculos"));
    QVERIFY(principal_->findChild<QWidget*>("frmcalculos") == nullptr);

    QPointer<QWidget> b = Ventanas::mostrar("frmdatos");
    QPointer<QWidget> sub_b = b->parentWidget();
    b->close();
    QVERIFY(!Ventanas::buscar("frmdatos"));
    QVERIFY(!sub_b->isVisible());
    QTRY_VERIFY(a.isNull() && b.isNull() && sub_b.isNull());
    QCOMPARE(diario.count("unload frmcalculos"), 1);
    QCOMPARE(diario.count("unload frmdatos"), 1);
    QVERIFY(Ventanas::mostrar("frmcalculos") != nullptr);
    QCOMPARE(diario.count("load frmcalculos"), 2);
}

void TstVentanas::cierre_rechazado_la_deja_abierta() {
    QWidget* a = Ventanas::mostrar("frmcalculos");
    negarse = true;
    Ventanas::descargar("frmcalculos");
    QCOMPARE(Ventanas::buscar("frmcalculos"), a);
    QVERIFY(a->isVisible());
    negarse = true;
    a->parentWidget()->close();
    QCOMPARE(Ventanas::buscar("frmcalculos"), a);
    QVERIFY(a->isVisible());
    Ventanas::descargar("frmcalculos");
    QVERIFY(!Ventanas::buscar("frmcalculos"));
    QCOMPARE(diario, QStringList({"load frmcalculos", "refuse frmcalculos", "refuse frmcalculos",
                                  "unload frmcalculos", "destroy frmcalculos"}));
}

void TstVentanas::descarga_encadenada() {
    Ventanas::mostrar("frmdatos");
    Ventanas::mostrar("frmgraficos");
    Ventanas::descargar("frmdatos");
    QVERIFY(!Ventanas::buscar("frmdatos"));
    QVERIFY(!Ventanas::buscar("frmgraficos"));
    QCOMPARE(diario,
             QStringList({"load frmdatos", "load frmgraficos", "unload frmdatos",
                          "unload frmgraficos", "destroy frmgraficos", "destroy frmdatos"}));
}

void TstVentanas::dialogo_fuera_del_area() {
    QWidget* d = Ventanas::mostrar("frmAbout");
    QVERIFY(d);
    QVERIFY(d->isWindow());
    QVERIFY(area_->subWindowList().isEmpty());
    Ventanas::descargar("frmAbout");
    QVERIFY(!Ventanas::buscar("frmAbout"));
}

void TstVentanas::sin_registrar() {
    QVERIFY(!Ventanas::registrada("frmtabla"));
    QVERIFY(Ventanas::registrada("frmcalculos"));
    QVERIFY(!Ventanas::cargar("frmtabla"));
    QVERIFY(!Ventanas::mostrar("frmtabla"));
    QVERIFY(!Ventanas::buscar("frmtabla"));
    Ventanas::descargar("frmtabla");
}

void TstVentanas::entrada_por_nombre() {
    auto* menu = principal_->menuBar()->addMenu("&Calcular");
    QAction* p = menu->addAction("Calcular  P (T,V)");
    p->setObjectName("mnup");
    QCOMPARE(korgas::entrada("mnup"), p);
    QVERIFY(!korgas::entrada("mnuzz"));
    Ventanas::fijar_area(nullptr);  // found among the top-level windows as well
    QCOMPARE(korgas::entrada("mnup"), p);
    Ventanas::fijar_area(area_);
}

void TstVentanas::habilitar_la_ventana_entera() {
    // A window in the area is disabled with its frame, so its close button
    // does nothing either; a window of its own is disabled itself.
    QWidget* a = Ventanas::mostrar("frmcalculos");
    QWidget* marco = a->parentWidget();
    Ventanas::habilitar("frmcalculos", false);
    QVERIFY(!marco->isEnabled());
    QVERIFY(!a->isEnabled());
    Ventanas::habilitar("frmcalculos", true);
    QVERIFY(marco->isEnabled() && a->isEnabled());

    QWidget* d = Ventanas::mostrar("frmAbout");
    Ventanas::habilitar("frmAbout", false);
    QVERIFY(!d->isEnabled());
    // A window that is not loaded: nothing happens.
    Ventanas::habilitar("frmdatos", false);
    QVERIFY(!Ventanas::buscar("frmdatos"));
    QVERIFY(Ventanas::mostrar("frmdatos")->isEnabled());
}

QTEST_MAIN(TstVentanas)
#include "tst_ventanas.moc"
