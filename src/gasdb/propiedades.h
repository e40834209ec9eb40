// The stored design properties of a control instance: an ordered list of
// (key, value) entries, keys matched without regard to letter case. A control
// writes every property it stores, in its own order, and reads them back with
// a default for each key that is absent.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

namespace korgas {

class Propiedades {
  public:
    Propiedades() = default;
    Propiedades(std::initializer_list<std::pair<QString, QVariant>> entradas);

    // Replaces the value of the entry with that key (in any case), or adds
    // the entry at the end.
    void escribir(const QString& clave, const QVariant& valor);
    // The value stored under the key, or the default when the key is absent.
    QVariant leer(const QString& clave, const QVariant& defecto = QVariant()) const;
    bool contiene(const QString& clave) const;
    // The keys in the order they were first written.
    QStringList claves() const;

  private:
    int indice(const QString& clave) const;  // -1 when absent

    std::vector<std::pair<QString, QVariant>> entradas_;
};

}  // namespace korgas
