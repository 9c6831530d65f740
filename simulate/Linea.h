#pragma once
// The line as the simulation walks it: the productive centres that receive
// units, in an order where every upstream centre comes first, each with its
// servers, its service time and where its units go next, and the streams
// that enter from the start node.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Red.h"

namespace vortena {

// The line cannot be simulated: a cycle, a centre at or over its capacity,
// no start or end node, a flow that cannot be computed.
class ErrorLinea : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace sim {

inline constexpr int kFin = -1;  // destination: the unit leaves the line

struct NodoLinea {
    int indice = 0;  // 1-based index in red.Centros
    std::int16_t posicion = 0;
    int servidores = 1;
    double mu = 1, desvMu = 1;
    double flujo = 0;  // units per time the line sends it
    // Where a unit goes when it leaves: node numbers in this line (or kFin),
    // chosen with the cumulative probabilities `acumulada` (the last is 1).
    std::vector<int> destinos;
    std::vector<double> acumulada;
    int bitsRuta = 0;  // bits that record the choice in a unit's route
};

struct FuenteLinea {
    int destino = kFin;  // node fed
    double tasa = 0;     // units per time
    double cv = 1;       // coefficient of variation of the times between units
};

struct Linea {
    std::vector<NodoLinea> nodos;  // upstream first
    std::vector<FuenteLinea> fuentes;
    double flujoTotal = 0;  // units per time entering
    int caminoMax = 1;      // most centres a unit can visit
    // Productive centres whose typed Lamda is not the flow the line sends
    // them (relative difference over 1e-9), by name, collection order.
    std::vector<std::string> tasasDistintas;
    // Position of node i + 1 in red.Centros → node number, -1 when the
    // centre receives no units.
    std::vector<int> nodoDeCentro;
};

// Computes the flows on a private copy (the propagation, without resizing
// servers: the centres keep their Servidores) and lays the line out. Throws
// ErrorLinea naming what is wrong.
Linea ConstruirLinea(const Red& red);

}  // namespace sim

// "Las tasas de llegada no coinciden con el flujo de la línea: A, B" (at
// most ten names, then how many more); empty when every rate agrees.
std::string AvisoTasas(const std::vector<std::string>& nombres);

}  // namespace vortena
