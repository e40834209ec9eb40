// The graph window: the pressure-volume isotherm of every active system of
// the data window at its temperature, in its colour, with the tie line at its
// vapour pressure and the two-phase stretch dotted; a single curve also shows
// its excluded volume as a grey box. The mouse reads coordinates out, zooms to
// a dragged box and goes back to the automatic scale on a right click.
//
// The scale lives in the globals escala_min/escala_max (the current scale)
// and escala_auto_min/escala_auto_max (the automatic one, set by actualiza).
// The drawing itself is the module graficos (graficos.h).
#pragma once

#include <QFrame>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include "core/gas.h"

class QLabel;
class QMouseEvent;

namespace korgas {

class Lienzo;

// The frame around the plot; it draws the tick marks beside the plot's left
// and bottom edges, under the plot.
class MarcoGrafico : public QFrame {
    Q_OBJECT
  public:
    explicit MarcoGrafico(QWidget* padre = nullptr);

    // Each tick as a line in the frame's pixels.
    void fijar_marcas(QVector<QLineF> marcas);

  protected:
    void paintEvent(QPaintEvent* ev) override;

  private:
    QVector<QLineF> marcas_;
};

class frmgraficos : public QWidget {
    Q_OBJECT
  public:
    // The load: the controls, a first actualiza, the caption, the data
    // window's show-graph button relabelled, Escala and button 8 enabled.
    explicit frmgraficos(QWidget* padre = nullptr);
    ~frmgraficos() override;

    // Reads the data window's rows into the systems, sets the automatic scale
    // (volume 0..5 l, pressure over every active curve) and draws.
    void actualiza();
    // Lays out and draws with the current scale.
    void dibuja();

    // The design size.
    QSize sizeHint() const override;

    // The controls the drawing module and the scale dialog use.
    MarcoGrafico* frmgrafico = nullptr;
    Lienzo* pctgrafico = nullptr;
    QLabel* lby = nullptr;
    QLabel* lbx = nullptr;
    QLabel* x0y1 = nullptr;   // escala_max.p, top left
    QLabel* x0y0y = nullptr;  // escala_min.p, bottom left
    QLabel* x0y0x = nullptr;  // escala_min.v, under the left end
    QLabel* x1y0 = nullptr;   // escala_max.v, under the right end

    // Places the four corner labels for the texts they hold.
    void colocar_esquinas();

    // The mouse handlers of the plot, in the plot's scale.
    void pctgrafico_MouseDown(int boton, double x, double y);
    void pctgrafico_MouseMove(int botones, double x, double y);
    void pctgrafico_MouseUp(int boton, double x, double y);

  protected:
    void closeEvent(QCloseEvent* ev) override;  // the unload
    void resizeEvent(QResizeEvent* ev) override;
    void showEvent(QShowEvent* ev) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    void redimensiona();
    void Form_Resize();
    void limite_de_tamano();
    void puntero_en_el_borde(const QMouseEvent* ev);

    punto ancla_;                   // where the left button went down
    QSize tamano_dibujado_;         // the size the last layout was made for
    QTimer redimension_;            // the resizes of one turn of the event loop, drawn once
    QWidget* principal_ = nullptr;  // the main window whose size bounds this one
};

}  // namespace korgas
