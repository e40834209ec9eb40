// Tells every open window that the gas data file gained, lost or changed a
// gas, so that gas lists and records follow their gases.
//
// After a gas is deleted the later gases move down by one number: a record on
// gas k > borrado is now on gas k - 1, and a record on the deleted gas has lost
// its gas (numero_tras_borrado of core/gas.h). The gas editor announces each
// change after the file was written; windows connect to the signals.
#pragma once

#include <QObject>

namespace korgas {

class AvisoGases : public QObject {
    Q_OBJECT
  public:
    static AvisoGases* instancia();

    void anunciar_alta(int numgas) { emit gas_anadido(numgas); }
    void anunciar_cambio(int numgas) { emit gas_modificado(numgas); }
    void anunciar_baja(int numgas) { emit gas_borrado(numgas); }

  signals:
    void gas_anadido(int numgas);
    void gas_modificado(int numgas);
    void gas_borrado(int numgas);
};

}  // namespace korgas
