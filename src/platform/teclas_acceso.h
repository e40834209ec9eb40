// Access keys of the windows inside the main window.
//
// A window inside the main window shares the main window's keyboard with its
// menu bar, so Qt would find two controls for Alt+A (the Archivos menu and
// the window's "&Aceptar") and act on neither as the caption promises. While
// such a window is active, its own controls' access keys come first: the key
// presses its button (after the focus has moved to it, so the lost-focus rule
// of the box left runs as with a click), or gives the focus to the control a
// caption names. Keys the window does not use still open the main menu.
#pragma once

#include <QKeySequence>

class QWidget;

namespace korgas {

// Installs the rule on the application, once.
void teclas_de_ventana_primero();

// The visible, enabled control of the window whose caption has that access
// key (a button, or a caption with a buddy), or nullptr.
QWidget* control_con_acceso(QWidget* ventana, const QKeySequence& tecla);

}  // namespace korgas
