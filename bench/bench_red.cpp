// Network-wide computations on the 10,000-centre layered network, whose
// number of paths rules out any walk per path.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

#include "RedEnCapas.h"
#include "Silenciosos.h"
#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"

namespace {

using namespace vortena;

void BM_CalcularRedEnCapas(benchmark::State& state) {
    Red red = RedEnCapas();
    MensajesContados msj;
    DocumentoMudo doc;
    for (auto _ : state) {
        CalcularRed(red, msj, doc);
        benchmark::DoNotOptimize(red.Centros(red.NodoFin).tmpoTemprano);
    }
    if (msj.vistos != 0 || red.Centros(red.NodoFin).tmpoTemprano != 100.0)
        state.SkipWithError("the layered network did not compute cleanly");
    state.counters["centros"] = red.Centros.Count() - 2;
}
BENCHMARK(BM_CalcularRedEnCapas)->Unit(benchmark::kMillisecond);

void BM_PropagarFlujoEnCapas(benchmark::State& state) {
    Red red = RedEnCapas();
    DocumentoMudo doc;
    for (auto _ : state) {
        PropagarFlujo(red, doc);
        benchmark::DoNotOptimize(red.Centros(2).Lamda);
    }
    // Each layer carries the whole output: 100 centres of 0.2 each.
    if (red.Centros(2).Lamda < 0.19999 || red.Centros(2).Lamda > 0.20001)
        state.SkipWithError("unexpected propagated rate");
}
BENCHMARK(BM_PropagarFlujoEnCapas)->Unit(benchmark::kMillisecond);

// Heap held by the network (mallinfo2 counts live allocations with their
// overhead, including the large blocks malloc maps directly).
void BM_RedEnCapasMemoria(benchmark::State& state) {
    double mb = 0;
    for (auto _ : state) {
        const struct mallinfo2 antes = mallinfo2();
        Red red = RedEnCapas();
        const struct mallinfo2 despues = mallinfo2();
        mb = static_cast<double>((despues.uordblks + despues.hblkhd) -
                                 (antes.uordblks + antes.hblkhd)) /
             1e6;
        benchmark::DoNotOptimize(red.Centros.Count());
    }
    state.counters["MB"] = mb;
}
BENCHMARK(BM_RedEnCapasMemoria)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
