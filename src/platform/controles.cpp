#include "platform/controles.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "platform/texto_qt.h"

namespace korgas {

namespace {

// The width a caption needs to show its text whole; 0 for anything else.
int ancho_necesario(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->wordWrap() || !l->pixmap().isNull() || l->text().isEmpty()) return 0;
        return l->sizeHint().width();
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        return b->text().isEmpty() ? 0 : b->sizeHint().width();
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        // Not the push button's size hint: the style gives every button a
        // least width a short caption does not need.
        if (b->text().isEmpty()) return 0;
        QStyle* s = b->style();
        int ancho = b->fontMetrics().horizontalAdvance(sin_acceso(b->text())) +
                    s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                    2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
        if (!b->icon().isNull()) ancho += b->iconSize().width() + 4;
        return ancho;
    }
    return 0;
}

bool en_layout(QWidget* w) {
    QWidget* p = w->parentWidget();
    return p && p->layout() && p->layout()->indexOf(w) >= 0;
}

bool misma_fila(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// Grows the captions of one container (the controls placed directly in it),
// its inner frames first; true when something grew.
bool crecer(QWidget* contenedor) {
    QList<QWidget*> hijos;
    for (QObject* o : contenedor->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || en_layout(w)) continue;
        hijos << w;
    }
    bool crecio = false;
    for (QWidget* w : hijos)
        if (qobject_cast<QGroupBox*>(w) && !w->layout()) crecio = crecer(w) || crecio;
    std::stable_sort(hijos.begin(), hijos.end(),
                     [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    for (QWidget* w : hijos) {
        int necesita = ancho_necesario(w);
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            // A frame as wide as what it holds.
            necesita = g->childrenRect().right() + 1 + 6;
            if (g->width() >= necesita) continue;
        }
        if (necesita <= w->width()) continue;
        const QRect antes = w->geometry();
        const int mas = necesita - w->width();
        w->resize(necesita, w->height());
        for (QWidget* o : hijos)
            if (o != w && o->x() >= antes.right() - 1 && misma_fila(o->geometry(), antes))
                o->move(o->x() + mas, o->y());
        crecio = true;
    }
    return crecio;
}

// Keeps a drop-down list opening as wide as its longest entry, and shows its
// chosen entry as a tool tip where the box cuts it. The entries are measured
// again only when they change, so a list of thousands of gases costs one
// pass per fill, not one per selection or resize.
class ListaEntera : public QObject {
  public:
    explicit ListaEntera(QComboBox* lista) : QObject(lista), lista_(lista) {
        auto medir = [this] { medir_(); };
        QAbstractItemModel* m = lista->model();
        connect(m, &QAbstractItemModel::rowsInserted, this, medir);
        connect(m, &QAbstractItemModel::rowsRemoved, this, medir);
        connect(m, &QAbstractItemModel::modelReset, this, medir);
        connect(m, &QAbstractItemModel::dataChanged, this, medir);
        auto consejo = [this] { consejo_(); };
        connect(lista, &QComboBox::currentIndexChanged, this, consejo);
        // Code selects with the signals blocked, then emits activated.
        connect(lista, &QComboBox::activated, this, consejo);
        lista->installEventFilter(this);
        medir_();
    }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == lista_) {
            if (e->type() == QEvent::FontChange)
                medir_();
            else if (e->type() == QEvent::Resize || e->type() == QEvent::ToolTip)
                consejo_();
        }
        return QObject::eventFilter(o, e);
    }

  private:
    void medir_() {
        const QFontMetrics fm(lista_->font());
        int mas_larga = 0;
        for (int i = 0; i < lista_->count(); ++i)
            mas_larga = std::max(mas_larga, fm.horizontalAdvance(lista_->itemText(i)));
        const int margen = lista_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
        lista_->view()->setMinimumWidth(mas_larga + margen);
        consejo_();
    }

    void consejo_() {
        const QFontMetrics fm(lista_->font());
        QStyleOptionComboBox opt;
        opt.initFrom(lista_);
        opt.editable = lista_->isEditable();
        const int campo =
            lista_->style()
                ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, lista_)
                .width() -
            4;
        const QString texto = lista_->currentText();
        lista_->setToolTip(fm.horizontalAdvance(texto) > campo ? texto : QString());
    }

    QComboBox* lista_;
};

}  // namespace

void lista_entera(QComboBox* lista) {
    static const char* const kMarca = "lista_entera";
    if (lista->property(kMarca).toBool()) return;
    lista->setProperty(kMarca, true);
    new ListaEntera(lista);
}

void textos_enteros(QWidget* ventana) {
    if (crecer(ventana)) {
        const QRect r = ventana->childrenRect();
        const int ancho = std::max(ventana->width(), r.right() + 1 + 8);
        if (ancho > ventana->width()) {
            if (ventana->minimumWidth() == ventana->maximumWidth())
                ventana->setFixedWidth(ancho);
            else
                ventana->resize(ancho, ventana->height());
        }
    }
    for (QComboBox* c : ventana->findChildren<QComboBox*>()) lista_entera(c);
}

}  // namespace korgas
