// Focus handlers of a text box: GotFocus and LostFocus as the windows use them.
//
// GotFocus runs on every focus-in. LostFocus runs only when the focus really
// moves to another control of the program (Tab, Backtab, a mouse click, a
// shortcut, or another move made by the program); it does not run when a
// message box or a popup takes the focus for a while, or when the whole
// window is deactivated, because those would re-enter the handlers while a
// calculation is still showing its message.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace korgas {

class EventosCaja : public QObject {
    Q_OBJECT
  public:
    EventosCaja(QLineEdit* caja, std::function<void()> got_focus, std::function<void()> lost_focus);

    // While off, neither handler runs (the window is closing).
    void activar(bool si) { activo_ = si; }

    // The usual GotFocus of the numeric boxes: select the whole text. It is
    // done once the focus event is over, so the click that gave the focus
    // does not clear the selection again.
    static void seleccionar_todo(QLineEdit* caja);

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    QLineEdit* caja_;
    std::function<void()> got_;
    std::function<void()> lost_;
    bool activo_ = true;
};

}  // namespace korgas
