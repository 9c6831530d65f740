// Saving and opening the 10,000-centre layered network, and the batch tool's
// report on it end to end.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "RedEnCapas.h"
#include "Silenciosos.h"
#include "files/ArchivoRed.h"

namespace {

using namespace vortena;

// The network written once to a file that the benchmarks share.
const std::string& ArchivoEnCapas() {
    static const std::string ruta = [] {
        const auto p = std::filesystem::temp_directory_path() / "vortena-bench-capas.vtq";
        DocumentoMudo doc;
        GuardarRed(RedEnCapas(), p.string(), Regional::Espanol(), doc);
        return p.string();
    }();
    return ruta;
}

void BM_GuardarRedEnCapas(benchmark::State& state) {
    const Red red = RedEnCapas();
    const std::string ruta =
        (std::filesystem::temp_directory_path() / "vortena-bench-guardar.vtq").string();
    DocumentoMudo doc;
    for (auto _ : state) GuardarRed(red, ruta, Regional::Espanol(), doc);
    state.counters["centros"] = red.Centros.Count();
    state.counters["conexiones"] = red.Conexiones.Count();
    std::filesystem::remove(ruta);
}
BENCHMARK(BM_GuardarRedEnCapas)->Unit(benchmark::kMillisecond);

void BM_AbrirRedEnCapas(benchmark::State& state) {
    const std::string& ruta = ArchivoEnCapas();
    DocumentoMudo doc;
    for (auto _ : state) {
        Red red;
        AbrirRed(red, ruta, doc);
        benchmark::DoNotOptimize(red.Centros.Count());
    }
}
BENCHMARK(BM_AbrirRedEnCapas)->Unit(benchmark::kMillisecond);

// The whole process: start, open, compute, report to standard output.
void BM_CalcInformeEnCapas(benchmark::State& state) {
    const std::string cmd =
        std::string("'") + VORTENA_CALC + "' '" + ArchivoEnCapas() + "' informe >/dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("vortena-calc failed");
    }
}
BENCHMARK(BM_CalcInformeEnCapas)->Unit(benchmark::kMillisecond)->UseRealTime();

// Start-up alone: no library may cost a process before it is used.
// Target: ≤ 10 ms (and ≤ 10 MB peak, measured with farm-bench).
void BM_CalcAyuda(benchmark::State& state) {
    const std::string cmd = std::string("'") + VORTENA_CALC + "' --help >/dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("vortena-calc failed");
    }
}
BENCHMARK(BM_CalcAyuda)->Unit(benchmark::kMillisecond)->UseRealTime();

// The batch run that bench/calc_referencia.py does in Python. Target: ≥ 30×
// the Python run (compare with farm-bench --vs, side by side) and ≤ 25 MB.
void BM_CalcMedidasEnCapas(benchmark::State& state) {
    const std::string cmd = std::string("'") + VORTENA_CALC + "' '" + ArchivoEnCapas() +
                            "' propagar calcular medidas >/dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("vortena-calc failed");
    }
}
BENCHMARK(BM_CalcMedidasEnCapas)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
