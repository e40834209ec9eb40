// Writes the shipped gas data file, data/data, for the 28 built-in gases.
//
// Build and run from the repository root:
//   g++ -std=c++20 -O1 -I src scripts/make_gas_data.cpp src/core/numtext.cpp -o /tmp/make_gas_data
//   /tmp/make_gas_data data/data
//
// Numbers are written by the program's own texto_fichero, exactly as the gas
// editor writes them; text is Windows-1252 with CR LF line ends. Every
// parameter is -1 (derived from the critical data when loaded) except:
//   - c(6,3), the exponent of the generalised equation: 1.5 for every gas;
//   - c(7,3) and c(8,3), the acentric factor: -1 (the built-in table) where the
//     gas's own value is within 0.01 of the table's, else the gas's own value.
// teb and hv are -1 where not given (carbon dioxide has no normal boiling
// point). Critical volumes are in l/mol, pressures in atm, hv in kcal/mol.
#include <cstdio>
#include <string>

#include "core/numtext.h"

namespace {

struct Gas {
    const char* nombre;  // UTF-8
    double pm, tc, pc, vc, teb, hv;
    double omega;  // c(7,3) and c(8,3)
};

const Gas kGases[] = {
    {"Helio", 4.002602, 5.1953, 2.2533, 0.057525, 4.224, 0.0191,
     -0.3836},  // 1 He, own w -0.3836, table -0.365
    {"Neón", 20.1797, 44.4, 26.2682, 0.041494, 27.1, 0.4087,
     -1},  // 2 Ne, own w -0.0355, table -0.029
    {"Argón", 39.948, 150.687, 47.9941, 0.074586, 87.302, 1.5368,
     -1},  // 3 Ar, own w 0.001, table 0.001
    {"Kriptón", 83.798, 209.48, 54.5275, 0.092166, 119.735, 2.1702,
     -1},  // 4 Kr, own w 0.005, table 0.005
    {"Xenón", 131.293, 289.733, 57.6561, 0.119048, 165.051, 3.0043,
     -1},  // 5 Xe, own w 0.006, table 0.008
    {"Hidrógeno", 2.01588, 33.145, 12.7945, 0.064483, 20.369, 0.2151,
     -1},  // 6 H2, own w -0.216, table -0.216
    {"Deuterio", 4.028204, 38.34, 16.5764, 0.058038, 23.661, 0.2825,
     -0.1449},  // 7 D2, own w -0.1449, table -0.216
    {"Flúor", 37.996806, 144.414, 51.0476, 0.064090, 85.037, 1.5822,
     -1},  // 8 F2, own w 0.053, table 0.054
    {"Nitrógeno", 28.0134, 126.192, 33.5139, 0.089414, 77.355, 1.3313,
     -1},  // 9 N2, own w 0.04, table 0.039
    {"Oxígeno", 31.9988, 154.581, 49.7705, 0.073368, 90.188, 1.6300,
     -1},  // 10 O2, own w 0.025, table 0.025
    {"Cloro", 70.906, 416.8654, 75.4246, 0.124069, 239.198, 4.8781,
     0.073},  // 11 Cl2, own w 0.073, table 0.09
    {"Bromo", 159.808, 584.15, 101.9985, 0.135000, 331.95, 7.1606,
     0.1189},  // 12 Br2, own w 0.1189, table 0.108
    {"Yodo", 253.80894, 819.15, 115.0160, 0.155000, 457.55, 9.9355,
     0.1115},  // 13 I2, own w 0.1115, table 0.229
    {"Parahidrógeno", 2.01588, 32.938, 12.6899, 0.064358, 20.271, 0.2149,
     -1},  // 14 p-H2, own w -0.219, table -0.216
    {"Fluoruro de hidrógeno", 20.006343, 461.15, 63.9526, 0.069000, 292.67, 1.7979,
     0.372},  // 15 HF, own w 0.372, table 0.329
    {"Cloruro de hidrógeno", 36.46094, 324.68, 82.0479, 0.084246, 188.173, 3.8599,
     -1},  // 16 HCl, own w 0.1315, table 0.133
    {"Monóxido de carbono", 28.0101, 132.86, 34.4831, 0.092166, 81.638, 1.4436,
     -1},  // 17 CO, own w 0.0663, table 0.066
    {"Amoníaco", 17.03052, 405.56, 112.1480, 0.073014, 239.834, 5.5760,
     -1},  // 18 NH3, own w 0.25, table 0.25
    {"Agua", 18.01528, 647.096, 217.7547, 0.055948, 373.124, 9.7156,
     -1},  // 19 H2O, own w 0.344, table 0.344
    {"Agua pesada (óxido de deuterio)", 20.027604, 643.847, 213.7853, 0.056257, 374.549, 9.9238,
     0.364},  // 20 D2O, own w 0.364, table 0.344
    {"Dióxido de carbono", 44.0095, 304.1282, 72.8083, 0.094118, -1, -1,
     0.2276},  // 21 CO2, own w 0.2276, table 0.239
    {"Metano", 16.04246, 190.564, 45.3906, 0.098628, 111.667, 1.9575,
     -1},  // 22 CH4, own w 0.011, table 0.011
    {"Tetrafluoruro de carbono (tetrafluorometano)", 88.004313, 227.51, 37.0096, 0.140658, 145.105,
     2.8235, -1},  // 23 CF4, own w 0.1785, table 0.177
    {"Tetracloruro de carbono", 153.8227, 556.35, 45.0037, 0.276000, 349.95, 7.1272,
     -1},  // 24 CCl4, own w 0.193, table 0.193
    {"Metanol", 32.04186, 513.38, 81.0841, 0.113828, 337.632, 8.4154,
     -1},  // 25 CH3OH, own w 0.559, table 0.556
    {"Etanol", 46.06844, 514.71, 61.8604, 0.168634, 351.57, 9.2161,
     -1},  // 26 C2H5OH, own w 0.645, table 0.644
    {"n-Hexano", 86.17536, 507.82, 30.0429, 0.369549, 341.866, 6.8953,
     -1},  // 27 C6H14, own w 0.2975, table 0.299
    {"Tolueno", 92.13842, 591.75, 40.7234, 0.315557, 383.746, 7.9302,
     -1},  // 28 C7H8, own w 0.264, table 0.263
};

constexpr double kExponente = 1.5;

// UTF-8 to Windows-1252 for the characters the names use (ASCII and
// U+00A0..U+00FF, which the code page holds at the same values).
bool a_cp1252(const std::string& utf8, std::string& out) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < utf8.size()) {
            const unsigned char s = static_cast<unsigned char>(utf8[++i]);
            const unsigned cp = ((b & 0x1Fu) << 6) | (s & 0x3Fu);
            if ((s & 0xC0) != 0x80 || cp < 0xA0) return false;
            out.push_back(static_cast<char>(cp));
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::string out;
    auto linea = [&](const std::string& s) { out += s + "\r\n"; };
    auto par = [&](const std::string& clave, double v) {
        linea(clave + "=" + korgas::texto_fichero(v));
    };

    const int n = static_cast<int>(sizeof kGases / sizeof kGases[0]);
    linea("[general]");
    par("n", n);
    for (int k = 1; k <= n; ++k) {
        const Gas& g = kGases[k - 1];
        linea("");
        linea("[g" + std::to_string(k) + "]");
        std::string nombre;
        if (!a_cp1252(g.nombre, nombre)) {
            std::fprintf(stderr, "gas %d: name not in Windows-1252\n", k);
            return 1;
        }
        linea("nombre=" + nombre);
        par("pm", g.pm);
        par("tc", g.tc);
        par("pc", g.pc);
        par("vc", g.vc);
        par("teb", g.teb);
        par("hv", g.hv);
        const int claves[10] = {0, 2, 2, 2, 2, 4, 3, 3, 3, 2};
        for (int e = 1; e <= 9; ++e) {
            for (int j = 1; j <= claves[e]; ++j) {
                double v = -1;
                if (j == 3 && e == 6) v = kExponente;
                if (j == 3 && (e == 7 || e == 8)) v = g.omega;
                par("c(" + std::to_string(e) + "," + std::to_string(j) + ")", v);
            }
        }
    }

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const bool bien = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !bien) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
