// Focus handlers of any control: GotFocus and LostFocus as the windows use
// them.
//
// GotFocus runs on every focus-in. LostFocus runs only when the focus really
// moves to another control of the program (Tab, Backtab, a mouse click, a
// shortcut, or a move made by the program); it does not run when a message
// box or a popup takes the focus for a while, or when the whole window is
// deactivated, because those would re-enter the handlers while a handler is
// still showing its message.
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
    QWidget* control_;
    std::function<void()> got_;
    std::function<void()> lost_;
    bool activo_ = true;
};

// The usual GotFocus of a text box: select the whole text, once the focus
// event is over, so the click that gave the focus does not clear the
// selection again.
void seleccionar_todo(QLineEdit* caja);

}  // namespace korgas
