#include "platform/eventos_foco.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace korgas {

EventosFoco::EventosFoco(QWidget* control, std::function<void()> got_focus,
                         std::function<void()> lost_focus)
    : QObject(control),
      control_(control),
      got_(std::move(got_focus)),
      lost_(std::move(lost_focus)) {
    control->installEventFilter(this);
}

void seleccionar_todo(QLineEdit* caja) {
    QPointer<QLineEdit> c(caja);
    QTimer::singleShot(0, caja, [c] {
        if (c) c->setSelection(0, int(c->text().size()));
    });
}

QWidget* ventana_de(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w->parentWidget())) return w;
    return nullptr;
}

namespace {

// Whether the focus, leaving 'control', went to another control of the same
// window: not to a frame, a title bar, the main window around it, or another
// window.
bool paso_a_otro_control(QWidget* control) {
    QWidget* nuevo = QApplication::focusWidget();
    // Nowhere, or a leave sent by the program itself with the focus still
    // here: counted as a leave, as it always was.
    if (!nuevo || nuevo == control) return true;
    if (qobject_cast<QMdiSubWindow*>(nuevo)) return false;
    QWidget* ventana = ventana_de(control);
    return nuevo != ventana && ventana_de(nuevo) == ventana;
}

// Whether the focus went from 'control' to the frame of its own window (a
// click on a caption, a picture or the title inside an active window).
bool al_marco(QWidget* control) {
    auto* marco = qobject_cast<QMdiSubWindow*>(QApplication::focusWidget());
    return marco && marco->widget() == ventana_de(control);
}

}  // namespace

// The click took the focus to the frame: it comes back to the control, as if
// it had never left (no GotFocus, the selection kept).
void EventosFoco::devolver_foco() {
    QPointer<QWidget> c(control_);
    QTimer::singleShot(0, control_, [this, c] {
        auto* marco = qobject_cast<QMdiSubWindow*>(QApplication::focusWidget());
        if (!c || !marco || marco->widget() != ventana_de(c)) return;
        devolviendo_ = true;
        c->setFocus(Qt::OtherFocusReason);
        devolviendo_ = false;
    });
}

bool EventosFoco::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == control_ && activo_) {
        if (ev->type() == QEvent::FocusIn) {
            if (got_ && !devolviendo_) got_();
        } else if (ev->type() == QEvent::FocusOut) {
            switch (static_cast<QFocusEvent*>(ev)->reason()) {
                case Qt::TabFocusReason:
                case Qt::BacktabFocusReason:
                case Qt::MouseFocusReason:
                case Qt::ShortcutFocusReason:
                case Qt::OtherFocusReason:
                    if (paso_a_otro_control(control_)) {
                        if (lost_) lost_();
                    } else if (static_cast<QFocusEvent*>(ev)->reason() == Qt::MouseFocusReason &&
                               al_marco(control_)) {
                        devolver_foco();
                    }
                    break;
                default:
                    break;
            }
        }
    }
    return QObject::eventFilter(obj, ev);
}

}  // namespace korgas
