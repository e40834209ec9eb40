#include "platform/rejilla.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <vector>

#include "core/numtext.h"
#include "platform/twips.h"

namespace korgas {

Rejilla::Rejilla(QWidget* padre) : QTableWidget(padre) {
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

    connect(this, &QTableWidget::cellClicked, this, [this](int f, int c) {
        if (es_fija(f + filas_fijas_, c)) return;
        emit clic();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual) {
                if (!actual.isValid() || actual.column() >= columnas_fijas_ ||
                    columnas_fijas_ >= columnCount())
                    return;
                selectionModel()->setCurrentIndex(model()->index(actual.row(), columnas_fijas_),
                                                  QItemSelectionModel::NoUpdate);
            });
}

Rejilla::Relleno::Relleno(Rejilla* r)
    : r_(r), dibujaba_(r->updatesEnabled()), callado_(r->model()->blockSignals(true)) {
    r_->setUpdatesEnabled(false);
}

Rejilla::Relleno::~Relleno() {
    QAbstractItemModel* m = r_->model();
    m->blockSignals(callado_);
    if (!callado_ && m->rowCount() > 0 && m->columnCount() > 0)
        emit m->dataChanged(m->index(0, 0), m->index(m->rowCount() - 1, m->columnCount() - 1));
    if (!callado_ && m->columnCount() > 0)
        emit m->headerDataChanged(Qt::Horizontal, 0, m->columnCount() - 1);
    r_->setUpdatesEnabled(dibujaba_);
}

bool Rejilla::es_fija(int fila, int columna) const {
    return fila < filas_fijas_ || columna < columnas_fijas_;
}

void Rejilla::fijar_fijas(int filas, int columnas) {
    const int total = this->filas();
    filas_fijas_ = std::clamp(filas, 0, 1);
    columnas_fijas_ = std::max(0, columnas);
    horizontalHeader()->setVisible(filas_fijas_ == 1);
    fijar_filas(total);
    for (int f = 0; f < rowCount(); ++f)
        for (int c = 0; c < columnCount(); ++c) dar_forma(f, c);
}

void Rejilla::fijar_filas(int n) {
    const int antes = rowCount();
    setRowCount(std::max(0, n - filas_fijas_));
    for (int f = antes; f < rowCount(); ++f)
        for (int c = 0; c < std::min(columnas_fijas_, columnCount()); ++c) dar_forma(f, c);
}

int Rejilla::filas() const {
    return rowCount() + filas_fijas_;
}

void Rejilla::fijar_columnas(int n) {
    const int antes = columnCount();
    n = std::max(0, n);
    if (n != antes && rowCount() > 0) {
        // The table keeps its items row after row: adding or removing a
        // column shifts the rest of the table once per row, and leaves every
        // item to be searched for at its next change, so a table of thousands
        // of rows would grow with the square of its rows. The items are taken
        // out, the columns changed on an empty table and the items put back.
        const QSignalBlocker bloqueo(this);
        const int filas = rowCount(), quedan = std::min(antes, n);
        const int fila = currentRow(), columna = currentColumn();
        const int desplazamiento = verticalScrollBar()->value();
        std::vector<QTableWidgetItem*> items(std::size_t(filas) * std::size_t(quedan));
        {
            const Relleno relleno(this);
            for (int f = 0; f < filas; ++f)
                for (int c = 0; c < quedan; ++c)
                    items[std::size_t(f * quedan + c)] = takeItem(f, c);
        }
        setRowCount(0);
        setColumnCount(n);
        setRowCount(filas);
        const Relleno relleno(this);
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < quedan; ++c)
                if (QTableWidgetItem* it = items[std::size_t(f * quedan + c)]) setItem(f, c, it);
        if (fila >= 0 && columna >= 0 && n > 0) setCurrentCell(fila, std::min(columna, n - 1));
        verticalScrollBar()->setValue(desplazamiento);
    } else {
        setColumnCount(n);
    }
    for (int c = antes; c < columnCount(); ++c) {
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem);
        horizontalHeaderItem(c)->setTextAlignment(Qt::AlignCenter);
        if (c < columnas_fijas_)
            for (int f = 0; f < rowCount(); ++f) dar_forma(f, c);
    }
}

QTableWidgetItem* Rejilla::celda(int fila, int columna) {
    if (columna < 0 || columna >= columnCount() || fila < 0 || fila >= filas()) return nullptr;
    if (fila < filas_fijas_) {
        if (!horizontalHeaderItem(columna)) setHorizontalHeaderItem(columna, new QTableWidgetItem);
        return horizontalHeaderItem(columna);
    }
    const int f = fila - filas_fijas_;
    if (!item(f, columna)) {
        const QSignalBlocker bloqueo(this);
        setItem(f, columna, new QTableWidgetItem);
        dar_forma(f, columna);
    }
    return item(f, columna);
}

const QTableWidgetItem* Rejilla::celda(int fila, int columna) const {
    if (columna < 0 || columna >= columnCount() || fila < 0 || fila >= filas()) return nullptr;
    if (fila < filas_fijas_) return horizontalHeaderItem(columna);
    return item(fila - filas_fijas_, columna);
}

// Flags, colour and alignment of a body item (table coordinates) by its kind.
void Rejilla::dar_forma(int f, int c) {
    QTableWidgetItem* it = item(f, c);
    const bool fija = c < columnas_fijas_;
    if (!it) {
        if (!fija) return;
        const QSignalBlocker bloqueo(this);
        it = new QTableWidgetItem;
        setItem(f, c, it);
    }
    const QSignalBlocker bloqueo(this);
    if (fija) {
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(palette().button());
        it->setForeground(palette().buttonText());
        it->setTextAlignment(Qt::AlignCenter);
    } else {
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (alineacion_columna_.contains(c)) it->setTextAlignment(alineacion_columna_.value(c));
    }
}

QString Rejilla::texto(int fila, int columna) const {
    const QTableWidgetItem* it = celda(fila, columna);
    return it ? it->text() : QString();
}

void Rejilla::fijar_texto(int fila, int columna, const QString& texto) {
    if (QTableWidgetItem* it = celda(fila, columna)) it->setText(texto);
}

void Rejilla::fijar_alineacion(int fila, int columna, Qt::Alignment a) {
    if (QTableWidgetItem* it = celda(fila, columna)) it->setTextAlignment(a);
}

void Rejilla::fijar_alineacion_columna(int columna, Qt::Alignment a) {
    alineacion_columna_.insert(columna, a);
    if (columna < columnas_fijas_ || columna >= columnCount()) return;
    for (int f = 0; f < rowCount(); ++f)
        if (QTableWidgetItem* it = item(f, columna)) it->setTextAlignment(a);
}

void Rejilla::fijar_negrita(int fila, int columna, bool negrita) {
    QTableWidgetItem* it = celda(fila, columna);
    if (!it) return;
    QFont f = it->font();
    f.setBold(negrita);
    it->setFont(f);
}

void Rejilla::fijar_ancho(int columna, int twips) {
    if (columna < 0 || columna >= columnCount()) return;
    setColumnWidth(columna, px(twips));
    horizontalHeaderItem(columna)->setData(Qt::UserRole, twips);
}

int Rejilla::ancho(int columna) const {
    const QTableWidgetItem* h = horizontalHeaderItem(columna);
    if (h && h->data(Qt::UserRole).isValid()) return h->data(Qt::UserRole).toInt();
    return columnWidth(columna) * kTwipsPorPixel;
}

void Rejilla::repartir_ancho(int ancho_twips) {
    if (columnCount() == 0) return;
    const double w = (ancho_twips - 250.0) / columnCount();
    const int cada = int(redondeo_par(w));
    for (int c = 0; c < columnCount(); ++c) fijar_ancho(c, cada);
}

void Rejilla::ensanchar_al_contenido(int maximo_twips) {
    const int maximo = px(maximo_twips);
    for (int c = 0; c < columnCount(); ++c) {
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
    if (columna < 0 || columna >= columnCount() || fila < 0 || fila >= filas()) return {};
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
    return currentRow() < 0 ? -1 : currentRow() + filas_fijas_;
}

int Rejilla::columna() const {
    return currentColumn();
}

void Rejilla::fijar_celda(int fila, int columna) {
    setCurrentCell(fila - filas_fijas_, columna);
}

void Rejilla::mousePressEvent(QMouseEvent* ev) {
    // A press on a fixed cell neither moves the current cell nor selects.
    const QModelIndex i = indexAt(ev->position().toPoint());
    if (i.isValid() && es_fija(i.row() + filas_fijas_, i.column())) {
        ev->accept();
        return;
    }
    QTableWidget::mousePressEvent(ev);
}

}  // namespace korgas
