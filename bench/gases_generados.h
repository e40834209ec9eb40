// Generated gas data files for the benchmarks: n gases laid out as the gas
// editor writes them, every parameter to be derived, in a temporary folder
// that carpeta_generados() names and borrar_generados() removes.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <stdlib.h>

#include "core/numtext.h"

namespace generados {

namespace fs = std::filesystem;

inline fs::path carpeta_generados() {
    static const fs::path p = [] {
        std::string plantilla = (fs::temp_directory_path() / "korgas-bench-XXXXXX").string();
        if (!::mkdtemp(plantilla.data())) std::abort();
        return fs::path(plantilla);
    }();
    return p;
}

inline void borrar_generados() {
    std::error_code ec;
    fs::remove_all(carpeta_generados(), ec);
}

// The path of a gas data file of n gases. Its time stamp is set an hour back,
// as a file that has been lying in the program's folder.
inline std::string fichero_gases(int n) {
    static std::map<int, std::string> hechos;
    auto it = hechos.find(n);
    if (it != hechos.end()) return it->second;

    const int claves[10] = {0, 2, 2, 2, 2, 4, 3, 3, 3, 2};
    std::string s = "[General]\r\nn=" + korgas::texto_fichero(n) + "\r\n";
    for (int k = 1; k <= n; ++k) {
        const double tc = 100 + k % 500;
        s += "\r\n[G" + std::to_string(k) + "]\r\n";
        s += "nombre=Gas " + std::to_string(k) + "\r\n";
        s += "pm=" + korgas::texto_fichero(10 + k % 90) + "\r\n";
        s += "tc=" + korgas::texto_fichero(tc) + "\r\n";
        s += "pc=" + korgas::texto_fichero(20 + k % 80 * 0.5) + "\r\n";
        s += "vc=" + korgas::texto_fichero(0.05 + k % 30 * 0.01) + "\r\n";
        s += "teb=" + korgas::texto_fichero(tc * 0.6) + "\r\n";
        s += "hv=" + korgas::texto_fichero(1 + k % 9) + "\r\n";
        for (int e = 1; e <= 9; ++e) {
            for (int j = 1; j <= claves[e]; ++j) {
                double v = -1;
                if (e == 6 && j == 3) v = 1.5;
                if ((e == 7 || e == 8) && j == 3) v = k % 2 ? -1 : 0.2;
                s += "c(" + std::to_string(e) + "," + std::to_string(j) +
                     ")=" + korgas::texto_fichero(v) + "\r\n";
            }
        }
    }
    const std::string ruta = (carpeta_generados() / ("data-" + std::to_string(n))).string();
    std::ofstream(ruta, std::ios::binary) << s;
    fs::last_write_time(ruta, fs::file_time_type::clock::now() - std::chrono::hours(1));
    hechos[n] = ruta;
    return ruta;
}

}  // namespace generados
