// The simulation window: an amount of one gas in a cylinder closed by a
// piston, with a thermometer or a thermocouple and a barometer or a manometer.
// Amount, temperature, volume and pressure are held in four boxes; the amount
// and two of the others are held, the third (red) is recomputed from them
// under the chosen equation of state whenever something changes. Dragging an
// instrument with the left button sets its quantity.
//
// Like the calculation window, the window keeps its own gas system and hands
// it to the core routines it computes with, so the two windows open side by
// side never disturb each other's numbers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "calc/entradas.h"
#include "core/gas.h"

class QMdiSubWindow;

namespace korgas {

class Barometro;
class Esfera;
class EventosFoco;
class Instrumento;
class PanelEcuacion;
class Piston;
class Termometro;

class frmoperaciones : public QWidget {
    Q_OBJECT
  public:
    // The window's load: captions, defaults, lists, limits, the instruments'
    // scales and end labels, and a first recomputation.
    explicit frmoperaciones(QWidget* padre = nullptr);
    ~frmoperaciones() override;

    // Recomputes the dependent quantity from the held ones.
    void calcular();
    // Checks one box against its limits and stores its value in base units:
    // 'm' amount, 't' temperature, 'v' volume, 'p' pressure. True when
    // accepted or when an empty box had nothing to check.
    bool validar(char tipo);
    // calcular, then the three instruments.
    void actualiza_todo();
    // Each instrument drawn from its box (a value outside its range at the
    // nearer end, with a message); an in-range box is rewritten with two
    // decimals.
    void actualiza_volumen();
    void actualiza_temperatura();
    void actualiza_presion();
    // Every activation of the window redraws the three instruments.
    void Form_Activate();

    // The window's own record, as the last computation left it.
    const sistema& registro() const { return s_; }

    // An input limit of a quantity ('m', 't', 'v', 'p') in the unit its box
    // shows: the value must lie above the minimum and not above the maximum.
    struct Limites {
        double minimo = 0;
        double maximo = 0;
    };
    Limites limites(char tipo) const;

  protected:
    void showEvent(QShowEvent* ev) override;
    void closeEvent(QCloseEvent* ev) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    void construir();
    void construir_instrumentos(QWidget* area);
    void escalas_y_rotulos();

    // The dependent quantity: its caption, box and unit label in red.
    void marcar(Magnitud m);
    void lbbpress_Click();
    void lbbtemp_Click();
    void lbbvol_Click();

    void muestra_presion(bool si);
    void muestra_temperatura(bool si);
    void muestra_piston(bool si);
    void bttermometro_Click();
    void bttermopar_Click();
    void btbarometro_Click();
    void btmanometro_Click();

    // An instrument's message (its value is outside its scale); it ends a
    // drag, so a button held down while the box was open moves nothing.
    void avisar(int texto);

    // Drags: a press or a move with the left button alone sets the quantity.
    void temperatura_arrastrada(double t);
    void volumen_arrastrado(double v);
    void presion_arrastrada(double p);
    void conectar_arrastre(Instrumento* i, void (frmoperaciones::*accion)(double));

    void txtmol_LostFocus();
    void txttemp_LostFocus();
    void txtvol_LostFocus();
    void txtpress_LostFocus();
    void UpDown0_Change();
    void UpDown1_Change();
    void UpDown2_Change();
    void UpDown3_Change();
    void lbmasa_Click();
    void lbtemp_Click();
    void lbvol_Click();
    void lbpress_Click();
    void ciclar_unidad(int fila, const Ciclo& ciclo);
    void fijar_rango_spinner(int fila);

    sistema s_;
    PanelEcuacion* panel_ = nullptr;
    FilasEntrada filas_;
    std::array<EventosFoco*, 4> eventos_{};

    // Instruments.
    Piston* piston_ = nullptr;
    Termometro* termometro_ = nullptr;
    Esfera* termopar_ = nullptr;
    Barometro* barometro_ = nullptr;
    Esfera* manometro_ = nullptr;

    int incognita_ = 0;                  // 0 none yet, 1 pressure, 2 volume, 3 temperature
    double vmolar_ = 6.146;              // molar volume, l/mol, as last validated or solved
    double patm_ = 1;                    // pressure, atm, as last validated or solved
    Magnitud roja_ = Magnitud::ninguna;  // the dependent quantity, in red

    // Input limits, kept in the base units (K, l, atm) so that a unit cycle
    // there and back returns them exactly; the amount's in mol, with the molar
    // mass its gram limits were converted with.
    Limites lim_cantidad_{0, 1000};
    Limites lim_temperatura_{0, 1000};
    Limites lim_volumen_{0, 2000};
    Limites lim_presion_{0, 1000};
    double pm_limites_ = 0;

    // The instruments' ranges (base units).
    double maxtermometro_ = 373.15, mintermometro_ = 273.15;
    double maxtermopar_ = 1000, mintermopar_ = 0;
    double maxpiston_ = 10, minpiston_ = 0;
    double maxbarometro_ = 2, minbarometro_ = 0;
    double maxmanometro_ = 500, minmanometro_ = 0;

    // The instrument being dragged; none once the button is up or a message
    // box has opened.
    QPointer<Instrumento> arrastre_;
    // Activation: the first show, then each return from another child window.
    bool activada_ = false;
    QPointer<QMdiSubWindow> ultima_activa_;
    bool vigilando_area_ = false;
};

}  // namespace korgas
