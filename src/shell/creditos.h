// The program's credits, the same in every language: the splash window and
// the About box show them.
#pragma once

#include <QString>

namespace korgas {

inline QString credito_1() {
    return QStringLiteral("Diseño y programación / Design and programming:");
}
inline QString credito_2() {
    return QStringLiteral("el equipo de KOR-GAS / the KOR-GAS team");
}
// The maker and its web page.
inline QString fabricante() {
    return QStringLiteral("Proyecto KOR-GAS");
}
inline QString direccion_web() {
    return QStringLiteral("https://korgas.example.org/");
}

}  // namespace korgas
