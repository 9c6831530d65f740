// Centre visits per second of the line simulation on a 10-centre tandem of
// exponential single-server centres (utilisation 0.8), every measure
// collected, on one and on two threads: the ratio is the parallel speed-up.

#include <benchmark/benchmark.h>

#include <string>

#include "model/Red.h"
#include "model/Trabajo.h"
#include "simulate/SimulacionLinea.h"

namespace {

using namespace vortena;

Red Tandem(int centros) {
    Red red;
    const auto nodo = [&](const std::string& nombre) -> CentroProductivo& {
        CentroProductivo& c = red.Centros.Agregar();
        c.posicion = static_cast<std::int16_t>(red.Centros.Count());
        c.Nombre = nombre;
        return c;
    };
    const auto conectar = [&](std::int16_t a, std::int16_t b) {
        linea& l = red.Conexiones.Agregar();
        l.posicion = static_cast<std::int16_t>(red.Conexiones.Count());
        l.CentroInicio = a;
        l.CentroFin = b;
        red.Centros(a).AgregarSalida(l.posicion);
        red.Centros(b).AgregarEntrada(l.posicion);
    };
    nodo("INICIO");
    for (int i = 0; i < centros; ++i) {
        CentroProductivo& c = nodo("C" + std::to_string(i + 1));
        c.Lamda = 1;
        c.Desvlamda = 1;
        c.Mu = 1.25;
        c.DesvMu = 0.8;
        c.Servidores = 1;
        conectar(static_cast<std::int16_t>(c.posicion - 1), c.posicion);
    }
    nodo("FIN").Salida = 1;
    conectar(static_cast<std::int16_t>(centros + 1), static_cast<std::int16_t>(centros + 2));
    red.NodoInicio = 1;
    red.NodoFin = static_cast<std::int16_t>(centros + 2);
    return red;
}

void BM_LineaTandem10(benchmark::State& state) {
    const Red red = Tandem(10);
    OpcionesSimulacion o;
    o.replicas = 8;
    o.clientes = 250'000;
    o.calentamiento = 10'000;
    o.hilos = static_cast<int>(state.range(0));
    std::int64_t visitas = 0;
    for (auto _ : state) {
        Trabajo t;
        const ResultadoLinea r = SimularLinea(red, o, std::nullopt, t);
        visitas += r.visitas;
        benchmark::DoNotOptimize(r.linea);
    }
    state.SetItemsProcessed(visitas);
}
BENCHMARK(BM_LineaTandem10)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
