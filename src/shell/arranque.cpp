#include "shell/arranque.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <clocale>
#include <iostream>
#include <new>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "shell/frmSplash.h"
#include "shell/iconos.h"

namespace korgas {

namespace {

constexpr int kFaltaIdioma = 2;
constexpr int kFaltanDatos = 3;
constexpr int kNumeroMalo = 4;

// The message of a failed start-up. It is fixed text in both languages: the
// language file may be the one that is missing.
int fallo(const QString& texto, int estado) {
    std::cerr << texto.toStdString() << std::endl;
    const QString plataforma = QGuiApplication::platformName();
    const bool sin_pantalla =
        plataforma == QLatin1String("offscreen") || plataforma == QLatin1String("minimal");
    if (!sin_pantalla || mensajes_respondidos()) {
        QString visto = texto;
        visto.replace('\n', '\r');
        msgbox(visto, 16);
    }
    return estado;
}

// Empty when the file can be read, else the cause.
QString ilegible(const QString& ruta) {
    const QFileInfo info(ruta);
    if (!info.exists()) return QStringLiteral("no existe / it does not exist");
    if (!info.isFile()) return QStringLiteral("no es un fichero / it is not a file");
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return f.errorString();
    return QString();
}

QString no_se_puede_leer(const QString& ruta, const QString& causa) {
    return texto_no_se_puede_leer(ruta, causa) +
           QStringLiteral("\n\nEl programa no puede continuar. / The program cannot go on.");
}

}  // namespace

void preparar_aplicacion() {
    // Qt takes the user's locale for the C library at start; the program's
    // numbers always use ".".
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("KOR-GAS"));
    QApplication::setWindowIcon(icono_programa());
    instalar_mensajes_qt();
}

std::optional<int> leer_numgases(const std::string& fichdatos) {
    return numero_de_gases(leer(fichdatos));
}

int comprobar_ficheros() {
    const QString idioma = carpeta_programa() + QStringLiteral("idioma.lng");
    const QString datos = carpeta_programa() + QStringLiteral("data");
    for (const auto& [ruta, estado] : {std::pair{idioma, kFaltaIdioma}, {datos, kFaltanDatos}}) {
        const QString causa = ilegible(ruta);
        if (!causa.isEmpty()) return fallo(no_se_puede_leer(ruta, causa), estado);
    }
    // Whatever stops a read (the store's error, a lack of memory, anything
    // else) ends in the message naming the file, never in an abort.
    auto leyendo = [](const QString& ruta, int estado, const auto& leer) {
        try {
            return leer();
        } catch (const std::bad_alloc&) {
            return fallo(no_se_puede_leer(ruta, QStringLiteral("no hay memoria suficiente / "
                                                               "not enough memory")),
                         estado);
        } catch (const std::exception& e) {
            return fallo(no_se_puede_leer(ruta, QString::fromStdString(e.what())), estado);
        }
    };
    if (const int estado = leyendo(idioma, kFaltaIdioma, [&] {
            std::vector<std::string> lista(1);
            leersecciones(idioma.toStdString(), lista);
            return 0;
        }))
        return estado;
    return leyendo(datos, kFaltanDatos, [&] {
        if (leer_numgases(datos.toStdString())) return 0;
        return fallo(QStringLiteral("El fichero de datos no da un número de gases válido "
                                    "(clave n de la sección general).\n"
                                    "The gas data file gives no valid number of gases "
                                    "(key n of section general).\n%1\n\n"
                                    "El programa no puede continuar. / The program cannot "
                                    "go on.")
                         .arg(datos),
                     kNumeroMalo);
    });
}

int arrancar() {
    if (const int estado = comprobar_ficheros()) return estado;
    auto* splash = new frmSplash;
    splash->show();
    return 0;
}

}  // namespace korgas
