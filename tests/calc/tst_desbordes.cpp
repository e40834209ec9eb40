// Numbers at the edges of a double, through the real windows: a text too
// large for a double is refused as too large in every box and leaves the box
// ready for the next value; a result that overflows, a temperature at or
// below 0 K from a solver, and a parameter that overflows (derived or read
// from the data file) are shown as no result, never as a number.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "calc/frmcalculos.h"
#include "calc/frmoperaciones.h"
#include "calc/registro.h"
#include "core/gas.h"
#include "platform/controles.h"
#include "platform/lienzo.h"
#include "platform/texto_qt.h"
#include "platform/valor_caja.h"
#include "programa_prueba.h"
#include "systems/frmdatos.h"
#include "systems/frmescala.h"

using namespace pruebas;

namespace {

constexpr double R = 0.08206;
constexpr int kDioxido = 21;

// A paste over the whole text of a box, as the box's context menu does: the
// key filter never sees it.
void pegar(QLineEdit* c, const QString& texto) {
    c->setFocus(Qt::OtherFocusReason);
    c->selectAll();
    c->insert(texto);
}

void elegir(QWidget* w, int numgas, int ecuacion) {
    korgas::seleccionar(control<QComboBox>(w, "cmbgas"), numgas - 1);
    korgas::seleccionar(control<QComboBox>(w, "cmbecu"), ecuacion);
}

// A window of the table, opened on its own.
std::unique_ptr<QWidget> abrir(const QString& ventana) {
    std::unique_ptr<QWidget> w;
    if (ventana == "frmoperaciones") w = std::make_unique<korgas::frmoperaciones>();
    if (ventana == "frmcalculos") {
        korgas::modo_calculo = 0;
        w = std::make_unique<korgas::frmcalculos>();
    }
    if (ventana == "frmdatos") w = std::make_unique<korgas::frmdatos>();
    if (ventana == "frmescala") w = std::make_unique<korgas::frmescala>();
    w->show();
    return w;
}

}  // namespace

class TstDesbordes : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void texto_que_desborda_data();
    void texto_que_desborda();
    void resultado_que_desborda();
    void parametro_que_desborda();
    void temperatura_no_positiva();
    void valor_del_fichero_que_desborda();

  private:
    std::unique_ptr<ProgramaPrueba> entorno_;
};

void TstDesbordes::initTestCase() {
    korgas::registrar_calc();
}

void TstDesbordes::init() {
    korgas::medidor_temperatura = 0;
    korgas::medidor_presion = 0;
    entorno_ = std::make_unique<ProgramaPrueba>();
}

void TstDesbordes::cleanup() {
    entorno_.reset();
}

void TstDesbordes::texto_que_desborda_data() {
    QTest::addColumn<QString>("ventana");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("antes");  // a caption clicked first ("": none)
    QTest::addColumn<QString>("texto");
    // The message: the language text it starts with (0: no message at all),
    // and the limit it ends with.
    QTest::addColumn<int>("mensaje");
    QTest::addColumn<QString>("limite");
    // What the box holds once refused; then the value typed next and what
    // the box shows for it.
    QTest::addColumn<QString>("refusado");
    QTest::addColumn<QString>("siguiente");
    QTest::addColumn<QString>("aceptado");

    const QString kMax = "1.7976931348623157E+308";
    struct Fila {
        const char* nombre;
        const char* ventana;
        const char* caja;
        const char* antes;
        const char* texto;
        int mensaje;
        QString limite, refusado, siguiente, aceptado;
    };
    const Fila filas[] = {
        {"simulation amount", "frmoperaciones", "txtmol", "", "1e309", 78, "1000.00 mol", "1e309",
         "0.3", "0.3"},
        {"simulation temperature", "frmoperaciones", "txttemp", "", "1e309", 80, "1000.00 \u00BAK",
         "1e309", "350", "350.00"},
        {"simulation volume", "frmoperaciones", "txtvol", "", "1e309", 82, "2000.00 l", "1e309",
         "5", "5.00"},
        {"simulation volume, below 0", "frmoperaciones", "txtvol", "", "-1e309", 82, "2000.00 l",
         "-1e309", "5", "5.00"},
        {"simulation pressure", "frmoperaciones", "txtpress", "lbbvol", "1e999", 84, "1000.00 atm",
         "1e999", "2", "2.00"},
        {"calculation amount", "frmcalculos", "txtmol", "", "1e309", 78, kMax + " mol", "1e309",
         "2", "2.0000"},
        {"calculation temperature", "frmcalculos", "txttemp", "", "1e309", 80, kMax + " \u00BAK",
         "1e309", "350", "350.0000"},
        {"calculation volume", "frmcalculos", "txtvol", "", "1e309", 82, kMax + " l", "1e309", "5",
         "5.0000"},
        {"calculation pressure", "frmcalculos", "txtpress", "lbbvol", "1e309", 84, kMax + " atm",
         "1e309", "2", "2.0000"},
        {"data window temperature", "frmdatos", "txttemp_1", "", "1e309", 80, "1000", "1000", "350",
         "350"},
        {"data window amount", "frmdatos", "txtmol_1", "", "1e309", 78, "100", "100", "2", "2"},
        {"scale dialog volume", "frmescala", "txtmm_2", "", "1e309", 166, "", "1e309", "", ""},
        {"scale dialog pressure", "frmescala", "txtmm_4", "chky", "1e309", 165, "", "1e309", "",
         ""},
    };
    for (const Fila& f : filas) {
        QTest::newRow(f.nombre) << f.ventana << f.caja << f.antes << f.texto << f.mensaje
                                << f.limite << f.refusado << f.siguiente << f.aceptado;
    }
}

void TstDesbordes::texto_que_desborda() {
    QFETCH(QString, ventana);
    QFETCH(QString, caja);
    QFETCH(QString, antes);
    QFETCH(QString, texto);
    QFETCH(int, mensaje);
    QFETCH(QString, limite);
    QFETCH(QString, refusado);
    QFETCH(QString, siguiente);
    QFETCH(QString, aceptado);
    auto w = abrir(ventana);
    if (antes == "chky")
        pulsar(control<QCheckBox>(w.get(), "chky"));
    else if (!antes.isEmpty())
        pulsar(rotulo(w.get(), antes));
    entorno_->mensajes.clear();

    QLineEdit* c = pruebas::caja(w.get(), caja);
    pegar(c, texto);
    QTest::keyClick(c, Qt::Key_Return);
    if (ventana == "frmescala") pulsar(control<QWidget>(w.get(), "btaceptar"));
    if (mensaje == 0) {
        QVERIFY(entorno_->mensajes.empty());
    } else {
        QCOMPARE(entorno_->mensajes.size(), std::size_t(1));
        QVERIFY2(entorno_->mensajes[0].texto.startsWith(korgas::tx(mensaje)),
                 qPrintable(entorno_->mensajes[0].texto));
        QVERIFY2(entorno_->mensajes[0].texto.endsWith(limite),
                 qPrintable(entorno_->mensajes[0].texto));
    }
    QCOMPARE(c->text(), refusado);

    // The box takes the next value typed.
    if (siguiente.isEmpty()) return;
    entorno_->mensajes.clear();
    teclear(c, siguiente);
    QVERIFY(entorno_->mensajes.empty());
    QCOMPARE(c->text(), aceptado);
}

void TstDesbordes::resultado_que_desborda() {
    // P = nRT/V at 1e-320 l overflows: no result, and no message.
    auto s = abrir("frmoperaciones");
    pegar(caja(s.get(), "txtvol"), "1e-320");
    QTest::keyClick(caja(s.get(), "txtvol"), Qt::Key_Return);
    QCOMPARE(caja(s.get(), "txtpress")->text(), korgas::tx(128));
    QVERIFY(entorno_->mensajes.empty());

    auto c = abrir("frmcalculos");
    pegar(caja(c.get(), "txtvol"), "1e-320");
    QTest::keyClick(caja(c.get(), "txtvol"), Qt::Key_Return);
    QCOMPARE(caja(c.get(), "txtpress")->text(), korgas::tx(128));
    QVERIFY(entorno_->mensajes.empty());
}

void TstDesbordes::parametro_que_desborda() {
    // Exponent 1000: a is about 1e1935, b a finite 85 l/mol or so.
    for (const QString& ventana : {QString("frmcalculos"), QString("frmoperaciones")}) {
        auto w = abrir(ventana);
        elegir(w.get(), kDioxido, korgas::kGeneralizada);
        teclear(caja(w.get(), "txtmu"), "1000");
        if (ventana == "frmoperaciones") QTest::keyClick(caja(w.get(), "txtmol"), Qt::Key_Return);
        const korgas::datosgas& g =
            ventana == "frmcalculos"
                ? static_cast<korgas::frmcalculos*>(w.get())->registro().gas
                : static_cast<korgas::frmoperaciones*>(w.get())->registro().gas;
        const double b = 999.0 * 999.0 * R * g.tc / (4 * 1000 * g.pc);
        QVERIFY(b > 50 && b < 120);
        QCOMPARE(caja(w.get(), "txta")->text(), QString("-----"));
        QCOMPARE(caja(w.get(), "txtb")->text(), korgas::fmt(b, "####0.00000"));
        QCOMPARE(caja(w.get(), "txtpress")->text(), korgas::tx(128));
        QVERIFY(entorno_->mensajes.empty());
    }
}

void TstDesbordes::temperatura_no_positiva() {
    // Van der Waals carbon dioxide in 0.01 l, less than its covolume: the
    // temperature solved is below 0 K, which is no result.
    auto s = abrir("frmoperaciones");
    elegir(s.get(), kDioxido, korgas::kVanDerWaals);
    pulsar(rotulo(s.get(), "lbbtemp"));
    korgas::Lienzo* termometro = control<korgas::Lienzo>(s.get(), "termometro");
    const QImage antes = termometro->imagen();
    entorno_->mensajes.clear();
    teclear(caja(s.get(), "txtvol"), "0.01");
    QCOMPARE(caja(s.get(), "txttemp")->text(), korgas::tx(128));
    QVERIFY(entorno_->mensajes.empty());
    QCOMPARE(termometro->imagen(), antes);

    auto c = abrir("frmcalculos");
    elegir(c.get(), kDioxido, korgas::kVanDerWaals);
    pulsar(rotulo(c.get(), "lbbtemp"));
    teclear(caja(c.get(), "txtvol"), "0.01");
    QCOMPARE(caja(c.get(), "txttemp")->text(), korgas::tx(128));
    for (const char* r : {"txtvl", "txtvg", "txtpv", "txtdl", "txtdg", "txtdh"})
        QCOMPARE(caja(c.get(), r)->text(), korgas::tx(128));
    QVERIFY(entorno_->mensajes.empty());
}

void TstDesbordes::valor_del_fichero_que_desborda() {
    // The virial C and the Dieterici-Sadus b of the gas overflow a double.
    const QByteArray criticos =
        "pm= 44.01\r\ntc= 304.2\r\npc= 72.9\r\nvc= 0.094\r\nteb=-1\r\nhv=-1\r\n";
    QByteArray d = "[general]\r\nn= 1\r\n\r\n[g1]\r\nnombre=Desborde\r\n" + criticos;
    for (int e = 1; e <= 9; ++e) {
        for (int j = 1; j <= (e == 5 ? 4 : e >= 6 && e <= 8 ? 3 : 2); ++j) {
            QByteArray v = "-1";
            if (e == 5 && j == 3) v = " 1e999";
            if (e == 9 && j == 2) v = "-1e999";
            if (e == 6 && j == 3) v = " 1.5";
            d += "c(" + QByteArray::number(e) + "," + QByteArray::number(j) + ")=" + v + "\r\n";
        }
    }
    entorno_->escribir("data", d);
    korgas::numgases = 1;
    auto c = abrir("frmcalculos");
    teclear(caja(c.get(), "txtvol"), "1");
    for (int e : {korgas::kVirial, korgas::kDietericiSadus}) {
        korgas::seleccionar(control<QComboBox>(c.get(), "cmbecu"), e);
        QCOMPARE(caja(c.get(), "txtpress")->text(), korgas::tx(128));
        QCOMPARE(caja(c.get(), "txtpv")->text(), korgas::tx(128));
    }
    QCOMPARE(caja(c.get(), "txtb")->text(), QString("-----"));
    // The other equations of the gas are computed.
    korgas::seleccionar(control<QComboBox>(c.get(), "cmbecu"), korgas::kVanDerWaals);
    QVERIFY(caja(c.get(), "txtpress")->text() != korgas::tx(128));
    QVERIFY(korgas::leer_valor(caja(c.get(), "txtpress")) > 0);
}

QTEST_MAIN(TstDesbordes)
#include "tst_desbordes.moc"
