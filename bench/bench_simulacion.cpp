// Customers per second of the centre simulator: one replication on one
// thread, and a whole run on one and on two threads.

#include <benchmark/benchmark.h>

#include "model/Red.h"
#include "model/Trabajo.h"
#include "simulate/Replica.h"
#include "simulate/SimulacionCentros.h"

namespace {

using namespace vortena;

constexpr std::int64_t kClientes = 2'000'000;

void Replica(benchmark::State& state, const sim::ParametrosCentro& p) {
    Trabajo trabajo;
    sim::Control control(trabajo, 0);
    std::uint64_t r = 0;
    for (auto _ : state) {
        const sim::ResultadoReplica res =
            sim::SimularReplica(p, {1, 1, r++}, 0, kClientes, 0, control);
        benchmark::DoNotOptimize(res.medidas);
    }
    state.SetItemsProcessed(state.iterations() * kClientes);
}

void BM_ExponencialUnServidor(benchmark::State& state) {
    Replica(state, {0.8, 1 / 0.8, 1.0, 1.0, 1, false});
}
BENCHMARK(BM_ExponencialUnServidor)->Unit(benchmark::kMillisecond);

void BM_Gamma5Servidores(benchmark::State& state) {
    Replica(state, {4.0, 0.5 / 4.0, 1.0, 0.5, 5, false});
}
BENCHMARK(BM_Gamma5Servidores)->Unit(benchmark::kMillisecond);

// A whole run, threads given as the argument: the ratio of the two rates is
// the parallel speed-up.
void BM_SimularCentrosHilos(benchmark::State& state) {
    Red red;
    CentroProductivo& c = red.Centros.Agregar();
    c.predeterminado();
    c.posicion = 1;
    c.Lamda = 0.8;
    c.Desvlamda = 1 / 0.8;
    c.Mu = 1.0;
    c.DesvMu = 1.0;
    OpcionesSimulacion o;
    o.replicas = 8;
    o.clientes = 1'000'000;
    o.calentamiento = 0;
    o.hilos = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Trabajo t;
        benchmark::DoNotOptimize(SimularCentros(red, o, t));
    }
    state.SetItemsProcessed(state.iterations() * o.replicas * o.clientes);
}
BENCHMARK(BM_SimularCentrosHilos)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
