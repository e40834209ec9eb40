// The data window: the five gas systems the graph window draws, one row each
// (row i is sistemas[i]): a tick that makes the system active, its gas, its
// amount in the unit in force (Moles or Gramos, the check mark of the main
// window's menu), its equation of state and its temperature. A frame marks
// the current row, sistema_actual; it is red when that system uses its own
// parameters.
//
// Handlers run when code sets a value, as when the user does (controles.h):
// lists and check boxes through seleccionar/marcar, and the boxes' change
// handlers (txtmol_Change, txttemp_Change) called right after the code writes
// a box.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "platform/enlaces.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korgas {

class EventosFoco;
class Spinner;

// The row marker: a rectangle outline that lets the mouse through.
class Marca : public QWidget {
    Q_OBJECT
  public:
    explicit Marca(QWidget* padre = nullptr);
    void fijar_color(const QColor& c);
    QColor color() const { return color_; }

  protected:
    void paintEvent(QPaintEvent* ev) override;

  private:
    QColor color_ = Qt::black;
};

class frmdatos : public QWidget, public VentanaDatos {
    Q_OBJECT
  public:
    // The load: captions, the lists, the rows restored from sistemas(1..5)
    // or set to their defaults, Dibujos and button 7 enabled.
    explicit frmdatos(QWidget* padre = nullptr);
    ~frmdatos() override;

    // Whether the amounts are in grams: the check mark of the main window's
    // Gramos entry.
    static bool gramos_en_vigor();

    // The unit switch as the main window's Moles and Gramos commands make it,
    // after moving the check mark: the amount heading and the spinner maxima
    // of the unit, the amounts converted from the other unit when convertir,
    // and every amount brought within the maximum.
    void aplicar_unidad(bool gramos, bool convertir) override;

    void llenacombos();
    void marcafila(int fila);
    // Red marker for a system with its own parameters, black otherwise.
    void fijar_color_marca(bool personalizado);

    // Row handlers (i = 1..5).
    void Check_Click(int i);
    void cmbgas_Click(int i);
    void cmbecu_Click(int i);
    void txttemp_Change(int i);
    void txtmol_Change(int i);
    void txtmol_LostFocus(int i);
    void UpDown1_Change(int i);
    void btactualiza_Click();
    void btparametros_Click();

    // Row controls, indexed 1..5 (element 0 unused).
    std::array<QCheckBox*, 6> Check{};
    std::array<QComboBox*, 6> cmbgas{};
    std::array<QLineEdit*, 6> txtmol{};
    std::array<Spinner*, 6> UpDown1{};
    std::array<QComboBox*, 6> cmbecu{};
    std::array<QLineEdit*, 6> txttemp{};
    std::array<Spinner*, 6> UpDown{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* btparametros = nullptr;
    QPushButton* btactualiza = nullptr;
    Marca* shpmarca = nullptr;

  protected:
    void closeEvent(QCloseEvent* ev) override;  // the unload

  private:
    void construir();
    QStringList nombres_gases();
    // The gas names into the five gas lists.
    void poner_gases(const QStringList& gases);
    // Writes a box, then runs its change handler.
    void poner_mol(int i, const QString& texto);
    void poner_temp(int i, const QString& texto);
    // The gas data file gained, lost or changed a gas.
    void gases_cambiados(int numgas, bool borrado, bool modificado);

    std::vector<EventosFoco*> eventos_;
    bool cerrando_ = false;
    bool devolviendo_foco_ = false;
};

}  // namespace korgas
