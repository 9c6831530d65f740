// The lead-time draws: centre durations drawn and walked per second, on the
// shared layered network (every centre holding a full 65,536-time sample,
// so the lookups miss the caches as on a real run) and on a short chain
// whose samples stay in cache.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "RedEnCapas.h"
#include "compute/Pert.h"
#include "simulate/PlazoLinea.h"

namespace {

using namespace vortena;

MuestrasCentros Muestras(const Red& red, std::size_t n) {
    std::mt19937_64 gen(5);
    MuestrasCentros m(static_cast<std::size_t>(red.Centros.Count()));
    for (const CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        auto& v = m[static_cast<std::size_t>(c.posicion) - 1];
        v.resize(n);
        for (double& x : v) x = -std::log((static_cast<double>(gen() >> 11) + 0.5) * 0x1.0p-53);
    }
    return m;
}

void Correr(benchmark::State& state, Red& red, std::size_t tam) {
    for (CentroProductivo& c : red.Centros)
        if (c.EsCentro()) c.W = 1;
    CalcularPERT(red, red.NodoInicio, red.NodoFin);
    const MuestrasCentros m = Muestras(red, tam);
    AjustesPlazo a;
    a.muestras = 100000;
    a.hilos = static_cast<int>(state.range(0));
    std::int64_t visitas = 0;
    for (auto _ : state) {
        Trabajo t;
        const ResultadoPlazo r = CalcularPlazo(red, m, a, t);
        benchmark::DoNotOptimize(r.media);
        visitas += r.visitas;
    }
    state.counters["visitas/s"] =
        benchmark::Counter(static_cast<double>(visitas), benchmark::Counter::kIsRate);
}

void BM_PlazoCapas(benchmark::State& state) {
    Red red = RedEnCapas(10, 10, 3);
    Correr(state, red, 65536);
}
BENCHMARK(BM_PlazoCapas)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlazoCapas)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlazoCadena(benchmark::State& state) {
    Red red = RedEnCapas(20, 1, 1);
    Correr(state, red, 1024);
}
BENCHMARK(BM_PlazoCadena)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
