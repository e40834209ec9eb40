#include "platform/texto_qt.h"

#include "core/gas.h"
#include "core/mensajes.h"
#include "core/numtext.h"

namespace korgas {

QString tx(int n) {
    return QString::fromStdString(texto(n));
}

QString sin_acceso(const QString& caption) {
    QString limpio;
    limpio.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            // "&&" is a literal "&"; a lone "&" only marks the next letter.
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                limpio += '&';
                ++i;
            }
            continue;
        }
        limpio += caption[i];
    }
    return limpio;
}

QStringList nombres_ecuaciones() {
    QStringList r;
    for (int e = 0; e < kNumEcuaciones; ++e) r << QString::fromStdString(nombre_ecuacion(e));
    return r;
}

QString fmt(double x, std::string_view patron) {
    return QString::fromStdString(formatear(x, patron));
}

double num(const QString& texto) {
    return leer_numero(texto.toStdString());
}

}  // namespace korgas
