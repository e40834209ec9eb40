#include "platform/valor_caja.h"

#include <QLineEdit>

#include "platform/texto_qt.h"

namespace korgas {

namespace {

constexpr const char* kValor = "korgas_valor";
constexpr const char* kTexto = "korgas_texto";
constexpr const char* kVigilada = "korgas_vigilada";

}  // namespace

void escribir_valor(QLineEdit* caja, double valor, const QString& texto) {
    if (!caja) return;
    if (!caja->property(kVigilada).toBool()) {
        caja->setProperty(kVigilada, true);
        // Any edit by the user makes the text the value.
        QObject::connect(caja, &QLineEdit::textEdited, caja, [caja] { olvidar_valor(caja); });
    }
    // The value first, so that a handler of the text's change already reads
    // it; the same text again leaves the box alone (its selection too).
    caja->setProperty(kValor, valor);
    caja->setProperty(kTexto, texto);
    if (caja->text() != texto) caja->setText(texto);
}

void escribir_valor(QLineEdit* caja, double valor, const char* patron) {
    escribir_valor(caja, valor, fmt(valor, patron));
}

bool valor_guardado(const QLineEdit* caja) {
    return caja && caja->property(kValor).isValid() &&
           caja->property(kTexto).toString() == caja->text();
}

double leer_valor(const QLineEdit* caja) {
    if (!caja) return 0.0;
    if (valor_guardado(caja)) return caja->property(kValor).toDouble();
    return num(caja->text());
}

void olvidar_valor(QLineEdit* caja) {
    if (!caja) return;
    caja->setProperty(kValor, QVariant());
    caja->setProperty(kTexto, QVariant());
}

}  // namespace korgas
