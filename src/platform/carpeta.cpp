#include "platform/carpeta.h"

#include <QCoreApplication>

namespace korgas {

namespace {
QString& carpeta_fijada() {
    static QString carpeta;
    return carpeta;
}

QString con_barra(QString carpeta) {
    if (!carpeta.endsWith('/')) carpeta += '/';
    return carpeta;
}
}  // namespace

QString carpeta_programa() {
    const QString& fijada = carpeta_fijada();
    if (!fijada.isEmpty()) return fijada;
    return con_barra(QCoreApplication::applicationDirPath());
}

void fijar_carpeta_programa(const QString& carpeta) {
    carpeta_fijada() = carpeta.isEmpty() ? QString() : con_barra(carpeta);
}

std::string ruta_programa(const QString& nombre) {
    return (carpeta_programa() + nombre).toStdString();
}

}  // namespace korgas
