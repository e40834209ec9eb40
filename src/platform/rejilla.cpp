#include "platform/rejilla.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "core/numtext.h"
#include "platform/twips.h"

namespace korgas {

// The cells of a grid, the fixed row as the horizontal header. Body cells are
// kept row after row in one array.
class ModeloRejilla : public QAbstractTableModel {
  public:
    struct Celda {
        QString texto;
        int alineacion = -1;  // -1: the column's
        bool negrita = false;
    };

    explicit ModeloRejilla(QWidget* vista) : QAbstractTableModel(vista), vista_(vista) {}

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : filas_;
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : columnas_;
    }

    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= filas_ || i.column() >= columnas_) return {};
        const Celda& c = cuerpo_[indice(i.row(), i.column())];
        const bool fija = i.column() < columnas_fijas_;
        switch (rol) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return c.texto;
            case Qt::TextAlignmentRole:
                if (c.alineacion >= 0) return c.alineacion;
                if (fija) return int(Qt::AlignCenter);
                if (auto a = alineacion_columna_.constFind(i.column());
                    a != alineacion_columna_.cend())
                    return int(*a);
                return {};
            case Qt::BackgroundRole:
                if (fija) return vista_->palette().button();
                return {};
            case Qt::ForegroundRole:
                if (fija) return vista_->palette().buttonText();
                return {};
            case Qt::FontRole:
                return fuente(c);
            default:
                return {};
        }
    }

    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o != Qt::Horizontal || s < 0 || s >= columnas_) return {};
        const Celda& c = cabecera_[std::size_t(s)];
        switch (rol) {
            case Qt::DisplayRole:
                return c.texto;
            case Qt::TextAlignmentRole:
                return c.alineacion >= 0 ? c.alineacion : int(Qt::AlignCenter);
            case Qt::FontRole:
                return fuente(c);
            default:
                return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid()) return {};
        if (i.column() < columnas_fijas_) return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    // The cell at table row f (-1: the header) and column c; null outside.
    Celda* celda(int f, int c) {
        if (c < 0 || c >= columnas_ || f < -1 || f >= filas_) return nullptr;
        return f < 0 ? &cabecera_[std::size_t(c)] : &cuerpo_[indice(f, c)];
    }
    const Celda* celda(int f, int c) const { return const_cast<ModeloRejilla*>(this)->celda(f, c); }
    // The cell at grid row fila, with fijas fixed rows before the body.
    Celda* en(int fila, int fijas, int c) { return fila < 0 ? nullptr : celda(fila - fijas, c); }
    const Celda* en(int fila, int fijas, int c) const {
        return fila < 0 ? nullptr : celda(fila - fijas, c);
    }

    // Tells the view that a cell changed, unless a fill is on.
    void cambiada(int f, int c) {
        if (callado_) return;
        if (f < 0) {
            emit headerDataChanged(Qt::Horizontal, c, c);
        } else {
            const QModelIndex i = index(f, c);
            emit dataChanged(i, i);
        }
    }

    void fijar_filas(int n) {
        n = std::max(0, n);
        if (n > filas_) {
            beginInsertRows({}, filas_, n - 1);
            cuerpo_.resize(std::size_t(n) * std::size_t(columnas_));
            filas_ = n;
            endInsertRows();
        } else if (n < filas_) {
            beginRemoveRows({}, n, filas_ - 1);
            cuerpo_.resize(std::size_t(n) * std::size_t(columnas_));
            filas_ = n;
            endRemoveRows();
        }
    }

    // The kept columns' cells move to their places in one pass.
    void fijar_columnas(int n) {
        n = std::max(0, n);
        if (n == columnas_) return;
        std::vector<Celda> nuevo(std::size_t(filas_) * std::size_t(n));
        const int quedan = std::min(n, columnas_);
        for (int f = 0; f < filas_; ++f)
            for (int c = 0; c < quedan; ++c)
                nuevo[std::size_t(f) * std::size_t(n) + std::size_t(c)] =
                    std::move(cuerpo_[indice(f, c)]);
        if (n > columnas_)
            beginInsertColumns({}, columnas_, n - 1);
        else
            beginRemoveColumns({}, n, columnas_ - 1);
        cuerpo_ = std::move(nuevo);
        cabecera_.resize(std::size_t(n));
        anchos_.resize(std::size_t(n), -1);
        columnas_ = n;
        if (n > quedan)
            endInsertColumns();
        else
            endRemoveColumns();
    }

    void fijar_alineacion_columna(int c, Qt::Alignment a) {
        alineacion_columna_.insert(c, a);
        if (c < columnas_fijas_ || c >= columnas_) return;
        for (int f = 0; f < filas_; ++f) cuerpo_[indice(f, c)].alineacion = -1;
        if (filas_ > 0 && !callado_) emit dataChanged(index(0, c), index(filas_ - 1, c));
    }

    void fijar_columnas_fijas(int n) {
        columnas_fijas_ = n;
        todo_cambiado();
    }
    int columnas_fijas() const { return columnas_fijas_; }

    // Every cell and header may have changed.
    void todo_cambiado() {
        if (filas_ > 0 && columnas_ > 0)
            emit dataChanged(index(0, 0), index(filas_ - 1, columnas_ - 1));
        if (columnas_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columnas_ - 1);
    }

    // Widths in twips as set, -1 where none was.
    std::vector<int> anchos_;
    bool callado_ = false;

  private:
    std::size_t indice(int f, int c) const {
        return std::size_t(f) * std::size_t(columnas_) + std::size_t(c);
    }
    static QVariant fuente(const Celda& c) {
        if (!c.negrita) return {};
        QFont f;
        f.setBold(true);
        return f;
    }

    QWidget* vista_;
    int filas_ = 0;
    int columnas_ = 0;
    int columnas_fijas_ = 0;
    std::vector<Celda> cuerpo_;
    std::vector<Celda> cabecera_;
    QHash<int, Qt::Alignment> alineacion_columna_;
};

Rejilla::Rejilla(QWidget* padre) : QTableView(padre), modelo_(new ModeloRejilla(this)) {
    setModel(modelo_);
    setFrameShape(QFrame::NoFrame);
    verticalHeader()->hide();
    horizontalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        if (es_fija(i.row() + filas_fijas_, i.column())) return;
        emit clic();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual) {
                const int fijas = modelo_->columnas_fijas();
                if (!actual.isValid() || actual.column() >= fijas || fijas >= columnas()) return;
                selectionModel()->setCurrentIndex(model()->index(actual.row(), fijas),
                                                  QItemSelectionModel::NoUpdate);
            });
}

Rejilla::Relleno::Relleno(Rejilla* r)
    : r_(r), dibujaba_(r->updatesEnabled()), callado_(r->modelo_->callado_) {
    r_->modelo_->callado_ = true;
    r_->setUpdatesEnabled(false);
}

Rejilla::Relleno::~Relleno() {
    r_->modelo_->callado_ = callado_;
    if (!callado_) r_->modelo_->todo_cambiado();
    r_->setUpdatesEnabled(dibujaba_);
}

bool Rejilla::es_fija(int fila, int columna) const {
    return fila < filas_fijas_ || columna < modelo_->columnas_fijas();
}

int Rejilla::columnas() const {
    return modelo_->columnCount();
}

int Rejilla::columnas_fijas() const {
    return modelo_->columnas_fijas();
}

void Rejilla::fijar_fijas(int filas, int columnas) {
    const int total = this->filas();
    filas_fijas_ = std::clamp(filas, 0, 1);
    horizontalHeader()->setVisible(filas_fijas_ == 1);
    fijar_filas(total);
    modelo_->fijar_columnas_fijas(std::max(0, columnas));
}

void Rejilla::fijar_filas(int n) {
    modelo_->fijar_filas(n - filas_fijas_);
}

int Rejilla::filas() const {
    return modelo_->rowCount() + filas_fijas_;
}

void Rejilla::fijar_columnas(int n) {
    const QModelIndex actual = currentIndex();
    const int desplazamiento = verticalScrollBar()->value();
    modelo_->fijar_columnas(n);
    const int nuevas = columnas();
    if (actual.isValid() && nuevas > 0 && actual.column() >= nuevas)
        setCurrentIndex(model()->index(actual.row(), nuevas - 1));
    verticalScrollBar()->setValue(desplazamiento);
}

QString Rejilla::texto(int fila, int columna) const {
    const ModeloRejilla::Celda* c = modelo_->en(fila, filas_fijas_, columna);
    return c ? c->texto : QString();
}

void Rejilla::fijar_texto(int fila, int columna, const QString& texto) {
    const int f = fila - filas_fijas_;
    if (ModeloRejilla::Celda* c = modelo_->en(fila, filas_fijas_, columna)) {
        if (c->texto == texto) return;
        c->texto = texto;
        modelo_->cambiada(f, columna);
    }
}

void Rejilla::fijar_alineacion(int fila, int columna, Qt::Alignment a) {
    const int f = fila - filas_fijas_;
    if (ModeloRejilla::Celda* c = modelo_->en(fila, filas_fijas_, columna)) {
        c->alineacion = int(a);
        modelo_->cambiada(f, columna);
    }
}

void Rejilla::fijar_alineacion_columna(int columna, Qt::Alignment a) {
    modelo_->fijar_alineacion_columna(columna, a);
}

void Rejilla::fijar_negrita(int fila, int columna, bool negrita) {
    const int f = fila - filas_fijas_;
    if (ModeloRejilla::Celda* c = modelo_->en(fila, filas_fijas_, columna)) {
        c->negrita = negrita;
        modelo_->cambiada(f, columna);
    }
}

void Rejilla::fijar_ancho(int columna, int twips) {
    if (columna < 0 || columna >= columnas()) return;
    setColumnWidth(columna, px(twips));
    modelo_->anchos_[std::size_t(columna)] = twips;
}

int Rejilla::ancho(int columna) const {
    if (columna >= 0 && columna < columnas() && modelo_->anchos_[std::size_t(columna)] >= 0)
        return modelo_->anchos_[std::size_t(columna)];
    return columnWidth(columna) * kTwipsPorPixel;
}

void Rejilla::repartir_ancho(int ancho_twips) {
    if (columnas() == 0) return;
    const double w = (ancho_twips - 250.0) / columnas();
    const int cada = int(redondeo_par(w));
    for (int c = 0; c < columnas(); ++c) fijar_ancho(c, cada);
}

void Rejilla::ensanchar_al_contenido(int maximo_twips) {
    const int maximo = px(maximo_twips);
    for (int c = 0; c < columnas(); ++c) {
        int necesario = sizeHintForColumn(c);
        if (filas_fijas_ == 1)
            necesario = std::max(necesario, horizontalHeader()->sectionSizeHint(c));
        if (necesario > columnWidth(c))
            fijar_ancho(c, std::min(necesario, maximo) * kTwipsPorPixel);
    }
}

int Rejilla::ancho_para_columnas() const {
    return horizontalHeader()->length() + verticalScrollBar()->sizeHint().width() +
           2 * frameWidth();
}

QRect Rejilla::rect_celda(int fila, int columna) const {
    if (columna < 0 || columna >= columnas() || fila < 0 || fila >= filas()) return {};
    const QHeaderView* cabecera = horizontalHeader();
    QRect r;
    if (fila < filas_fijas_) {
        r = QRect(cabecera->sectionViewportPosition(columna), 0, cabecera->sectionSize(columna),
                  cabecera->height());
        r.translate(cabecera->geometry().topLeft());
    } else {
        r = visualRect(model()->index(fila - filas_fijas_, columna));
        r.translate(viewport()->geometry().topLeft());
    }
    return r;
}

int Rejilla::fila() const {
    return currentIndex().isValid() ? currentIndex().row() + filas_fijas_ : -1;
}

int Rejilla::columna() const {
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

void Rejilla::fijar_celda(int fila, int columna) {
    const QModelIndex i = model()->index(fila - filas_fijas_, columna);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

void Rejilla::mousePressEvent(QMouseEvent* ev) {
    // A press on a fixed cell neither moves the current cell nor selects.
    const QModelIndex i = indexAt(ev->position().toPoint());
    if (i.isValid() && es_fija(i.row() + filas_fijas_, i.column())) {
        ev->accept();
        return;
    }
    QTableView::mousePressEvent(ev);
}

}  // namespace korgas
