// What the calculation-window tests share: a program folder with copies of
// the shipped gas data file and language file, the globals the start-up sets,
// a recorder of every message box, and lookups of the window's controls by
// their names.
#pragma once

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "core/gas.h"
#include "core/kvstore.h"
#include "core/numtext.h"
#include "platform/carpeta.h"
#include "platform/mensajes_qt.h"

namespace prueba_calc {

struct Mensaje {
    QString texto;
    int estilo;
    QString titulo;
};

class Entorno {
  public:
    // idioma: the section made current in the copied language file ("" keeps
    // the file's own choice).
    explicit Entorno(const QString& idioma = QString()) {
        QVERIFY2(dir_.isValid(), "temporary folder");
        for (const char* f : {"data", "idioma.lng"}) {
            const QString origen = QStringLiteral(KORGAS_SOURCE_DIR "/data/") + f;
            QVERIFY2(QFile::copy(origen, dir_.filePath(f)), f);
            QFile::setPermissions(dir_.filePath(f), QFile::ReadOwner | QFile::WriteOwner);
        }
        korgas::fijar_carpeta_programa(dir_.path());
        korgas::fichidioma = korgas::ruta_programa(QStringLiteral("idioma.lng"));
        korgas::fichdatos = korgas::ruta_programa(QStringLiteral("data"));
        if (!idioma.isEmpty())
            korgas::escribirvalor(korgas::fichidioma, "idioma", "idioma", idioma.toStdString());
        korgas::idioma_actual = korgas::leervalor(korgas::fichidioma, "idioma", "idioma");
        korgas::numgases =
            int(korgas::leer_numero(korgas::leervalor(korgas::fichdatos, "general", "n")));
        korgas::instalar_mensajes_qt();
        korgas::responder_mensajes_con([this](const QString& t, int e, const QString& ti) {
            mensajes.push_back({t, e, ti});
            return 1;
        });
    }
    ~Entorno() { korgas::responder_mensajes_con({}); }

    QString carpeta() const { return dir_.path(); }

    std::vector<Mensaje> mensajes;

  private:
    QTemporaryDir dir_;
};

template <class T>
T* control(QWidget* w, const char* nombre) {
    T* c = w->findChild<T*>(QString::fromLatin1(nombre));
    if (!c) qFatal("no control %s", nombre);
    return c;
}

inline QLineEdit* caja(QWidget* w, const char* nombre) {
    return control<QLineEdit>(w, nombre);
}
inline QLabel* rotulo(QWidget* w, const char* nombre) {
    return control<QLabel>(w, nombre);
}

// Replaces a box's text and presses Enter in it, as a user does.
inline void teclear(QLineEdit* c, const QString& texto) {
    c->clear();
    QTest::keyClicks(c, texto);
    QTest::keyClick(c, Qt::Key_Return);
}

inline void pulsar(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

inline QColor color_texto(QWidget* w) {
    return w->palette().color(qobject_cast<QLineEdit*>(w) ? QPalette::Text : QPalette::WindowText);
}

}  // namespace prueba_calc
