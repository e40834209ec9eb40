#include "shell/frmprincipal.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
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

// The toolbar, in order: key (empty for a separator) and the text of its
// tooltip.
struct Boton {
    const char* clave;
    int texto;
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
    {"f", 20},
    {"operaciones", 21},
    {"tabla", 23},
    {"tabla1", 35},
    {"termometro", 24},
    {"", 0},
    {"ayuda", 30},
    {"acercade", 31},
    {"salir", 10},
}};

// The window each menu entry or toolbar key opens; an entry whose window is
// not registered stays disabled. Salir opens none.
struct Destino {
    const char* entrada;
    const char* clave;
    QLatin1String ventana;
};
constexpr std::array<Destino, 17> kDestinos = {{
    {"mnunuevo", "nuevo", kFrmdatos},
    {"mnudato", "datos", kFrmdatos},
    {"mnumoles", "mol", kFrmdatos},
    {"mnugramos", "gramo", kFrmdatos},
    {"mnugases", nullptr, kFrmgases},
    {"mnudibujos", "graficas", kFrmgraficos},
    {"mnuescala", "escala", kFrmescala},
    {"mnup", nullptr, kFrmcalculos},
    {"mnuv", nullptr, kFrmcalculos},
    {"mnut", nullptr, kFrmcalculos},
    {"mnuf", "f", kFrmcalculos},
    {"mnuoperaciones", "operaciones", kFrmoperaciones},
    {"mnucrit", "tabla1", kFrmtabla},
    {"mnutermo", "tabla", kFrmtablaay},
    {"mnutermosc", "termometro", kFrmtermometro},
    {"mnuayuda", "ayuda", kFrmayuda},
    {"mnuacercade", "acercade", kFrmAbout},
}};

QMenu* menu_principal(QMenuBar* barra, const char* nombre) {
    QMenu* m = barra->addMenu(QString());
    m->setObjectName(QLatin1String(nombre));
    m->menuAction()->setObjectName(QLatin1String(nombre));
    return m;
}

QMenu* submenu(QMenu* padre, const char* nombre) {
    QMenu* m = padre->addMenu(QString());
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

QAction* frmprincipal::accion(QMenu* menu, const char* nombre, void (frmprincipal::*clic)()) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QLatin1String(nombre));
    connect(a, &QAction::triggered, this, [this, a, clic](bool marcada) {
        // Qt toggles a check mark before the handler runs; here the handlers
        // alone set check marks.
        if (a->isCheckable()) a->setChecked(!marcada);
        (this->*clic)();
    });
    return a;
}

void frmprincipal::crear_menus() {
    QMenuBar* barra = menuBar();
    QMenu* archivos = menu_principal(barra, "mnuarchivos");
    accion(archivos, "mnunuevo", &frmprincipal::mnunuevo_Click);
    archivos->addSeparator();
    accion(archivos, "mnusalir", &frmprincipal::mnusalir_Click);

    QMenu* datos = menu_principal(barra, "mnudatos");
    QMenu* unidades = submenu(datos, "mnuunidades");
    accion(unidades, "mnumoles", &frmprincipal::mnumoles_Click)->setCheckable(true);
    accion(unidades, "mnugramos", &frmprincipal::mnugramos_Click)->setCheckable(true);
    accion(datos, "mnudato", &frmprincipal::mnudato_Click);
    accion(datos, "mnugases", &frmprincipal::mnugases_Click);

    QMenu* graficos = menu_principal(barra, "mnugraficos");
    accion(graficos, "mnudibujos", &frmprincipal::mnudibujos_Click);
    accion(graficos, "mnuescala", &frmprincipal::mnuescala_Click);

    QMenu* calcular = menu_principal(barra, "mnucalcular");
    accion(calcular, "mnup", &frmprincipal::mnup_Click);
    accion(calcular, "mnuv", &frmprincipal::mnuv_Click);
    accion(calcular, "mnut", &frmprincipal::mnut_Click);
    accion(calcular, "mnuf", &frmprincipal::mnuf_Click);

    QMenu* simulaciones = menu_principal(barra, "mnusimulaciones");
    accion(simulaciones, "mnuoperaciones", &frmprincipal::mnuoperaciones_Click);

    QMenu* tablas = menu_principal(barra, "mnutablas");
    accion(tablas, "mnucrit", &frmprincipal::mnucrit_Click);
    accion(tablas, "mnutermo", &frmprincipal::mnutermo_Click);
    accion(tablas, "mnutermosc", &frmprincipal::mnutermosc_Click);

    mnuidioma = menu_principal(barra, "mnuidioma");
    for (int i = 1; i <= kEntradasIdioma; ++i) mnuidiomas(i);

    QMenu* ayudas = menu_principal(barra, "mnuayudas");
    accion(ayudas, "mnuayuda", &frmprincipal::mnuayuda_Click);
    accion(ayudas, "mnuacercade", &frmprincipal::mnuacercade_Click);
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
        QAction* b = nullptr;
        if (clave.isEmpty()) {
            b = Toolbar1->addSeparator();
        } else {
            b = Toolbar1->addAction(icono_barra(clave), QString());
            connect(b, &QAction::triggered, this, [this, clave] { Toolbar1_ButtonClick(clave); });
        }
        b->setObjectName(QStringLiteral("boton_%1").arg(i + 1));
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

QSize frmprincipal::cliente_twips() const {
    return area_->viewport()->size() * 15;
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

    // Tooltips of the buttons, without the access-key markers of the menu
    // captions they share.
    for (std::size_t i = 0; i < kBotones.size(); ++i) {
        if (kBotones[i].texto == 0) continue;
        const QString t = sin_acceso(tx(kBotones[i].texto));
        botones_[i]->setText(t);
        botones_[i]->setToolTip(t);
    }

    // Curve colours of the five systems.
    for (int s = 1; s <= 5; ++s) sistemas[s].color = kColores[s - 1];
    sistemas_iniciados = false;
    // Entries whose window this build does not hold stay disabled.
    estados_iniciales();
    // The graph entries follow the data and graph windows.
    item(QStringLiteral("mnudibujos"))->setEnabled(false);
    item(QStringLiteral("mnuescala"))->setEnabled(false);
    boton(7)->setEnabled(false);
    boton(8)->setEnabled(false);
    item(QStringLiteral("mnumoles"))->setChecked(true);
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
    for (const Destino& d : kDestinos) {
        const bool hay = Ventanas::registrada(d.ventana);
        item(QLatin1String(d.entrada))->setEnabled(hay);
        if (d.clave) {
            for (QAction* b : botones_)
                if (b->property("clave").toString() == QLatin1String(d.clave)) b->setEnabled(hay);
        }
    }
}

void frmprincipal::closeEvent(QCloseEvent* ev) {
    // MDIForm_Unload: the program ends at once; no window is asked anything.
    ev->accept();
    mnusalir_Click();
}

void frmprincipal::Toolbar1_ButtonClick(const QString& clave) {
    using Manejador = void (frmprincipal::*)();
    static const std::array<std::pair<const char*, Manejador>, 17> tabla = {{
        {"nuevo", &frmprincipal::mnunuevo_Click},
        {"datos", &frmprincipal::mnudato_Click},
        {"mol", &frmprincipal::mnumoles_Click},
        {"gramo", &frmprincipal::mnugramos_Click},
        {"graficas", &frmprincipal::mnudibujos_Click},
        {"escala", &frmprincipal::mnuescala_Click},
        {"p", &frmprincipal::mnup_Click},
        {"v", &frmprincipal::mnuv_Click},
        {"t", &frmprincipal::mnut_Click},
        {"f", &frmprincipal::mnuf_Click},
        {"operaciones", &frmprincipal::mnuoperaciones_Click},
        {"tabla", &frmprincipal::mnutermo_Click},
        {"tabla1", &frmprincipal::mnucrit_Click},
        {"termometro", &frmprincipal::mnutermosc_Click},
        {"ayuda", &frmprincipal::mnuayuda_Click},
        {"acercade", &frmprincipal::mnuacercade_Click},
        {"salir", &frmprincipal::mnusalir_Click},
    }};
    for (const auto& [c, manejador] : tabla) {
        if (clave == QLatin1String(c)) {
            (this->*manejador)();
            return;
        }
    }
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
    QAction* nueva = item(gramos ? QStringLiteral("mnugramos") : QStringLiteral("mnumoles"));
    QAction* vieja = item(gramos ? QStringLiteral("mnumoles") : QStringLiteral("mnugramos"));
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
    if (ventana && ventana->metaObject()->indexOfMethod("aplicar_unidad(bool,bool)") >= 0)
        QMetaObject::invokeMethod(ventana, "aplicar_unidad", Qt::DirectConnection,
                                  Q_ARG(bool, gramos), Q_ARG(bool, convertir));
}

void frmprincipal::mnunuevo_Click() {
    sistemas_iniciados = false;
    for (int s = 1; s <= 5; ++s) sistemas[s].personalizado = false;
    item(QStringLiteral("mnudibujos"))->setEnabled(false);
    item(QStringLiteral("mnuescala"))->setEnabled(false);
    item(QStringLiteral("mnumoles"))->setChecked(true);
    item(QStringLiteral("mnugramos"))->setChecked(false);
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
