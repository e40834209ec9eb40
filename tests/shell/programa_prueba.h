// A program folder of its own for each test: copies of the shipped gas data
// file and language file in a temporary folder, the messages recorded instead
// of shown, and the start-up run as the program runs it.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/gas.h"
#include "core/kvstore.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"
#include "shell/arranque.h"
#include "shell/frmSplash.h"
#include "shell/frmprincipal.h"

struct Mensaje {
    QString texto;
    int estilo = 0;
    QString titulo;
};

class ProgramaPrueba {
  public:
    ProgramaPrueba() {
        for (const char* f : {"data", "idioma.lng"})
            QFile::copy(QStringLiteral(KORGAS_SOURCE_DIR "/data/") + f, ruta(f));
        korgas::fijar_carpeta_programa(dir_.path());
        korgas::responder_mensajes_con([this](const QString& t, int e, const QString& ti) {
            mensajes.push_back({t, e, ti});
            return 1;
        });
    }
    ~ProgramaPrueba() {
        cerrar();
        korgas::prueba::fallo_escritura({});
        korgas::responder_mensajes_con({});
        korgas::fijar_carpeta_programa(QString());
    }

    QString ruta(const QString& nombre) const { return dir_.path() + "/" + nombre; }
    std::string idioma_lng() const { return ruta("idioma.lng").toStdString(); }

    QByteArray leer(const QString& nombre) const {
        QFile f(ruta(nombre));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void escribir(const QString& nombre, const QByteArray& bytes) const {
        QFile f(ruta(nombre));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }

    // The language the next start uses.
    void elegir_idioma(const std::string& nombre) const {
        korgas::escribirvalor(idioma_lng(), "idioma", "idioma", nombre);
    }

    // The start-up up to the splash on screen; the main window is loaded,
    // hidden.
    korgas::frmSplash* arrancar() {
        const int estado = korgas::arrancar();
        if (estado != 0) return nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<korgas::frmSplash*>(w); s && !s->entregado()) return s;
        return nullptr;
    }

    // The start-up with the hand-over: the main window on screen.
    korgas::frmprincipal* arrancar_hasta_principal() {
        korgas::frmSplash* s = arrancar();
        if (!s) return nullptr;
        s->fraMainFrame_Click();
        return korgas::frmprincipal::existente();
    }

    // Ends the run: the main window and the splash go.
    void cerrar() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<korgas::frmSplash*>(w)) delete w;
        delete korgas::frmprincipal::existente();
    }

    QList<Mensaje> mensajes;

  private:
    QTemporaryDir dir_;
};
