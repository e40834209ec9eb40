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
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <array>
#include <vector>

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

// Hides the controls, which keep their place in the layout, so a window
// keeps one size whatever it shows.
inline void ocultar_en_su_sitio(const std::vector<QWidget*>& controles) {
    for (QWidget* w : controles) {
        QSizePolicy sp = w->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        w->setSizePolicy(sp);
        w->hide();
    }
}

// The parameter rows of an equation panel in a grid, from row 'fila' on: the
// caption, box and unit of each of the four parameters, then the exponent's
// caption and box; the units' column takes the spare width. All of them
// start hidden in their places (the equation shows what it uses).
template <class Caja>
void colocar_parametros(QGridLayout* g, int fila, const std::array<QLabel*, 4>& titulos,
                        const std::array<Caja*, 4>& cajas, const std::array<QLabel*, 4>& unidades,
                        QLabel* titulo_exponente, Caja* exponente) {
    std::vector<QWidget*> todos;
    for (int i = 0; i < 4; ++i) {
        g->addWidget(titulos[i], fila + i, 0, Qt::AlignRight);
        g->addWidget(cajas[i], fila + i, 1);
        g->addWidget(unidades[i], fila + i, 2);
        todos.insert(todos.end(), {titulos[i], cajas[i], unidades[i]});
    }
    g->addWidget(titulo_exponente, fila + 4, 0, Qt::AlignRight);
    g->addWidget(exponente, fila + 4, 1);
    g->setColumnStretch(2, 1);
    g->setRowStretch(fila + 5, 1);
    todos.insert(todos.end(), {titulo_exponente, exponente});
    ocultar_en_su_sitio(todos);
}

// A number box with its design name: right-aligned, of a fixed width in
// pixels unless ancho is 0, and read-only when it only shows results.
inline QLineEdit* caja_numerica(const QString& nombre, QWidget* padre, int ancho = 0,
                                bool solo_lectura = false) {
    auto* c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (ancho > 0) c->setFixedWidth(ancho);
    c->setReadOnly(solo_lectura);
    return c;
}

// A label with its design name as objectName, the name tests and scripts
// find it by.
inline QLabel* rotulo(const QString& nombre, QWidget* padre, const QString& texto = QString()) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

// Captions whole, whatever the fonts of the machine. In a window whose
// controls stand at their design places (no layout), every caption (label,
// button, check box) whose text needs more room than its design width grows
// to its text; the controls after it on its row move right as much, so the
// row keeps its order, and the window (and a frame around the caption) grows
// to hold them. Every drop-down list of the window gets lista_entera.
void textos_enteros(QWidget* ventana);

// A drop-down list opens as wide as its longest entry, and shows its chosen
// entry as its tool tip while the entry is wider than the list; both follow
// the entries as the list is filled again.
void lista_entera(QComboBox* lista);

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
