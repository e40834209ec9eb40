// Draws the formula pictures of the ten equations of state for the help pages,
// formula_0.png to formula_9.png in the folder given, with the program's own
// formula renderer: the help shows each formula exactly as the calculation
// windows do, a little larger. Run at build time (headless).
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "platform/formulas.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir carpeta(QString::fromLocal8Bit(argv[1]));
    for (int e = 0; e < 10; ++e) {
        const QString nombre = carpeta.filePath(QStringLiteral("formula_%1.png").arg(e));
        if (!korgas::formula(e, 1.4).save(nombre)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(nombre));
            return 1;
        }
    }
    return 0;
}
