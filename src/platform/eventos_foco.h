// Focus handlers of any control: GotFocus and LostFocus as the windows use
// them.
//
// GotFocus runs on every focus-in. LostFocus runs only when the focus really
// moves to another control of the same window (Tab, Backtab, a mouse click, a
// shortcut, or a move made by the program); it does not run when a message
// box or a popup takes the focus for a while, when the focus goes to a frame
// or title bar, or when the window is deactivated (another window, or the
// whole program, activated), because those would re-enter the handlers while
// a handler is still showing its message, and a click on a label or a frame
// is no move to another control.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;
class QWidget;

namespace korgas {

class EventosFoco : public QObject {
    Q_OBJECT
  public:
    EventosFoco(QWidget* control, std::function<void()> got_focus,
                std::function<void()> lost_focus = {});

    // While off, neither handler runs (the window is closing).
    void activar(bool si) { activo_ = si; }

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    void devolver_foco();

    QWidget* control_;
    std::function<void()> got_;
    std::function<void()> lost_;
    bool activo_ = true;
    bool devolviendo_ = false;
};

// The window a control belongs to: the window inside the main window (the
// widget of its frame) or the window of its own.
QWidget* ventana_de(QWidget* w);

// The usual GotFocus of a text box: select the whole text, once the focus
// event is over, so the click that gave the focus does not clear the
// selection again.
void seleccionar_todo(QLineEdit* caja);

}  // namespace korgas
