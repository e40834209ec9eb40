#include "platform/teclas_acceso.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "platform/ventanas.h"

namespace korgas {

namespace {

// The window inside the main window that has the keyboard: the active one of
// the area, while the main window itself is the active window and no menu or
// modal box is open.
QWidget* ventana_interior_activa() {
    QMdiArea* area = Ventanas::area();
    if (!area || QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return nullptr;
    if (QApplication::activeWindow() != area->window()) return nullptr;
    QMdiSubWindow* sub = area->activeSubWindow();
    if (!sub || !sub->isVisible() || sub->isMinimized()) return nullptr;
    return sub->widget();
}

bool es_tecla_de_acceso(const QKeyEvent* k) {
    return k->modifiers() == Qt::AltModifier && k->key() != Qt::Key_Alt && k->key() > 0 &&
           k->key() < Qt::Key_Escape;
}

void actuar(QWidget* c) {
    QPointer<QWidget> control(c);
    if (auto* l = qobject_cast<QLabel*>(c)) {
        if (QWidget* b = l->buddy()) b->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    auto* boton = qobject_cast<QAbstractButton*>(c);
    if (!boton) return;
    if (boton->focusPolicy() & Qt::TabFocus) boton->setFocus(Qt::ShortcutFocusReason);
    // The focus move may have shown a message or closed the window.
    if (control && boton->isVisible() && boton->isEnabled()) boton->click();
}

class Filtro : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (t != QEvent::ShortcutOverride && t != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (!es_tecla_de_acceso(k)) return false;
        QWidget* ventana = ventana_interior_activa();
        if (!ventana) return false;
        QWidget* c = control_con_acceso(ventana, QKeySequence(k->keyCombination()));
        if (!c) return false;
        // Claimed before Qt looks the key up among the shortcuts; the key
        // press that follows does the work, once.
        e->accept();
        if (t == QEvent::KeyPress && !k->isAutoRepeat()) actuar(c);
        return true;
    }
};

}  // namespace

QWidget* control_con_acceso(QWidget* ventana, const QKeySequence& tecla) {
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(ventana) || !w->isEnabledTo(ventana)) continue;
        QString texto;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            texto = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            texto = l->text();
        if (!texto.isEmpty() && QKeySequence::mnemonic(texto) == tecla) return w;
    }
    return nullptr;
}

void teclas_de_ventana_primero() {
    static Filtro* filtro = nullptr;
    if (filtro || !qApp) return;
    filtro = new Filtro;
    filtro->setParent(qApp);
    qApp->installEventFilter(filtro);
}

}  // namespace korgas
