// The scale dialog: typed volume and pressure limits of the graph window's
// current scale, or an automatic pressure axis over the typed volumes. While
// it is open the graph window is disabled until Actualizar or Cancelar.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korgas {

class EventosFoco;

class frmescala : public QWidget {
    Q_OBJECT
  public:
    explicit frmescala(QWidget* padre = nullptr);
    ~frmescala() override;

    void chky_Click();
    void btaceptar_Click();
    void btcancelar_Click();

    std::array<QLabel*, 5> Label{};     // Label1..Label4 at 1..4
    std::array<QLineEdit*, 5> txtmm{};  // 1 V min, 2 V max, 3 P min, 4 P max
    QCheckBox* chky = nullptr;
    QPushButton* btaceptar = nullptr;
    QPushButton* btcancelar = nullptr;

  protected:
    void closeEvent(QCloseEvent* ev) override;

  private:
    // Whether box k reads a finite number; if not, the range-too-large
    // warning, and the box is selected for the next value.
    bool finito(int k);

    std::vector<EventosFoco*> eventos_;
};

}  // namespace korgas
