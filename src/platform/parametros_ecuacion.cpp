#include "platform/parametros_ecuacion.h"

namespace korgas {

namespace {

const QString kLmol = QStringLiteral("l / mol");
const QString kL2atm = QStringLiteral("l \u00B2 atm / mol \u00B2");

}  // namespace

UnidadesParametros UnidadesParametros::calculo() {
    UnidadesParametros u;
    u.a[1] = kL2atm;
    u.a[2] = QStringLiteral("l \u00B2 atm / mol \u00B2 K");
    u.a[3] = kL2atm;
    u.a[4] = QStringLiteral("l \u00B2 atm / mol \u00B2 K \u00BD");
    u.a[7] = u.a[8] = u.a[9] = kL2atm;
    return u;
}

UnidadesParametros UnidadesParametros::simulacion() {
    UnidadesParametros u;
    u.a[1] = QStringLiteral("l \u00B2atm/mol \u00B2");
    u.a[2] = QStringLiteral("l \u00B2atm/mol \u00B2K");
    u.a[3] = u.a[1];
    u.a[4] = QStringLiteral("l \u00B2atm/mol \u00B2K \u00BD");
    u.a[7] = u.a[8] = u.a[9] = kL2atm;
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
    d.unidad[1] = e == kGeneralizada ? QString() : kLmol;
    if (e == kVirial) {
        d.unidad[2] = QStringLiteral("l \u00B2 / mol \u00B2");
        d.unidad[3] = QStringLiteral("l \u00B3 / mol \u00B3");
    }
    return d;
}

}  // namespace korgas
