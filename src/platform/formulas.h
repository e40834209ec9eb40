// The formula pictures of the ten equations of state, drawn at run time:
// black on white, with stacked fractions, exponents and roots, in the
// notation of the calculation windows (v is the molar volume).
#pragma once

#include <QPixmap>
#include <QSize>

class QLabel;
class QWidget;

namespace korgas {

// The picture of equation e (0..9); an empty pixmap for any other number.
// ratio is the device pixel ratio the picture is drawn for.
QPixmap formula(int ecuacion, qreal ratio = 1.0);

// The size (logical pixels) that holds each of the ten pictures.
QSize tamano_formulas();

// The framed white picture box a panel shows the formulas in (objectName
// "imgformula"), sized for every one of them.
QLabel* cuadro_formula(QWidget* padre);

}  // namespace korgas
