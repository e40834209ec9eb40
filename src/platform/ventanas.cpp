#include "platform/ventanas.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <utility>

#include "platform/controles.h"
#include "platform/enlaces.h"
#include "platform/nombres_ventanas.h"
#include "platform/teclas_acceso.h"

namespace korgas {

namespace {

struct Ventana {
    Ventanas::Fabrica fabrica;
    QPointer<QWidget> ventana;  // the window itself, while loaded
    QPointer<QWidget> marco;    // what is shown and closed: its sub-window, or itself
    // Alive while a close of the window is on its way: from the moment its
    // close event is seen until control is back in the event loop the close
    // came from.
    QPointer<QObject> cierre;
};

std::map<QString, Ventana>& registro() {
    static std::map<QString, Ventana> r;
    return r;
}

QPointer<QMdiArea>& area_hijas() {
    static QPointer<QMdiArea> a;
    return a;
}

Ventana* por_widget(const QObject* w) {
    for (auto& [nombre, v] : registro())
        if (v.ventana == w) return &v;
    return nullptr;
}

// The registry forgets a window that has closed. A window being destroyed
// keeps no name, so that a search by name never finds it; a window that closed
// itself inside its sub-window takes the frame with it.
void olvidar(Ventana& v) {
    QWidget* w = v.ventana;
    QWidget* marco = v.marco;
    v.ventana = nullptr;
    v.marco = nullptr;
    v.cierre = nullptr;
    if (w) w->setObjectName(QString());
    if (marco && marco != w) {
        marco->hide();
        marco->deleteLater();
    }
}

// The window of an entry while it is loaded, else nullptr. Qt takes
// Qt::WA_DeleteOnClose off a window the moment it accepts its close, before
// close() returns: a window without it has closed, whether or not the watcher
// below saw the close happen (a window closed while hidden is not hidden again,
// and a dialog's accept() closes it with a close event no filter sees).
QWidget* cargada(Ventana& v) {
    if (v.ventana && !v.ventana->testAttribute(Qt::WA_DeleteOnClose)) olvidar(v);
    return v.ventana;
}

// Watches the close of every loaded window without standing in its way: the
// close event goes on to the window's other filters and to its closeEvent (its
// unload) as any event does. Qt hides a window once it has accepted its close,
// still inside close(), so a hide while a close is on its way tells that the
// window has closed, and the registry forgets it there and then (a dialog's
// own close hides it before accepting, which comes to the same). A refused
// close leaves the window as it was.
class Vigilante : public QObject {
  public:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::Close) {
            Ventana* v = por_widget(obj);
            if (v && !v->cierre) {
                // A deferred deletion waits for the event loop the close came
                // from, past any message loop the unload runs.
                v->cierre = new QObject(this);
                v->cierre->deleteLater();
            }
        } else if (ev->type() == QEvent::HideToParent) {
            Ventana* v = por_widget(obj);
            if (v && v->cierre) olvidar(*v);
        }
        return false;
    }
};

Vigilante* vigilante() {
    static Vigilante* v = new Vigilante;
    return v;
}

// Dialogs, tool windows and windows that set the property "ventana_propia"
// stay outside the area. (A parentless QWidget always reports the type
// Qt::Window, so that type cannot tell.)
bool ventana_propia(const QWidget* w) {
    const Qt::WindowType tipo = w->windowType();
    return tipo == Qt::Dialog || tipo == Qt::Tool || qobject_cast<const QDialog*>(w) != nullptr ||
           w->property("ventana_propia").toBool();
}

}  // namespace

void Ventanas::registrar(const QString& nombre, Fabrica fabrica) {
    registro()[nombre].fabrica = std::move(fabrica);
}

bool Ventanas::registrada(const QString& nombre) {
    auto it = registro().find(nombre);
    return it != registro().end() && it->second.fabrica;
}

void Ventanas::fijar_area(QMdiArea* area) {
    area_hijas() = area;
    if (area) teclas_de_ventana_primero();
}

QMdiArea* Ventanas::area() {
    return area_hijas();
}

QWidget* Ventanas::cargar(const QString& nombre) {
    auto it = registro().find(nombre);
    if (it == registro().end() || !it->second.fabrica) return nullptr;
    if (QWidget* cargado = cargada(it->second)) return cargado;

    QWidget* w = it->second.fabrica();
    if (!w) return nullptr;
    // The load has written the captions: each shows whole.
    textos_enteros(w);
    // The factory may have loaded other windows; look the entry up again.
    Ventana& v = registro()[nombre];
    if (w->objectName().isEmpty()) w->setObjectName(nombre);
    w->setAttribute(Qt::WA_DeleteOnClose);
    v.ventana = w;
    v.marco = w;
    v.cierre = nullptr;

    QMdiArea* area = area_hijas();
    if (area && !ventana_propia(w)) {
        auto* sub = new QMdiSubWindow;
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWidget(w);
        sub->setObjectName(nombre + QStringLiteral("_marco"));
        // A click on the frame activates the window, but Tab never stops on
        // the frame, where nothing would show the focus.
        sub->setFocusPolicy(Qt::ClickFocus);
        area->addSubWindow(sub);
        sub->hide();
        sub->adjustSize();
        v.marco = sub;
    }
    // It only watches: its place among the window's filters does not matter.
    w->installEventFilter(vigilante());
    return w;
}

QWidget* Ventanas::mostrar(const QString& nombre) {
    QWidget* w = cargar(nombre);
    if (!w) return nullptr;
    QWidget* marco = registro()[nombre].marco;
    if (!marco) return w;
    if (marco->isMinimized()) marco->showNormal();
    w->show();
    marco->show();
    marco->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(marco)) {
        if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    } else {
        marco->activateWindow();
    }
    return w;
}

QWidget* Ventanas::buscar(const QString& nombre) {
    auto it = registro().find(nombre);
    return it == registro().end() ? nullptr : cargada(it->second);
}

void Ventanas::descargar(const QString& nombre) {
    auto it = registro().find(nombre);
    if (it == registro().end() || !cargada(it->second)) return;
    QPointer<QWidget> marco = it->second.marco;
    QPointer<QWidget> ventana = it->second.ventana;
    if (!marco) return;
    // Asked again from inside the window's own close, close() does nothing and
    // the window is still loaded: the close under way decides.
    marco->close();
    if (buscar(nombre) == ventana) return;  // the window refused to close
    // Unloading is complete when this returns: the window is destroyed now, not
    // at the next turn of the event loop.
    delete marco.data();
    delete ventana.data();
}

void Ventanas::habilitar(const QString& nombre, bool si) {
    auto it = registro().find(nombre);
    if (it == registro().end() || !cargada(it->second)) return;
    QWidget* w = it->second.marco ? it->second.marco.data() : it->second.ventana.data();
    w->setEnabled(si);
}

void Ventanas::activar_al_cerrar(const QString& nombre) {
    QObject* contexto = area_hijas() ? static_cast<QObject*>(area_hijas()) : qApp;
    QTimer::singleShot(0, contexto, [nombre] {
        if (buscar(nombre)) mostrar(nombre);
    });
}

void centrar_en_pantalla(QWidget* ventana, const QScreen* pantalla, double fraccion) {
    if (!pantalla) return;
    const QRect libre = pantalla->availableGeometry();
    ventana->resize(ventana->size().boundedTo(libre.size() * fraccion));
    QRect r = ventana->frameGeometry();
    r.moveCenter(libre.center());
    ventana->move(r.topLeft());
}

namespace {

// The main window: the window of the area, or the top-level window of its name.
QWidget* la_principal() {
    if (QMdiArea* area = area_hijas())
        if (QWidget* w = area->window(); w->objectName() == kFrmprincipal) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == kFrmprincipal) return w;
    return nullptr;
}

}  // namespace

QAction* entrada(const QString& nombre) {
    QWidget* p = la_principal();
    if (!p) return nullptr;
    if (auto* a = p->findChild<QAction*>(nombre)) return a;
    // A toolbar button that shows a menu entry's action is named on the button.
    auto* b = p->findChild<QToolButton*>(nombre);
    return b ? b->defaultAction() : nullptr;
}

VentanaPrincipal* principal() {
    return dynamic_cast<VentanaPrincipal*>(la_principal());
}

QAction* orden_principal(Orden o) {
    VentanaPrincipal* p = principal();
    return p ? p->orden(o) : nullptr;
}

}  // namespace korgas
