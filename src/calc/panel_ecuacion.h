// The equation-parameter panel of the calculation windows: the gas list, the
// equation list, the formula of the chosen equation, up to four parameter
// boxes with their captions and units, and the exponent box of the
// generalised equation.
//
// The panel works on the window's own record (passed at construction): a
// choice in either list reloads that record from the gas data file, lays the
// panel out for the equation, writes the loaded parameters into the boxes and
// has the window recompute. The boxes are the window's copy of the
// parameters: the window reads them back (leer) at every recomputation, so a
// value typed into a box counts from the next calculation on.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "core/gas.h"
#include "platform/parametros_ecuacion.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace korgas {

class EventosFoco;

class PanelEcuacion : public QWidget {
    Q_OBJECT
  public:
    struct Opciones {
        UnidadesParametros unidades;
        // The window's recomputation (calcular or actualiza_todo).
        std::function<void()> recalcular;
        // Whether an accepted exponent is followed by the recomputation.
        bool recalcular_tras_exponente = true;
    };

    PanelEcuacion(sistema& registro, Opciones opciones, QWidget* padre = nullptr);

    // The window's load: the gas list (every gas of the data file, through a
    // forced load) and the ten equations. Neither list has a selection yet.
    // When the data file cannot be read the gas list stays empty (reported).
    void llenar_listas();
    // The gas list alone, without a selection; empty when the data file could
    // not be read (reported).
    void llenar_gases();

    // Lays the panel out for the record's equation.
    void parametros();
    // Writes the record's parameters into the four boxes, and its exponent
    // into the exponent box unless con_exponente is false.
    void mostrar_parametros(bool con_exponente = true);
    // Writes only a and b (after an accepted exponent).
    void mostrar_ab();

    // leergas(0, ...) on the record; a gas that is no longer in the data file
    // is reported (text 221) and its record is left as the load found it.
    // A data file that exists but cannot be read is reported too (the message
    // names the file); the record is then restored as it was before the call
    // and the result is false.
    bool recargar();
    // Whether s, the record read back from the panel, can be computed: the
    // last load gave it what its equation needs (a gas without valid critical
    // data, or without its section, has no parameters for any equation but the
    // ideal gas) and every parameter it holds, typed ones too, is a finite
    // number. Otherwise the windows show their cannot-compute text instead of
    // a number of another equation.
    bool calculable(const sistema& s) const;

    // The temperature box of the window now holds t (K): the equations whose
    // parameters depend on the temperature (virial, Soave, Peng-Robinson) get
    // them again for it, and the four boxes show them. A t that is no
    // temperature (not above 0 K) changes nothing.
    void temperatura_cambiada(double t);

    // Reads the panel back into s: equation, gas number, the four parameters
    // and the exponent (only a value above 1; another keeps s's exponent).
    void leer(sistema& s) const;

    // Handlers.
    void cmbgas_Click();
    void cmbecu_Click();
    void txtparametro_Enter(int i);  // Enter in txta..txtd (i = 0..3)
    void txtmu_Enter();
    void txtmu_LostFocus();

    // Turns the focus handlers off while the window closes.
    void activar_eventos(bool si);

    // The gas editor changed the data file. After a delete the record keeps
    // its gas under its new number; a record on the deleted gas falls back to
    // the first gas (the editor tells the user, AvisoGases::al_primero) and
    // the window recomputes. After a change of the window's gas it is loaded
    // again and the window recomputes. After an addition or a change the list
    // is rebuilt, keeping its selection.
    void gas_borrado(int numgas);
    void gas_modificado(int numgas);
    void rehacer_lista_gases();

    QLabel* Label5;
    QLabel* Label1;
    QLabel* Label6;
    QComboBox* cmbgas;
    QComboBox* cmbecu;
    QLabel* imgformula;
    std::array<QLabel*, 4> lb;      // lba .. lbd
    std::array<QLineEdit*, 4> txt;  // txta .. txtd
    std::array<QLabel*, 4> lbunit;  // lbunita .. lbunitd
    QLabel* lbmu;
    QLineEdit* txtmu;

  private:
    // Loads the record's gas again, shows its parameters and recomputes;
    // false when the data file could not be read (reported, nothing changed).
    bool recargar_y_calcular();

    sistema& s_;
    Opciones op_;
    Carga carga_ = Carga::ok;
    std::array<EventosFoco*, 5> eventos_{};
};

}  // namespace korgas
