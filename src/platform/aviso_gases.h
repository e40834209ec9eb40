// Tells every open window that the gas data file gained, lost or changed a
// gas, so that gas lists and records follow their gases.
//
// After a gas is deleted the later gases move down by one number: a record on
// gas k > borrado is now on gas k - 1, and a record on the deleted gas has lost
// its gas (numero_tras_borrado of core/gas.h). The gas editor announces each
// change after the file was written; windows connect to the signals. A window
// showing a gas that was modified loads it again and recomputes; one whose gas
// was deleted switches to gas 1 and leaves telling the user to the editor.
#pragma once

#include <QObject>

namespace korgas {

class AvisoGases : public QObject {
    Q_OBJECT
  public:
    static AvisoGases* instancia();

    void anunciar_alta(int numgas) { emit gas_anadido(numgas); }
    void anunciar_cambio(int numgas) { emit gas_modificado(numgas); }
    // Returns whether a window that showed the deleted gas now shows gas 1
    // (it called al_primero while it heard of the delete): the one who
    // deleted the gas tells the user once, for every window.
    bool anunciar_baja(int numgas) {
        al_primero_ = false;
        emit gas_borrado(numgas);
        return al_primero_;
    }
    // Called by a window whose gas was deleted and which switched to gas 1.
    void al_primero() { al_primero_ = true; }

  signals:
    void gas_anadido(int numgas);
    void gas_modificado(int numgas);
    void gas_borrado(int numgas);

  private:
    bool al_primero_ = false;
};

}  // namespace korgas
