// The spinner bound to a text box: two arrow buttons that step the whole
// number shown in the box by its step (1 unless set) between a minimum and a
// maximum.
//
// A step reads the box's leading number, rounds it to a whole number (a half
// going to the even neighbour) and brings it into [minimo, maximo]; the new
// value is that plus or minus the step, again kept in range. When the new value
// differs, the box gets its integer text ("301") and then changed() is
// emitted, so the window's UpDownN_Change runs after the box holds the value.
// A step that cannot move (at an end of the range) writes nothing and emits
// nothing. Setting the minimum or the maximum emits nothing either.
//
// A message box that a step opens (a refused value) lets go of the arrow held
// down, so its auto-repeat does not keep stepping, and opening boxes, behind
// the first one: one press, at most one message.
#pragma once

#include <QWidget>
#include <QtGlobal>

class QLineEdit;
class QToolButton;

namespace korgas {

class Spinner : public QWidget {
    Q_OBJECT
  public:
    explicit Spinner(QLineEdit* caja, QWidget* padre = nullptr);

    QLineEdit* caja() const { return caja_; }

    qint64 minimo() const { return minimo_; }
    qint64 maximo() const { return maximo_; }
    // A minimum above the maximum (or the reverse) moves the other end along.
    void fijar_minimo(qint64 v);
    void fijar_maximo(qint64 v);

    qint64 paso() const { return paso_; }
    void fijar_paso(qint64 v) { paso_ = v > 0 ? v : 1; }

    // The value a step starts from: the box's number, rounded and in range.
    qint64 valor() const;

    // One step up or down, as a click on the arrow does.
    void subir() { mover(+1); }
    void bajar() { mover(-1); }

    QToolButton* boton_arriba() const { return arriba_; }
    QToolButton* boton_abajo() const { return abajo_; }

  signals:
    void changed();

  protected:
    bool event(QEvent* ev) override;

  private:
    void mover(int sentido);

    QLineEdit* caja_;
    QToolButton* arriba_;
    QToolButton* abajo_;
    qint64 minimo_ = 0;
    qint64 maximo_ = 100;
    qint64 paso_ = 1;
};

}  // namespace korgas
