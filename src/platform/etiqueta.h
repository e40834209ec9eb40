// A caption or unit label that takes a click: clicked() is emitted when the
// left button is released over the label after being pressed on it.
#pragma once

#include <QLabel>

namespace korgas {

class Etiqueta : public QLabel {
    Q_OBJECT
  public:
    explicit Etiqueta(QWidget* padre = nullptr);
    explicit Etiqueta(const QString& texto, QWidget* padre = nullptr);

    // The pointing-hand pointer over the label, or the default pointer.
    void fijar_mano(bool mano);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;

  private:
    bool pulsada_ = false;
};

}  // namespace korgas
