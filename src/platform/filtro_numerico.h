// The numeric key filter on a box: every key typed into it goes through
// tecla_numerica first; a cancelled key never reaches the box. Enter (13)
// that passes calls al_enter.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace korgas {

class FiltroNumerico : public QObject {
    Q_OBJECT
  public:
    FiltroNumerico(QLineEdit* caja, int maxlen, std::function<void()> al_enter = {});

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    QLineEdit* caja_;
    int maxlen_;
    std::function<void()> al_enter_;
};

}  // namespace korgas
