// Printing a text as pages: positions on a recording printer of known
// metrics, and whole documents printed to PDF and read back with pdfinfo and
// pdftotext.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <vector>

#include "programa_prueba.h"
#include "shell/imprimir.h"

using namespace korgas;

namespace {

struct Trazo {
    int pagina;  // the sheet it was drawn on
    double x, y;
    QString texto;
};

// What a printer with round metrics would print: every character 120 twips
// wide (the width of Courier New at 10 points), lines 240 twips high, a
// printable area of 11500 by 16440 twips. Bottom limit: 15440.
class Grabadora : public Impresora {
  public:
    static constexpr double kAncho = 11500, kAlto = 16440, kLetra = 120, kLinea = 240;

    double ancho() const override { return kAncho; }
    double alto() const override { return kAlto; }
    double ancho_texto(const QString& t) const override { return kLetra * double(t.size()); }

    std::vector<Trazo> trazos;
    int hojas = 1;  // sheets started
    bool terminado = false;

    // The drawings of one sheet, blanks left out.
    std::vector<Trazo> de_hoja(int hoja) const {
        std::vector<Trazo> r;
        for (const Trazo& t : trazos)
            if (t.pagina == hoja && !t.texto.trimmed().isEmpty()) r.push_back(t);
        return r;
    }
    const Trazo* buscar(const QString& texto) const {
        for (const Trazo& t : trazos)
            if (t.texto == texto) return &t;
        return nullptr;
    }

  protected:
    double alto_linea() const override { return kLinea; }
    void pasar_pagina() override { ++hojas; }
    void dibujar(double en_x, double en_y, const QString& t) override {
        QVERIFY(!terminado);
        QCOMPARE(pagina(), hojas);
        trazos.push_back({hojas, en_x, en_y, t});
    }
    void terminar() override { terminado = true; }
};

constexpr double kMargen = 1440;
const QString kTitulo = QStringLiteral("Textos del programa");
const QString kSubtitulo = QStringLiteral("Fecha: 01-02-2024");

Grabadora imprimir_en_grabadora(const QString& texto) {
    Grabadora g;
    imprimirtexto(g, texto, kTitulo, kSubtitulo);
    return g;
}

double centro(const QString& t) {
    return (Grabadora::kAncho - Grabadora::kLetra * double(t.size())) / 2;
}

QString pie(int n) {
    return QStringLiteral("Página: %1").arg(n);
}

// Every sheet ends with its own footer, the last sheet is the last footer's,
// and the document was finished.
void comprobar_pies(const Grabadora& g) {
    QVERIFY(g.terminado);
    QCOMPARE(g.pagina(), g.hojas + 1);  // the page the last footer asked for is never started
    for (int h = 1; h <= g.hojas; ++h) {
        const std::vector<Trazo> hoja = g.de_hoja(h);
        QVERIFY(!hoja.empty());
        QCOMPARE(hoja.back().texto, pie(h));
        QCOMPARE(hoja.back().x, centro(pie(h)));
    }
}

// A PDF of the document, through the same path the program prints by.
QString a_pdf(const QTemporaryDir& dir, const QString& texto, const QString& nombre) {
    const QString ruta = dir.filePath(nombre);
    elegir_impresora_con([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(ruta);
        return true;
    });
    const bool hecho = imprimir_documento(texto, kTitulo, kSubtitulo);
    elegir_impresora_con({});
    return hecho ? ruta : QString();
}

QString ejecutar(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(programa), p.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

int paginas_pdf(const QString& pdf) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(ejecutar(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The non-empty lines of one page, trimmed.
QStringList lineas_pdf(const QString& pdf, int pagina) {
    const QString n = QString::number(pagina);
    const QString texto =
        ejecutar(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                               QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    QStringList r;
    for (const QString& l : texto.split('\n')) {
        const QString t = l.trimmed().remove(QChar('\f'));
        if (!t.isEmpty()) r << t;
    }
    return r;
}

}  // namespace

class TstImprimir : public QObject {
    Q_OBJECT

  private slots:
    void texto_vacio();
    void salto_forzado();
    void tabuladores_data();
    void tabuladores();
    void fin_de_linea_cr_lf();
    void ajuste_de_linea();
    void ajuste_pasado_el_fondo();
    void salto_de_linea_pasado_el_fondo();
    void blancos_tal_cual();
    void sin_hoja_de_cabecera_sola_data();
    void sin_hoja_de_cabecera_sola();
    void pie_en_el_idioma();

    void pdf_vacio();
    void pdf_varias_paginas();
    void pdf_salto_y_ajuste();
    void sin_impresora();
    void dialogo_cancelado();
};

void TstImprimir::texto_vacio() {
    const Grabadora g = imprimir_en_grabadora(QString());
    QCOMPARE(g.hojas, 1);
    comprobar_pies(g);
    // Header: two blank lines, the title, a blank line, the subtitle, a blank
    // line; then the page filled down to the bottom limit and the footer below
    // the line that crossed it.
    const std::vector<Trazo>& t = g.trazos;
    QCOMPARE(t.size(), std::size_t(7));
    const double y[] = {800, 1040, 1280, 1520, 1760, 2000};
    const QString textos[] = {" ", " ", kTitulo, " ", kSubtitulo, " "};
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(t[k].texto, textos[k]);
        QCOMPARE(t[k].y, y[k]);
    }
    QCOMPARE(t[2].x, centro(kTitulo));
    QCOMPARE(t[4].x, centro(kSubtitulo));
    // The body would start at 2480; the fill reaches 15440 (= H - 1000) and
    // the footer goes one line below.
    QCOMPARE(t[6].texto, pie(1));
    QCOMPARE(t[6].y, 15680.0);
}

void TstImprimir::salto_forzado() {
    const Grabadora g = imprimir_en_grabadora(QStringLiteral("a .../... b"));
    QCOMPARE(g.hojas, 2);
    comprobar_pies(g);
    QVERIFY(!g.buscar(QStringLiteral(".../...")));  // the break word is not printed

    const std::vector<Trazo> uno = g.de_hoja(1);
    QCOMPARE(uno.size(), std::size_t(4));  // title, subtitle, "a", footer
    QCOMPARE(uno[2].texto, QString("a"));
    QCOMPARE(uno[2].x, kMargen);
    QCOMPARE(uno[2].y, 2480.0);
    QCOMPARE(uno[3].y, 15680.0);  // the footer below the bottom limit

    // The next page: the header from y = 800 with the title and, as its
    // subtitle, a line holding one blank; the blank after the break word is
    // printed as it stands, so "b" follows it.
    std::vector<Trazo> todos;
    for (const Trazo& t : g.trazos)
        if (t.pagina == 2) todos.push_back(t);
    QCOMPARE(todos[0].y, 800.0);
    QCOMPARE(todos[2].texto, kTitulo);
    QCOMPARE(todos[2].y, 1280.0);
    QCOMPARE(todos[4].texto, QString(" "));
    QCOMPARE(todos[4].y, 1760.0);
    QCOMPARE(todos[4].x, centro(" "));
    const Trazo* b = g.buscar(QStringLiteral("b"));
    QVERIFY(b);
    QCOMPARE(b->pagina, 2);
    QCOMPARE(b->y, 2480.0);
    QCOMPARE(b->x, kMargen + Grabadora::kLetra);
}

void TstImprimir::tabuladores_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<double>("x");  // of "x", in widths of "0" past the margin
    QTest::newRow("one tab") << "\tx" << 10.0;
    QTest::newRow("two tabs") << "\t\tx" << 20.0;
    QTest::newRow("after two letters") << "ab\tx" << 10.0;
    QTest::newRow("on a stop: to the next one") << "0123456789\tx" << 20.0;
    QTest::newRow("blank then tab") << " \tx" << 10.0;
    QTest::newRow("tab after a line feed") << "abc\n\tx" << 10.0;
}

void TstImprimir::tabuladores() {
    QFETCH(QString, texto);
    QFETCH(double, x);
    const Grabadora g = imprimir_en_grabadora(texto);
    const Trazo* t = g.buscar(QStringLiteral("x"));
    QVERIFY(t);
    QCOMPARE(t->x, kMargen + x * Grabadora::kLetra);
}

void TstImprimir::fin_de_linea_cr_lf() {
    const Grabadora lf = imprimir_en_grabadora(QStringLiteral("uno\ndos\n\ntres\n"));
    const Grabadora crlf = imprimir_en_grabadora(QStringLiteral("uno\r\ndos\r\n\r\ntres\r\n"));
    QCOMPARE(crlf.trazos.size(), lf.trazos.size());
    for (std::size_t k = 0; k < lf.trazos.size(); ++k) {
        QCOMPARE(crlf.trazos[k].texto, lf.trazos[k].texto);
        QCOMPARE(crlf.trazos[k].x, lf.trazos[k].x);
        QCOMPARE(crlf.trazos[k].y, lf.trazos[k].y);
    }
    const Trazo* tres = lf.buscar(QStringLiteral("tres"));
    QVERIFY(tres);
    QCOMPARE(tres->x, kMargen);
    QCOMPARE(tres->y, 2480.0 + 3 * Grabadora::kLinea);
}

void TstImprimir::ajuste_de_linea() {
    // Nine letters and a blank a word: from the margin, 11500 - 1440 twips
    // hold 83 characters, so eight words and their blanks fit on a line and
    // the ninth word goes to the next.
    QString texto;
    for (int k = 0; k < 20; ++k) texto += QStringLiteral("palabra%1 ").arg(k, 2, 10, QChar('0'));
    const QString larga(100, QChar('W'));  // wider than the whole line
    texto += larga + QStringLiteral(" fin");
    const Grabadora g = imprimir_en_grabadora(texto);
    comprobar_pies(g);

    double linea = -1;
    for (const Trazo& t : g.trazos) {
        if (!t.texto.startsWith(QStringLiteral("palabra"))) continue;
        if (t.y != linea) {  // a new line starts at the margin
            QCOMPARE(t.x, kMargen);
            linea = t.y;
        }
        QVERIFY2(t.x + g.ancho_texto(t.texto) <= Grabadora::kAncho, qPrintable(t.texto));
    }
    QCOMPARE(g.buscar(QStringLiteral("palabra08"))->x, kMargen);
    QCOMPARE(g.buscar(QStringLiteral("palabra08"))->y, 2480.0 + Grabadora::kLinea);
    // A word wider than the line is never split: it runs past the edge on a
    // line of its own.
    const Trazo* w = g.buscar(larga);
    QVERIFY(w);
    QCOMPARE(w->x, kMargen);
    QVERIFY(w->x + g.ancho_texto(larga) > Grabadora::kAncho);
    const Trazo* fin = g.buscar(QStringLiteral("fin"));
    QVERIFY(fin->y > w->y);
    QCOMPARE(fin->x, kMargen);
}

void TstImprimir::ajuste_pasado_el_fondo() {
    // One line of text long enough to wrap past the bottom of the first page.
    QString texto;
    for (int k = 0; k < 600; ++k) texto += QStringLiteral("p%1 ").arg(k, 7, 10, QChar('0'));
    const Grabadora g = imprimir_en_grabadora(texto);
    QVERIFY(g.hojas >= 2);
    comprobar_pies(g);
    // The page begun by the wrap: its first line at the top (y = 0), from the
    // margin, and no header.
    const std::vector<Trazo> dos = g.de_hoja(2);
    QCOMPARE(dos.front().y, 0.0);
    QCOMPARE(dos.front().x, kMargen);
    QVERIFY(dos.front().texto.startsWith('p'));
    for (const Trazo& t : dos) QVERIFY(t.texto != kTitulo);
    // Nothing of the body below the footer's line.
    for (const Trazo& t : g.trazos)
        if (t.texto.startsWith('p')) QVERIFY(t.y <= Grabadora::kAlto - 1000 + Grabadora::kLinea);
}

void TstImprimir::salto_de_linea_pasado_el_fondo() {
    QString texto;
    for (int k = 1; k <= 120; ++k) texto += QStringLiteral("linea%1\n").arg(k);
    const Grabadora g = imprimir_en_grabadora(texto);
    QCOMPARE(g.hojas, 3);
    comprobar_pies(g);
    // Pages begun by a line feed: the header with the title and a blank
    // subtitle line; the text goes on below it.
    for (int h = 2; h <= 3; ++h) {
        const std::vector<Trazo> hoja = g.de_hoja(h);
        QCOMPARE(hoja[0].texto, kTitulo);
        QCOMPARE(hoja[0].y, 1280.0);
        QCOMPARE(hoja[1].y, 2480.0);
        QCOMPARE(hoja[1].x, kMargen);
    }
    // Each line once, in order.
    int siguiente = 1;
    for (const Trazo& t : g.trazos)
        if (t.texto.startsWith(QStringLiteral("linea")))
            QCOMPARE(t.texto, QStringLiteral("linea%1").arg(siguiente++));
    QCOMPARE(siguiente, 121);
}

void TstImprimir::sin_hoja_de_cabecera_sola_data() {
    // The header takes the first page down to y = 2480, and each line 240
    // twips: the 55th line ends past the bottom limit (15440).
    auto lineas = [](int n, const QString& fin) {
        QString t;
        for (int k = 1; k <= n; ++k) t += QStringLiteral("linea%1\r\n").arg(k);
        return t + fin;
    };
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("hojas");
    QTest::newRow("last line at the bottom") << lineas(55, "") << 1;
    QTest::newRow("and an empty line after it") << lineas(55, "\r\n") << 1;
    QTest::newRow("and blanks after it") << lineas(55, "  \r\n\t\r\n") << 1;
    QTest::newRow("a page break at the end") << lineas(3, ".../...\r\n") << 1;
    QTest::newRow("one line more") << lineas(56, "") << 2;
    QTest::newRow("a page break before a word") << lineas(3, ".../... b") << 2;
}

void TstImprimir::sin_hoja_de_cabecera_sola() {
    QFETCH(QString, texto);
    QFETCH(int, hojas);
    const Grabadora g = imprimir_en_grabadora(texto);
    QCOMPARE(g.hojas, hojas);
    comprobar_pies(g);
    // Every sheet holds more than its header and footer.
    for (int h = 1; h <= g.hojas; ++h) {
        bool cuerpo = false;
        for (const Trazo& t : g.de_hoja(h))
            cuerpo = cuerpo || (t.texto != kTitulo && t.texto != kSubtitulo && t.texto != pie(h));
        QVERIFY2(cuerpo, qPrintable(QString("sheet %1").arg(h)));
    }
}

void TstImprimir::pie_en_el_idioma() {
    ProgramaPrueba prog("English");
    const Grabadora g = imprimir_en_grabadora(QStringLiteral("a .../... b"));
    QVERIFY(g.buscar(QStringLiteral("Page: 1")));
    QVERIFY(g.buscar(QStringLiteral("Page: 2")));
    QVERIFY(!g.buscar(QStringLiteral("Página: 1")));
}

void TstImprimir::blancos_tal_cual() {
    const Grabadora g = imprimir_en_grabadora(QStringLiteral("a   b"));
    QCOMPARE(g.buscar(QStringLiteral("b"))->x, kMargen + 4 * Grabadora::kLetra);
}

// ---------------------------------------------------------------------------

void TstImprimir::pdf_vacio() {
    QTemporaryDir dir;
    const QString pdf = a_pdf(dir, QString(), QStringLiteral("vacio.pdf"));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(paginas_pdf(pdf), 1);
    const QStringList l = lineas_pdf(pdf, 1);
    QCOMPARE(l, (QStringList{kTitulo, kSubtitulo, pie(1)}));
}

void TstImprimir::pdf_varias_paginas() {
    QString texto;
    for (int k = 1; k <= 150; ++k) texto += QStringLiteral("%1=texto número %1\r\n").arg(k);
    QTemporaryDir dir;
    const QString pdf = a_pdf(dir, texto, QStringLiteral("varias.pdf"));
    const int n = paginas_pdf(pdf);
    QVERIFY2(n >= 3, qPrintable(QString::number(n)));
    int siguiente = 1;
    for (int p = 1; p <= n; ++p) {
        const QStringList l = lineas_pdf(pdf, p);
        QCOMPARE(l.front(), kTitulo);
        QCOMPARE(l[1], p == 1 ? kSubtitulo : QStringLiteral("%1=texto número %1").arg(siguiente));
        QCOMPARE(l.back(), pie(p));
        for (const QString& linea : l.mid(1, l.size() - 2))
            if (linea != kSubtitulo)
                QCOMPARE(linea, QStringLiteral("%1=texto número %1").arg(siguiente++));
    }
    QCOMPARE(siguiente, 151);  // every line, none twice, and no blank last sheet
}

void TstImprimir::pdf_salto_y_ajuste() {
    // A forced break, then a line long enough to wrap past the bottom of the
    // second page.
    QString texto = QStringLiteral("antes .../... despues\n");
    for (int k = 0; k < 900; ++k) texto += QStringLiteral("w%1 ").arg(k, 4, 10, QChar('0'));
    QTemporaryDir dir;
    const QString pdf = a_pdf(dir, texto, QStringLiteral("salto.pdf"));
    QCOMPARE(paginas_pdf(pdf), 3);
    const QStringList uno = lineas_pdf(pdf, 1);
    QCOMPARE(uno, (QStringList{kTitulo, kSubtitulo, "antes", pie(1)}));
    const QStringList dos = lineas_pdf(pdf, 2);
    QCOMPARE(dos.front(), kTitulo);
    QCOMPARE(dos[1], QString("despues"));
    QVERIFY(dos[2].startsWith(QStringLiteral("w0000 w0001")));
    QCOMPARE(dos.back(), pie(2));
    // The page begun by the wrap has no header: the words go on at its top.
    const QStringList tres = lineas_pdf(pdf, 3);
    QVERIFY2(tres.front().startsWith('w'), qPrintable(tres.front()));
    QVERIFY(tres.back().startsWith(QStringLiteral("Página: 3")));
    QVERIFY(tres.join(' ').contains(QStringLiteral("w0899")));
}

void TstImprimir::sin_impresora() {
    // A printer that is not there, and a PDF file that cannot be created: an
    // error for the caller, at once.
    elegir_impresora_con([](QPrinter& p) {
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName(QStringLiteral("no-existe-esta-impresora"));
        return true;
    });
    QVERIFY_THROWS_EXCEPTION(ErrorImpresion, imprimir_documento("x", kTitulo, kSubtitulo));
    elegir_impresora_con([](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QStringLiteral("/no/existe/esta/carpeta/x.pdf"));
        return true;
    });
    QVERIFY_THROWS_EXCEPTION(ErrorImpresion, imprimir_documento("x", kTitulo, kSubtitulo));
    elegir_impresora_con({});
}

void TstImprimir::dialogo_cancelado() {
    bool preguntado = false;
    elegir_impresora_con([&](QPrinter&) {
        preguntado = true;
        return false;
    });
    QVERIFY(!imprimir_documento("x", kTitulo, kSubtitulo));
    QVERIFY(preguntado);
    elegir_impresora_con({});
}

QTEST_MAIN(TstImprimir)
#include "tst_imprimir.moc"
