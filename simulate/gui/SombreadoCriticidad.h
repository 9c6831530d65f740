#pragma once
// The canvas layer of the lead-time window: each centre in the PERT filled
// by its criticality index, with the legend of the classes.

#include "editor/Sombreado.h"
#include "simulate/ResultadoPlazo.h"

namespace vortena {

inline constexpr const char* kCapaCriticidad = "criticidad";

Sombreado SombreadoCriticidad(const ResultadoPlazo& r);

}  // namespace vortena
