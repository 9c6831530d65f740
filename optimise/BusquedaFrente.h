#pragma once
// The cost–time front of server counts: every choice of the gene centres'
// counts (minimum to minimum + E) that no other choice beats on both cost
// and time. Exact enumeration when the choices are few, NSGA-II otherwise.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <vector>

#include "model/Trabajo.h"
#include "optimise/FrenteNoDominado.h"
#include "optimise/ModeloFrente.h"
#include "optimise/ModuloNsga.h"

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
    // Memory of an approximate search, whatever P, G and the gene count:
    // the population (P · genes values, held a few times over by NSGA-II)
    // is refused beyond kMaximoGenesPoblacion, about 100 MB, and the cache
    // of evaluations stops remembering new combinations past memoriaCache
    // (a forgotten one is computed again, to the same value). With the
    // front's own keys the search stays under 256 MB.
    static constexpr std::uint64_t kMaximoGenesPoblacion = 2'000'000;
    std::size_t memoriaCache = std::size_t{64} << 20;
};

// A search that cannot run: the module is missing or the settings pass a
// bound. The text is for the user.
struct ErrorFrente : std::runtime_error {
    using std::runtime_error::runtime_error;
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
// reporting through `trabajo` and throwing Cancelado when it is cancelled
// and ErrorFrente when an approximate search cannot run.
// The result depends on the model and the settings only, never on the
// number of threads. The model's E is the one used; `ajustes.extra` is for
// whoever builds the model.
ResultadoFrente BuscarFrente(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                             Trabajo& trabajo);

// The two methods, for tests that want one regardless of the count.
ResultadoFrente FrenteExacto(const ModeloFrente& modelo, int hilos, Trabajo& trabajo);
ResultadoFrente FrenteNsga2(const ModeloFrente& modelo, const AjustesFrente& ajustes,
                            Trabajo& trabajo);

// The NSGA-II module from the first of `carpetas` that has it; throws
// ErrorFrente naming the folders searched when none does.
FuncionNsga CargarModuloNsga(const std::vector<std::filesystem::path>& carpetas);
// The program's own folder (where the module is installed), then the build
// tree's.
std::vector<std::filesystem::path> CarpetasModulos();

// Fills the result from a non-dominated set (cost ascending) and the worst
// values seen; `servidoresDe` turns an element's id into server counts.
void CompletarResultado(
    ResultadoFrente& r, const std::vector<ElementoFrente>& frente, double peorCosto,
    double peorTiempo, const std::function<std::vector<std::int16_t>(std::uint64_t)>& servidoresDe);

}  // namespace vortena
