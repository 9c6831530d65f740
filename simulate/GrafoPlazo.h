#pragma once
// The part of the network that a unit's lead time depends on, flattened for
// the draws: the nodes the PERT's forward pass reaches that lead to the end
// node, in an order where every predecessor comes first, with their
// predecessors in one array.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "model/Red.h"

namespace vortena {

// Per-centre samples of the time in the centre, indexed by position - 1. An
// empty (or missing) sample means the centre lasts its W every time.
using MuestrasCentros = std::vector<std::vector<double>>;

// The start or end node cannot be reached, or a sample holds a negative,
// infinite or NaN time, or is too large to draw from.
class ErrorPlazo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct GrafoPlazo {
    // Node 0 is the start node, the last node the end node.
    std::vector<std::int16_t> posicion;
    // Predecessors of node v: pred[inicioPred[v]] .. pred[inicioPred[v + 1] - 1].
    std::vector<std::int32_t> inicioPred;
    std::vector<std::int32_t> pred;
    // Sample a node's duration is drawn from; null for a fixed duration `w`
    // (the start node lasts 0, the end node is never waited for).
    std::vector<const double*> muestra;
    std::vector<std::uint32_t> tamMuestra;
    std::vector<double> w;
    // The PERT's longest path with every node lasting its W.
    double pert = 0;

    int Nodos() const { return static_cast<int>(posicion.size()); }
    int Fin() const { return Nodos() - 1; }
    // Nodes whose duration changes from draw to draw.
    int NodosAleatorios() const;
};

// Mirrors the PERT's forward pass (a node enters once all its incoming
// connections are done) from red.NodoInicio; the samples must outlive the
// result. Throws ErrorPlazo when the end node is not reached.
GrafoPlazo ConstruirGrafoPlazo(const Red& red, const MuestrasCentros& muestras);

}  // namespace vortena
