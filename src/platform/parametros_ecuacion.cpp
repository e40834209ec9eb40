#include "platform/parametros_ecuacion.h"

#include "core/ecuaciones.h"

namespace korgas {

namespace {

QString unidad(int e, int k) {
    return QString::fromUtf8(modelo(e)->unidades[std::size_t(k)]);
}

}  // namespace

UnidadesParametros UnidadesParametros::calculo() {
    UnidadesParametros u;
    for (int e = 0; e < kNumEcuaciones; ++e) u.a[std::size_t(e)] = unidad(e, 0);
    return u;
}

UnidadesParametros UnidadesParametros::simulacion() {
    // The simulation window's narrower boxes write the units of a of the
    // first four equations closer: "l ²atm/mol ²K".
    UnidadesParametros u = calculo();
    for (int e = kVanDerWaals; e <= kRedlichKwong; ++e) {
        QString& t = u.a[std::size_t(e)];
        t.replace(QStringLiteral(" atm / "), QStringLiteral("atm/"));
        t.replace(QStringLiteral(" K"), QStringLiteral("K"));
    }
    return u;
}

Disposicion disposicion(int e, const UnidadesParametros& unidades) {
    Disposicion d;
    if (e < 1 || e >= kNumEcuaciones) return d;  // the ideal gas shows nothing
    d.visible = {true, true, e == kVirial, e == kVirial};
    d.exponente = e == kGeneralizada;
    d.titulo[0] = QStringLiteral("a:");
    d.titulo[1] = QStringLiteral("b:");
    if (e == kVirial) {
        d.titulo[0] = QStringLiteral("A(T):");
        d.titulo[1] = QStringLiteral("B(T):");
    } else if (e == kSoave || e == kPengRobinson) {
        d.titulo[0] = QStringLiteral("a(T):");
    }
    d.unidad[0] = unidades.a[std::size_t(e)];
    for (int k = 1; k < 4; ++k) d.unidad[std::size_t(k)] = unidad(e, k);
    return d;
}

}  // namespace korgas
