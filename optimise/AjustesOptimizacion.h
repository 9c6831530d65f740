#pragma once
// The search settings the dialog's sliders hold (or the batch tool's
// options), read by the loop at the moment it uses them.

#include <cstdint>

namespace vortena {

struct AjustesOptimizacion {
    static constexpr std::int16_t kHabitantesMin = 5, kHabitantesMax = 50;
    static constexpr std::int16_t kDeltaMin = 1, kDeltaMax = 8;
    static constexpr std::int16_t kDiversidadMin = 1, kDiversidadMax = 100;
    static constexpr const char* kIteracionesPorDefecto = "100";
    // The batch tool's bound on generations: a million runs for hours on a
    // large line; beyond it a typing slip would run for years.
    static constexpr double kIteracionesMax = 1'000'000;

    std::int16_t habitantes = 5;   // H: parents; the active population is 3H
    std::int16_t delta = 2;        // δ: most servers a mutation adds
    std::int16_t diversidad = 74;  // w: optimality against diversity
};

}  // namespace vortena
