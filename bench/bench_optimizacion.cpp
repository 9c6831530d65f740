// One genetic search as the dialog runs it at its largest population:
// H = 50 (150 active candidates), 100 iterations (101 generations), on a
// layered network of 50 gene centres with varied rates. Target: ≤ 0.5 s.

#include <benchmark/benchmark.h>

#include "RedDeCincuenta.h"
#include "Silenciosos.h"
#include "model/Documento.h"
#include "model/Mensajes.h"
#include "optimise/Optimizacion.h"

namespace vortena {
namespace {

void BM_Optimizacion50x100(benchmark::State& state) {
    MensajesContados msj;
    DocumentoMudo doc;
    double costo = 0, tiempo = 0;
    std::size_t genes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Red red = RedDeCincuentaCentros();
        FuenteAleatoria azar;
        Optimizacion opt(red, msj, azar);
        opt.ajustes.habitantes = 50;
        state.ResumeTiming();

        if (!opt.Abrir()) {
            state.SkipWithError("la red no abre");
            break;
        }
        opt.Correr({opt.TiempoActual, 100, 100}, doc);
        costo = opt.MejorCadena.rOptimo;
        tiempo = opt.MejorCadena.rTiempo;
        genes = opt.centrosGen().size();
    }
    state.counters["centros_gen"] = static_cast<double>(genes);
    state.counters["costo"] = costo;
    state.counters["tiempo"] = tiempo;
    state.counters["mensajes"] = msj.vistos;
}
BENCHMARK(BM_Optimizacion50x100)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace vortena
