// KOR-GAS: its start object is the splash window.
#include <QApplication>

#include "calc/registro.h"
#include "gasdb/registro.h"
#include "shell/arranque.h"
#include "shell/registro.h"
#include "systems/registro.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    korgas::preparar_aplicacion();
    korgas::registrar_shell();
    korgas::registrar_calc();
    korgas::registrar_systems();
    korgas::registrar_gasdb();
    if (const int estado = korgas::arrancar()) return estado;
    return app.exec();
}
