#pragma once
// The whole lead-time run as the batch step and the window ask for it: the
// network computed on a private copy, every centre simulated keeping a
// sample of its times in the centre, then the PERT drawn from those samples.

#include "model/Red.h"
#include "model/Trabajo.h"
#include "simulate/PlazoLinea.h"
#include "simulate/SimulacionCentros.h"

namespace vortena {

// The user's network is never changed. The sample size asked of the
// simulator is TamMuestraCentro for the network's centres, whatever
// `opciones` says. Throws ErrorPlazo when the network cannot be computed,
// its start or end node is invalid or a centre on the way is unstable;
// Cancelado when `trabajo` is cancelled. Progress runs 0..1 over both parts.
ResultadoPlazo SimularPlazo(const Red& red, OpcionesSimulacion opciones,
                            const AjustesPlazo& ajustes, Trabajo& trabajo);

}  // namespace vortena
