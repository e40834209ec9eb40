// The program's credits in the current language: the splash window and the
// About box show them.
#pragma once

#include <QString>

#include "platform/texto_qt.h"

namespace korgas {

inline QString credito_1() {
    return tx(242, QStringLiteral("Diseño y programación / Design and programming:"));
}
inline QString credito_2() {
    return tx(243, QStringLiteral("el equipo de KOR-GAS / the KOR-GAS team"));
}
// The maker and its web page.
inline QString fabricante() {
    return tx(240, QStringLiteral("Proyecto KOR-GAS"));
}
inline QString direccion_web() {
    return QStringLiteral("https://korgas.example.org/");
}

}  // namespace korgas
