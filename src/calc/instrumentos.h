// The instruments of the simulation window, each a widget of its own on the
// window's instrument area: the cylinder with its piston, the thermometer, the
// barometer (the two legs of a U-tube) and the dial that serves as the
// thermocouple and as the manometer. An instrument draws the value it is
// given, in its quantity's base unit, on its pictures (Lienzo), and reports
// the mouse on the picture that can be dragged as values of that picture's
// scale. Which value is shown, what lies outside a range and what a drag sets
// and recomputes are the window's business.
//
// Each instrument places its parts where the window's design puts them (in
// twips of the whole area, a third larger) and then covers just the bounding
// box of its parts, so that it lies over no other instrument's picture. The
// parts keep the design's names (termometro, pctpiston, barometro1...).
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QToolButton;

namespace korgas {

class Lienzo;

class Instrumento : public QWidget {
    Q_OBJECT
  public:
    // Whether the picture can be dragged (nothing to drag without a gas).
    void permitir_arrastre(bool si);

  signals:
    // A press of the left button on the picture: the value under the pointer.
    void pulsado(double valor);
    // A move with the left button alone: the value under the pointer, brought
    // into the picture's scale (the pointer may have left the picture).
    void arrastrado(double valor);
    // The left button released.
    void soltado();

  protected:
    explicit Instrumento(QWidget* area);
    // The picture that reports the mouse: its Y (vertical) or its X; with
    // consejo, every move shows the pointer's Y as the tool tip.
    void seguir_raton(Lienzo* l, bool vertical, bool consejo);
    // The widget takes the bounding box of its parts (placed in the area's
    // coordinates) and of 'tambien', a place a moving part can reach.
    void encajar(const QRect& tambien = QRect());

  private:
    Lienzo* raton_ = nullptr;
};

// The cylinder (pctpiston), scaled from 0 l at its top edge to the maximum at
// its bottom edge: the gas fills it from the top down to the piston, whose
// head of two bars (piston1, piston2) and rod (pistonn) follow the volume,
// inside the walls (Shape1). Dragged vertically. Its outlet, the pipe from the
// top of the cylinder up to the barometer (barometro_0), lies over the top of
// the cylinder and under the piston, so it is drawn here; it is shown with
// the barometer.
class Piston : public Instrumento {
    Q_OBJECT
  public:
    explicit Piston(QWidget* area);

    void fijar_rango(double minimo, double maximo);
    // The piston at a volume in l, and the gas above it.
    void dibujar(double litros);
    // The upper half of each bar of the head in its colour (the gas colour on
    // the upper bar), as the window's activation paints them.
    void pintar_cabeza();
    void mostrar_salida(bool si);

  private:
    Lienzo* pctpiston = nullptr;
    Lienzo* piston1 = nullptr;
    Lienzo* piston2 = nullptr;
    Lienzo* pistonn = nullptr;
    QWidget* Shape1 = nullptr;
    QWidget* salida = nullptr;
};

// The thermometer: the red column (termometro) scaled from the maximum at its
// top edge to the minimum at its bottom edge, its scale of tenths
// (termometros), the bulb (bolaterm) and the end values (lbtsmax, lbtsmin).
// Dragged vertically.
class Termometro : public Instrumento {
    Q_OBJECT
  public:
    explicit Termometro(QWidget* area);

    // The range in K, with the end values written.
    void fijar_rango(double minimo, double maximo);
    void dibujar(double kelvin);

  private:
    Lienzo* termometro = nullptr;
    Lienzo* termometros = nullptr;
    QWidget* bolaterm = nullptr;
    QLabel* lbtsmax = nullptr;
    QLabel* lbtsmin = nullptr;
};

// The barometer: the pipe across from the cylinder's outlet (barometro_1),
// the falling leg (barometro0, 0 at the top edge, the maximum at the bottom),
// the rising leg (barometro1, the maximum at the top edge, the minimum at the
// bottom), the red bottom joining them (barometro_2), the rising leg's scale
// of tenths (barometros) and its end values (lbpsmax, lbpsmin). Dragged
// vertically on the rising leg.
class Barometro : public Instrumento {
    Q_OBJECT
  public:
    explicit Barometro(QWidget* area);

    // The range in atm, with the end values written.
    void fijar_rango(double minimo, double maximo);
    // Both legs at a pressure in atm: the falling one falls as it rises.
    void dibujar(double atm);

  private:
    QWidget* tubo = nullptr;
    Lienzo* barometro0 = nullptr;
    Lienzo* barometro1 = nullptr;
    QWidget* fondo = nullptr;
    Lienzo* barometros = nullptr;
    QLabel* lbpsmax = nullptr;
    QLabel* lbpsmin = nullptr;
};

// A dial: the upper half of a circle with 21 ticks and a red needle, its end
// values below it. Dragged across. The thermocouple (termopar, lbtpsmin,
// lbtpsmax) beside the cylinder and the manometer (Manometro, lbppsmin,
// lbppsmax) where the barometer stands.
class Esfera : public Instrumento {
    Q_OBJECT
  public:
    static Esfera* termopar(QWidget* area);
    static Esfera* manometro(QWidget* area);

    // The range across, from the left end to the right end, with the end
    // values written; arriba and alto are the picture's vertical scale, which
    // the drawing does not depend on.
    void fijar_rango(double minimo, double maximo, double arriba, double alto);
    // The needle at a value of the range.
    void dibujar(double v);

  private:
    Esfera(QWidget* area, const char* instrumento, const char* nombre, const char* minimo,
           const char* maximo, const QRect& lugar, const QString& unidad);

    Lienzo* esfera = nullptr;
    QLabel* rotulo_minimo = nullptr;
    QLabel* rotulo_maximo = nullptr;
    QString unidad_;
};

// The four buttons that choose the instruments, over the area: their place in
// the design and their picture.
enum class Medidor { termometro, termopar, barometro, manometro };
QToolButton* boton_medidor(QWidget* area, const char* nombre, Medidor cual);

// The size of the instrument area.
QSize tamanio_instrumentos();

}  // namespace korgas
