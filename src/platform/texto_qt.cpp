#include "platform/texto_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "core/gas.h"
#include "core/mensajes.h"
#include "core/numtext.h"

namespace korgas {

QString tx(int n) {
    return QString::fromStdString(texto(n));
}

QString tx(int n, const QString& si_falta) {
    const QString t = tx(n);
    return t.isEmpty() ? si_falta : t;
}

bool traducir_qt(const QString& nombre) {
    static std::unique_ptr<QTranslator> instalada;
    if (instalada) {
        QCoreApplication::removeTranslator(instalada.get());
        instalada.reset();
    }
    const QString buscado = nombre.trimmed().toLower();
    if (buscado.isEmpty()) return false;
    for (int i = QLocale::C + 1; i <= QLocale::LastLanguage; ++i) {
        const auto idioma = static_cast<QLocale::Language>(i);
        const QLocale local(idioma);
        if (local.language() != idioma) continue;  // a number no language has
        // The native name may name the country too ("español de España").
        const QString propio = local.nativeLanguageName().toLower();
        if (propio != buscado && !propio.startsWith(buscado + ' ') &&
            QLocale::languageToString(idioma).toLower() != buscado)
            continue;
        auto t = std::make_unique<QTranslator>();
        if (!t->load(local, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return false;
        QCoreApplication::installTranslator(t.get());
        instalada = std::move(t);
        return true;
    }
    return false;
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
    std::vector<std::string> r;
    for (int e = 0; e < kNumEcuaciones; ++e) r.push_back(nombre_ecuacion(e));
    return lista_qt(r);
}

QStringList lista_qt(const std::vector<std::string>& textos) {
    QStringList r;
    r.reserve(qsizetype(textos.size()));
    for (const std::string& t : textos) r << QString::fromStdString(t);
    return r;
}

QString fmt(double x, std::string_view patron) {
    return QString::fromStdString(formatear(x, patron));
}

double num(const QString& texto) {
    return leer_numero(texto.toStdString());
}

}  // namespace korgas
