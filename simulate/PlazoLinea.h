#pragma once
// The line's lead time as a distribution: the PERT's longest path from the
// start node to the end node, with each centre lasting a time drawn from its
// own sample of simulated times in the centre instead of its W, drawn M
// times.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/Red.h"
#include "model/Trabajo.h"
#include "simulate/GrafoPlazo.h"
#include "simulate/ResultadoPlazo.h"

namespace vortena {

struct AjustesPlazo {
    static constexpr std::int64_t kMuestrasMin = 1;
    static constexpr std::int64_t kMuestrasMax = 10'000'000;

    std::int64_t muestras = 100000;  // draws
    std::optional<double> deseado;   // the PERT's time when not given
    std::uint64_t semilla = 1;
    int hilos = 0;  // 0: every core
};

// Largest sample per centre that keeps all the samples of `centros`
// centres under 256 MB, and never above 65,536.
std::size_t TamMuestraCentro(int centros);

// Draws in blocks of this many, each block with its own random stream, so
// the result depends on the seed only, never on the number of threads.
inline constexpr std::int64_t kSorteosPorBloque = 4096;

// `red` must have been through the PERT (compute/Pert.h): the centres that
// take part in it are the ones reported. Throws ErrorPlazo for an invalid
// start or end node or sample, std::invalid_argument for settings out of
// range, Cancelado when `trabajo` is cancelled (within one batch of draws).
ResultadoPlazo CalcularPlazo(const Red& red, const MuestrasCentros& muestras,
                             const AjustesPlazo& ajustes, Trabajo& trabajo);

}  // namespace vortena
