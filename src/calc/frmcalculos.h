// The calculation window: pressure, volume or temperature of a gas from the
// other two and the amount of substance, under the equation of state chosen in
// its parameter panel. In the general mode (modo_calculo 0) the user chooses
// the computed quantity by a click on its caption, and every calculation also
// estimates the liquid-gas equilibrium at the system's temperature.
//
// The window keeps its own gas system and hands it to the core routines it
// computes with, so no other window's record ever reaches this window's
// numbers, and this window's never reach the others'.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "calc/entradas.h"
#include "core/gas.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korgas {

class Etiqueta;
class EventosFoco;
class PanelEcuacion;
class Spinner;

class frmcalculos : public QWidget {
    Q_OBJECT
  public:
    // The window's load: captions, defaults, lists, layout by modo_calculo,
    // and a first calculation.
    explicit frmcalculos(QWidget* padre = nullptr);
    ~frmcalculos() override;

    // The calculation (also run by Enter in the boxes, the spinners, the
    // amount unit, the lists and the parameter boxes).
    void calcular();

    // Checks one input box against its minimum and stores its value in base
    // units: 'm' amount, 't' temperature, 'v' volume, 'p' pressure.
    bool validar(char tipo);

    // The spinners' change handlers.
    void UpDown0_Change();
    void UpDown1_Change();
    void UpDown2_Change();
    void UpDown3_Change();

    // The window's own record, as the last calculation left it.
    const sistema& registro() const { return s_; }
    // Lowest temperature (exclusive) in the unit shown by lbtemp.
    double mintemperatura() const { return mintemperatura_; }

  protected:
    void closeEvent(QCloseEvent* ev) override;  // the unload

  private:
    void construir();
    void aplicar_modo(int modo);
    void marcar(Magnitud m);

    void btcalcular_Click();
    void lbbpress_Click();
    void lbbvol_Click();
    void lbbtemp_Click();

    void txtmol_LostFocus();
    void txttemp_LostFocus();
    void txtvol_LostFocus();
    void txtpress_LostFocus();

    void lbmasa_Click();
    void lbtemp_Click();
    void lbvol_Click();
    void lbpress_Click();
    void lbvl_Click();
    void lbvg_Click();
    void lbpv_Click();
    void lbdl_Click();
    void lbdg_Click();
    void lbdh_Click();

    // The equilibrium block of the general mode at the record's temperature.
    void equilibrio(bool temperatura_valida);

    sistema s_;
    PanelEcuacion* panel_ = nullptr;
    FilasEntrada filas_;

    Etiqueta* Label2 = nullptr;
    Etiqueta* lbbtemp = nullptr;
    Etiqueta* lbbvol = nullptr;
    Etiqueta* lbbpress = nullptr;
    QLineEdit* txtmol = nullptr;
    QLineEdit* txttemp = nullptr;
    QLineEdit* txtvol = nullptr;
    QLineEdit* txtpress = nullptr;
    Spinner* UpDown0 = nullptr;
    Spinner* UpDown1 = nullptr;
    Spinner* UpDown2 = nullptr;
    Spinner* UpDown3 = nullptr;
    Etiqueta* lbmasa = nullptr;
    Etiqueta* lbtemp = nullptr;
    Etiqueta* lbvol = nullptr;
    Etiqueta* lbpress = nullptr;
    QPushButton* btcalcular = nullptr;

    QFrame* marco_equilibrio = nullptr;
    QLabel* Labelest = nullptr;
    QLabel* lbbvl = nullptr;
    QLabel* lbbvg = nullptr;
    QLabel* lbbdl = nullptr;
    QLabel* lbbdg = nullptr;
    QLabel* lbbpv = nullptr;
    QLabel* lbbdh = nullptr;
    QLineEdit* txtvl = nullptr;
    QLineEdit* txtvg = nullptr;
    QLineEdit* txtdl = nullptr;
    QLineEdit* txtdg = nullptr;
    QLineEdit* txtpv = nullptr;
    QLineEdit* txtdh = nullptr;
    Etiqueta* lbvl = nullptr;
    Etiqueta* lbvg = nullptr;
    Etiqueta* lbdl = nullptr;
    Etiqueta* lbdg = nullptr;
    Etiqueta* lbpv = nullptr;
    Etiqueta* lbdh = nullptr;

    std::array<EventosFoco*, 4> eventos_{};

    int incognita_ = 0;  // 0 none, 1 pressure, 2 volume, 3 temperature
    double vmolar_ = 0;  // molar volume, l/mol
    double patm_ = 0;    // pressure, atm
    double mintemperatura_ = 0;
    Magnitud roja_ = Magnitud::ninguna;
};

}  // namespace korgas
