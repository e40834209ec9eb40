#include "shell/idiomas.h"

#include <QAction>
#include <algorithm>
#include <exception>
#include <vector>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "platform/nombres_ventanas.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "shell/frmprincipal.h"

namespace korgas {

QString fichero_ayuda;

IdiomasDelFichero idiomas_de(const Documento& fichero) {
    IdiomasDelFichero r;
    std::vector<bool> con_textos;
    int secciones = 0;
    int seccion = -1;  // index in r.lista of the section being read; -1 for none
    for (const std::string& bytes : fichero.lineas()) {
        const QString l = QString::fromStdString(bytes);
        if (l.startsWith('[')) {
            seccion = -1;
            if (++secciones == 1) continue;  // the first section is no language
            const QString nombre = l.size() >= 2 ? l.mid(1, l.size() - 2) : QString();
            if (nombre.trimmed().isEmpty()) continue;
            const auto igual = [&](const std::string& otro) {
                return QString::fromStdString(otro).toLower() == nombre.toLower();
            };
            // The lookups read the first section of a name: so does the list.
            if (std::any_of(r.lista.begin(), r.lista.end(), igual)) continue;
            seccion = int(r.lista.size());
            r.lista.push_back(nombre.toStdString());
            con_textos.push_back(false);
            continue;
        }
        const qsizetype i = l.indexOf('=');
        if (seccion >= 0 && i >= 0 && !l.mid(i + 1).trimmed().isEmpty()) con_textos[seccion] = true;
    }
    const QString nombrado =
        QString::fromStdString(fichero.leervalor("idioma", "idioma")).toLower();
    for (std::size_t i = 0; i < r.lista.size(); ++i)
        if (con_textos[i] && QString::fromStdString(r.lista[i]).toLower() == nombrado) {
            r.actual = fichero.leervalor("idioma", "idioma");
            return r;
        }
    r.desde_el_fichero = false;
    for (std::size_t i = 0; i < r.lista.size(); ++i)
        if (con_textos[i]) {
            r.actual = r.lista[i];
            break;
        }
    return r;
}

void cargaridiomas() {
    IdiomasDelFichero idiomas;
    try {
        idiomas = idiomas_de(leer(fichidioma));
    } catch (const ErrorFichero&) {
        // Start-up has checked the file; one that became unreadable since
        // gives no languages.
    }
    idioma_actual = idiomas.actual;
    traducir_qt(QString::fromStdString(idioma_actual));
    numidiomas = int(idiomas.lista.size());
    listaidiomas.assign(1, std::string());
    listaidiomas.insert(listaidiomas.end(), idiomas.lista.begin(), idiomas.lista.end());
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
    editor->setEnabled(Ventanas::registrada(kFrmIdioma));
    editor->setVisible(true);

    for (int i = numidiomas + 3; i <= principal->num_mnuidiomas(); ++i) {
        principal->mnuidiomas(i)->setVisible(false);
    }
}

bool cambiaridioma(const std::string& nombre) {
    const QString titulo_idioma = sin_acceso(tx(7));
    auto informar_fallo = [&](const std::exception& e) {
        msgbox(tx(246, QStringLiteral("No se ha podido guardar el idioma elegido.")) + "\r\r" +
                   detalle_error(e),
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
