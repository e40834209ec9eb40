#include "shell/idiomas.h"

#include <QAction>
#include <exception>
#include <vector>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "shell/frmprincipal.h"

namespace korgas {

QString fichero_ayuda;

void cargaridiomas() {
    std::vector<std::string> lista(1);
    int k = 0;
    try {
        k = leersecciones(fichidioma, lista);
        idioma_actual = leervalor(fichidioma, "idioma", "idioma");
    } catch (const ErrorFichero&) {
        // Start-up has checked the file; one that became unreadable since
        // gives no languages.
        k = 0;
        idioma_actual.clear();
    }
    // A file without any header gives -1.
    numidiomas = k > 0 ? k : 0;
    lista.resize(numidiomas + 1);
    listaidiomas = std::move(lista);
    llenar_menu_idiomas(29);
}

void llenar_menu_idiomas(int texto_editor) {
    frmprincipal* principal = frmprincipal::instancia();
    const QString actual = QString::fromStdString(idioma_actual).toLower();
    fichero_ayuda.clear();
    for (int i = 1; i <= numidiomas; ++i) {
        const QString nombre = QString::fromStdString(listaidiomas[i]);
        QAction* e = principal->mnuidiomas(i);
        e->setSeparator(false);
        e->setText(QString(nombre).replace('&', QStringLiteral("&&")));
        e->setCheckable(true);
        const bool es_actual = nombre.toLower() == actual;
        e->setChecked(es_actual);
        if (es_actual) fichero_ayuda = carpeta_programa() + nombre + QStringLiteral(".qhc");
        e->setEnabled(true);
        e->setVisible(true);
    }
    QAction* separador = principal->mnuidiomas(numidiomas + 1);
    separador->setText(QString());
    separador->setCheckable(false);
    separador->setSeparator(true);
    separador->setVisible(true);

    QAction* editor = principal->mnuidiomas(numidiomas + 2);
    editor->setSeparator(false);
    editor->setText(tx(texto_editor));
    editor->setCheckable(false);
    editor->setEnabled(Ventanas::registrada(QStringLiteral("frmIdioma")));
    editor->setVisible(true);

    for (int i = numidiomas + 3; i <= principal->num_mnuidiomas(); ++i) {
        principal->mnuidiomas(i)->setVisible(false);
    }
}

bool cambiaridioma(const std::string& nombre) {
    const QString titulo_idioma = sin_acceso(tx(7));
    const QString fichero = QString::fromStdString(fichidioma);
    auto informar_fallo = [&](const std::exception& e) {
        msgbox(QStringLiteral("No se ha podido guardar el idioma elegido en el fichero %1.\r"
                              "The chosen language could not be saved in the file %1.\r\r%2")
                   .arg(fichero, QString::fromStdString(e.what())),
               16, titulo_idioma);
        return false;
    };
    try {
        if (buscarseccion(fichidioma, nombre) == 0) {
            msgbox(tx(167), 16, titulo_idioma);
            return false;
        }
        // Written first: the message that the choice will be used must never
        // follow a write that failed.
        escribirvalor(fichidioma, "idioma", "idioma", nombre);
    } catch (const ErrorFichero& e) {
        return informar_fallo(e);
    } catch (const ErrorTexto& e) {
        return informar_fallo(e);
    }
    msgbox(tx(168), 64, titulo_idioma);
    return true;
}

}  // namespace korgas
