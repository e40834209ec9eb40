// Every shipped gas with every equation in the general mode, driven through
// the boxes, the spinners and the choice of the computed quantity, at ordinary
// and extreme temperatures: every step returns, and no box ever shows a number
// that is not finite.
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>

#include "calc/frmcalculos.h"
#include "platform/controles.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "programa_prueba.h"

using namespace pruebas;

class TstBarrido : public QObject {
    Q_OBJECT

  private slots:
    void todos_los_gases_y_ecuaciones();
};

void TstBarrido::todos_los_gases_y_ecuaciones() {
    ProgramaPrueba entorno;
    korgas::modo_calculo = 0;
    korgas::frmcalculos w;
    w.show();
    auto* gases = control<QComboBox>(&w, "cmbgas");
    auto* ecuaciones = control<QComboBox>(&w, "cmbecu");
    QLineEdit* t = caja(&w, "txttemp");
    QLineEdit* v = caja(&w, "txtvol");
    QLineEdit* p = caja(&w, "txtpress");
    auto* up1 = control<korgas::Spinner>(&w, "UpDown1");
    auto* up2 = control<korgas::Spinner>(&w, "UpDown2");
    auto* up3 = control<korgas::Spinner>(&w, "UpDown3");

    QElapsedTimer reloj;
    reloj.start();
    qint64 peor = 0;
    QString peor_donde;
    int pasos = 0;
    auto comprobar = [&](const QString& donde) {
        const QString d = no_numerico(&w, {korgas::tx(128), korgas::tx(129)});
        if (!d.isEmpty()) QFAIL(qPrintable(donde + ": " + d));
    };

    for (int g = 0; g < gases->count(); ++g) {
        for (int e = 0; e < ecuaciones->count(); ++e) {
            QElapsedTimer uno;
            uno.start();
            const QString donde = QStringLiteral("gas %1, eq %2").arg(g + 1).arg(e);
            // The computed quantity back to P, the inputs back to the defaults.
            pulsar(rotulo(&w, "lbbpress"));
            t->setText("300");
            v->setText("6.146");
            p->setText("1");
            korgas::seleccionar(gases, g);
            korgas::seleccionar(ecuaciones, e);
            comprobar(donde + ", choice");
            for (const char* temp : {"300", "0.0001", "1", "2000"}) {
                teclear(t, temp);
                comprobar(donde + ", T " + temp);
                ++pasos;
            }
            teclear(t, "250");
            up1->bajar();
            up1->subir();
            up2->subir();
            up3->subir();
            comprobar(donde + ", spinners");
            // V and then T computed from the others; small volumes too.
            pulsar(rotulo(&w, "lbbvol"));
            teclear(p, "50");
            comprobar(donde + ", V");
            pulsar(rotulo(&w, "lbbtemp"));
            for (const char* vol : {"0.01", "0.1", "6.146"}) {
                teclear(v, vol);
                comprobar(donde + ", T from V " + vol);
            }
            up3->subir();
            comprobar(donde + ", T spinner");
            pasos += 10;
            if (uno.elapsed() > peor) {
                peor = uno.elapsed();
                peor_donde = donde;
            }
        }
    }
    qInfo("%d steps in %lld ms; slowest gas and equation: %s, %lld ms", pasos, reloj.elapsed(),
          qPrintable(peor_donde), peor);
    QMap<QString, int> vistos;
    for (const Mensaje& m : entorno.mensajes) ++vistos[m.texto.left(40)];
    for (auto it = vistos.begin(); it != vistos.end(); ++it)
        qInfo("%5d x %s", it.value(), qPrintable(it.key()));
}

QTEST_MAIN(TstBarrido)
#include "tst_barrido.moc"
