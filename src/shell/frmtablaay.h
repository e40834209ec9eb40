// The table of physical constants: ten rows of fixed values, each titled by a
// language text in its fixed first column; no header row.
#pragma once

#include <QWidget>

namespace korgas {

class Rejilla;

class frmtablaay : public QWidget {
    Q_OBJECT
  public:
    // The window's load: caption and every cell.
    explicit frmtablaay(QWidget* padre = nullptr);

    QSize sizeHint() const override;

  private:
    Rejilla* gridtermo = nullptr;
    QSize tamano_;
};

}  // namespace korgas
