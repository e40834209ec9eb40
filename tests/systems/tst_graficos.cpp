// What a curve of the graph draws, as polylines, without a window: the tie
// line and the dotted two-phase stretch below the critical temperature, one
// solid line above it, the excluded volume and the pressures that cannot be
// computed left out, and no point outside the volume range or not finite.
#include <QtTest>
#include <cmath>

#include "co2_referencia.h"
#include "core/gas.h"
#include "systems/graficos.h"

using korgas::Polilineas;
using korgas::punto;
using korgas::sistemas;

namespace {

using namespace co2_referencia;

const double kA = 27 * R * R * kTc * kTc / (64 * kPc);
const double kB = R * kTc / (8 * kPc);

// System 1: that gas under van der Waals at T with n mol.
void van_der_waals(double T, double n, double a = kA, bool propios = false) {
    sistemas = {};
    korgas::sistema& s = sistemas[1];
    s.activo = true;
    s.ecuacion = korgas::kVanDerWaals;
    s.temperatura = T;
    s.moles = n;
    s.gas.tc = kTc;
    s.gas.pc = kPc;
    s.gas.c = {a, kB, 0, 0};
    s.personalizado = propios;
}

// The van der Waals pressure worked out here, for the points to be checked
// against.
double p_vdw(double T, double n, double a, double V) {
    return n * R * T / (V - n * kB) - a * n * n / (V * V);
}

int segmentos(const std::vector<std::vector<punto>>& lista) {
    int n = 0;
    for (const auto& l : lista) n += int(l.size()) - 1;
    return n;
}

// What holds for every curve: polylines of two or more finite points, those
// of the isotherm (all but the tie line, when there is one) inside vmin..vmax
// and above the covolume xb, with the pressures of van der Waals at T with n
// mol and a (not checked for T = 0). Empty when it holds, else what failed.
QString fallo_general(const Polilineas& t, bool con_linea, double vmin, double vmax, double xb,
                      double T = 0, double n = 0, double a = 0) {
    std::vector<const std::vector<punto>*> isoterma;
    for (const auto* lista : {&t.solidas, &t.punteadas})
        for (const std::vector<punto>& linea : *lista) {
            if (linea.size() < 2) return QStringLiteral("a polyline of fewer than 2 points");
            for (const punto& q : linea)
                if (!std::isfinite(q.v) || !std::isfinite(q.p))
                    return QStringLiteral("a point that is not finite");
            if (!(con_linea && &linea == &t.solidas.front())) isoterma.push_back(&linea);
        }
    const double holgura = 1e-12 * (vmax - vmin);
    for (const std::vector<punto>* linea : isoterma)
        for (const punto& q : *linea) {
            if (q.v < vmin - holgura || q.v > vmax + holgura || !(q.v > xb))
                return QStringLiteral("volume %1 outside the range").arg(q.v);
            if (T > 0 && std::abs(q.p - p_vdw(T, n, a, q.v)) > 1e-9 * std::abs(q.p) + 1e-12)
                return QStringLiteral("pressure %1 at %2").arg(q.p).arg(q.v);
        }
    return {};
}

}  // namespace

class TstGraficos : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { sistemas = {}; }

    void bajo_el_punto_critico_data();
    void bajo_el_punto_critico();
    void una_linea_solida_sin_equilibrio_data();
    void una_linea_solida_sin_equilibrio();
    void presiones_que_no_se_calculan();
};

void TstGraficos::bajo_el_punto_critico_data() {
    QTest::addColumn<double>("moles");
    QTest::addColumn<double>("vmax");
    QTest::newRow("1 mol, 0..1 l") << 1.0 << 1.0;
    QTest::newRow("1 mol, 0..5 l") << 1.0 << 5.0;
    QTest::newRow("2 mol, 0..1 l") << 2.0 << 1.0;
}

void TstGraficos::bajo_el_punto_critico() {
    QFETCH(double, moles);
    QFETCH(double, vmax);
    van_der_waals(250, moles);
    const double vl = kVl * moles;
    const double vg = kVg * moles;
    const double paso = vmax / 100;
    const Polilineas t = korgas::curva(1, 0, vmax);
    QCOMPARE(fallo_general(t, true, 0, vmax, moles * kB, 250, moles, kA), QString());

    // The tie line first, then the liquid and the gas branch, solid.
    QCOMPARE(int(t.solidas.size()), 3);
    const std::vector<punto>& linea = t.solidas[0];
    QCOMPARE(int(linea.size()), 2);
    QVERIFY(std::abs(linea[0].p - kPv) < 1e-4 * kPv && linea[1].p == linea[0].p);
    QVERIFY(std::abs(linea[0].v - vl) < 1e-3 * vl);
    QVERIFY(std::abs(linea[1].v - vg) < 1e-3 * vg);
    const std::vector<punto>& liquido = t.solidas[1];
    const std::vector<punto>& gas = t.solidas[2];
    QVERIFY(liquido.front().v <= moles * kB + paso);  // from the first step past n·b
    QVERIFY(liquido.back().v > vl && liquido.back().v <= vl + paso * (1 + 1e-9));
    QVERIFY(gas.front().v < vg && gas.front().v >= vg - paso * (1 + 1e-9));
    QVERIFY(std::abs(gas.back().v - vmax) < 1e-9 * vmax);

    // Between them the loop, dotted, strictly inside the two-phase volumes,
    // above and below the tie line.
    QCOMPARE(int(t.punteadas.size()), 1);
    const std::vector<punto>& lazo = t.punteadas[0];
    QCOMPARE(lazo.front().v, liquido.back().v);
    QCOMPARE(lazo.back().v, gas.front().v);
    double bajo = kPv, alto = kPv;
    for (const punto& q : lazo) {
        QVERIFY(q.v > vl && q.v < vg);
        bajo = std::min(bajo, q.p);
        alto = std::max(alto, q.p);
    }
    QVERIFY(bajo < kPv - 1 && alto > kPv + 1);

    // Every step past the excluded volume is drawn once.
    const int pasos = 100 - int(std::floor(moles * kB / paso)) - 1;
    QCOMPARE(segmentos(t.solidas) - 1 + segmentos(t.punteadas), pasos);
}

void TstGraficos::una_linea_solida_sin_equilibrio_data() {
    QTest::addColumn<int>("ecuacion");
    QTest::addColumn<double>("T");
    QTest::addColumn<bool>("propios");
    QTest::addColumn<int>("puntos");  // of the single polyline over 0..5 l
    // Above the critical temperature: from the first step past b = 0.0428.
    QTest::newRow("305 K") << int(korgas::kVanDerWaals) << 305.0 << false << 100;
    // Own parameters: no tie line, so nothing is dotted.
    QTest::newRow("own parameters, 250 K") << int(korgas::kVanDerWaals) << 250.0 << true << 100;
    // The ideal gas: no excluded volume, but its first step starts at 0.
    QTest::newRow("ideal gas") << int(korgas::kIdeal) << 250.0 << false << 100;
}

void TstGraficos::una_linea_solida_sin_equilibrio() {
    QFETCH(int, ecuacion);
    QFETCH(double, T);
    QFETCH(bool, propios);
    QFETCH(int, puntos);
    van_der_waals(T, 1, kA, propios);
    sistemas[1].ecuacion = ecuacion;
    // The ideal gas has no parameters, so no excluded volume.
    if (ecuacion == korgas::kIdeal) sistemas[1].gas.c = {};
    const double xb = ecuacion == korgas::kIdeal ? 0 : kB;
    QCOMPARE(korgas::covolumen(sistemas[1]), xb);
    const Polilineas t = korgas::curva(1, 0, 5);
    QCOMPARE(fallo_general(t, false, 0, 5, xb, ecuacion == korgas::kIdeal ? 0 : T, 1, kA),
             QString());
    QCOMPARE(int(t.solidas.size()), 1);
    QVERIFY(t.punteadas.empty());
    QCOMPARE(int(t.solidas[0].size()), puntos);
    if (ecuacion == korgas::kIdeal)
        for (const punto& q : t.solidas[0]) QVERIFY(std::abs(q.p - R * T / q.v) <= 1e-12 * q.p);
    double vg = -1, vl = -1;
    QCOMPARE(korgas::linea_pv(1, vg, vl).has_value(), false);
    // Own parameters leave the volumes as they were; otherwise none.
    QCOMPARE(vl, propios ? -1.0 : 0.0);
    QCOMPARE(vg, propios ? -1.0 : 0.0);
}

void TstGraficos::presiones_que_no_se_calculan() {
    // a = 1e308: a·n²/V² overflows below V = 0.746 l, so the pressure there
    // is -inf and the curve starts at the first step beyond.
    van_der_waals(250, 1, 1e308, true);
    const Polilineas t = korgas::curva(1, 0, 5);
    QCOMPARE(fallo_general(t, false, 0, 5, kB), QString());
    QCOMPARE(int(t.solidas.size()), 1);
    QVERIFY(t.punteadas.empty());
    QVERIFY(std::abs(t.solidas[0].front().v - 0.75) < 1e-9);
    QCOMPARE(int(t.solidas[0].size()), 86);

    // A row that does not exist draws nothing.
    for (int i : {-1, 6}) {
        const Polilineas nada = korgas::curva(i, 0, 5);
        QVERIFY(nada.solidas.empty() && nada.punteadas.empty());
    }
}

QTEST_APPLESS_MAIN(TstGraficos)
#include "tst_graficos.moc"
