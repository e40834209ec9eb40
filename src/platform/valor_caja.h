// A box that keeps the exact value behind the text the program wrote into it.
//
// A window shows a number with a pattern ("6.15", "0.01" m³) but goes on
// computing with the number itself: escribir_valor writes the text and keeps
// the value; leer_valor gives that value back for as long as the text is the
// one written, and the number the text reads once the user has edited the
// box (typing, pasting, a spinner step). So reformatting a box or cycling its
// unit there and back never changes the state it shows.
#pragma once

#include <QString>

class QLineEdit;

namespace korgas {

void escribir_valor(QLineEdit* caja, double valor, const QString& texto);
// The pattern's text of the value ("####0.0000").
void escribir_valor(QLineEdit* caja, double valor, const char* patron);

// The kept value while the box shows what was written, else the leading
// number of its text.
double leer_valor(const QLineEdit* caja);
// Whether the box still shows what escribir_valor wrote.
bool valor_guardado(const QLineEdit* caja);
// Forgets the kept value: from now on the box's text is its value.
void olvidar_valor(QLineEdit* caja);

}  // namespace korgas
