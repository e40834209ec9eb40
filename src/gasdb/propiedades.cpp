#include "gasdb/propiedades.h"

namespace korgas {

Propiedades::Propiedades(std::initializer_list<std::pair<QString, QVariant>> entradas) {
    for (const auto& [clave, valor] : entradas) escribir(clave, valor);
}

int Propiedades::indice(const QString& clave) const {
    for (std::size_t i = 0; i < entradas_.size(); ++i)
        if (entradas_[i].first.compare(clave, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

void Propiedades::escribir(const QString& clave, const QVariant& valor) {
    const int i = indice(clave);
    if (i >= 0)
        entradas_[std::size_t(i)].second = valor;
    else
        entradas_.emplace_back(clave, valor);
}

QVariant Propiedades::leer(const QString& clave, const QVariant& defecto) const {
    const int i = indice(clave);
    return i >= 0 ? entradas_[std::size_t(i)].second : defecto;
}

bool Propiedades::contiene(const QString& clave) const {
    return indice(clave) >= 0;
}

QStringList Propiedades::claves() const {
    QStringList r;
    for (const auto& e : entradas_) r << e.first;
    return r;
}

}  // namespace korgas
