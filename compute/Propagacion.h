#pragma once
// Flow propagation: the required output of the end node spread backward
// through the connection multipliers into every centre's arrival rate.

#include <vector>

#include "model/Documento.h"
#include "model/Red.h"

namespace vortena {

// Forward: every connection's multReal becomes its multiplicador times the
// total flow into its start node (node 1 receives a unit flow). Backward:
// the end node's Salida is shared out over incoming connections in
// proportion to multReal; each centre reached gets the sum of its shares as
// Lamda and its minimum servers. Both passes are linear in the network size.
// The forward flows are kept scaled by powers of two, so long chains whose
// rates are ordinary never overflow on the way. Marks the document modified
// at the end. A rate that truly overflows throws ErrorAritmetico and leaves
// the network as it was.
void PropagarFlujo(Red& red, Documento& doc);

// The flow each connection carries (by connection position, [0] unused) when
// `salida` leaves through the end node, shared out exactly as PropagarFlujo
// shares the end node's Salida; the network is left as it is. A connection
// off every route from the start node to the end node carries 0. Throws
// ErrorAritmetico when a flow overflows.
std::vector<double> FlujoConexiones(const Red& red, double salida);

}  // namespace vortena
