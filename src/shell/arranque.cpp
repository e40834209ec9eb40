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
#include "shell/idiomas.h"

namespace korgas {

namespace {

constexpr int kFaltaIdioma = 2;
constexpr int kFaltanDatos = 3;
constexpr int kNumeroMalo = 4;
constexpr int kSinIdioma = 5;

// A message of the start-up. It is fixed text in both languages: the language
// file may be the one at fault. It goes to standard error too, and only there
// in a run without a screen.
void avisar(const QString& texto, int estilo) {
    std::cerr << texto.toStdString() << std::endl;
    const QString plataforma = QGuiApplication::platformName();
    const bool sin_pantalla =
        plataforma == QLatin1String("offscreen") || plataforma == QLatin1String("minimal");
    if (!sin_pantalla || mensajes_respondidos()) {
        QString visto = texto;
        visto.replace('\n', '\r');
        msgbox(visto, estilo);
    }
}

// The message of a failed start-up, and the exit status.
int fallo(const QString& texto, int estado) {
    avisar(texto, 16);
    return estado;
}

const QString kNoPuedeContinuar =
    QStringLiteral("\n\nEl programa no puede continuar. / The program cannot go on.");

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
    return texto_no_se_puede_leer(ruta, causa) + kNoPuedeContinuar;
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
}

std::optional<int> leer_numgases(const std::string& fichero) {
    return numero_de_gases(leer(fichero));
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
            // The language the run will use: without one that has texts every
            // caption and message would be empty.
            const IdiomasDelFichero idiomas = idiomas_de(leer(idioma.toStdString()));
            if (idiomas.actual.empty())
                return fallo(QStringLiteral("El fichero de idiomas no tiene ningún idioma con "
                                            "textos.\nThe language file has no language with "
                                            "texts.\n%1")
                                     .arg(idioma) +
                                 kNoPuedeContinuar,
                             kSinIdioma);
            if (!idiomas.desde_el_fichero) {
                const QString nombre = QString::fromStdString(idiomas.actual);
                avisar(QStringLiteral("El fichero de idiomas no nombra como actual un idioma con "
                                      "textos; se usa %2.\nThe language file names no language "
                                      "with texts as the current one; %2 is used.\n%1")
                           .arg(idioma, nombre),
                       48);
            }
            return 0;
        }))
        return estado;
    return leyendo(datos, kFaltanDatos, [&] {
        if (leer_numgases(datos.toStdString())) return 0;
        return fallo(QStringLiteral("El fichero de datos no da un número de gases válido "
                                    "(clave n de la sección general).\n"
                                    "The gas data file gives no valid number of gases "
                                    "(key n of section general).\n%1")
                             .arg(datos) +
                         kNoPuedeContinuar,
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
