// Shared fixtures of the thermodynamic core tests: a recording message
// presenter over a small language file, hand-filled systems and the shipped
// gas data file.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/gas.h"
#include "core/mensajes.h"

namespace korgas::prueba {

// The test gas of the worked examples: tc 304.2 K, pc 72.9 atm.
inline constexpr double kTc = 304.2;
inline constexpr double kPc = 72.9;
inline const double kAvdw = 27 * R * R * kTc * kTc / (64 * kPc);  // 3.60610...
inline const double kBvdw = R * kTc / (8 * kPc);                  // 0.042803...

inline std::string ruta_datos() {
    return KORGAS_SOURCE_DIR "/data/data";
}

struct Aviso {
    std::string texto;
    int estilo;
    std::string titulo;
};

// Records every message instead of showing it, over a language file whose
// texts 160, 161 and 169 name themselves, so a test sees which text was used.
class Avisos {
  public:
    Avisos() {
        const auto dir = std::filesystem::temp_directory_path() / "korgas_termo_prueba";
        std::filesystem::create_directories(dir);
        const auto fichero = dir / ("idioma_" + std::to_string(::getpid()) + ".lng");
        {
            std::ofstream f(fichero, std::ios::binary);
            f << "[idioma]\r\nidioma=prueba\r\n\r\n[prueba]\r\n"
                 "160=texto 160\r\n161=texto 161\r\n169=texto 169\r\n";
        }
        fichero_ = fichero.string();
        fichidioma_previo_ = fichidioma;
        idioma_previo_ = idioma_actual;
        fichidioma = fichero_;
        idioma_actual = "prueba";
        previo_ = instalar_presentador([this](const std::string& t, int e, const std::string& ti) {
            lista.push_back({t, e, ti});
            return 1;
        });
    }
    ~Avisos() {
        instalar_presentador(previo_);
        fichidioma = fichidioma_previo_;
        idioma_actual = idioma_previo_;
        std::error_code ec;
        std::filesystem::remove(fichero_, ec);
    }
    Avisos(const Avisos&) = delete;
    Avisos& operator=(const Avisos&) = delete;

    std::vector<Aviso> lista;

  private:
    std::string fichero_;
    std::string fichidioma_previo_;
    std::string idioma_previo_;
    Presentador previo_;
};

// A system filled by hand: equation, temperature, amount and parameters.
inline sistema pon_sistema(int eq, double T, double moles, double a, double b, double c = 0,
                           double d = 0, double mu = 0) {
    sistema s;
    s.ecuacion = eq;
    s.temperatura = T;
    s.moles = moles;
    s.gas.c = {a, b, c, d};
    s.gas.tc = kTc;
    s.gas.pc = kPc;
    s.gas.pm = 44;
    s.mu = mu;
    return s;
}

// A system of shipped gas numgas for equation eq at temperature T, loaded
// from the file (amount 1 mol; exponent of equation 6 from the file).
inline sistema carga_sistema(int numgas, int eq, double T, double moles = 1) {
    fichdatos = ruta_datos();
    sistema s;
    s.numgas = numgas;
    s.ecuacion = eq;
    s.temperatura = T;
    s.moles = moles;
    s.mu = -1;
    const Carga r = leergas(-1, s);
    EXPECT_EQ(r, Carga::ok) << "gas " << numgas << " equation " << eq;
    return s;
}

inline int gases_enviados() {
    return 28;
}

}  // namespace korgas::prueba
