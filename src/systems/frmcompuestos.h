// The parameter table of the current system (sistemas[sistema_actual], 0
// counting as 1): its equation of state, a grid with the parameters of every
// gas of the data file under that equation, the formula, and the system's own
// parameters.
//
// The equation chosen here is written into the data window's equation list
// of the row, which handles it as its own choice. While this window is open
// the data window is disabled.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "core/gas.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korgas {

class EventosFoco;
class Rejilla;

class frmcompuestos : public QWidget {
    Q_OBJECT
  public:
    // The load: the layout, the row's equation chosen (which fills the grid),
    // the own-parameters box, the data window disabled.
    explicit frmcompuestos(QWidget* padre = nullptr);
    ~frmcompuestos() override;

    // Stores the boxes into the system's parameters.
    void datosnuevos();

    // Handlers.
    void cmbecu_Click();
    void chkdp_Click();
    void grid_Click();
    void txtmu_Enter();
    void btaceptar_Click();

    // The layout for the system's equation, and the grid filled for the
    // equation the list shows.
    void muestraecuacion();
    void llenar_rejilla();

    Rejilla* grid = nullptr;
    QComboBox* cmbecu = nullptr;
    QLabel* imgformula = nullptr;
    QGroupBox* frmdatosp = nullptr;
    QCheckBox* chkdp = nullptr;
    std::array<QLabel*, 4> lb{};      // lba .. lbd
    std::array<QLineEdit*, 4> txt{};  // txta .. txtd
    QLabel* lbmu = nullptr;
    QLineEdit* txtmu = nullptr;
    QPushButton* btaceptar = nullptr;

  protected:
    void closeEvent(QCloseEvent* ev) override;  // the unload

  private:
    void construir();
    sistema& sis() const;
    // Writes the system's parameters into the shown boxes k < n.
    void mostrar_parametros(int n);
    // The gas editor modified gas n (0: deleted a gas): the system's gas is
    // loaded again, and the boxes and the grid show the file as it now is.
    void gases_cambiados(int modificado);

    // The exact parameters behind the grid's texts, row by row.
    std::vector<std::array<double, 4>> valores_;
    std::vector<EventosFoco*> eventos_;
};

}  // namespace korgas
