// The cost–time front. Targets: the exact front of 6 gene centres with
// E = 9 (10^6 combinations) in ≤ 2 s on two threads; NSGA-II with P 100,
// G 200 on the 50-centre network in ≤ 3 s. Both include building the
// tables from the network.

#include <benchmark/benchmark.h>

#include "RedDeCincuenta.h"
#include "RedEnCapas.h"
#include "Silenciosos.h"
#include "model/Trabajo.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/ModeloFrente.h"

namespace vortena {
namespace {

// Two layers of three: 6 gene centres, each feeding two of the next layer.
Red RedDeSeis() {
    Red red = RedEnCapas(2, 3, 2);
    int i = 0;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.Lamda = 1.0 + 0.5 * i;
        c.Mu = c.Lamda * (0.4 + 0.15 * i);
        c.CostoEspera = 2.0 + i;
        c.ActDesvLamda();
        c.ActDesvMu();
        ++i;
    }
    return red;
}

void Correr(benchmark::State& state, const Red& red, const AjustesFrente& a, bool exacto) {
    MensajesContados msj;
    ResultadoFrente r;
    std::size_t genes = 0;
    for (auto _ : state) {
        auto modelo = PrepararFrente(red, a.extra, msj);
        if (!modelo) {
            state.SkipWithError("la red no se calcula");
            break;
        }
        Trabajo t;
        r = BuscarFrente(*modelo, a, t);
        genes = modelo->genes().size();
    }
    if (r.exacto != exacto) state.SkipWithError("método inesperado");
    state.counters["centros_gen"] = static_cast<double>(genes);
    state.counters["puntos"] = static_cast<double>(r.puntos.size());
    state.counters["evaluaciones"] = static_cast<double>(r.evaluaciones);
    state.counters["hipervolumen"] = r.hipervolumen;
}

void BM_FrenteExacto6x9(benchmark::State& state) {
    const Red red = RedDeSeis();
    AjustesFrente a;
    a.extra = 9;
    a.hilos = 2;
    Correr(state, red, a, true);
}
BENCHMARK(BM_FrenteExacto6x9)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_FrenteNsga2_50x100x200(benchmark::State& state) {
    const Red red = RedDeCincuentaCentros();
    AjustesFrente a;  // E 10, P 100, G 200
    a.hilos = 2;
    Correr(state, red, a, false);
}
BENCHMARK(BM_FrenteNsga2_50x100x200)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
}  // namespace vortena
