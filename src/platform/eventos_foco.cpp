#include "platform/eventos_foco.h"

#include <QFocusEvent>
#include <QLineEdit>
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

bool EventosFoco::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == control_ && activo_) {
        if (ev->type() == QEvent::FocusIn) {
            if (got_) got_();
        } else if (ev->type() == QEvent::FocusOut) {
            switch (static_cast<QFocusEvent*>(ev)->reason()) {
                case Qt::TabFocusReason:
                case Qt::BacktabFocusReason:
                case Qt::MouseFocusReason:
                case Qt::ShortcutFocusReason:
                case Qt::OtherFocusReason:
                    if (lost_) lost_();
                    break;
                default:
                    break;
            }
        }
    }
    return QObject::eventFilter(obj, ev);
}

}  // namespace korgas
