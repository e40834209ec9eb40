// The gas-properties table: every gas of the gas data file with its critical
// data, boiling point, enthalpy of vaporisation and molar mass, one row per
// gas in gas-number order below a header row. The table is built once, when
// the window loads; a gas added or changed later shows at the next opening.
#pragma once

#include <QWidget>

namespace korgas {

class Rejilla;

// What both reference tables do to their grid before writing a cell: the
// design place and size (twips), one fixed column and the given fixed rows,
// the rows and columns, every column the same width, and scrolling that
// follows the scroll box while it is dragged.
void preparar_rejilla(Rejilla* r, int filas_fijas, int filas, int columnas);
// And once the cells are written: a column whose texts do not fit its width
// is widened to show them (up to a limit), and the grid grows sideways to
// show every column. Gives the window's size for that grid.
QSize ajustar_rejilla(Rejilla* r, int alto_ventana_twips);

class frmtabla : public QWidget {
    Q_OBJECT
  public:
    // The window's load: caption, header row and one row per gas.
    explicit frmtabla(QWidget* padre = nullptr);

    QSize sizeHint() const override;

  private:
    Rejilla* gridcrit = nullptr;
    QSize tamano_;
};

}  // namespace korgas
