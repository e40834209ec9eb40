// The thermometric scales: one temperature shown on five scales side by side
// (0 Celsius, 1 Kelvin, 2 Fahrenheit, 3 Rankine, 4 Reaumur), each a column
// filled from its lower fixed point up to the temperature, with a box holding
// the value. Enter in a box, a press on a column or a drag in it sets the
// temperature on that scale and converts it to the other four.
//
// The columns share one length per degree: Fahrenheit and Rankine span 180
// degrees over the full height, Celsius and Kelvin 100 degrees over 100/180 of
// it, Reaumur 80 degrees over 80/180 of it, all standing on one line.
#pragma once

#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;

namespace korgas {

class Lienzo;

class frmtermometro : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kEscalas = 5;

    // The window's load: captions, column heights and scales, and 0 ºC.
    explicit frmtermometro(QWidget* padre = nullptr);

    // t converted from scale `de` to scale `a`; t itself when both are the
    // same, 0 when either index is not a scale.
    static double escalas(int de, int a, double t);

    // A press on column `indice` (button 1 left) at height y of its scale.
    void pct_MouseDown(int indice, int boton, double x, double y);
    // A move over column `indice` with `botones` held.
    void pct_MouseMove(int indice, int botones, double x, double y);
    // Enter in box `indice`.
    void txttemp_KeyPress(int indice);

    // The value on each scale, as last set.
    const std::array<double, kEscalas>& temperaturas() const { return temperaturas_; }

    QSize sizeHint() const override;

  private:
    // Sets the temperature t on scale s: every box and every column.
    void fijar_temperatura(int s, double t);
    void dibujar(int i);

    std::array<double, kEscalas> fijo_inferior_{};
    std::array<double, kEscalas> fijo_superior_{};
    std::array<double, kEscalas> temperaturas_{};

    std::array<QFrame*, kEscalas> marco{};
    std::array<Lienzo*, kEscalas> pct{};
    std::array<QLineEdit*, kEscalas> txttemp{};
    std::array<QLabel*, kEscalas> txttit{};
    std::array<QLabel*, kEscalas> lbt{};
    std::array<QLabel*, kEscalas> lbt0{};
    std::array<QLabel*, kEscalas> lbgrado{};
    std::array<QWidget*, kEscalas> Shape1{};
};

}  // namespace korgas
