// Window lifetime as the program expects it: a window is loaded (built, its
// load handler run) on first use, shown or raised on request, and unloaded
// when it closes (its unload handler runs, then it is destroyed).
//
// Windows register a factory under their name ("frmcalculos"); the main window
// and the menu entries ask for windows by name only, so a window group never
// needs the headers of another. A menu entry whose window is not registered
// stays disabled.
//
// A child window is a QWidget put into a QMdiSubWindow of the main window's
// QMdiArea, with WA_DeleteOnClose. Its constructor is its load; its closeEvent
// is its unload (it may ignore the event to stay open).
#pragma once

#include <QString>
#include <functional>

class QAction;
class QMdiArea;
class QWidget;

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
    // Closes the window: its unload handler runs and it is destroyed.
    static void descargar(const QString& nombre);
};

// A menu entry or toolbar button of the main window by its objectName
// ("mnup", "boton_3"); nullptr when the main window is not loaded.
QAction* entrada(const QString& nombre);

}  // namespace korgas
