// The gas editor: the user's own gases of the gas data file (numbers 29 and
// above) are added, listed, shown, modified and deleted, the later gases
// moving one number down after a delete. Gases 1 to 28 are the built-in set
// and never appear here.
//
// Each of add, modify and delete is one rewrite of the file: either the whole
// change is on disk or the file is as it was, and the message says which.
// After each change the other windows hear of it (AvisoGases), and after a
// delete every system record follows its gas.
//
// The editor works on a record of its own: the calculation and simulation
// windows keep theirs. Each opening starts with a fresh parameter table.
#pragma once

#include <QString>
#include <QWidget>

#include "core/gas.h"

class QComboBox;
class QPushButton;

namespace korgas {

class PanelGases;
class textextend;

class frmgases : public QWidget {
    Q_OBJECT
  public:
    // The window's load.
    explicit frmgases(QWidget* padre = nullptr);

    void btsel_Click();
    void cmbgas_Click();
    void btadd_Click();
    void btmod_Click();
    void btdel_Click();
    bool validadatos();
    void limpiar();

    // The editor's own record (name, critical data, the shown equation's
    // parameters) and the gas chosen in the list.
    const sistema& registro() const { return s_; }
    int gas_elegido() const { return gas_elegido_; }
    PanelGases* panel() const { return panel_; }

  private:
    void guardar_criticos();
    // The boxes, the record and the parameter table of no gas, without the
    // messages the user's emptying of a box brings.
    void vaciar_gas();
    bool sin_seccion();
    // Back to editing a new gas: the list emptied and hidden, Add and Select
    // on, Modify and Delete off, the focus on Select.
    void estado_nuevo();
    void textgas_Change();
    void textgas_LostFocus();
    // The rule of the molar mass and the critical pressure and temperature.
    void requerida(textextend* caja);
    void textpc_Change();
    void texttc_Change();

    sistema s_;
    int gas_elegido_ = 0;
    QString nombre_elegido_;    // the name the chosen gas had in the file
    bool cargando_ = false;     // the chosen gas's values are going into the boxes
    bool sin_seccion_ = false;  // the chosen list entry has no section in the file

    textextend* textgas;
    textextend* textpm;
    textextend* textpc;
    textextend* texttc;
    textextend* textvc;
    textextend* textteb;
    textextend* texthvap;
    QComboBox* cmbgas;
    QPushButton* btadd;
    QPushButton* btsel;
    QPushButton* btmod;
    QPushButton* btdel;
    PanelGases* panel_;
};

}  // namespace korgas
