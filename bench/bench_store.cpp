// The key=value store on a file shaped like the language file (section idioma,
// then two language sections of 230 texts each), and the rewrite of the gas
// data file with and without the lock that keeps two writers apart.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/kvstore.h"
#include "correr_benchmarks.h"
#include "gases_generados.h"

namespace {

class FicheroIdiomas {
  public:
    FicheroIdiomas() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "bench-store-XXXXXX").string();
        std::vector<char> b(plantilla.begin(), plantilla.end());
        b.push_back('\0');
        if (!mkdtemp(b.data())) throw std::runtime_error("mkdtemp");
        carpeta_ = b.data();
        ruta_ = (carpeta_ / "idioma.lng").string();
        poner();
    }
    ~FicheroIdiomas() {
        std::error_code ec;
        std::filesystem::remove_all(carpeta_, ec);
    }
    const std::string& ruta() const { return ruta_; }

    // Writes the file afresh and dates it an hour back, as a shipped file is.
    void poner() {
        std::string s = "[idioma]\r\nactual=English\r\n";
        for (const char* lengua : {"Espa\xF1ol", "English"}) {
            s += "\r\n[";
            s += lengua;
            s += "]\r\n";
            for (int i = 1; i <= 230; ++i)
                s += std::to_string(i) + "=Texto n\xFAmero " + std::to_string(i) +
                     " de la lista\r\n";
        }
        std::ofstream(ruta_, std::ios::binary | std::ios::trunc) << s;
        envejecer();
    }
    void envejecer() {
        timespec t[2];
        clock_gettime(CLOCK_REALTIME, &t[0]);
        t[0].tv_sec -= 3600;
        t[1] = t[0];
        utimensat(AT_FDCWD, ruta_.c_str(), t, 0);
    }

  private:
    std::filesystem::path carpeta_;
    std::string ruta_;
};

std::vector<std::string> claves() {
    std::vector<std::string> k;
    for (int i = 1; i <= 230; ++i) k.push_back(std::to_string(i));
    return k;
}

// 230 language texts from a file that does not change: the steady state of a
// window setting its captions.
void BM_230Textos(benchmark::State& state) {
    FicheroIdiomas f;
    korgas::prueba::vaciar_cache();
    auto k = claves();
    korgas::leervalor(f.ruta(), "english", "1");
    // Past the window in which a same-size change could hide from stat().
    timespec espera{0, 100'000'000};
    nanosleep(&espera, nullptr);
    for (auto _ : state) {
        for (const auto& clave : k)
            benchmark::DoNotOptimize(korgas::leervalor(f.ruta(), "English", clave));
    }
    state.SetItemsProcessed(state.iterations() * 230);
    state.counters["por_texto"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 230,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_230Textos)->Unit(benchmark::kMicrosecond);

// The same right after the file was written: each call compares the file's
// bytes again until its last change is old enough.
void BM_230TextosFicheroRecien(benchmark::State& state) {
    FicheroIdiomas f;
    auto k = claves();
    bool uno = false;
    for (auto _ : state) {
        state.PauseTiming();
        uno = !uno;
        korgas::escribirvalor(f.ruta(), "idioma", "actual", uno ? "English" : "Espa\xC3\xB1ol");
        state.ResumeTiming();
        for (const auto& clave : k)
            benchmark::DoNotOptimize(korgas::leervalor(f.ruta(), "English", clave));
    }
    state.SetItemsProcessed(state.iterations() * 230);
    state.counters["por_texto"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 230,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_230TextosFicheroRecien)->Unit(benchmark::kMicrosecond);

// One escribirvalor that changes the chosen language: a whole safe rewrite
// (temporary file, fsync, rename, folder fsync).
void BM_Escribirvalor(benchmark::State& state) {
    FicheroIdiomas f;
    bool uno = false;
    for (auto _ : state) {
        uno = !uno;
        korgas::escribirvalor(f.ruta(), "idioma", "actual", uno ? "Espa\xC3\xB1ol" : "English");
    }
}
BENCHMARK(BM_Escribirvalor)->Unit(benchmark::kMicrosecond);

// One rewrite of a gas data file of 28 or 1000 gases (a value of its first
// gas changed) with the lock taken and without it, in turn, in the same run.
// razon is the time with the lock over the time without.
void BM_ReescrituraConYSinCerrojo(benchmark::State& state) {
    const std::string ruta = generados::fichero_gases(static_cast<int>(state.range(0)));
    using Reloj = std::chrono::steady_clock;
    std::chrono::duration<double> con{}, sin{};
    long long n = 0;
    for (auto _ : state) {
        // Which goes first changes every iteration.
        for (bool usar : {n % 2 == 0, n % 2 != 0}) {
            korgas::prueba::usar_cerrojo(usar);
            const auto t0 = Reloj::now();
            korgas::escribirvalor(ruta, "g1", "pm", std::to_string(++n));
            (usar ? con : sin) += Reloj::now() - t0;
        }
    }
    korgas::prueba::usar_cerrojo(true);
    const double veces = static_cast<double>(state.iterations());
    state.counters["con_cerrojo_us"] = con.count() / veces * 1e6;
    state.counters["sin_cerrojo_us"] = sin.count() / veces * 1e6;
    state.counters["razon"] = con / sin;
}
BENCHMARK(BM_ReescrituraConYSinCerrojo)
    ->Arg(28)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    const int r = bench::correr_benchmarks(argc, argv);
    generados::borrar_generados();
    return r;
}
