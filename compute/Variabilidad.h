#pragma once
// Arrival variability passed down the line. A centre fed only by other
// centres does not see renewal arrivals of its typed deviation but what the
// centres before it send out: a regular, loaded station smooths the stream,
// an erratic one passes its bursts on. The two-moment decomposition of open
// networks of multi-server stations approximates that stream by its squared
// coefficient of variation, linear in the network size, so the optimisers
// can afford it on every configuration they try.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

// Squared coefficient of variation of the departures of a station with
// utilisation u and s servers whose arrivals and services have the squared
// coefficients ca2 and cs2: 1 + (1 - u²)(ca2 - 1) + u²(cs2 - 1)/√s.
double CuadradoSalida(double ca2, double cs2, double u, int servidores);
// Of the stream a connection carries when it takes share p of a station's
// departures (each unit routed independently): p·cd2 + 1 - p.
double CuadradoRama(double cd2, double parte);

struct Variabilidad {
    // By node position: the arrival coefficient of variation the line gives
    // the centre, meaningful where `calculado` is set: a centre in the line
    // with a positive Lamda and no connection from INICIO.
    std::vector<double> cArribo;
    std::vector<char> calculado;
    // The first centre, in topological order, whose Lamda reaches or exceeds
    // Servidores·Mu (0 when none), and its utilisation. When set, cArribo
    // is incomplete.
    std::int16_t saturado = 0;
    double utilizacion = 0;
    // Centres in the line whose Lamda differs from the flow the line sends
    // them (the rates were edited without propagating).
    std::vector<std::int16_t> distintos;
    // Some centre receives flow from the start node to the end node.
    bool hayLinea = false;
};

// The variability the line gives every centre, without touching the network.
// A centre's own utilisation comes from its Lamda, Mu and Servidores, as its
// queue formulas see them; the shares at splits and the weights at merges
// come from the flow each connection carries (FlujoConexiones), which do not
// depend on the end node's Salida. Centres off every route to the end node,
// on a cycle or below one are left out. Throws ErrorAritmetico when a
// coefficient overflows.
Variabilidad CalcularVariabilidad(const Red& red);

// The command: every centre CalcularVariabilidad computes gets Desvlamda =
// cArribo / Lamda; centres with a connection from INICIO keep theirs (they
// describe what enters the line). A saturated centre, an overflow or a line
// no flow reaches stops it with a message and nothing changes. Tells which
// centres' rates differ from the line's flow. Marks the document modified
// only when some deviation changed. True when it ran to the end.
bool PropagarVariabilidad(Red& red, Mensajes& mensajes, Documento& doc, const Regional& reg);

// Name of the command and of its undo step.
inline constexpr const char* kAccionVariabilidad = "Propagar variabilidad";

}  // namespace vortena
