#pragma once
// The mean of independent replications and its 95 % confidence half-width.

#include <span>

#include "simulate/SimulacionCentros.h"

namespace vortena::sim {

// Student's t with n - 1 degrees of freedom; half-width 0 for fewer than 2.
Estimacion Estimar(std::span<const double> valores);

}  // namespace vortena::sim
