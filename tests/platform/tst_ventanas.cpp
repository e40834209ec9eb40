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

// Counts the close events a filter of a window sees.
class Contador : public QObject {
  public:
    int cierres = 0;
    bool eventFilter(QObject*, QEvent* ev) override {
        if (ev->type() == QEvent::Close) ++cierres;
        return false;
    }
};
// Installed by the load of the next "frmgases" or "frmayuda", before the
// registry installs its own filter.
Contador* filtro_de_carga = nullptr;

QWidget* con_filtro_de_carga(QWidget* w) {
    if (filtro_de_carga) w->installEventFilter(filtro_de_carga);
    return w;
}

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
    void otros_filtros_ven_el_cierre_data();
    void otros_filtros_ven_el_cierre();

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
    Ventanas::registrar("frmgases",
                        [] { return con_filtro_de_carga(new VentanaPrueba("frmgases")); });
    Ventanas::registrar("frmayuda", [] {
        QWidget* w = con_filtro_de_carga(new VentanaPrueba("frmayuda"));
        w->setProperty("ventana_propia", true);
        return w;
    });
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
    for (const char* n :
         {"frmcalculos", "frmdatos", "frmgraficos", "frmAbout", "frmgases", "frmayuda"})
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
    // A dialog's accept() closes it too, with a close event no filter sees.
    auto* otro = qobject_cast<QDialog*>(Ventanas::mostrar("frmAbout"));
    QVERIFY(otro);
    otro->accept();
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

void TstVentanas::otros_filtros_ven_el_cierre_data() {
    QTest::addColumn<QString>("nombre");  // frmgases in the area, frmayuda a window of its own
    QTest::addColumn<QString>("como");    // who closes it
    QTest::addColumn<bool>("rechazada");
    // A window of its own is its frame.
    const std::pair<const char*, const char*> casos[] = {
        {"frmgases", "descargar"}, {"frmgases", "marco"},   {"frmgases", "ventana"},
        {"frmayuda", "descargar"}, {"frmayuda", "ventana"},
    };
    for (const auto& [nombre, como] : casos)
        for (bool rechazada : {false, true})
            QTest::addRow("%s %s %s", nombre, como, rechazada ? "refused" : "accepted")
                << QString(nombre) << QString(como) << rechazada;
}

void TstVentanas::otros_filtros_ven_el_cierre() {
    QFETCH(QString, nombre);
    QFETCH(QString, como);
    QFETCH(bool, rechazada);
    // One filter the window's load installs, before the registry's, and one
    // installed on the loaded window.
    Contador de_carga, despues;
    filtro_de_carga = &de_carga;
    QPointer<QWidget> w = Ventanas::mostrar(nombre);
    filtro_de_carga = nullptr;
    QVERIFY(w);
    w->installEventFilter(&despues);
    QPointer<QWidget> marco = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QCOMPARE(marco.isNull(), nombre == "frmayuda");
    if (!marco) marco = w.data();
    QVERIFY(marco->isVisible());

    negarse = rechazada;
    if (como == "descargar")
        Ventanas::descargar(nombre);
    else if (como == "marco")
        marco->close();
    else
        w->close();
    QCOMPARE(de_carga.cierres, 1);
    QCOMPARE(despues.cierres, 1);
    QCOMPARE(diario.count((rechazada ? "refuse " : "unload ") + nombre), 1);

    if (rechazada) {
        // Nothing changed, and nothing is left behind: the next close goes
        // through.
        QCOMPARE(Ventanas::buscar(nombre), w.data());
        QCOMPARE(w->objectName(), nombre);
        QVERIFY(w->isVisible() && marco->isVisible());
        Ventanas::descargar(nombre);
        QVERIFY(w.isNull() && marco.isNull());
        QVERIFY(!Ventanas::buscar(nombre));
        QCOMPARE(de_carga.cierres, 2);
        QCOMPARE(despues.cierres, 2);
        return;
    }
    // Forgotten before close() returned: nameless, its frame hidden, and the
    // next request loads a new window.
    QVERIFY(!Ventanas::buscar(nombre));
    QVERIFY(w.isNull() || w->objectName().isEmpty());
    QVERIFY(marco.isNull() || !marco->isVisible());
    QTRY_VERIFY(w.isNull() && marco.isNull());
    QVERIFY(Ventanas::mostrar(nombre));
    QCOMPARE(diario.count("load " + nombre), 2);
}

QTEST_MAIN(TstVentanas)
#include "tst_ventanas.moc"
