// Every shipped gas with every equation in the simulation window, driven
// through the spinners at the ends of their ranges and by drags from end to
// end of every instrument, beyond them too: every step returns, no step
// opens more than a few message boxes, and no box, label or tool tip ever
// shows a number that is not finite.
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QToolButton>
#include <memory>

#include "calc/frmoperaciones.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/spinner.h"
#include "platform/texto_qt.h"
#include "programa_prueba.h"

using namespace pruebas;
using korgas::Lienzo;

class TstBarridoOperaciones : public QObject {
    Q_OBJECT

  private slots:
    void todos_los_gases_y_ecuaciones();
};

namespace {

void raton(Lienzo* l, QEvent::Type tipo, QPointF p, Qt::MouseButtons botones,
           Qt::MouseButton boton = Qt::NoButton) {
    QMouseEvent ev(tipo, p, l->mapToGlobal(p), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(l, &ev);
}

// A drag from one end of the picture's scale to the other and beyond.
void arrastrar(Lienzo* l, bool vertical) {
    const double a = vertical ? l->escala_arriba() : l->escala_izquierda();
    const double b = a + (vertical ? l->escala_alto() : l->escala_ancho());
    auto punto = [&](double t) {
        const double v = a + t * (b - a);
        return vertical ? l->a_pixeles(0, v) : l->a_pixeles(v, 0);
    };
    raton(l, QEvent::MouseButtonPress, punto(0), Qt::LeftButton, Qt::LeftButton);
    for (double t : {0.25, 0.5, 0.75, 1.0, 1.3, -0.3})
        raton(l, QEvent::MouseMove, punto(t), Qt::LeftButton);
    raton(l, QEvent::MouseButtonRelease, punto(-0.3), Qt::NoButton, Qt::LeftButton);
}

}  // namespace

void TstBarridoOperaciones::todos_los_gases_y_ecuaciones() {
    ProgramaPrueba entorno;
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
    korgas::frmoperaciones w;
    w.show();
    auto* gases = control<QComboBox>(&w, "cmbgas");
    auto* ecuaciones = control<QComboBox>(&w, "cmbecu");
    QLineEdit* cajas[4] = {caja(&w, "txtmol"), caja(&w, "txttemp"), caja(&w, "txtvol"),
                           caja(&w, "txtpress")};
    korgas::Spinner* spinners[4];
    for (int i = 0; i < 4; ++i)
        spinners[i] = control<korgas::Spinner>(&w, QStringLiteral("UpDown%1").arg(i));
    const char* const pictures[5] = {"termometro", "pctpiston", "barometro1", "termopar",
                                     "Manometro"};

    QElapsedTimer reloj;
    reloj.start();
    qint64 peor = 0;
    QString peor_donde;
    std::size_t mas_mensajes = 0;
    QString mas_donde;
    int pasos = 0;
    QString fallo;
    auto paso = [&](const QString& donde, const std::function<void()>& accion) {
        const std::size_t antes = entorno.mensajes.size();
        accion();
        ++pasos;
        const QString d = no_numerico(&w, {korgas::tx(128)});
        if (!d.isEmpty() && fallo.isEmpty()) fallo = donde + ": " + d;
        const std::size_t n = entorno.mensajes.size() - antes;
        // One validation and the three instruments, twice for the steps that
        // recompute twice: never a storm.
        if (n > 8 && fallo.isEmpty()) fallo = donde + QStringLiteral(": %1 messages").arg(n);
        if (n > mas_mensajes) {
            mas_mensajes = n;
            mas_donde = donde;
        }
    };

    for (int g = 0; g < gases->count(); ++g) {
        for (int e = 0; e < ecuaciones->count(); ++e) {
            QElapsedTimer uno;
            uno.start();
            const QString donde = QStringLiteral("gas %1, eq %2").arg(g + 1).arg(e);
            // The pressure dependent, the inputs back to the load's.
            pulsar(rotulo(&w, "lbbpress"));
            cajas[0]->setText("0.25");
            cajas[1]->setText("300");
            cajas[2]->setText("6.146");
            paso(donde + ", choice", [&] {
                korgas::seleccionar(gases, g);
                korgas::seleccionar(ecuaciones, e);
            });
            // Each spinner at both ends of its range, with each quantity in
            // turn dependent.
            for (const char* dependiente : {"lbbpress", "lbbvol", "lbbtemp"}) {
                pulsar(rotulo(&w, dependiente));
                for (int i = 0; i < 4; ++i) {
                    auto* s = spinners[i];
                    if (!cajas[i]->isEnabled()) continue;
                    const QString original = cajas[i]->text();
                    for (qint64 extremo : {s->minimo(), s->maximo()}) {
                        const QString aqui =
                            donde + ", " + dependiente +
                            QStringLiteral(", UpDown%1 from %2").arg(i).arg(extremo);
                        cajas[i]->setText(QString::number(extremo));
                        paso(aqui + " up", [&] { s->subir(); });
                        paso(aqui + " down", [&] { s->bajar(); });
                        paso(aqui + " down", [&] { s->bajar(); });
                    }
                    cajas[i]->setText(original.isEmpty() ? "1" : original);
                }
                cajas[0]->setText("0.25");
            }
            // Every instrument dragged from end to end and beyond.
            pulsar(rotulo(&w, "lbbpress"));
            cajas[1]->setText("300");
            cajas[2]->setText("6.146");
            for (int i = 0; i < 5; ++i) {
                if (i == 3) {
                    pulsar(control<QToolButton>(&w, "bttermopar"));
                    pulsar(control<QToolButton>(&w, "btmanometro"));
                }
                paso(donde + ", drag " + pictures[i],
                     [&] { arrastrar(control<Lienzo>(&w, pictures[i]), i < 3); });
            }
            pulsar(control<QToolButton>(&w, "bttermometro"));
            pulsar(control<QToolButton>(&w, "btbarometro"));
            if (uno.elapsed() > peor) {
                peor = uno.elapsed();
                peor_donde = donde;
            }
        }
    }
    qInfo(
        "%d steps in %lld ms; slowest gas and equation: %s, %lld ms; most messages in one "
        "step: %zu (%s)",
        pasos, reloj.elapsed(), qPrintable(peor_donde), peor, mas_mensajes, qPrintable(mas_donde));
    QVERIFY2(fallo.isEmpty(), qPrintable(fallo));
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
}

QTEST_MAIN(TstBarridoOperaciones)
#include "tst_barrido_operaciones.moc"
