// Window lifetime as the program expects it: a window is loaded (built, its
// load handler run) on first use, shown or raised on request, and unloaded
// when it closes (its unload handler runs, then it is destroyed).
//
// Windows register a factory under their name (kFrmcalculos: every name is
// in nombres_ventanas.h); the main window and the menu entries ask for windows
// by name only, so a window group never needs the headers of another. A menu
// entry whose window is not registered stays disabled.
//
// For the next developer, the whole life of a window:
//   - Load: the factory builds the window; its constructor is its load handler
//     (captions from the language file, lists filled, defaults set). The
//     window gets its name as objectName and Qt::WA_DeleteOnClose. A plain
//     QWidget is put into a QMdiSubWindow of the main window's QMdiArea; a
//     QDialog, a Qt::Tool window or a window with the property
//     "ventana_propia" set to true stays a window of its own.
//   - cargar loads a window that is not loaded and leaves it hidden; mostrar
//     loads when needed, then shows it and brings it to the front. Asking for a
//     loaded window never loads it again.
//   - Unload: the window's closeEvent is its unload handler; it may ignore the
//     event to stay open. Whatever closes it (descargar, the close button of
//     its frame, its own close()), the registry forgets it before close()
//     returns: buscar gives nullptr and the next cargar/mostrar builds a new
//     one. descargar also destroys it at once; a window that closes itself is
//     destroyed at the next turn of the event loop, and is nameless until then.
//     So a window closes itself with close(), never with descargar on itself.
//     The registry only watches the close: the close event reaches every event
//     filter of the window and its closeEvent as any event does. An unload
//     that hides its own window and then refuses is not supported (a hide
//     during the close is taken as the close going through).
//   - Put unload work in closeEvent, never in the destructor: when the program
//     ends no window is unloaded, the windows are only destroyed.
//   - How handlers run when code sets a value: see controles.h.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QMdiArea;
class QScreen;

namespace korgas {

class Ventanas {
  public:
    using Fabrica = std::function<QWidget*()>;

    static void registrar(const QString& nombre, Fabrica fabrica);
    static bool registrada(const QString& nombre);

    // The area child windows open in (set by the main window at its load).
    static void fijar_area(QMdiArea* area);
    static QMdiArea* area();

    // Loads the window when it is not loaded (hidden), and returns it.
    static QWidget* cargar(const QString& nombre);
    // Loads when needed, then shows and raises it.
    static QWidget* mostrar(const QString& nombre);
    // The loaded window, or nullptr.
    static QWidget* buscar(const QString& nombre);
    // The loaded window as its class; nullptr when not loaded or of another
    // class.
    template <class T>
    static T* buscar(const QString& nombre) {
        return qobject_cast<T*>(buscar(nombre));
    }
    // Closes the window: its unload handler runs and it is destroyed.
    static void descargar(const QString& nombre);
    // Enables or disables a loaded window as a whole, its frame included (a
    // disabled window takes no input, not even at its close button); nothing
    // when it is not loaded.
    static void habilitar(const QString& nombre, bool si);
    // Makes a loaded window the active one once the window closing now is
    // gone (the area would otherwise activate whichever came before); a
    // window opened from another gives it back the focus so.
    static void activar_al_cerrar(const QString& nombre);
};

// Places a window of its own on a screen: no larger than that fraction of the
// screen's free area, and centred on it. Nothing when there is no screen.
void centrar_en_pantalla(QWidget* ventana, const QScreen* pantalla, double fraccion = 1.0);

// A menu entry or toolbar button of the main window by its objectName
// ("mnup", "boton_3"; a button that shares its menu entry's action gives that
// action); nullptr when the main window is not loaded. Windows reach the main
// window's commands through principal() (enlaces.h); this is for tests.
QAction* entrada(const QString& nombre);

}  // namespace korgas
