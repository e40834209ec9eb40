// The program's pictures, drawn at run time: the toolbar icons, the program's
// icon and the two pictures of the splash window.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace korgas {

// The icon of the toolbar button with this key ("nuevo", "datos", ...); a
// null icon for an unknown key.
QIcon icono_barra(const QString& clave);

// The program's icon: a flask with gas molecules.
QIcon icono_programa();

// Splash pictures: the flask, and a P-V diagram of isotherms with a tie line.
QPixmap dibujo_matraz(int lado, qreal escala = 1.0);
QPixmap dibujo_isotermas(int ancho, int alto, qreal escala = 1.0);

}  // namespace korgas
