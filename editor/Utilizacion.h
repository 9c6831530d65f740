#pragma once
// The "Colorear por utilización" overlay: each productive centre filled by
// its utilisation on a green-to-red scale.

#include "editor/Sombreado.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

inline constexpr const char* kCapaUtilizacion = "utilizacion";

// Green at 0, yellow at one half, red at 1 and beyond; a negative value is
// taken as 0.
Color ColorUtilizacion(double utilizacion);

// The layer for the network as it stands: a fill for every productive
// centre and the legend of the scale; while the figures are stale
// (Red::ResultadosAlDia), one grey for all and a legend saying so.
Sombreado SombreadoUtilizacion(const Red& red, const Regional& reg);

}  // namespace vortena
