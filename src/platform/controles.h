// How handlers run when code sets a control's value.
//
// In this program, setting a list's selection or a check box's value from code
// runs that control's handler at once, before the next statement, exactly as a
// user's choice does; the window loads rely on it. Qt does not do that on its
// own (an unchanged value emits nothing, and QComboBox selects row 0 by itself
// on its first addItem), so every window follows one rule:
//
//   - handlers of lists are connected to QComboBox::activated, those of check
//     boxes to QAbstractButton::clicked: these signals come only from the user;
//   - lists are filled with signals blocked (llenar);
//   - code sets a value only through seleccionar / marcar below, which set it
//     silently and then emit the user signal, so the same handler runs once,
//     synchronously, whether or not the value changed.
//
// Text boxes have no change handlers in these windows: setText is silent, and a
// box's "Enter" or "lost focus" handler is called directly where the code of a
// window means it to run.
//
// How windows load and unload: see ventanas.h.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QStringList>

namespace korgas {

// A control's font at a size in points, with a weight and slant.
inline void fijar_fuente(QWidget* w, qreal puntos, QFont::Weight peso = QFont::Normal,
                         bool cursiva = false) {
    QFont f = w->font();
    f.setPointSizeF(puntos);
    f.setWeight(peso);
    f.setItalic(cursiva);
    w->setFont(f);
}

// A label with its design name as objectName, the name tests and scripts
// find it by.
inline QLabel* rotulo(const QString& nombre, QWidget* padre, const QString& texto = QString()) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

inline void llenar(QComboBox* lista, const QStringList& entradas) {
    QSignalBlocker bloqueo(lista);
    lista->clear();
    lista->addItems(entradas);
    lista->setCurrentIndex(-1);
}

inline void seleccionar(QComboBox* lista, int indice) {
    {
        QSignalBlocker bloqueo(lista);
        lista->setCurrentIndex(indice);
    }
    if (indice >= 0 && indice < lista->count()) emit lista->activated(indice);
}

inline void marcar(QAbstractButton* caja, bool valor) {
    {
        QSignalBlocker bloqueo(caja);
        caja->setChecked(valor);
    }
    emit caja->clicked(valor);
}

}  // namespace korgas
