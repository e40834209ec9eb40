// The two reference tables opened from the main window: the gas-properties
// table on a small data file worked out by hand (figures, "not given",
// a missing gas section) and on the shipped file (column widths, nothing cut
// off), a table left open against one opened again after a gas was added,
// and the constants table.
#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPointer>

#include "platform/rejilla.h"
#include "platform/texto_qt.h"
#include "platform/ventanas.h"
#include "programa_prueba.h"
#include "shell/registro.h"

using namespace pruebas;
using korgas::entrada;
using korgas::Rejilla;
using korgas::Ventanas;

namespace {

// The alignment the grid gives body cell (table row f, column c).
Qt::Alignment alineacion(const Rejilla* r, int f, int c) {
    return Qt::Alignment(r->model()->index(f, c).data(Qt::TextAlignmentRole).toInt());
}

// A gas section as the gas editor writes it (Windows-1252, CR LF); the van
// der Waals parameters the table's load reads are derived (-1).
QByteArray seccion(int n, const QByteArray& nombre, const char* pm, const char* tc, const char* pc,
                   const char* vc, const char* teb, const char* hv) {
    return "\r\n[g" + QByteArray::number(n) + "]\r\nnombre=" + nombre + "\r\npm=" + pm +
           "\r\ntc=" + tc + "\r\npc=" + pc + "\r\nvc=" + vc + "\r\nteb=" + teb + "\r\nhv=" + hv +
           "\r\nc(1,1)=-1\r\nc(1,2)=-1\r\n";
}

// Five gas numbers: a full record, one without critical volume, boiling point
// or enthalpy, one with a critical temperature of -1 and a negative boiling
// point other than -1, a number without a section, and a last gas.
QByteArray datos_prueba() {
    return "[general]\r\nn= 5\r\n" +
           seccion(1, "Nitr\xf3geno", " 28.0134", " 126.2", " 33.5", " 0.0901", " 77.4", " 1.333") +
           seccion(2, "Sin volumen", " 44.01", " 304.13", " 72.8", "-1", "-1", "-1") +
           seccion(3, "Sin temperatura", "-1", "-1", " 10", " 0.05", "-2.5", " 0.5") +
           seccion(5, "\xdaltimo", " 4", " 5.2", " 2.25", " 0.0575", " 4.2", " 0.019");
}

QStringList fila(const Rejilla* r, int f) {
    QStringList s;
    for (int c = 0; c < r->columnas(); ++c) s << r->texto(f, c);
    return s;
}

Rejilla* abrir(const char* entrada_menu, const char* ventana, const char* rejilla) {
    entrada(QLatin1String(entrada_menu))->trigger();
    QWidget* w = Ventanas::buscar(QLatin1String(ventana));
    if (!w || !w->isVisible()) return nullptr;
    return control<Rejilla>(w, QLatin1String(rejilla));
}

// Whether every text of the grid, header included, fits its column.
void sin_cortes(const Rejilla* r) {
    const QFontMetrics cuerpo(r->font());
    const QFontMetrics cabecera(r->horizontalHeader()->font());
    for (int c = 0; c < r->columnas(); ++c) {
        for (int f = 0; f < r->filas(); ++f) {
            const bool es_cabecera = f < r->filas_fijas();
            const int ancho = (es_cabecera ? cabecera : cuerpo).horizontalAdvance(r->texto(f, c));
            QVERIFY2(ancho + 4 <= r->columnWidth(c),
                     qPrintable(QString("%1 in column %2").arg(r->texto(f, c)).arg(c)));
        }
    }
    // And every column shows without scrolling sideways.
    QVERIFY(r->horizontalHeader()->length() <= r->viewport()->width());
}

}  // namespace

class TstTablas : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();
    void filas_de_gases();
    void gas_table_en_el_fichero_de_origen();
    void abierta_no_sigue_a_un_gas_nuevo();
    void fichero_ilegible();
    void constantes();

  private:
    std::unique_ptr<ProgramaPrueba> prog_;
};

void TstTablas::initTestCase() {
    korgas::registrar_shell();
}

void TstTablas::cleanup() {
    prog_.reset();
}

void TstTablas::filas_de_gases() {
    prog_ = std::make_unique<ProgramaPrueba>(QString(), datos_prueba());
    QVERIFY(prog_->arrancar_hasta_principal());
    QVERIFY(entrada("mnucrit")->isEnabled());
    Rejilla* r = abrir("mnucrit", "frmtabla", "gridcrit");
    QVERIFY(r);
    QCOMPARE(Ventanas::buscar("frmtabla")->windowTitle(), korgas::tx(35));

    QCOMPARE(r->filas(), 6);
    QCOMPARE(r->filas_fijas(), 1);
    QCOMPARE(r->columnas_fijas(), 1);
    QCOMPARE(fila(r, 0), QStringList({"GAS", "Tc (K)", "Pc (atm)", "Vc (l/mol)", "Zc", "Teb (K)",
                                      "Hv (Kcal/mol)", "M (g/mol)"}));
    // Zc = 33.5 * 0.0901 / (0.08206 * 126.2) = 3.01835 / 10.355972 = 0.29146
    QCOMPARE(fila(r, 1), QStringList({QString::fromUtf8("Nitrógeno"), "126.2", "33.50", "0.0901",
                                      "0.291", "77.4", "1.333", "28.013"}));
    // Not given (-1): dashes in Vc, Zc (no volume, no Zc), Teb and Hv.
    QCOMPARE(fila(r, 2), QStringList({"Sin volumen", "304.1", "72.80", "-----", "-----", "-----",
                                      "-----", "44.010"}));
    // -1 in Tc and M is a number like any other; so is a negative boiling
    // point other than -1. Without a critical temperature there is no Zc.
    QCOMPARE(fila(r, 3), QStringList({"Sin temperatura", "-1.0", "10.00", "0.0500", "-----", "-2.5",
                                      "0.500", "-1.000"}));
    // A gas number without its section: reported once, its row empty.
    QCOMPARE(fila(r, 4),
             QStringList({"", "-----", "-----", "-----", "-----", "-----", "-----", "-----"}));
    QCOMPARE(prog_->mensajes.size(), std::size_t(1));
    QCOMPARE(prog_->mensajes[0].texto, korgas::tx(221));
    QCOMPARE(prog_->mensajes[0].estilo, 48);
    QCOMPARE(fila(r, 5), QStringList({QString::fromUtf8("Último"), "5.2", "2.25", "0.0575", "0.303",
                                      "4.2", "0.019", "4.000"}));

    // Names centred, figures to the right.
    const Qt::Alignment derecha = Qt::AlignRight | Qt::AlignVCenter;
    QCOMPARE(alineacion(r, 0, 0), Qt::Alignment(Qt::AlignCenter));
    for (int c = 1; c < 8; ++c) QCOMPARE(alineacion(r, 0, c), derecha);

    // Asking again only brings it forward.
    QPointer<QWidget> w = Ventanas::buscar("frmtabla");
    entrada("boton_13")->trigger();
    QCOMPARE(Ventanas::buscar("frmtabla"), w.data());
    QCOMPARE(prog_->mensajes.size(), std::size_t(1));
}

void TstTablas::gas_table_en_el_fichero_de_origen() {
    prog_ = std::make_unique<ProgramaPrueba>();
    QVERIFY(prog_->arrancar_hasta_principal());
    Rejilla* r = abrir("boton_13", "frmtabla", "gridcrit");
    QVERIFY(r);
    QCOMPARE(r->filas(), 29);
    QCOMPARE(r->texto(1, 0), QStringLiteral("Helio"));
    QCOMPARE(r->texto(28, 0), QStringLiteral("Tolueno"));
    // Carbon dioxide: the file gives no boiling point nor enthalpy.
    QCOMPARE(r->texto(21, 5), QStringLiteral("-----"));
    QCOMPARE(r->texto(21, 6), QStringLiteral("-----"));
    QVERIFY(prog_->mensajes.empty());

    // Every column at least its design width; the figures fit in it, the
    // long names widen theirs.
    for (int c = 0; c < 8; ++c) QVERIFY(r->ancho(c) >= 1141);
    for (int c : {1, 2, 3, 4, 7}) QCOMPARE(r->ancho(c), 1141);
    QVERIFY(r->ancho(0) > 1141);
    sin_cortes(r);
    // Never the text of a number that is not one.
    for (int f = 1; f < r->filas(); ++f)
        for (int c = 1; c < 8; ++c)
            QVERIFY(!r->texto(f, c).contains("nan", Qt::CaseInsensitive) &&
                    !r->texto(f, c).contains("inf", Qt::CaseInsensitive));
}

void TstTablas::abierta_no_sigue_a_un_gas_nuevo() {
    prog_ = std::make_unique<ProgramaPrueba>(QString(), datos_prueba());
    QVERIFY(prog_->arrancar_hasta_principal());
    Rejilla* r = abrir("mnucrit", "frmtabla", "gridcrit");
    QVERIFY(r);

    // A sixth gas is written, as the gas editor does.
    QByteArray datos = datos_prueba().replace("n= 5", "n= 6");
    datos += seccion(6, "Nuevo", " 30", " 400", " 50", " 0.1", " 300", " 5");
    prog_->escribir("data", datos);
    korgas::numgases = 6;

    QCOMPARE(r->filas(), 6);  // the open table stays as it was
    QCOMPARE(r->texto(5, 0), QString::fromUtf8("Último"));

    Ventanas::descargar("frmtabla");
    r = abrir("mnucrit", "frmtabla", "gridcrit");
    QVERIFY(r);
    QCOMPARE(r->filas(), 7);
    QCOMPARE(fila(r, 6), QStringList({"Nuevo", "400.0", "50.00", "0.1000", "0.152", "300.0",
                                      "5.000", "30.000"}));
}

void TstTablas::fichero_ilegible() {
    prog_ = std::make_unique<ProgramaPrueba>();
    QVERIFY(prog_->arrancar_hasta_principal());
    // The data file turns into something that cannot be read as a file.
    QVERIFY(QFile::remove(prog_->ruta("data")));
    QVERIFY(QDir(prog_->carpeta()).mkdir("data"));
    Rejilla* r = abrir("mnucrit", "frmtabla", "gridcrit");
    QVERIFY(r);
    QCOMPARE(prog_->mensajes.size(), std::size_t(1));
    QCOMPARE(prog_->mensajes[0].estilo, 16);
    QVERIFY(prog_->mensajes[0].texto.contains(prog_->ruta("data")));
    QCOMPARE(r->filas(), 29);
    QCOMPARE(r->texto(1, 0), QString());
    QCOMPARE(r->texto(28, 7), QString());
}

void TstTablas::constantes() {
    prog_ = std::make_unique<ProgramaPrueba>(QStringLiteral("English"));
    QVERIFY(prog_->arrancar_hasta_principal());
    QVERIFY(entrada("mnutermo")->isEnabled());
    Rejilla* r = abrir("boton_12", "frmtablaay", "gridtermo");
    QVERIFY(r);
    QCOMPARE(Ventanas::buscar("frmtablaay")->windowTitle(), korgas::sin_acceso(korgas::tx(23)));
    QCOMPARE(r->filas(), 10);
    QCOMPARE(r->columnas(), 4);
    // No header row: Avogadro's constant is row 0 and scrolls with the rest.
    QCOMPARE(r->filas_fijas(), 0);
    QVERIFY(r->horizontalHeader()->isHidden());
    QCOMPARE(fila(r, 0), QStringList({"Avogadro constant", "6.02214 10^23 part/mol", "", ""}));
    QCOMPARE(fila(r, 1), QStringList({"Boltzmann constant", "1.38066 10^-23 J / K",
                                      "1.38066 10^-16 erg / K", "8.61739 10^-5 eV / K"}));
    QCOMPARE(fila(r, 2), QStringList({"Gas constant", "0.0820578 atm l / K mol",
                                      "8.31441 J / K mol", "1.98721 cal / K mol"}));
    QCOMPARE(fila(r, 3), QStringList({"Gas constant", "0.0831451 bar l / K mol",
                                      "62.3640 mmHg l / K mol", ""}));
    QCOMPARE(fila(r, 5),
             QStringList({"Standard atmosphere", "1.01325 bar", "760 mmHg", "101325 Pa"}));
    for (int f = 4; f < 10; ++f) QCOMPARE(r->texto(f, 0), korgas::tx(103 + f - 4));
    QCOMPARE(r->texto(9, 1), QStringLiteral("1.672623 10^-27 Kg"));
    for (int c = 0; c < 4; ++c) QVERIFY(r->ancho(c) >= 2281);
    sin_cortes(r);
}

QTEST_MAIN(TstTablas)
#include "tst_tablas.moc"
