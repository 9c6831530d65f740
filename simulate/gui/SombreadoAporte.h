#pragma once
// The canvas layer of the lead-time window: each centre filled by its share
// of the mean lead time (`aporte`), with the legend of the classes.

#include "editor/Sombreado.h"
#include "simulate/SimulacionLinea.h"

namespace vortena {

inline constexpr const char* kCapaAporte = "aporte";

Sombreado SombreadoAporte(const ResultadoLinea& r);

}  // namespace vortena
