// The grid: rows and columns of cell texts with fixed rows and columns, on a
// table view over a model of its own that keeps the cells in one array, so
// that a grid of tens of thousands of rows costs no object per cell and
// changes its columns in one pass.
//
// Cells are addressed as the grid shows them, fixed ones included: with one
// fixed row, row 0 is the header row and the body starts at row 1; with one
// fixed column, column 0 is the title column. The fixed row is the table's
// horizontal header (it stays on screen while the body scrolls); fixed
// columns are ordinary columns drawn in the button colour that cannot be
// selected or edited. At most one fixed row; any number of fixed columns.
//
// Column widths are in twips (15 to the pixel). A click on a body cell makes
// it the current cell and then emits clic(); clicks on fixed cells move
// nothing and emit nothing. The current cell is never a fixed cell: where the
// view would put it on a fixed column (the first focus, a key), it goes to
// the first body column of that row. Cells are read-only: a window that
// edits them puts a box of its own over the cell (rect_celda).
#pragma once

#include <QHash>
#include <QTableView>

namespace korgas {

class ModeloRejilla;

class Rejilla : public QTableView {
    Q_OBJECT

  public:
    explicit Rejilla(QWidget* padre = nullptr);

    // While one lives, the cells change without the view being told of each
    // change and without drawing; at its end the view is told once that every
    // cell may have changed. For a fill of thousands of rows. The number of
    // rows and columns must not change meanwhile.
    class Relleno {
      public:
        explicit Relleno(Rejilla* r);
        ~Relleno();
        Relleno(const Relleno&) = delete;
        Relleno& operator=(const Relleno&) = delete;

      private:
        Rejilla* r_;
        bool dibujaba_;
        bool callado_;
    };

    // Sizes, fixed rows and columns included. Cells that appear are empty.
    void fijar_filas(int n);
    int filas() const;
    void fijar_columnas(int n);
    int columnas() const;
    void fijar_fijas(int filas, int columnas);
    int filas_fijas() const { return filas_fijas_; }
    int columnas_fijas() const;

    QString texto(int fila, int columna) const;
    void fijar_texto(int fila, int columna, const QString& texto);
    // Alignment of one cell, and of every body cell of a column (also those
    // added later).
    void fijar_alineacion(int fila, int columna, Qt::Alignment a);
    void fijar_alineacion_columna(int columna, Qt::Alignment a);
    // Bold text in a cell.
    void fijar_negrita(int fila, int columna, bool negrita);

    void fijar_ancho(int columna, int twips);
    int ancho(int columna) const;  // twips
    // Every column the same width: (design width - 250) / columns, to the
    // nearest whole twip (a half to the even neighbour).
    void repartir_ancho(int ancho_twips);
    // Widens every column whose texts (its header included) do not fit in it
    // to the width they need, at most maximo_twips; narrower texts leave the
    // width as it is.
    void ensanchar_al_contenido(int maximo_twips);
    // The width (pixels) that shows every column without scrolling sideways,
    // room for the vertical scroll bar included.
    int ancho_para_columnas() const;

    // Where a cell lies, fixed cells included, in the grid's own coordinates
    // (CellLeft, CellTop, CellWidth, CellHeight); an empty rectangle for a cell
    // that does not exist.
    QRect rect_celda(int fila, int columna) const;

    // The current cell, in the grid's numbering; -1 when there is none.
    int fila() const;
    int columna() const;
    void fijar_celda(int fila, int columna);

  signals:
    void clic();

  protected:
    void mousePressEvent(QMouseEvent* ev) override;

  private:
    bool es_fija(int fila, int columna) const;

    ModeloRejilla* modelo_;
    int filas_fijas_ = 0;
};

}  // namespace korgas
