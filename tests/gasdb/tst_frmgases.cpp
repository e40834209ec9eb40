// The gas editor opened from the main window: its load in both languages, add,
// select, modify and delete checked byte for byte in the data file, failures
// that leave the file as it was, the automatic parameters of a known gas, the
// required boxes, names in Windows-1252, and the other windows following a
// delete.
#include <fcntl.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <clocale>
#include <memory>

#include "calc/registro.h"
#include "core/gas.h"
#include "core/kvstore.h"
#include "gasdb/frmgases.h"
#include "gasdb/panel_gases.h"
#include "gasdb/registro.h"
#include "gasdb/textextend.h"
#include "locale_coma.h"
#include "platform/aviso_gases.h"
#include "platform/controles.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "systems/registro.h"

using korgas::entrada;
using korgas::frmgases;
using korgas::textextend;
using korgas::tx;
using korgas::Ventanas;

namespace {

const QColor kAmarillo(255, 255, 0);
const QColor kBlanco(255, 255, 255);

// The keys of a gas section in the order the editor writes them.
const char* const kClaves[] = {"c(1,1)", "c(1,2)", "c(2,1)", "c(2,2)", "c(3,1)", "c(3,2)",
                               "c(4,1)", "c(4,2)", "c(5,1)", "c(5,2)", "c(5,3)", "c(5,4)",
                               "c(6,1)", "c(6,2)", "c(6,3)", "c(7,1)", "c(7,2)", "c(7,3)",
                               "c(8,1)", "c(8,2)", "c(8,3)", "c(9,1)", "c(9,2)"};

// A gas section as the editor writes it (CR LF, Windows-1252 name): critical
// data as given, every parameter -1 but those given.
QByteArray seccion(const QByteArray& cabecera, const QByteArray& nombre, const QByteArray& criticos,
                   const QList<QPair<QByteArray, QByteArray>>& propios = {}) {
    QByteArray s = cabecera + "\r\nnombre=" + nombre + "\r\n" + criticos;
    for (const char* clave : kClaves) {
        QByteArray valor = "-1";
        for (const auto& [k, v] : propios)
            if (k == clave) valor = v;
        s += QByteArray(clave) + "=" + valor + "\r\n";
    }
    return s;
}

// The user's gases 29..32 of the fixture: each with its own data. Gas 30 has
// typed rows (van der Waals, virial with a D of 1.2e-7, the generalised
// equation with its exponent) and its own acentric factor.
QByteArray gas_usuario(int k, const QByteArray& cabecera = {}) {
    const QByteArray h = cabecera.isEmpty() ? "[G" + QByteArray::number(k) + "]" : cabecera;
    switch (k) {
        case 29:
            return seccion(h, "Propano propio",
                           "pm= 44.1\r\ntc= 369.8\r\npc= 41.9\r\nvc= 0.203\r\nteb= 231.1\r\n"
                           "hv= 4.49\r\n",
                           {{"c(6,3)", " 1.5"}, {"c(7,3)", " 0.152"}, {"c(8,3)", " 0.152"}});
        case 30:
            return seccion(h, "Virial escrito",
                           "pm= 30.07\r\ntc= 305.3\r\npc= 48.2\r\nvc=-1\r\nteb= 184.6\r\nhv=-1\r\n",
                           {{"c(1,1)", " 5.489"},
                            {"c(1,2)", " 0.0638"},
                            {"c(5,1)", " 1"},
                            {"c(5,2)", "-0.1858"},
                            {"c(5,3)", " 0.0041"},
                            {"c(5,4)", " 1.2E-07"},
                            {"c(6,1)", " 5"},
                            {"c(6,2)", " 0.01"},
                            {"c(6,3)", " 2.25"},
                            {"c(7,3)", " 0.099"},
                            {"c(8,3)", " 0.099"}});
        case 31:
            return seccion(h, "Tercero",
                           "pm= 17.03\r\ntc= 405.5\r\npc= 111.3\r\nvc= 0.0725\r\nteb= 239.8\r\n"
                           "hv= 5.58\r\n",
                           {{"c(6,3)", " 1.5"}, {"c(7,3)", " 0.25"}, {"c(8,3)", " 0.25"}});
        default:
            return seccion(h, "Cuarto \xF1",
                           "pm= 28.01\r\ntc= 132.9\r\npc= 34.5\r\nvc= 0.0931\r\nteb= 81.6\r\n"
                           "hv= 1.444\r\n",
                           {{"c(6,3)", " 1.5"}, {"c(7,3)", " 0.048"}, {"c(8,3)", " 0.048"}});
    }
}

QByteArray distribuido() {
    QFile f(QStringLiteral(KORGAS_SOURCE_DIR "/data/data"));
    if (!f.open(QIODevice::ReadOnly)) qFatal("no shipped data file");
    return f.readAll();
}

// The shipped 28 gases and the user's gases 29..n.
QByteArray fichero(int n) {
    QByteArray s = distribuido();
    s.replace("n= 28\r\n", "n= " + QByteArray::number(n) + "\r\n");
    for (int k = 29; k <= n; ++k) s += "\r\n" + gas_usuario(k);
    return s;
}

textextend* caja(QWidget* w, const char* nombre) {
    return pruebas::control<textextend>(w, QLatin1String(nombre));
}

// Replaces a box's text by typing over it, as the user does.
void escribir(textextend* c, const QString& texto) {
    c->Txt()->selectAll();
    QTest::keyClicks(c->Txt(), texto);
}

QColor fondo(textextend* c) {
    return c->Txt()->palette().color(QPalette::Base);
}

// The files of the program folder, the hidden ones too (a temporary file of
// a rewrite would be one), but for the lock files the store keeps.
QStringList ficheros(const QString& carpeta) {
    QStringList r = QDir(carpeta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    r.removeIf([](const QString& f) { return f.endsWith(QLatin1String(".lock")); });
    return r;
}

}  // namespace

class TstFrmgases : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();

    void carga_data();
    void carga();
    void anadir_byte_a_byte();
    void seleccionar_lista_y_datos();
    void modificar_sin_tocar_deja_el_fichero_data();
    void modificar_sin_tocar_deja_el_fichero();
    void modificar_lo_editado();
    void valores_que_desbordan_data();
    void valores_que_desbordan();
    void borrar_30_de_32();
    void entrada_sin_seccion_data();
    void entrada_sin_seccion();
    void fallos_de_escritura_data();
    void fallos_de_escritura();
    void automaticos_a_mano_data();
    void automaticos_a_mano();
    void factor_acentrico_tecleado_data();
    void factor_acentrico_tecleado();
    void exponente_1_sin_numeros();
    void rotulos_por_ecuacion_data();
    void rotulos_por_ecuacion();
    void cajas_requeridas();
    void validacion();
    void nombres_windows_1252();
    void coma_decimal();
    void parametros_escritos_se_quedan();
    void tabla_nueva_en_cada_apertura();
    void registro_propio();
    void borrado_seguido_por_las_ventanas();

  private:
    frmgases* abrir(const QString& idioma = QString(), const QByteArray& datos = fichero(32));
    void elegir(int posicion);

    std::unique_ptr<ProgramaPrueba> p_;
    frmgases* w_ = nullptr;
};

void TstFrmgases::initTestCase() {
    korgas::registrar_calc();
    korgas::registrar_systems();
    korgas::registrar_gasdb();
}

void TstFrmgases::cleanup() {
    w_ = nullptr;
    p_.reset();
    korgas::sistemas = {};
}

frmgases* TstFrmgases::abrir(const QString& idioma, const QByteArray& datos) {
    p_ = std::make_unique<ProgramaPrueba>(idioma, datos);
    if (!p_->arrancar_hasta_principal()) qFatal("no main window");
    QAction* e = entrada(QStringLiteral("mnugases"));
    if (!e || !e->isEnabled()) qFatal("the editor's menu entry is not enabled");
    e->trigger();
    w_ = Ventanas::buscar<frmgases>(QStringLiteral("frmgases"));
    if (!w_) qFatal("no editor");
    return w_;
}

// Select, then the gas at that place of the list.
void TstFrmgases::elegir(int posicion) {
    pruebas::pulsar(pruebas::control<QPushButton>(w_, "btsel"));
    korgas::seleccionar(pruebas::control<QComboBox>(w_, "cmbgas"), posicion);
}

void TstFrmgases::carga_data() {
    QTest::addColumn<QString>("idioma");
    QTest::newRow("es") << "Español";
    QTest::newRow("en") << "English";
}

void TstFrmgases::carga() {
    QFETCH(QString, idioma);
    frmgases* w = abrir(idioma);
    QCOMPARE(w->windowTitle(), tx(190));
    const std::pair<const char*, int> cajas[] = {
        {"textgas", 50}, {"textpm", 191},  {"textpc", 192},  {"texttc", 193},
        {"textvc", 194}, {"textteb", 195}, {"texthvap", 196}};
    for (const auto& [nombre, texto] : cajas) {
        textextend* c = caja(w, nombre);
        QCOMPARE(c->HeaderCaption(), tx(texto));
        QVERIFY(c->Header());
        QVERIFY(c->HeaderFont().bold());
        QCOMPARE(c->Text(), QString());
        const bool requerida = texto <= 193;
        QCOMPARE(fondo(c), requerida ? kAmarillo : kBlanco);
        QCOMPARE(c->toolTip(), requerida ? tx(230) : QString());
        QCOMPARE(c->NumberBox(), texto == 50 ? 0 : 2);
    }
    QVERIFY(!caja(w, "textpm")->Signo());
    QVERIFY(caja(w, "textpc")->Signo());
    auto* panel = w->panel();
    QCOMPARE(pruebas::rotulo(w, "Label1")->text(), tx(51) + ":");
    QCOMPARE(pruebas::rotulo(w, "Label6")->text(), tx(54) + ":");
    QCOMPARE(panel->chkauto->text(), tx(197));
    QCOMPARE(panel->cmbecu->count(), 10);
    QCOMPARE(panel->cmbecu->itemText(0), tx(85));
    QCOMPARE(panel->cmbecu->itemText(6), tx(86));
    QCOMPARE(panel->cmbecu->currentIndex(), 0);
    QVERIFY(panel->chkauto->isHidden());
    QVERIFY(pruebas::control<QComboBox>(w, "cmbgas")->isHidden());
    const std::pair<const char*, int> botones[] = {
        {"btadd", 207}, {"btsel", 208}, {"btmod", 209}, {"btdel", 210}};
    for (const auto& [nombre, texto] : botones) {
        auto* b = pruebas::control<QPushButton>(w, nombre);
        QCOMPARE(b->text(), tx(texto));
        QCOMPARE(b->isEnabled(), texto <= 208);
    }
    QCOMPARE(w->registro().temperatura, 300.0);
    QCOMPARE(w->registro().mu, 1.5);
    QCOMPARE(w->panel()->tabla()[6][3], 1.5);
    QVERIFY(p_->mensajes.empty());
}

void TstFrmgases::anadir_byte_a_byte() {
    frmgases* w = abrir(QString(), fichero(30));
    const QByteArray antes = p_->leer("data");
    QSignalSpy altas(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_anadido);
    caja(w, "textgas")->Text(QString::fromUtf8("Óxido nítrico"));
    escribir(caja(w, "textpm"), "30.01");
    escribir(caja(w, "textpc"), "64");
    escribir(caja(w, "texttc"), "180");
    korgas::seleccionar(w->panel()->cmbecu, 1);
    w->panel()->chkauto->click();
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));

    QCOMPARE(p_->mensajes.size(), std::size_t(1));
    QCOMPARE(p_->mensajes.back().texto, tx(224));
    QCOMPARE(korgas::numgases, 31);
    QCOMPARE(altas.count(), 1);
    QCOMPARE(altas.at(0).at(0).toInt(), 31);
    // An empty line and the new section at the end, the count 31; the van
    // der Waals row automatic, and so every row never shown.
    QByteArray esperado = antes;
    esperado.replace("n= 30\r\n", "n= 31\r\n");
    esperado += "\r\n" + seccion("[G31]", "\xD3xido n\xEDtrico",
                                 "pm= 30.01\r\ntc= 180\r\npc= 64\r\nvc=-1\r\nteb=-1\r\nhv=-1\r\n",
                                 {{"c(6,3)", " 1.5"}, {"c(7,3)", " 1"}, {"c(8,3)", " 1"}});
    QCOMPARE(p_->leer("data"), esperado);
    // The boxes keep their contents; the optional ones show 0.
    QCOMPARE(caja(w, "textvc")->Text(), QString("0"));
    QCOMPARE(caja(w, "textpm")->Text(), QString("30.01"));

    // Chosen again with van der Waals shown, the row is automatic.
    elegir(2);
    QCOMPARE(caja(w, "textgas")->Text(), QString::fromUtf8("Óxido nítrico"));
    QVERIFY(w->panel()->chkauto->isChecked());
    QCOMPARE(caja(w, "txta")->Text(), QString("1.43818"));
}

void TstFrmgases::seleccionar_lista_y_datos() {
    // With the 28 built-in gases alone, Select does nothing.
    frmgases* w = abrir(QString(), distribuido());
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btsel"));
    QVERIFY(pruebas::control<QComboBox>(w, "cmbgas")->isHidden());
    QVERIFY(pruebas::control<QPushButton>(w, "btadd")->isEnabled());
    cleanup();

    w = abrir();
    korgas::seleccionar(w->panel()->cmbecu, 5);
    elegir(1);
    auto* lista = pruebas::control<QComboBox>(w, "cmbgas");
    QVERIFY(!lista->isHidden());
    QCOMPARE(lista->count(), 4);
    QCOMPARE(lista->itemText(0), QString("Propano propio"));
    QCOMPARE(lista->itemText(3), QString::fromUtf8("Cuarto ñ"));
    QCOMPARE(w->gas_elegido(), 30);
    QCOMPARE(caja(w, "textgas")->Text(), QString("Virial escrito"));
    QCOMPARE(caja(w, "textpm")->Text(), QString("30.0700"));
    QCOMPARE(caja(w, "texttc")->Text(), QString("305.3000"));
    QCOMPARE(caja(w, "textvc")->Text(), QString("0.0000"));
    QCOMPARE(fondo(caja(w, "textpm")), kBlanco);
    QVERIFY(!w->panel()->chkauto->isChecked());
    QCOMPARE(caja(w, "txta")->Text(), QString("1.00000"));
    QCOMPARE(caja(w, "txtb")->Text(), QString("-0.18580"));
    QCOMPARE(caja(w, "txtc")->Text(), QString("0.004100"));
    QCOMPARE(caja(w, "txtd")->Text(), QString("0.000000"));
    // Its own exponent, whatever the equation shown.
    QCOMPARE(caja(w, "txtmu")->Text(), QString("2.25"));
    for (const char* b : {"btadd", "btsel"})
        QVERIFY(!pruebas::control<QPushButton>(w, b)->isEnabled());
    for (const char* b : {"btmod", "btdel"})
        QVERIFY(pruebas::control<QPushButton>(w, b)->isEnabled());

    // Another gas with the generalised equation shown takes that gas's exponent.
    korgas::seleccionar(w->panel()->cmbecu, 6);
    korgas::seleccionar(lista, 0);
    QCOMPARE(caja(w, "txtmu")->Text(), QString("1.5"));
    QVERIFY(w->panel()->chkauto->isChecked());
    // a and b of the generalised equation at mu 1.5 from tc 369.8 and pc 41.9.
    QCOMPARE(caja(w, "txta")->Text(), QString("12.27860"));
}

void TstFrmgases::modificar_sin_tocar_deja_el_fichero_data() {
    QTest::addColumn<int>("ecuacion");
    for (int e = 0; e < 10; ++e) QTest::addRow("%d", e) << e;
}

// Every number goes back as it was read, whichever equation is shown: the
// boxes keep the values behind their patterns (a virial D of 1.2e-7 shows as
// 0.000000), so an untouched gas rewrites the file byte for byte.
void TstFrmgases::modificar_sin_tocar_deja_el_fichero() {
    QFETCH(int, ecuacion);
    frmgases* w = abrir();
    const QByteArray antes = p_->leer("data");
    QSignalSpy cambios(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_modificado);
    korgas::seleccionar(w->panel()->cmbecu, ecuacion);
    elegir(1);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btmod"));
    QCOMPARE(p_->mensajes.back().texto, tx(222));
    QCOMPARE(p_->leer("data"), antes);
    QCOMPARE(cambios.count(), 1);
    QCOMPARE(cambios.at(0).at(0).toInt(), 30);
    QVERIFY(pruebas::control<QComboBox>(w, "cmbgas")->isHidden());
    QVERIFY(pruebas::control<QPushButton>(w, "btsel")->isEnabled());
    QVERIFY(!pruebas::control<QPushButton>(w, "btmod")->isEnabled());
}

void TstFrmgases::modificar_lo_editado() {
    frmgases* w = abrir();
    korgas::seleccionar(w->panel()->cmbecu, 5);
    elegir(1);
    escribir(caja(w, "txtd"), "3.5e-7");
    escribir(caja(w, "textteb"), "185");
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btmod"));
    const std::string data = korgas::fichdatos;
    QCOMPARE(korgas::leervalor(data, "g30", "c(5,4)"), std::string("3.5E-07"));
    QCOMPARE(korgas::leervalor(data, "g30", "c(5,3)"), std::string("0.0041"));
    QCOMPARE(korgas::leervalor(data, "g30", "teb"), std::string("185"));
    QCOMPARE(korgas::leervalor(data, "g30", "tc"), std::string("305.3"));
    QCOMPARE(korgas::numgases, 32);
}

void TstFrmgases::valores_que_desbordan_data() {
    QTest::addColumn<int>("gas");
    QTest::addColumn<QByteArray>("original");  // a line of that gas
    QTest::addColumn<QByteArray>("linea");     // what the file holds instead
    QTest::addColumn<int>("ecuacion");         // the equation shown
    QTest::addColumn<QString>("cajas");        // what txta..txtd show then ("" hidden)
    const QByteArray c53 = "c(5,3)= 0.0041";
    const QByteArray virial = "c(5,3)= 1e999";
    // clang-format off
    QTest::newRow("virial, ideal shown") << 30 << c53 << virial << 0 << "";
    QTest::newRow("virial, van der Waals shown") << 30 << c53 << virial << 1 << "5.48900 0.06380";
    QTest::newRow("virial, virial shown") << 30 << c53 << virial << 5 << "----- ----- ----- -----";
    QTest::newRow("boiling point") << 30 << QByteArray("teb= 184.6") << QByteArray("teb= 1e999") << 5
                                   << "1.00000 -0.18580 0.004100 0.000000";
    // An automatic row: its -1 stays -1 and the overflowing value stays too.
    QTest::newRow("automatic van der Waals") << 29 << QByteArray("c(1,1)=-1")
                                             << QByteArray("c(1,1)= 1e999") << 1 << "----- -----";
    // clang-format on
}

// A value of the file that overflows a double: its equation's parameters
// show "-----" and are unusable, and a modify of something else writes every
// untouched value back as the file holds it, also after a key the box refused.
void TstFrmgases::valores_que_desbordan() {
    QFETCH(int, gas);
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, linea);
    QFETCH(int, ecuacion);
    QFETCH(QString, cajas);
    QByteArray datos = fichero(32);
    const qsizetype donde = datos.indexOf(original, datos.indexOf("[G" + QByteArray::number(gas)));
    datos.replace(donde, original.size(), linea);
    frmgases* w = abrir(QString(), datos);
    korgas::seleccionar(w->panel()->cmbecu, ecuacion);
    elegir(gas - 29);
    QStringList vistas;
    for (const char* n : {"txta", "txtb", "txtc", "txtd"})
        if (caja(w, n)->isVisibleTo(w)) vistas << caja(w, n)->Text();
    QCOMPARE(vistas.join(' '), cajas);
    if (linea.startsWith("teb")) QCOMPARE(caja(w, "textteb")->Text(), QString("-----"));
    if (cajas.startsWith("-----") && caja(w, "txta")->Enabled()) {
        textextend* a = caja(w, "txta");
        a->Txt()->end(false);
        QTest::keyClicks(a->Txt(), "x");
        QCOMPARE(a->Text(), QString("-----"));
    }

    const QByteArray pm = gas == 29 ? "pm= 44.1" : "pm= 30.07";
    escribir(caja(w, "textpm"), "31");
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btmod"));
    QCOMPARE(p_->mensajes.back().texto, tx(222));
    QByteArray esperado = datos;
    esperado.replace(esperado.indexOf(pm, esperado.indexOf("[G" + QByteArray::number(gas))),
                     pm.size(), "pm= 31");
    QCOMPARE(p_->leer("data"), esperado);
}

void TstFrmgases::borrar_30_de_32() {
    frmgases* w = abrir();
    QSignalSpy bajas(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_borrado);
    korgas::seleccionar(w->panel()->cmbecu, 6);
    elegir(1);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btdel"));

    // Only the deleted block, two headers and the count differ.
    QByteArray esperado = distribuido();
    esperado.replace("n= 28\r\n", "n= 31\r\n");
    esperado += "\r\n" + gas_usuario(29) + "\r\n" + gas_usuario(31, "[G30]") + "\r\n" +
                gas_usuario(32, "[G31]");
    QCOMPARE(p_->leer("data"), esperado);
    QCOMPARE(korgas::numgases, 31);
    QCOMPARE(bajas.count(), 1);
    QCOMPARE(bajas.at(0).at(0).toInt(), 30);
    // One message: no complaint about the exponent box being emptied.
    QCOMPARE(p_->mensajes.size(), std::size_t(1));
    QCOMPARE(p_->mensajes.back().texto, tx(220));

    // The editor is back to a new gas, its boxes empty and the required ones
    // yellow.
    QVERIFY(pruebas::control<QComboBox>(w, "cmbgas")->isHidden());
    QCOMPARE(w->panel()->cmbecu->currentIndex(), 0);
    for (const char* c : {"textgas", "textpm", "textpc", "texttc", "textvc", "txtmu"})
        QCOMPARE(caja(w, c)->Text(), QString());
    QCOMPARE(fondo(caja(w, "textpm")), kAmarillo);
    QCOMPARE(w->panel()->tabla()[6][3], 1.5);

    elegir(0);
    auto* lista = pruebas::control<QComboBox>(w, "cmbgas");
    QCOMPARE(lista->count(), 3);
    QCOMPARE(lista->itemText(1), QString("Tercero"));
    QCOMPARE(lista->itemText(2), QString::fromUtf8("Cuarto ñ"));

    // Deleting the last gas renames nothing.
    korgas::seleccionar(lista, 2);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btdel"));
    QByteArray sin_ultimo = esperado.left(esperado.indexOf("[G31]"));
    sin_ultimo.replace("n= 31\r\n", "n= 30\r\n");
    QCOMPARE(p_->leer("data"), sin_ultimo);
}

void TstFrmgases::entrada_sin_seccion_data() {
    QTest::addColumn<QString>("boton");
    QTest::newRow("modify") << "btmod";
    QTest::newRow("delete") << "btdel";
}

// A file whose count lists a gas without a section: the entry keeps its place
// in the list; chosen, it shows no other gas's data, and Modify and Delete
// change nothing but say why.
void TstFrmgases::entrada_sin_seccion() {
    QFETCH(QString, boton);
    QByteArray datos = fichero(32);
    datos.replace("n= 32\r\n", "n= 33\r\n");
    frmgases* w = abrir(QString(), datos);
    korgas::seleccionar(w->panel()->cmbecu, 1);
    elegir(1);
    QCOMPARE(caja(w, "txta")->Text(), QString("5.48900"));
    auto* lista = pruebas::control<QComboBox>(w, "cmbgas");
    QCOMPARE(lista->itemText(4), QString("G33"));
    korgas::seleccionar(lista, 4);
    QCOMPARE(p_->mensajes.back().texto, tx(221));
    for (const char* c :
         {"textgas", "textpm", "textpc", "texttc", "textvc", "textteb", "texthvap", "txta", "txtb"})
        QCOMPARE(caja(w, c)->Text(), QString());
    QVERIFY(!w->panel()->chkauto->isChecked());

    const std::size_t vistos = p_->mensajes.size();
    pruebas::pulsar(pruebas::control<QPushButton>(w, qPrintable(boton)));
    QCOMPARE(p_->mensajes.size(), vistos + 1);
    QCOMPARE(p_->mensajes.back().texto, tx(221));
    QCOMPARE(p_->leer("data"), datos);
    QCOMPARE(korgas::numgases, 33);
    // Another entry is still there to be chosen.
    korgas::seleccionar(lista, 0);
    QCOMPARE(caja(w, "textgas")->Text(), QString("Propano propio"));
}

void TstFrmgases::fallos_de_escritura_data() {
    QTest::addColumn<QString>("operacion");
    QTest::addColumn<int>("paso");  // the step of the rewrite that fails; 0 read-only, -1 locked
    for (const char* op : {"add", "modify", "delete"}) {
        for (int paso = 1; paso <= 4; ++paso)
            QTest::addRow("%s step %d", op, paso) << QString(op) << paso;
        QTest::addRow("%s read-only file", op) << QString(op) << 0;
        QTest::addRow("%s file locked by another program", op) << QString(op) << -1;
    }
}

// A write that fails at any step, on a file that may not be written, or
// while another program holds the file, leaves the file byte for byte as it
// was, the count as it was, no temporary file, and says what failed: the
// operation's failure first, then the cause.
void TstFrmgases::fallos_de_escritura() {
    QFETCH(QString, operacion);
    QFETCH(int, paso);
    frmgases* w = abrir();
    const QByteArray antes = p_->leer("data");
    QSignalSpy altas(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_anadido);
    QSignalSpy cambios(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_modificado);
    QSignalSpy bajas(korgas::AvisoGases::instancia(), &korgas::AvisoGases::gas_borrado);
    int texto = 0;
    const char* boton = nullptr;
    if (operacion == "add") {
        caja(w, "textgas")->Text("Nuevo");
        escribir(caja(w, "textpm"), "10");
        escribir(caja(w, "textpc"), "20");
        escribir(caja(w, "texttc"), "300");
        texto = 225;
        boton = "btadd";
    } else {
        elegir(1);
        escribir(caja(w, "textteb"), "190");  // a modify that changes nothing writes nothing
        texto = operacion == "modify" ? 223 : 267;
        boton = operacion == "modify" ? "btmod" : "btdel";
    }
    const QString ruta = p_->carpeta() + "/data";
    const QStringList en_carpeta = ficheros(p_->carpeta());
    int cerrojo = -1;
    if (paso == 0) {
        QFile::setPermissions(ruta, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    } else if (paso == -1) {
        // Another program's rewrite holds the lock beside the file.
        cerrojo = ::open(qPrintable(p_->carpeta() + "/.data.lock"), O_RDWR | O_CREAT, 0666);
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 2;
        QVERIFY(cerrojo >= 0 && ::fcntl(cerrojo, F_OFD_SETLK, &fl) == 0);
        korgas::prueba::plazo_cerrojo(std::chrono::milliseconds(200));
    } else {
        korgas::prueba::fallo_escritura([paso](int p) { return p == paso; });
    }
    pruebas::pulsar(pruebas::control<QPushButton>(w, boton));
    korgas::prueba::fallo_escritura({});
    korgas::prueba::plazo_cerrojo(std::chrono::milliseconds(5000));
    if (cerrojo >= 0) ::close(cerrojo);
    QFile::setPermissions(
        ruta, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    QCOMPARE(p_->leer("data"), antes);
    QCOMPARE(korgas::numgases, 32);
    QCOMPARE(ficheros(p_->carpeta()), en_carpeta);
    const QString visto = p_->mensajes.back().texto;
    const QString lead = tx(texto) + "\r\r";
    QVERIFY2(visto.startsWith(lead) && visto.size() > lead.size(), qPrintable(visto));
    // The cause in the user's language, after the file's name.
    if (paso > 0) {
        const int causa = paso == 1 ? 255 : paso == 4 ? 257 : 256;
        QVERIFY2(visto.endsWith(p_->ruta("data") + ": " + tx(causa)), qPrintable(visto));
    }
    QCOMPARE(altas.count() + cambios.count() + bajas.count(), 0);
}

void TstFrmgases::automaticos_a_mano_data() {
    QTest::addColumn<int>("ecuacion");
    QTest::addColumn<QStringList>("cajas");     // txta..txtd as shown
    QTest::addColumn<QStringList>("mensajes");  // text numbers of the notices
    // tc 304.2 K, pc 72.9 atm, 300 K; the acentric factor 0.225 typed, the
    // exponent 1.5. Worked out by hand from the formulas.
    // clang-format off
    QTest::newRow("van der Waals")    << 1 << QStringList{"3.60610", "0.04280"} << QStringList{};
    QTest::newRow("Berthelot")        << 2 << QStringList{"1096.97547", "0.04280"} << QStringList{};
    QTest::newRow("Dieterici")        << 3 << QStringList{"4.62727", "0.04634"} << QStringList{};
    QTest::newRow("Redlich-Kwong")    << 4 << QStringList{"63.73083", "0.02967"} << QStringList{};
    QTest::newRow("virial")           << 5 << QStringList{"1.00000", "-0.10368", "0.001832", "0.000078"}
                                      << QStringList{"87", "88", "89", "199"};
    QTest::newRow("generalised")      << 6 << QStringList{"6.94513", "0.01427"} << QStringList{};
    QTest::newRow("Soave")            << 7 << QStringList{"3.69591", "0.02967", "0.225000"}
                                      << QStringList{"199"};
    QTest::newRow("Peng-Robinson")    << 8 << QStringList{"3.94682", "0.02664", "0.225000"}
                                      << QStringList{"199"};
    QTest::newRow("Dieterici-Sadus")  << 9 << QStringList{"6.92743", "0.13226"} << QStringList{};
    // clang-format on
}

void TstFrmgases::automaticos_a_mano() {
    QFETCH(int, ecuacion);
    QFETCH(QStringList, cajas);
    QFETCH(QStringList, mensajes);
    frmgases* w = abrir();
    escribir(caja(w, "texttc"), "304.2");
    escribir(caja(w, "textpc"), "72.9");
    korgas::seleccionar(w->panel()->cmbecu, ecuacion);
    if (ecuacion == 7 || ecuacion == 8) escribir(caja(w, "txtc"), "0.225");
    w->panel()->chkauto->click();

    QStringList vistos;
    for (const Mensaje& m : p_->mensajes) vistos << m.texto;
    QStringList textos;
    for (const QString& n : mensajes) textos << tx(n.toInt());
    QCOMPARE(vistos, textos.isEmpty() ? QStringList{} : QStringList{textos.join(QChar(13))});
    const char* nombres[4] = {"txta", "txtb", "txtc", "txtd"};
    for (int i = 0; i < cajas.size(); ++i) {
        QCOMPARE(caja(w, nombres[i])->Text(), cajas[i]);
        QCOMPARE(caja(w, nombres[i])->Enabled(), (ecuacion == 7 || ecuacion == 8) && i == 2);
    }
    QVERIFY(caja(w, "txtmu")->Enabled());
    // The preview follows the critical data at every keystroke.
    if (ecuacion == 1) {
        escribir(caja(w, "textpc"), "73");
        QCOMPARE(caja(w, "txta")->Text(), QString("3.60116"));
    }
    // Leaving the equation stores the markers, not the preview.
    korgas::seleccionar(w->panel()->cmbecu, ecuacion == 1 ? 2 : 1);
    const auto& fila = w->panel()->tabla()[ecuacion];
    QCOMPARE(fila[0], 1.0);
    QCOMPARE(fila[1], -1.0);
    QCOMPARE(fila[2], -1.0);
    if (ecuacion == 7 || ecuacion == 8) QCOMPARE(fila[3], 0.225);
    if (ecuacion == 5) QCOMPARE(fila[4], -1.0);
}

void TstFrmgases::factor_acentrico_tecleado_data() {
    QTest::addColumn<int>("ecuacion");
    QTest::addColumn<bool>("marcar_antes");  // the automatic box ticked before typing
    QTest::addColumn<QString>("teclas");     // "=" first: over the whole box; else at its end
    QTest::addColumn<QString>("visto");      // txtc afterwards
    QTest::addColumn<QString>("a");          // the preview of a ("" not checked)
    QTest::addColumn<QByteArray>("linea");   // what the file gets
    // tc 304.2 K, pc 72.9 atm; the previews of the automatic parameters at 0.225.
    // clang-format off
    QTest::newRow("Peng-Robinson, ticked first") << 8 << true << "=0.225" << "0.225" << "3.94682"
                                                 << QByteArray("c(8,3)= 0.225");
    QTest::newRow("Soave, ticked first")  << 7 << true << "=0.225" << "0.225" << "3.69591"
                                          << QByteArray("c(7,3)= 0.225");
    QTest::newRow("Soave, a digit added") << 7 << true << "5" << "1.0000005" << ""
                                          << QByteArray("c(7,3)= 1.0000005");
    QTest::newRow("Peng-Robinson, typed first") << 8 << false << "=0.225" << "0.225000" << "3.94682"
                                                << QByteArray("c(8,3)= 0.225");
    // clang-format on
}

// The acentric factor is typed in either order: the automatic parameters
// follow it key by key, the box keeps what the user types, and the file
// gets what the box shows.
void TstFrmgases::factor_acentrico_tecleado() {
    QFETCH(int, ecuacion);
    QFETCH(bool, marcar_antes);
    QFETCH(QString, teclas);
    QFETCH(QString, visto);
    QFETCH(QString, a);
    QFETCH(QByteArray, linea);
    frmgases* w = abrir();
    caja(w, "textgas")->Text("Omega");
    escribir(caja(w, "textpm"), "30");
    escribir(caja(w, "texttc"), "304.2");
    escribir(caja(w, "textpc"), "72.9");
    korgas::seleccionar(w->panel()->cmbecu, ecuacion);
    if (marcar_antes) w->panel()->chkauto->click();
    textextend* c = caja(w, "txtc");
    if (teclas.startsWith('=')) {
        escribir(c, teclas.mid(1));
    } else {
        c->Txt()->end(false);
        QTest::keyClicks(c->Txt(), teclas);
    }
    if (!marcar_antes) w->panel()->chkauto->click();
    QCOMPARE(c->Text(), visto);
    if (!a.isEmpty()) QCOMPARE(caja(w, "txta")->Text(), a);
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
    QCOMPARE(p_->mensajes.back().texto, tx(224));
    const QByteArray datos = p_->leer("data");
    const QByteArray seccion = datos.mid(datos.indexOf("[G33]"));
    QVERIFY2(seccion.contains(linea + "\r\n"), seccion.constData());
}

// The editor accepts an exponent of exactly 1, where the generalised
// equation has no a and b: the preview shows no numbers for them, and the gas
// is saved with the exponent as typed.
void TstFrmgases::exponente_1_sin_numeros() {
    frmgases* w = abrir();
    caja(w, "textgas")->Text("Uno");
    escribir(caja(w, "textpm"), "10");
    escribir(caja(w, "texttc"), "304.2");
    escribir(caja(w, "textpc"), "72.9");
    korgas::seleccionar(w->panel()->cmbecu, 6);
    w->panel()->chkauto->click();
    escribir(caja(w, "txtmu"), "2");
    QCOMPARE(caja(w, "txta")->Text(), QString("3.60610"));  // van der Waals at 2
    escribir(caja(w, "txtmu"), "1");
    QCOMPARE(caja(w, "txtmu")->Text(), QString("1"));
    QCOMPARE(caja(w, "txta")->Text(), QString());
    QCOMPARE(caja(w, "txtb")->Text(), QString());
    QVERIFY(p_->mensajes.empty());
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
    QCOMPARE(p_->mensajes.back().texto, tx(224));
    QCOMPARE(korgas::leervalor(korgas::fichdatos, "g33", "c(6,3)"), std::string("1"));
    // Below 1 it is refused at the first character, the exponent restored.
    escribir(caja(w, "txtmu"), "0");
    QCOMPARE(p_->mensajes.back().texto, tx(93));
    QCOMPARE(p_->mensajes.back().estilo, 0);
    QCOMPARE(caja(w, "txtmu")->Text(), QString("1"));
    escribir(caja(w, "txtmu"), "2.5");
    QCOMPARE(w->registro().mu, 2.5);
}

void TstFrmgases::rotulos_por_ecuacion_data() {
    QTest::addColumn<int>("ecuacion");
    QTest::addColumn<QString>("vista");
    // Each parameter box: its caption and its unit ("-" a hidden box, "·" a
    // box without a unit label), then whether the exponent box shows.
    const QString a = QStringLiteral("l \u00B2 atm / mol \u00B2");
    QTest::newRow("ideal") << 0 << "- - - - mu:0";
    QTest::newRow("van der Waals") << 1 << "a:|" + a + " b:|l / mol - - mu:0";
    QTest::newRow("Berthelot") << 2 << "a:|" + a + " K b:|l / mol - - mu:0";
    QTest::newRow("Redlich-Kwong") << 4 << "a:|" + a + " K \u00BD b:|l / mol - - mu:0";
    QTest::newRow("virial") << 5
                            << "A(T):| B(T):|l / mol C(T):|l \u00B2 / mol \u00B2 "
                               "D(T):|l \u00B3 / mol \u00B3 mu:0";
    QTest::newRow("generalised") << 6 << "a:| b:| - - mu:1";
    QTest::newRow("Soave") << 7 << "a(T):|" + a + " b:|l / mol w:\u00B7 - mu:0";
    QTest::newRow("Peng-Robinson") << 8 << "a(T):|" + a + " b:|l / mol w:\u00B7 - mu:0";
    QTest::newRow("Dieterici-Sadus") << 9 << "a:|" + a + " b:|l / mol - - mu:0";
}

void TstFrmgases::rotulos_por_ecuacion() {
    QFETCH(int, ecuacion);
    QFETCH(QString, vista);
    frmgases* w = abrir();
    korgas::PanelGases* panel = w->panel();
    korgas::seleccionar(panel->cmbecu, ecuacion);
    QStringList partes;
    for (int i = 0; i < 4; ++i) {
        if (!panel->txt[i]->isVisibleTo(panel)) {
            partes << QStringLiteral("-");
            continue;
        }
        partes << panel->lb[i]->text() + (panel->lbunit[i]->isVisibleTo(panel)
                                              ? "|" + panel->lbunit[i]->text()
                                              : QStringLiteral("\u00B7"));
    }
    partes << QStringLiteral("mu:%1").arg(panel->txtmu->isVisibleTo(panel) ? 1 : 0);
    QCOMPARE(partes.join(' '), vista);
}

void TstFrmgases::cajas_requeridas() {
    frmgases* w = abrir();
    textextend* pc = caja(w, "textpc");
    // 0 cannot stay: the box empties and stays yellow.
    escribir(pc, "0");
    QCOMPARE(pc->Text(), QString());
    QCOMPARE(fondo(pc), kAmarillo);
    QTest::keyClicks(pc->Txt(), "-");
    QCOMPARE(pc->Text(), QString());
    escribir(pc, "72.9");
    QCOMPARE(fondo(pc), kBlanco);
    // Leaving an emptied box: the box's "0" is emptied again.
    pc->Text(QString());
    QFocusEvent salida(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(pc->Txt(), &salida);
    QCOMPARE(pc->Text(), QString());
    QCOMPARE(fondo(pc), kAmarillo);
    // The molar mass takes no sign.
    QTest::keyClicks(caja(w, "textpm")->Txt(), "-");
    QCOMPARE(caja(w, "textpm")->Text(), QString());
    // A name of blanks is no name.
    textextend* gas = caja(w, "textgas");
    gas->Text("  ");
    QCOMPARE(fondo(gas), kAmarillo);
    gas->Text("N");
    QCOMPARE(fondo(gas), kBlanco);
    // Optional boxes have no colour rule.
    escribir(caja(w, "textvc"), "0");
    QCOMPARE(caja(w, "textvc")->Text(), QString("0"));
    QCOMPARE(fondo(caja(w, "textvc")), kBlanco);
}

void TstFrmgases::validacion() {
    struct Caso {
        const char *nombre, *pm, *pc, *tc;
        int texto;
        const char* foco;
    };
    const Caso casos[] = {
        {"", "", "", "", 200, "textgas"},      {"   ", "10", "20", "300", 200, "textgas"},
        {"X", "", "20", "300", 201, "textpm"}, {"X", "10", "", "300", 202, "textpc"},
        {"X", "10", "20", "", 203, "texttc"},
    };
    for (const Caso& c : casos) {
        frmgases* w = abrir();
        QApplication::setActiveWindow(w->window());
        const QByteArray antes = p_->leer("data");
        caja(w, "textgas")->Text(c.nombre);
        caja(w, "textpm")->Text(c.pm);
        caja(w, "textpc")->Text(c.pc);
        caja(w, "texttc")->Text(c.tc);
        pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
        QCOMPARE(p_->mensajes.size(), std::size_t(1));
        QCOMPARE(p_->mensajes.back().texto, tx(c.texto));
        QCOMPARE(QApplication::focusWidget(), caja(w, c.foco)->Txt());
        QCOMPARE(p_->leer("data"), antes);
        QCOMPARE(korgas::numgases, 32);
        cleanup();
    }
}

void TstFrmgases::nombres_windows_1252() {
    frmgases* w = abrir();
    const QByteArray antes = p_->leer("data");
    escribir(caja(w, "textpm"), "44");
    escribir(caja(w, "textpc"), "72.9");
    escribir(caja(w, "texttc"), "304.2");
    // A character Windows-1252 cannot hold: refused, nothing written.
    caja(w, "textgas")->Text(QString::fromUtf8("CO₂"));
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
    QCOMPARE(p_->mensajes.back().texto, tx(231));
    QCOMPARE(p_->leer("data"), antes);
    // Control characters of a paste are dropped, the blanks at the ends too.
    caja(w, "textgas")->Text(QString::fromUtf8(" Año\tÓ\n "));
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
    QCOMPARE(p_->mensajes.back().texto, tx(224));
    QVERIFY(p_->leer("data").contains("[G33]\r\nnombre=A\xF1o\xD3\r\n"));
    QCOMPARE(caja(w, "textgas")->Text(), QString::fromUtf8("AñoÓ"));
    elegir(4);
    QCOMPARE(caja(w, "textgas")->Text(), QString::fromUtf8("AñoÓ"));
}

// Under a desktop with a decimal comma the file still gets ".".
void TstFrmgases::coma_decimal() {
    const std::string antes = std::setlocale(LC_ALL, nullptr);
    const QLocale local;
    QVERIFY2(korgas_pruebas::poner_locale_coma(LC_ALL), "the build makes this locale");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmgases* w = abrir();
    caja(w, "textgas")->Text("Coma");
    escribir(caja(w, "textpm"), "30.01");
    escribir(caja(w, "textpc"), "64.5");
    escribir(caja(w, "texttc"), "180.25");
    pruebas::pulsar(pruebas::control<QPushButton>(w, "btadd"));
    const QByteArray datos = p_->leer("data");
    std::setlocale(LC_ALL, antes.c_str());
    QLocale::setDefault(local);
    QVERIFY(datos.contains("pm= 30.01\r\ntc= 180.25\r\npc= 64.5\r\n"));
    QVERIFY(datos.contains("n= 33\r\n"));
}

// Typed parameters stay when the critical data change afterwards, and each
// equation keeps its own row.
void TstFrmgases::parametros_escritos_se_quedan() {
    frmgases* w = abrir();
    korgas::seleccionar(w->panel()->cmbecu, 1);
    escribir(caja(w, "txta"), "3.5");
    escribir(caja(w, "textpc"), "7");
    QCOMPARE(caja(w, "txta")->Text(), QString("3.5"));
    korgas::seleccionar(w->panel()->cmbecu, 2);
    QCOMPARE(caja(w, "txta")->Text(), QString("0.00000"));
    korgas::seleccionar(w->panel()->cmbecu, 1);
    QCOMPARE(caja(w, "txta")->Text(), QString("3.50000"));
    // Ticking automatic without both critical values: refused.
    w->panel()->chkauto->click();
    QCOMPARE(p_->mensajes.back().texto, tx(198));
    QCOMPARE(p_->mensajes.back().estilo, 48);
    QVERIFY(!w->panel()->chkauto->isChecked());
    QVERIFY(caja(w, "txta")->Enabled());
}

void TstFrmgases::tabla_nueva_en_cada_apertura() {
    frmgases* w = abrir();
    korgas::seleccionar(w->panel()->cmbecu, 1);
    escribir(caja(w, "txta"), "3.5");
    korgas::seleccionar(w->panel()->cmbecu, 0);
    Ventanas::descargar(QStringLiteral("frmgases"));
    entrada(QStringLiteral("mnugases"))->trigger();
    w = Ventanas::buscar<frmgases>(QStringLiteral("frmgases"));
    QVERIFY(w);
    QCOMPARE(w->panel()->tabla()[1][1], 0.0);
    korgas::seleccionar(w->panel()->cmbecu, 1);
    QCOMPARE(caja(w, "txta")->Text(), QString("0.00000"));
}

// The editor never touches the working record of the calculation windows.
void TstFrmgases::registro_propio() {
    p_ = std::make_unique<ProgramaPrueba>(QString(), fichero(32));
    QVERIFY(p_->arrancar_hasta_principal());
    korgas::sistemas[0].numgas = 21;
    korgas::sistemas[0].ecuacion = 4;
    korgas::sistemas[0].gas.pm = 44.01;
    korgas::sistemas[0].gas.tc = 304.2;
    korgas::sistemas[0].temperatura = 250;
    const korgas::sistema antes = korgas::sistemas[0];
    entrada(QStringLiteral("mnugases"))->trigger();
    w_ = Ventanas::buscar<frmgases>(QStringLiteral("frmgases"));
    korgas::seleccionar(w_->panel()->cmbecu, 5);
    elegir(0);
    escribir(caja(w_, "textpc"), "50");
    const korgas::sistema& ahora = korgas::sistemas[0];
    QCOMPARE(ahora.numgas, antes.numgas);
    QCOMPARE(ahora.ecuacion, antes.ecuacion);
    QCOMPARE(ahora.gas.pm, antes.gas.pm);
    QCOMPARE(ahora.gas.tc, antes.gas.tc);
    QCOMPARE(ahora.temperatura, antes.temperatura);
}

// After an add the open gas lists gain the gas; after a delete the system
// records follow their gases (one on the deleted gas goes to gas 1, and the
// user is told) and the open lists are rebuilt and keep their gas.
void TstFrmgases::borrado_seguido_por_las_ventanas() {
    p_ = std::make_unique<ProgramaPrueba>(QString(), fichero(32));
    QVERIFY(p_->arrancar_hasta_principal());
    korgas::sistemas[2].numgas = 30;
    korgas::sistemas[2].personalizado = true;
    korgas::sistemas[3].numgas = 32;
    korgas::sistemas[4].numgas = 12;

    // A calculation window showing gas 31.
    entrada(QStringLiteral("mnup"))->trigger();
    QWidget* calculo = Ventanas::buscar(QStringLiteral("frmcalculos"));
    QVERIFY(calculo);
    auto* gases_calculo = pruebas::control<QComboBox>(calculo, "cmbgas");
    korgas::seleccionar(gases_calculo, 30);
    QCOMPARE(gases_calculo->currentText(), QString("Tercero"));

    entrada(QStringLiteral("mnugases"))->trigger();
    w_ = Ventanas::buscar<frmgases>(QStringLiteral("frmgases"));
    caja(w_, "textgas")->Text("Quinto");
    escribir(caja(w_, "textpm"), "10");
    escribir(caja(w_, "textpc"), "20");
    escribir(caja(w_, "texttc"), "300");
    pruebas::pulsar(pruebas::control<QPushButton>(w_, "btadd"));
    QCOMPARE(gases_calculo->count(), 33);
    QCOMPARE(gases_calculo->itemText(32), QString("Quinto"));
    QCOMPARE(gases_calculo->currentText(), QString("Tercero"));

    elegir(1);
    pruebas::pulsar(pruebas::control<QPushButton>(w_, "btdel"));
    QCOMPARE(korgas::sistemas[2].numgas, 1);
    QVERIFY(!korgas::sistemas[2].personalizado);
    QCOMPARE(korgas::sistemas[3].numgas, 31);
    QCOMPARE(korgas::sistemas[4].numgas, 12);
    QCOMPARE(p_->mensajes.back().texto, tx(220) + "\r\r" + tx(232) + "\r" + "Helio");
    QCOMPARE(gases_calculo->count(), 32);
    QCOMPARE(gases_calculo->currentText(), QString("Tercero"));
    QCOMPARE(gases_calculo->currentIndex(), 29);

    // The data window's lists likewise: each keeps the gas it showed.
    entrada(QStringLiteral("mnudato"))->trigger();
    QWidget* datos = Ventanas::buscar(QStringLiteral("frmdatos"));
    QVERIFY(datos);
    const auto listas = datos->findChildren<QComboBox*>(QRegularExpression("^cmbgas"));
    QVERIFY(!listas.isEmpty());
    korgas::seleccionar(listas.front(), 31);  // the last gas, "Quinto" as 32
    QStringList antes;
    for (auto* l : listas) antes << l->currentText();
    elegir(0);
    pruebas::pulsar(pruebas::control<QPushButton>(w_, "btdel"));
    QCOMPARE(korgas::numgases, 31);
    for (int i = 0; i < listas.size(); ++i) {
        QCOMPARE(listas[i]->count(), 31);
        QCOMPARE(listas[i]->currentText(), antes[i]);
    }
    QCOMPARE(gases_calculo->currentText(), QString("Tercero"));
}

QTEST_MAIN(TstFrmgases)
#include "tst_frmgases.moc"
