#pragma once
// The cost–time front of server counts: every choice of the gene centres'
// counts (minimum to minimum + E) that no other choice beats on both cost
// and time. Exact enumeration when the choices are few, NSGA-II otherwise.

#include <cstdint>
#include <functional>
#include <vector>

#include "model/Trabajo.h"
#include "optimise/FrenteNoDominado.h"
#include "optimise/ModeloFrente.h"

namespace vortena {

struct AjustesFrente {
    static constexpr std::uint64_t kLimiteExacto = 1'000'000;
    int extra = 10;          // E
    int poblacion = 100;     // P, rounded up to a multiple of 4 (NSGA-II needs it)
    int generaciones = 200;  // G
    std::uint32_t semilla = 1;
    int hilos = 0;  // 0: one per processor
    // Below this much work a batch of NSGA-II is computed on one thread
    // (CacheFrente::kMinimoParalelo); tests lower it to exercise the threads.
    std::size_t minimoParalelo = 200'000;
};

struct PuntoFrente {
    double costo = 0;
    double tiempo = 0;
    std::vector<std::int16_t> servidores;  // per gene centre
    double aporte = 0;                     // exclusive share of the hypervolume
};

struct ResultadoFrente {
    bool exacto = true;
    std::vector<PuntoFrente> puntos;  // by cost ascending
    double hipervolumen = 0;
    double refCosto = 0, refTiempo = 0;
    std::uint64_t evaluaciones = 0;  // combinations computed
};

// Runs on the caller's thread (the batch tool) or a worker (the window),
// reporting through `trabajo` and throwing Cancelado when it is cancelled.
// The result depends on the model and the settings only, never on the
// number of threads. The model's E is the one used; `ajustes.extra` is for
// whoever builds the model.
ResultadoFrente BuscarFrente(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                             Trabajo& trabajo);

// The two methods, for tests that want one regardless of the count.
ResultadoFrente FrenteExacto(const ModeloFrente& modelo, int hilos, Trabajo& trabajo);
ResultadoFrente FrenteNsga2(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                            Trabajo& trabajo);

// Fills the result from a non-dominated set (cost ascending) and the worst
// values seen; `servidoresDe` turns an element's id into server counts.
void CompletarResultado(
    ResultadoFrente& r, const std::vector<ElementoFrente>& frente, double peorCosto,
    double peorTiempo, const std::function<std::vector<std::int16_t>(std::uint64_t)>& servidoresDe);

}  // namespace vortena
