// Real pointer and key events for window tests on a desktop (escritorio.sh):
// they go through the X server by XTest, so the window manager and Qt's own
// handling of focus and activation see them as they see a user's.
#pragma once

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QtTest>
#include <vector>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

// Xlib's macros clash with Qt's names.
#undef Bool
#undef None
#undef Status
#undef KeyPress
#undef KeyRelease
#undef FocusIn
#undef FocusOut
#undef Expose
#undef Unsorted

namespace escritorio {

// Counts the pointer-button and key releases the program has received from
// the window system: a real event has been handled once its release is
// counted.
class Testigo : public QObject {
  public:
    Testigo() { qApp->installEventFilter(this); }
    int sueltas = 0;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        // Each event reaches the window first: count it there, once.
        if (o->isWindowType() && e->spontaneous() &&
            (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::KeyRelease))
            ++sueltas;
        return QObject::eventFilter(o, e);
    }
};
inline Testigo& testigo() {
    static Testigo* t = new Testigo;
    return *t;
}
inline void esperar_suelta(int antes) {
    if (!QTest::qWaitFor([antes] { return testigo().sueltas > antes; }, 5000))
        qWarning("the release of a key or button never came");
    QApplication::processEvents();
}

inline ::Display* pantalla() {
    static ::Display* d = XOpenDisplay(nullptr);
    if (!d) qFatal("no X display: run the test through escritorio.sh");
    return d;
}

// Waits until the window is on screen and active: the window manager has
// placed and mapped it and given it the focus.
inline bool esperar_ventana(QWidget* w) {
    QWidget* v = w->window();
    if (!QTest::qWaitForWindowExposed(v, 10000)) return false;
    v->activateWindow();
    return QTest::qWaitFor([v] { return v->isActiveWindow(); }, 10000);
}

// Moves the pointer to a point of the screen and waits until Qt sees it there.
inline void mover_global(QPoint p) {
    XTestFakeMotionEvent(pantalla(), -1, p.x(), p.y(), 0);
    XFlush(pantalla());
    if (!QTest::qWaitFor([p] { return QCursor::pos() == p; }, 5000))
        qWarning("the pointer never reached %d,%d", p.x(), p.y());
}

// Sends a press and a release of a pointer button (1 left, 3 right).
inline void boton(unsigned int b, bool abajo) {
    XTestFakeButtonEvent(pantalla(), b, abajo ? 1 : 0, 0);
    XFlush(pantalla());
}

// A left click at a point of a widget (its centre by default), as a user
// makes it, then the events it causes are handled.
inline void clic(QWidget* w, QPoint local = QPoint(-1, -1)) {
    if (local.x() < 0) local = w->rect().center();
    mover_global(w->mapToGlobal(local));
    const int antes = testigo().sueltas;
    boton(1, true);
    boton(1, false);
    esperar_suelta(antes);
}

// Presses a key (an X keysym, XK_a, XK_Return) with the modifiers held.
inline void tecla(unsigned long keysym, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    ::Display* d = pantalla();
    const int antes = testigo().sueltas;
    std::vector<unsigned int> teclas;
    if (mods & Qt::AltModifier) teclas.push_back(XKeysymToKeycode(d, XK_Alt_L));
    if (mods & Qt::ControlModifier) teclas.push_back(XKeysymToKeycode(d, XK_Control_L));
    if (mods & Qt::ShiftModifier) teclas.push_back(XKeysymToKeycode(d, XK_Shift_L));
    for (unsigned int k : teclas) XTestFakeKeyEvent(d, k, 1, 0);
    const unsigned int k = XKeysymToKeycode(d, keysym);
    XTestFakeKeyEvent(d, k, 1, 0);
    XTestFakeKeyEvent(d, k, 0, 0);
    for (auto it = teclas.rbegin(); it != teclas.rend(); ++it) XTestFakeKeyEvent(d, *it, 0, 0);
    XFlush(d);
    esperar_suelta(antes);
}

// Types a text of digits, letters and '.' as key presses.
inline void escribir(const QString& texto) {
    for (QChar c : texto) {
        if (c == QLatin1Char('.'))
            tecla(XK_period);
        else
            tecla(c.unicode());
    }
}

}  // namespace escritorio
