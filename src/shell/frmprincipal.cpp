#include "shell/frmprincipal.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>
#include <array>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "shell/arranque.h"
#include "shell/frmayuda.h"
#include "shell/iconos.h"
#include "shell/idiomas.h"

namespace korgas {

namespace {

QPointer<frmprincipal>& la_principal() {
    static QPointer<frmprincipal> p;
    return p;
}

// The ten entries of the language menu in the window's design.
constexpr int kEntradasIdioma = 10;

// The toolbar, in order: key (empty for a separator), the text of its
// tooltip, and whether the button keeps an action of its own. Every other
// button shows its command's menu action (the command of its key, mandos()),
// so one enabling serves both; the general-mode calculation button has its
// own because the calculation window disables the menu entry of the general
// mode and leaves the button on.
struct Boton {
    const char* clave;
    int texto;
    bool propia = false;
};
constexpr std::array<Boton, 18> kBotones = {{
    {"nuevo", 32},
    {"datos", 14},
    {"", 0},
    {"mol", 33},
    {"gramo", 34},
    {"", 0},
    {"graficas", 3},
    {"escala", 16},
    {"", 0},
    {"f", 20, true},
    {"operaciones", 21},
    {"tabla", 23},
    {"tabla1", 35},
    {"termometro", 24},
    {"", 0},
    {"ayuda", 30},
    {"acercade", 31},
    {"salir", 10},
}};

// A toolbar button showing an action: its icon, tooltip and enabled state.
// The unit commands carry a check mark in the menu; on the toolbar they stay
// plain buttons, never shown pressed.
class BotonBarra : public QToolButton {
  public:
    BotonBarra(QAction* a, QToolBar* barra) : QToolButton(barra) {
        // As the toolbar sets up the buttons it makes itself.
        setAutoRaise(true);
        setFocusPolicy(Qt::NoFocus);
        setIconSize(barra->iconSize());
        setToolButtonStyle(barra->toolButtonStyle());
        setDefaultAction(a);
        setCheckable(false);
    }

  protected:
    void actionEvent(QActionEvent* ev) override {
        QToolButton::actionEvent(ev);  // takes on the action's state again
        setCheckable(false);
    }
};

// A menu of the main window. Its entries share their actions with the toolbar
// buttons, icons included, and show no icon (accion); unlike a plain QMenu it
// also leaves no room for the icons it does not show.
class Menu : public QMenu {
  public:
    using QMenu::QMenu;

  protected:
    void initStyleOption(QStyleOptionMenuItem* opcion, const QAction* a) const override {
        QMenu::initStyleOption(opcion, a);
        opcion->maxIconWidth = 0;
    }
};

// A menu of the menu bar or a submenu, named as its entry.
template <class Padre>
QMenu* menu(Padre* padre, const char* nombre) {
    QMenu* m = new Menu(padre);
    padre->addMenu(m);
    m->setObjectName(QLatin1String(nombre));
    m->menuAction()->setObjectName(QLatin1String(nombre));
    return m;
}

// Curve colours of systems 1..5 as 0x00BBGGRR: blue, green, red, magenta and
// olive of the 16-colour palette.
constexpr std::array<std::uint32_t, 5> kColores = {0xFF0000, 0x008000, 0x0000FF, 0xFF00FF,
                                                   0x008080};

}  // namespace

frmprincipal* frmprincipal::instancia() {
    if (!la_principal()) la_principal() = new frmprincipal;
    return la_principal();
}

frmprincipal* frmprincipal::existente() {
    return la_principal();
}

frmprincipal::frmprincipal() {
    setObjectName(kFrmprincipal);
    // The caption of the design; no language changes it.
    setWindowTitle(QStringLiteral("KOR GAS V1.0"));
    setWindowIcon(icono_programa());
    resize(1024, 720);

    area_ = new QMdiArea(this);
    area_->setObjectName(QStringLiteral("mdi"));
    QLinearGradient fondo(0, 0, 0, 900);
    fondo.setColorAt(0, QColor(206, 214, 224));
    fondo.setColorAt(1, QColor(170, 182, 198));
    area_->setBackground(fondo);
    setCentralWidget(area_);
    Ventanas::fijar_area(area_);

    crear_menus();
    crear_barra();
    MDIForm_Load();
}

frmprincipal::~frmprincipal() {
    if (Ventanas::area() == area_) Ventanas::fijar_area(nullptr);
}

std::span<const frmprincipal::Mando> frmprincipal::mandos() {
    // In the order of Orden. The window each command opens: an entry whose
    // window is not registered stays disabled; Salir opens none.
    static constexpr Mando tabla[] = {
        {Orden::nuevo, "mnunuevo", "nuevo", kFrmdatos, &frmprincipal::mnunuevo_Click},
        {Orden::salir, "mnusalir", "salir", {}, &frmprincipal::mnusalir_Click},
        {Orden::moles, "mnumoles", "mol", kFrmdatos, &frmprincipal::mnumoles_Click},
        {Orden::gramos, "mnugramos", "gramo", kFrmdatos, &frmprincipal::mnugramos_Click},
        {Orden::dato, "mnudato", "datos", kFrmdatos, &frmprincipal::mnudato_Click},
        {Orden::gases, "mnugases", nullptr, kFrmgases, &frmprincipal::mnugases_Click},
        {Orden::dibujos, "mnudibujos", "graficas", kFrmgraficos, &frmprincipal::mnudibujos_Click},
        {Orden::escala, "mnuescala", "escala", kFrmescala, &frmprincipal::mnuescala_Click},
        {Orden::p, "mnup", "p", kFrmcalculos, &frmprincipal::mnup_Click},
        {Orden::v, "mnuv", "v", kFrmcalculos, &frmprincipal::mnuv_Click},
        {Orden::t, "mnut", "t", kFrmcalculos, &frmprincipal::mnut_Click},
        {Orden::f, "mnuf", "f", kFrmcalculos, &frmprincipal::mnuf_Click},
        {Orden::operaciones, "mnuoperaciones", "operaciones", kFrmoperaciones,
         &frmprincipal::mnuoperaciones_Click},
        {Orden::crit, "mnucrit", "tabla1", kFrmtabla, &frmprincipal::mnucrit_Click},
        {Orden::termo, "mnutermo", "tabla", kFrmtablaay, &frmprincipal::mnutermo_Click},
        {Orden::termosc, "mnutermosc", "termometro", kFrmtermometro,
         &frmprincipal::mnutermosc_Click},
        {Orden::ayuda, "mnuayuda", "ayuda", kFrmayuda, &frmprincipal::mnuayuda_Click},
        {Orden::acercade, "mnuacercade", "acercade", kFrmAbout, &frmprincipal::mnuacercade_Click},
    };
    static_assert(std::size(tabla) == kNumOrdenes);
    static_assert([] {
        for (std::size_t i = 0; i < kNumOrdenes; ++i)
            if (tabla[i].orden != Orden(i)) return false;
        return true;
    }());
    return tabla;
}

const frmprincipal::Mando* frmprincipal::mando(const QString& clave) {
    for (const Mando& m : mandos())
        if (m.clave && clave == QLatin1String(m.clave)) return &m;
    return nullptr;
}

QAction* frmprincipal::orden(Orden o) const {
    return ordenes_[std::size_t(o)];
}

QAction* frmprincipal::accion(QMenu* menu, Orden o) {
    const Mando& m = mandos()[std::size_t(o)];
    QAction* a = menu->addAction(QString());
    a->setObjectName(QLatin1String(m.entrada));
    // The icon is the toolbar button's; the menus show none.
    a->setIconVisibleInMenu(false);
    connect(a, &QAction::triggered, this, [this, a, clic = m.clic](bool marcada) {
        // Qt toggles a check mark before the handler runs; here the handlers
        // alone set check marks.
        if (a->isCheckable()) a->setChecked(!marcada);
        (this->*clic)();
    });
    ordenes_[std::size_t(o)] = a;
    return a;
}

void frmprincipal::crear_menus() {
    QMenuBar* barra = menuBar();
    QMenu* archivos = menu(barra, "mnuarchivos");
    accion(archivos, Orden::nuevo);
    archivos->addSeparator();
    accion(archivos, Orden::salir);

    QMenu* datos = menu(barra, "mnudatos");
    QMenu* unidades = menu(datos, "mnuunidades");
    accion(unidades, Orden::moles)->setCheckable(true);
    accion(unidades, Orden::gramos)->setCheckable(true);
    accion(datos, Orden::dato);
    accion(datos, Orden::gases);

    QMenu* graficos = menu(barra, "mnugraficos");
    accion(graficos, Orden::dibujos);
    accion(graficos, Orden::escala);

    QMenu* calcular = menu(barra, "mnucalcular");
    accion(calcular, Orden::p);
    accion(calcular, Orden::v);
    accion(calcular, Orden::t);
    accion(calcular, Orden::f);

    QMenu* simulaciones = menu(barra, "mnusimulaciones");
    accion(simulaciones, Orden::operaciones);

    QMenu* tablas = menu(barra, "mnutablas");
    accion(tablas, Orden::crit);
    accion(tablas, Orden::termo);
    accion(tablas, Orden::termosc);

    mnuidioma = menu(barra, "mnuidioma");
    for (int i = 1; i <= kEntradasIdioma; ++i) mnuidiomas(i);

    QMenu* ayudas = menu(barra, "mnuayudas");
    accion(ayudas, Orden::ayuda);
    accion(ayudas, Orden::acercade);
}

QAction* frmprincipal::mnuidiomas(int i) {
    if (i < 1) return nullptr;
    while (num_mnuidiomas() < i) {
        const int n = num_mnuidiomas() + 1;
        QAction* e = mnuidioma->addAction(QString());
        e->setObjectName(QStringLiteral("mnuidiomas_%1").arg(n));
        e->setVisible(false);
        connect(e, &QAction::triggered, this, [this, e, n](bool marcada) {
            if (e->isCheckable()) e->setChecked(!marcada);
            mnuidiomas_Click(n);
        });
        idiomas_.push_back(e);
    }
    return idiomas_[i - 1];
}

void frmprincipal::crear_barra() {
    Toolbar1 = addToolBar(QString());
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (std::size_t i = 0; i < kBotones.size(); ++i) {
        const QString clave = QLatin1String(kBotones[i].clave);
        const QString nombre = QStringLiteral("boton_%1").arg(i + 1);
        QAction* b = nullptr;
        if (clave.isEmpty()) {
            b = Toolbar1->addSeparator();
            b->setObjectName(nombre);
        } else {
            if (kBotones[i].propia) {
                b = new QAction(this);
                b->setObjectName(nombre);
                connect(b, &QAction::triggered, this,
                        [this, clave] { Toolbar1_ButtonClick(clave); });
            } else {
                b = orden(mando(clave)->orden);
            }
            b->setIcon(icono_barra(clave));
            auto* boton = new BotonBarra(b, Toolbar1);
            boton->setObjectName(nombre);
            Toolbar1->addWidget(boton);
        }
        b->setProperty("clave", clave);
        botones_.push_back(b);
    }
}

QAction* frmprincipal::boton(int i) const {
    return i >= 1 && i <= static_cast<int>(botones_.size()) ? botones_[i - 1] : nullptr;
}

QAction* frmprincipal::item(const QString& nombre) const {
    return findChild<QAction*>(nombre);
}

void frmprincipal::MDIForm_Load() {
    // Captions, in the order of their texts.
    auto rotular = [this](const char* nombre, int n) {
        findChild<QMenu*>(QLatin1String(nombre))->setTitle(tx(n));
    };
    auto texto = [this](const char* nombre, const QString& t) {
        item(QLatin1String(nombre))->setText(t);
    };
    rotular("mnuarchivos", 1);
    rotular("mnudatos", 2);
    rotular("mnugraficos", 3);
    rotular("mnucalcular", 4);
    rotular("mnusimulaciones", 5);
    rotular("mnutablas", 6);
    rotular("mnuidioma", 7);
    rotular("mnuayudas", 8);
    texto("mnunuevo", tx(9));
    texto("mnusalir", tx(10));
    rotular("mnuunidades", 11);
    texto("mnumoles", tx(12));
    texto("mnugramos", tx(13));
    texto("mnudato", tx(14));
    texto("mnugases", tx(190));
    texto("mnudibujos", tx(15));
    texto("mnuescala", tx(16));
    texto("mnup", tx(17));
    texto("mnuv", tx(18));
    texto("mnut", tx(19));
    texto("mnuf", tx(20));
    texto("mnuoperaciones", tx(21));
    texto("mnucrit", tx(22));
    texto("mnutermo", tx(23));
    texto("mnutermosc", tx(24));
    texto("mnuayuda", tx(30) + QStringLiteral("..."));
    texto("mnuacercade", tx(31) + QStringLiteral(" ..."));

    // Texts and tooltips of the buttons, without the access-key markers of
    // the menu captions they share; a button's text is its action's icon
    // text, so the menu entry keeps its own.
    for (std::size_t i = 0; i < kBotones.size(); ++i) {
        if (kBotones[i].texto == 0) continue;
        const QString t = sin_acceso(tx(kBotones[i].texto));
        botones_[i]->setIconText(t);
        botones_[i]->setToolTip(t);
    }

    // Curve colours of the five systems.
    for (int s = 1; s <= 5; ++s) sistemas[s].color = kColores[s - 1];
    sistemas_iniciados = false;
    // Entries whose window this build does not hold stay disabled.
    estados_iniciales();
    // The graph entries follow the data and graph windows.
    orden(Orden::dibujos)->setEnabled(false);
    orden(Orden::escala)->setEnabled(false);
    orden(Orden::moles)->setChecked(true);
    // The first system, the data file and its number of gases.
    sistema_actual = 1;
    fichdatos = ruta_programa(QStringLiteral("data"));
    try {
        // Start-up has refused a file without a valid count.
        numgases = leer_numgases(fichdatos).value_or(0);
    } catch (const ErrorFichero&) {
        numgases = 0;
    }
}

void frmprincipal::estados_iniciales() {
    for (const Mando& m : mandos())
        if (!m.ventana.isEmpty()) orden(m.orden)->setEnabled(Ventanas::registrada(m.ventana));
    // A button with an action of its own follows its command.
    for (std::size_t i = 0; i < kBotones.size(); ++i)
        if (kBotones[i].propia)
            botones_[i]->setEnabled(
                orden(mando(QLatin1String(kBotones[i].clave))->orden)->isEnabled());
}

void frmprincipal::closeEvent(QCloseEvent* ev) {
    // MDIForm_Unload: the program ends at once; no window is asked anything.
    ev->accept();
    mnusalir_Click();
}

void frmprincipal::Toolbar1_ButtonClick(const QString& clave) {
    if (const Mando* m = mando(clave)) (this->*m->clic)();
}

void frmprincipal::mnuidiomas_Click(int indice) {
    QAction* e = indice >= 1 && indice <= num_mnuidiomas() ? idiomas_[indice - 1] : nullptr;
    if (!e || e->isChecked()) return;
    if (indice == numidiomas + 2) {
        Ventanas::mostrar(kFrmIdioma);
        return;
    }
    if (indice <= numidiomas) cambiaridioma(listaidiomas[indice]);
}

void frmprincipal::mnusalir_Click() {
    // Ends the program: the event loop stops and no window is unloaded.
    QCoreApplication::exit(0);
}

void frmprincipal::mnumoles_Click() {
    cambiar_unidad(false);
}

void frmprincipal::mnugramos_Click() {
    cambiar_unidad(true);
}

void frmprincipal::cambiar_unidad(bool gramos) {
    QAction* nueva = orden(gramos ? Orden::gramos : Orden::moles);
    QAction* vieja = orden(gramos ? Orden::moles : Orden::gramos);
    // The amounts are converted only when the other unit was in force.
    const bool convertir = vieja->isChecked();
    // The data window shows its amounts in the unit in force: a closed one
    // is opened first, still under the old unit, so the conversion below is
    // the only one its amounts get.
    const QString datos = kFrmdatos;
    QWidget* ventana = Ventanas::buscar(datos);
    if (!ventana && Ventanas::registrada(datos)) ventana = Ventanas::mostrar(datos);
    vieja->setChecked(false);
    nueva->setChecked(true);
    if (auto* d = dynamic_cast<VentanaDatos*>(ventana)) d->aplicar_unidad(gramos, convertir);
}

void frmprincipal::mnunuevo_Click() {
    sistemas_iniciados = false;
    for (int s = 1; s <= 5; ++s) sistemas[s].personalizado = false;
    orden(Orden::dibujos)->setEnabled(false);
    orden(Orden::escala)->setEnabled(false);
    orden(Orden::moles)->setChecked(true);
    orden(Orden::gramos)->setChecked(false);
    // Closed in this order; the data window then opens afresh with the
    // defaults of its load.
    Ventanas::descargar(kFrmescala);
    Ventanas::descargar(kFrmgraficos);
    Ventanas::descargar(kFrmdatos);
    Ventanas::mostrar(kFrmdatos);
}

void frmprincipal::mnudato_Click() {
    Ventanas::descargar(kFrmdatos);
    Ventanas::mostrar(kFrmdatos);
}

// Load entries: the window displays itself; an open one is left as it is.
void frmprincipal::mnugases_Click() {
    if (!Ventanas::buscar(kFrmgases)) Ventanas::mostrar(kFrmgases);
}

void frmprincipal::mnudibujos_Click() {
    if (!Ventanas::buscar(kFrmgraficos)) Ventanas::mostrar(kFrmgraficos);
}

void frmprincipal::mnuescala_Click() {
    if (!Ventanas::buscar(kFrmescala)) Ventanas::mostrar(kFrmescala);
}

void frmprincipal::calcular(int modo) {
    // The mode first: the window's load reads it. An open window is only
    // brought to the front.
    modo_calculo = modo;
    Ventanas::mostrar(kFrmcalculos);
}

void frmprincipal::mnuoperaciones_Click() {
    Ventanas::mostrar(kFrmoperaciones);
}
void frmprincipal::mnucrit_Click() {
    Ventanas::mostrar(kFrmtabla);
}
void frmprincipal::mnutermo_Click() {
    Ventanas::mostrar(kFrmtablaay);
}
void frmprincipal::mnutermosc_Click() {
    Ventanas::mostrar(kFrmtermometro);
}
void frmprincipal::mnuayuda_Click() {
    mostrar_ayuda();
}
void frmprincipal::mnuacercade_Click() {
    Ventanas::mostrar(kFrmAbout);
}

}  // namespace korgas
