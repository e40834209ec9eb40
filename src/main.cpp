// KOR-GAS: its start object is the splash window.
#include <QApplication>

#include "calc/registro.h"
#include "shell/arranque.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    korgas::preparar_aplicacion();
    korgas::registrar_calc();
    if (const int estado = korgas::arrancar()) return estado;
    return app.exec();
}
