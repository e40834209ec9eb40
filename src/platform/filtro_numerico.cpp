#include "platform/filtro_numerico.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <string>
#include <utility>

#include "core/teclas.h"

namespace korgas {

FiltroNumerico::FiltroNumerico(QLineEdit* caja, int maxlen, std::function<void()> al_enter)
    : QObject(caja), caja_(caja), maxlen_(maxlen), al_enter_(std::move(al_enter)) {
    // Composed input would bypass the key events; a numeric box has no use for it.
    caja_->setAttribute(Qt::WA_InputMethodEnabled, false);
    caja_->installEventFilter(this);
}

namespace {

// The character code a key gives, as the filter sees it; 0 for keys that are
// not characters (arrows, Delete, Home, End, Tab, function keys) and for
// shortcuts with Ctrl, Alt or Meta other than paste: those reach the box
// unfiltered.
int codigo_tecla(const QKeyEvent* tecla) {
    switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        default:
            break;
    }
    // A paste from the keyboard is the key Ctrl+V (22), which the filter
    // refuses like any other character that is not part of a number. Pasting
    // from the box's context menu is not a key and is not filtered.
    if (tecla->matches(QKeySequence::Paste)) return 22;
    if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    const QString texto = tecla->text();
    if (texto.isEmpty() || !texto.front().isPrint()) return 0;
    return static_cast<int>(texto.front().unicode());
}

}  // namespace

bool FiltroNumerico::eventFilter(QObject* obj, QEvent* ev) {
    if (obj != caja_ || ev->type() != QEvent::KeyPress) return QObject::eventFilter(obj, ev);
    const int codigo = codigo_tecla(static_cast<QKeyEvent*>(ev));
    if (codigo == 0) return false;

    const std::string texto = caja_->text().toStdString();
    int tecla = codigo;
    tecla_numerica(maxlen_, tecla, texto);
    if (tecla == 0) return true;
    if (tecla == 13) {
        // Enter is the box's own action; it goes no further (a default button
        // of the window would fire a second time).
        if (al_enter_) al_enter_();
        return true;
    }
    return false;
}

}  // namespace korgas
