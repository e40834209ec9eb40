// The main window: captions and tooltips from the language file, the state
// after start-up, the dispatch of menus and toolbar, and the exit.
#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"

using namespace korgas;

namespace {

QStringList diario;  // "load frmx", "unload frmx"

class VentanaPrueba : public QWidget {
  public:
    explicit VentanaPrueba(const QString& nombre) : nombre_(nombre) { diario << "load " + nombre_; }

  protected:
    void closeEvent(QCloseEvent* ev) override {
        diario << "unload " + nombre_;
        ev->accept();
    }

  private:
    QString nombre_;
};

const QStringList kTodas = {"frmcalculos",   "frmdatos",       "frmgases", "frmgraficos",
                            "frmescala",     "frmoperaciones", "frmtabla", "frmtablaay",
                            "frmtermometro", "frmayuda",       "frmAbout", "frmIdioma"};

void registrar(const QStringList& nombres) {
    for (const QString& n : kTodas) Ventanas::registrar(n, {});
    for (const QString& n : nombres) Ventanas::registrar(n, [n] { return new VentanaPrueba(n); });
}

QAction* e(const char* nombre) {
    return entrada(QLatin1String(nombre));
}

// Menu entries: name, text number, what the program adds after the text.
struct Rotulo {
    const char* nombre;
    int texto;
    const char* despues;
};
const Rotulo kRotulos[] = {
    {"mnuarchivos", 1, ""},     {"mnudatos", 2, ""},        {"mnugraficos", 3, ""},
    {"mnucalcular", 4, ""},     {"mnusimulaciones", 5, ""}, {"mnutablas", 6, ""},
    {"mnuidioma", 7, ""},       {"mnuayudas", 8, ""},       {"mnunuevo", 9, ""},
    {"mnusalir", 10, ""},       {"mnuunidades", 11, ""},    {"mnumoles", 12, ""},
    {"mnugramos", 13, ""},      {"mnudato", 14, ""},        {"mnugases", 190, ""},
    {"mnudibujos", 15, ""},     {"mnuescala", 16, ""},      {"mnup", 17, ""},
    {"mnuv", 18, ""},           {"mnut", 19, ""},           {"mnuf", 20, ""},
    {"mnuoperaciones", 21, ""}, {"mnucrit", 22, ""},        {"mnutermo", 23, ""},
    {"mnutermosc", 24, ""},     {"mnuayuda", 30, "..."},    {"mnuacercade", 31, " ..."},
};

// Toolbar buttons: key and tooltip text; 0 for the separators.
const std::pair<const char*, int> kBotones[18] = {
    {"nuevo", 32},   {"datos", 14},      {"", 0}, {"mol", 33},   {"gramo", 34},       {"", 0},
    {"graficas", 3}, {"escala", 16},     {"", 0}, {"f", 20},     {"operaciones", 21}, {"tabla", 23},
    {"tabla1", 35},  {"termometro", 24}, {"", 0}, {"ayuda", 30}, {"acercade", 31},    {"salir", 10},
};

}  // namespace

class TstFrmprincipal : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        diario.clear();
        registrar({"frmcalculos"});
    }
    void cleanup() { registrar({}); }

    void rotulos_del_fichero_data();
    void rotulos_del_fichero();
    void estado_tras_la_carga();
    void calcular_fija_el_modo_y_eleva();
    void botones_y_menus_abren_su_ventana_data();
    void botones_y_menus_abren_su_ventana();
    void datos_recarga_y_las_de_carga_no();
    void unidades_y_nuevo();
    void botones_con_la_accion_de_su_menu();
    void salir_sin_preguntar_data();
    void salir_sin_preguntar();
};

void TstFrmprincipal::rotulos_del_fichero_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("Spanish") << QString::fromUtf8("Español");
    QTest::newRow("English") << QString("English");
}

void TstFrmprincipal::rotulos_del_fichero() {
    QFETCH(QString, idioma);
    ProgramaPrueba prog;
    prog.elegir_idioma(idioma.toStdString());
    frmprincipal* p = prog.arrancar_hasta_principal();
    QVERIFY(p);
    auto del_fichero = [&](int n) {
        return QString::fromStdString(
            leervalor(prog.idioma_lng(), idioma.toStdString(), std::to_string(n)));
    };
    for (const Rotulo& r : kRotulos) {
        QAction* a = e(r.nombre);
        QVERIFY2(a, r.nombre);
        QVERIFY(!del_fichero(r.texto).isEmpty());
        QCOMPARE(a->text(), del_fichero(r.texto) + r.despues);
    }
    for (int i = 0; i < 18; ++i) {
        QAction* b = p->boton(i + 1);
        QCOMPARE(b, e(qPrintable(QString("boton_%1").arg(i + 1))));
        QCOMPARE(b->property("clave").toString(), QString(kBotones[i].first));
        QCOMPARE(b->isSeparator(), kBotones[i].second == 0);
        if (kBotones[i].second == 0) continue;
        const QString esperado = sin_acceso(del_fichero(kBotones[i].second));
        QCOMPARE(b->toolTip(), esperado);
        QVERIFY2(!b->toolTip().contains('&'), qPrintable(b->toolTip()));
        QVERIFY(!b->icon().isNull());
    }
    // The caption is the design's, in every language.
    QCOMPARE(p->windowTitle(), QString("KOR GAS V1.0"));
    // A right click on the toolbar offers nothing: no untitled entry that
    // would hide the toolbar for the rest of the run.
    auto* barra = p->findChild<QToolBar*>("Toolbar1");
    QString emergente = "none";
    QTimer::singleShot(0, [&] {
        if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            emergente = QString("a menu of %1 entries").arg(m->actions().size());
            m->close();
        }
    });
    const QPoint punto(barra->width() - 5, 5);
    QContextMenuEvent clic(QContextMenuEvent::Mouse, punto, barra->mapToGlobal(punto));
    QApplication::sendEvent(barra, &clic);
    QCoreApplication::processEvents();
    QCOMPARE(emergente, QString("none"));
    QVERIFY(barra->isVisible());
}

void TstFrmprincipal::estado_tras_la_carga() {
    ProgramaPrueba prog;
    sistemas_iniciados = true;
    sistema_actual = 4;
    frmprincipal* p = prog.arrancar_hasta_principal();
    QVERIFY(p->isVisible());
    QCOMPARE(Ventanas::area(), p->area());

    // The graph entries wait for the data and graph windows.
    for (const char* n : {"mnudibujos", "mnuescala", "boton_7", "boton_8"})
        QVERIFY2(!e(n)->isEnabled(), n);
    QVERIFY(e("mnumoles")->isChecked());
    QVERIFY(!e("mnugramos")->isChecked());
    // The calculation window is there: its entries and button 10 work.
    for (const char* n : {"mnup", "mnuv", "mnut", "mnuf", "boton_10", "mnusalir", "boton_18"})
        QVERIFY2(e(n)->isEnabled(), n);
    // Every other window is not part of this build: its entries are present and
    // disabled.
    for (const char* n :
         {"mnunuevo", "mnudato",  "mnumoles",   "mnugramos", "mnugases",    "mnuoperaciones",
          "mnucrit",  "mnutermo", "mnutermosc", "mnuayuda",  "mnuacercade", "boton_1",
          "boton_2",  "boton_4",  "boton_5",    "boton_11",  "boton_12",    "boton_13",
          "boton_14", "boton_16", "boton_17"})
        QVERIFY2(!e(n)->isEnabled(), n);

    const std::uint32_t colores[] = {0xFF0000, 0x008000, 0x0000FF, 0xFF00FF, 0x008080};
    for (int s = 1; s <= 5; ++s) QCOMPARE(sistemas[s].color, colores[s - 1]);
    QVERIFY(!sistemas_iniciados);
    QCOMPARE(sistema_actual, 1);
    QCOMPARE(QString::fromStdString(fichdatos), prog.ruta("data"));
    QCOMPARE(numgases, 28);
}

void TstFrmprincipal::calcular_fija_el_modo_y_eleva() {
    ProgramaPrueba prog;
    frmprincipal* p = prog.arrancar_hasta_principal();
    e("mnup")->trigger();
    QCOMPARE(modo_calculo, 1);
    QWidget* calc = Ventanas::buscar("frmcalculos");
    QVERIFY(calc && calc->isVisible());
    QCOMPARE(p->area()->activeSubWindow()->widget(), calc);

    const std::pair<const char*, int> pasos[] = {
        {"mnuv", 2}, {"mnut", 3}, {"boton_10", 0}, {"mnup", 1}, {"mnuf", 0}};
    for (const auto& [nombre, modo] : pasos) {
        e(nombre)->trigger();
        QCOMPARE(modo_calculo, modo);
        QCOMPARE(Ventanas::buscar("frmcalculos"), calc);  // brought forward, not reloaded
    }
    QCOMPARE(diario, QStringList{"load frmcalculos"});
    // The keys no button carries.
    for (const auto& [clave, modo] : {std::pair{"p", 1}, {"v", 2}, {"t", 3}}) {
        p->Toolbar1_ButtonClick(clave);
        QCOMPARE(modo_calculo, modo);
    }
    p->Toolbar1_ButtonClick("P");  // keys compare with letter case
    QCOMPARE(modo_calculo, 3);
}

void TstFrmprincipal::botones_y_menus_abren_su_ventana_data() {
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("ventana");
    const std::pair<const char*, const char*> filas[] = {
        {"boton_2", "frmdatos"},        {"mnudato", "frmdatos"},
        {"boton_11", "frmoperaciones"}, {"mnuoperaciones", "frmoperaciones"},
        {"boton_12", "frmtablaay"},     {"mnutermo", "frmtablaay"},
        {"boton_13", "frmtabla"},       {"mnucrit", "frmtabla"},
        {"boton_14", "frmtermometro"},  {"mnutermosc", "frmtermometro"},
        {"boton_16", "frmayuda"},       {"mnuayuda", "frmayuda"},
        {"boton_17", "frmAbout"},       {"mnuacercade", "frmAbout"},
        {"mnugases", "frmgases"},
    };
    for (const auto& [a, v] : filas) QTest::newRow(a) << QString(a) << QString(v);
}

void TstFrmprincipal::botones_y_menus_abren_su_ventana() {
    QFETCH(QString, entrada);
    QFETCH(QString, ventana);
    registrar(kTodas);
    ProgramaPrueba prog;
    // Help opens its window only when the language has a help collection.
    if (ventana == "frmayuda") prog.escribir(QString::fromUtf8("Español.qhc"), "x");
    prog.arrancar_hasta_principal();
    QAction* a = korgas::entrada(entrada);
    QVERIFY(a->isEnabled());
    a->trigger();
    QWidget* w = Ventanas::buscar(ventana);
    QVERIFY(w && w->isVisible());
    QCOMPARE(diario, QStringList{"load " + ventana});
}

void TstFrmprincipal::datos_recarga_y_las_de_carga_no() {
    registrar(kTodas);
    ProgramaPrueba prog;
    prog.arrancar_hasta_principal();
    // Gases y condiciones closes the data window and loads it afresh.
    e("mnudato")->trigger();
    QPointer<QWidget> primera = Ventanas::buscar("frmdatos");
    e("boton_2")->trigger();
    QVERIFY(primera.isNull());
    QVERIFY(Ventanas::buscar("frmdatos"));
    QCOMPARE(diario, QStringList({"load frmdatos", "unload frmdatos", "load frmdatos"}));

    // The load entries leave an open window as it is.
    diario.clear();
    e("mnugases")->trigger();
    e("mnugases")->trigger();
    e("mnudibujos")->setEnabled(true);
    e("mnudibujos")->trigger();
    e("mnudibujos")->trigger();
    e("mnuescala")->setEnabled(true);
    e("mnuescala")->trigger();
    e("mnuescala")->trigger();
    QCOMPARE(diario, QStringList({"load frmgases", "load frmgraficos", "load frmescala"}));

    // A disabled button does nothing.
    diario.clear();
    Ventanas::descargar("frmescala");
    diario.clear();
    e("boton_8")->setEnabled(false);
    e("boton_8")->trigger();
    QVERIFY(diario.isEmpty());
}

void TstFrmprincipal::botones_con_la_accion_de_su_menu() {
    registrar(kTodas);
    ProgramaPrueba prog;
    frmprincipal* p = prog.arrancar_hasta_principal();
    // Button and menu entry of a command are one action: one enabling
    // serves both, and the button shows it.
    const std::pair<int, const char*> mismos[] = {
        {1, "mnunuevo"},   {2, "mnudato"},     {4, "mnumoles"},        {5, "mnugramos"},
        {7, "mnudibujos"}, {8, "mnuescala"},   {11, "mnuoperaciones"}, {12, "mnutermo"},
        {13, "mnucrit"},   {14, "mnutermosc"}, {16, "mnuayuda"},       {17, "mnuacercade"},
        {18, "mnusalir"},
    };
    for (const auto& [i, menu] : mismos) {
        const QString nombre = QString("boton_%1").arg(i);
        QCOMPARE(p->boton(i), e(menu));
        auto* b = p->findChild<QToolButton*>(nombre);
        QVERIFY2(b, qPrintable(nombre));
        for (bool si : {false, true}) {
            e(menu)->setEnabled(si);
            QCOMPARE(b->isEnabled(), si);
        }
        QCOMPARE(b->toolTip(), p->boton(i)->toolTip());
        QCOMPARE(b->text(), p->boton(i)->toolTip());
    }
    // The general-mode button is not the menu entry the calculation window
    // disables.
    e("mnuf")->setEnabled(false);
    QVERIFY(e("boton_10")->isEnabled());
    e("mnuf")->setEnabled(true);

    // The unit buttons never look pressed: the check mark is the menu's.
    for (const char* unidad : {"boton_5", "boton_4"}) {
        e(unidad)->trigger();
        for (const char* n : {"boton_4", "boton_5"}) {
            auto* b = p->findChild<QToolButton*>(n);
            QVERIFY(!b->isCheckable() && !b->isChecked() && !b->isDown());
        }
    }
    QVERIFY(e("mnumoles")->isChecked());

    // The menus show no icons and leave no room for them: each is as wide as
    // a menu of the same entries without icons.
    for (const char* n : {"mnuarchivos", "mnudatos", "mnugraficos", "mnutablas", "mnuayudas"}) {
        auto* m = p->findChild<QMenu*>(n);
        QMenu llano;
        for (QAction* a : m->actions()) {
            QAction* c = a->isSeparator() ? llano.addSeparator() : llano.addAction(a->text());
            c->setCheckable(a->isCheckable());
            if (a->menu()) c->setMenu(new QMenu(&llano));
        }
        QCOMPARE(m->sizeHint(), llano.sizeHint());
    }
}

void TstFrmprincipal::unidades_y_nuevo() {
    registrar(kTodas);
    ProgramaPrueba prog;
    frmprincipal* p = prog.arrancar_hasta_principal();
    // A click on the checked unit keeps its check mark.
    e("mnumoles")->trigger();
    e("mnumoles")->trigger();
    QVERIFY(e("mnumoles")->isChecked());
    QVERIFY(!e("mnugramos")->isChecked());
    e("boton_5")->trigger();
    QVERIFY(e("mnugramos")->isChecked());
    QVERIFY(!e("mnumoles")->isChecked());
    p->mnumoles_Click();
    QVERIFY(e("mnumoles")->isChecked());
    QVERIFY(!e("mnugramos")->isChecked());

    // New file: the systems start again, the graph windows close, the data
    // window opens afresh.
    p->mnugramos_Click();
    e("mnudato")->trigger();
    e("mnudibujos")->setEnabled(true);
    e("mnudibujos")->trigger();
    e("mnuescala")->setEnabled(true);
    e("mnuescala")->trigger();
    sistemas_iniciados = true;
    for (int s = 1; s <= 5; ++s) sistemas[s].personalizado = true;
    diario.clear();
    e("boton_1")->trigger();
    QCOMPARE(diario, QStringList({"unload frmescala", "unload frmgraficos", "unload frmdatos",
                                  "load frmdatos"}));
    QVERIFY(!sistemas_iniciados);
    for (int s = 1; s <= 5; ++s) QVERIFY(!sistemas[s].personalizado);
    QVERIFY(!e("mnudibujos")->isEnabled());
    QVERIFY(!e("mnuescala")->isEnabled());
    QVERIFY(e("mnumoles")->isChecked());
    QVERIFY(!e("mnugramos")->isChecked());
}

void TstFrmprincipal::salir_sin_preguntar_data() {
    QTest::addColumn<QString>("como");
    QTest::newRow("Salir") << "mnusalir";
    QTest::newRow("button Salir") << "boton_18";
    QTest::newRow("closing the main window") << "close";
}

void TstFrmprincipal::salir_sin_preguntar() {
    QFETCH(QString, como);
    registrar(kTodas);
    ProgramaPrueba prog;
    frmprincipal* p = prog.arrancar_hasta_principal();
    e("mnup")->trigger();
    e("mnuacercade")->trigger();
    diario.clear();
    QTimer::singleShot(0, p, [&] {
        if (como == "close")
            p->close();
        else
            korgas::entrada(como)->trigger();
    });
    // Should the exit fail, the loop ends with another status.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    // No window was asked or unloaded, no message shown.
    QVERIFY(diario.isEmpty());
    QVERIFY(prog.mensajes.empty());
}

QTEST_MAIN(TstFrmprincipal)
#include "tst_frmprincipal.moc"
