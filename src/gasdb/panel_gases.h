// The gas editor's parameter panel: the parameters of one equation of state at
// a time for the gas being edited, typed or derived from its critical data.
//
// The editor keeps one row of parameters per equation (tabla): row e holds the
// automatic flag of equation e and its values c(e,1)..c(e,4). Choosing another
// equation stores the boxes into the row of the equation left and shows the
// row of the one chosen. With the automatic box ticked the parameters are
// derived from the critical data and shown as a preview at the record's
// temperature (300 K); the row then stores -1, which tells every later load to
// derive them again at its own temperature.
//
// The boxes show the numbers with the display patterns but keep the exact
// values behind them, so that a row stored from boxes the user did not touch
// holds what was loaded into them.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "core/gas.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace korgas {

class Documento;
class textextend;

class PanelGases : public QWidget {
    Q_OBJECT
  public:
    // registro: the editor's record. textpc, texttc: the critical pressure and
    // temperature boxes the automatic box needs. guardar_criticos: stores the
    // editor's name and critical-data boxes into the record.
    PanelGases(sistema& registro, textextend* textpc, textextend* texttc,
               std::function<void()> guardar_criticos, QWidget* padre = nullptr);

    // The equation list with its ten entries and nothing chosen.
    void llenar();

    // The table of a new gas: every row typed and empty, the exponent and
    // the acentric factors 1.0, no row shown yet.
    void reiniciar_tabla();
    // The rows of gas k as the file holds them (an absent key reads as 0; a
    // row with any -1 is automatic; a row with a value that is not finite is
    // shown as "-----" and kept).
    void cargar_tabla(const Documento& datos, int k);
    const TablaParametros& tabla() const { return c_; }
    // The table as it is written: a row of an equation never shown is
    // automatic (-1 in its derived places).
    TablaParametros tabla_para_escribir() const;

    // Handlers.
    void etiquetas_ecuacion();
    void cmbecu_Click();
    void guardaecuacion();
    void cargaecuacion();
    void calculaparametros(int automatico);
    void chkauto_Click();
    void txtmu_Change();
    void txtc_Change();

    // The record's parameters in the boxes, by the shown equation (a gas just
    // chosen): a and b, c and d of the virial equation, the acentric factor of
    // 7 and 8, and for 6 the exponent, which the record takes from its third
    // parameter.
    void mostrar_registro();
    // The exponent box shows the exponent without its checks running.
    void mostrar_exponente(double mu);
    // Empties the parameter boxes and the exponent box, without the message
    // an empty exponent brings when the user empties it.
    void vaciar();

    QLabel* Label1;
    QLabel* Label6;
    QComboBox* cmbecu;
    QCheckBox* chkauto;
    QLabel* imgformula;
    std::array<QLabel*, 4> lb;       // lba .. lbd
    std::array<textextend*, 4> txt;  // txta .. txtd
    std::array<QLabel*, 4> lbunit;   // lbunita .. lbunitd
    QLabel* lbmu;
    textextend* txtmu;

  private:
    int elegida() const;
    // Whether the user left every box equation e shows as the program wrote it.
    bool sin_tocar(int e) const;
    void mostrar(int i, double valor);
    // The record's parameters in the boxes equation e shows: a and b, c and
    // d of the virial equation, the acentric factor of 7 and 8.
    void mostrar_parametros(int e);

    sistema& s_;
    textextend* textpc_;
    textextend* texttc_;
    std::function<void()> guardar_criticos_;
    TablaParametros c_{};
    std::array<bool, kNumEcuaciones> mostrada_{};
    // Rows holding a value of the file that is not finite (a number that
    // overflows): the equation cannot be used, its boxes show "-----", and the
    // row is kept as the file holds it until the user changes it.
    std::array<bool, kNumEcuaciones> rota_{};
    bool callado_ = false;  // the exponent box is being written by the program
    // The box whose typing the preview follows: the preview leaves its text.
    textextend* tecleando_ = nullptr;
};

}  // namespace korgas
