#pragma once
// The line as one system: units enter from INICIO, flow through the centres
// as the connections share them out and leave at FIN, each centre a FCFS
// queue fed only by what the line sends it.
//
// How to call it:
//   OpcionesSimulacion o;                   // R, N units, warm-up K units, seed...
//   Trabajo trabajo;
//   ResultadoLinea r = SimularLinea(red, o, deseado, trabajo);  // may throw
//   r.linea[kMedia].valor, r.centros[i].simulado[kW], r.rutas[0].paso ...
//
// The flows come from the propagation run on a private copy (the user's
// Servidores stay); the user's network is never changed. Throws ErrorLinea
// (simulate/Linea.h) for a line that cannot be simulated, Cancelado when the
// work is cancelled. The same seed gives the same figures on any number of
// threads. It blocks the calling thread; call it from a worker.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/Red.h"
#include "model/Trabajo.h"
#include "simulate/Linea.h"
#include "simulate/ReplicaLinea.h"
#include "simulate/SimulacionCentros.h"

namespace vortena {

using sim::kNumMedidasLinea;
using sim::MedidaLinea;

// "media", "desviacion", "P50", ..., "produccion", "wip".
const char* NombreMedidaLinea(int medida);

struct CentroLinea {
    int indice = 0;  // 1-based index in red.Centros
    std::int16_t posicion = 0;
    std::string Nombre;
    std::int16_t servidores = 0;
    bool recibe = false;  // the line sends it units
    double flujo = 0;     // units per time it receives
    // The formula's figures for the centre as typed (as `simular` shows).
    bool formula = false;  // the formula could be computed
    std::array<double, kNumMedidas> analitico{};
    double cvAnalitico = 0;  // arrival coefficient of variation the formula uses
    std::array<Estimacion, kNumMedidas> simulado{};
    Estimacion cvLlegadas, paso, aporte, crucialidad;
    // Over all replications: measured units that waited (Pn, Lq, Wq) and
    // idle periods (P0); fewer than sim::kEventosMin leaves them unjudged.
    std::int64_t esperaron = 0, vacios = 0;

    bool Dentro(int medida) const { return simulado[medida].Contiene(analitico[medida]); }
};

struct RutaLinea {
    std::vector<std::int16_t> centros;  // positions, in the order visited
    Estimacion paso, media, P50, P90, P95;
};

struct PuntoCurva {
    double probabilidad = 0;
    Estimacion tiempo;  // the lead time with that probability of not being exceeded
};

struct ResultadoLinea {
    OpcionesSimulacion opciones;
    double pert = 0;     // the PERT's longest path with each centre lasting its W
    double deseado = 0;  // the desired time asked (the PERT's when none)
    std::array<Estimacion, kNumMedidasLinea> linea{};
    int replicas = 0;
    std::int64_t clientes = 0;       // units measured per replication (precision mode may lengthen)
    std::int64_t calentamiento = 0;  // units cut at the start of each replication
    std::int64_t visitas = 0;        // centre visits simulated
    std::vector<std::string> sinPrecision;  // line measures that missed --precision
    // Line measures whose interval may be narrower than it claims (skewed
    // replication means, replications still trending or too short).
    std::vector<std::string> pocoFiables;
    std::vector<std::string> tasasDistintas;  // see AvisoTasas
    std::vector<CentroLinea> centros;         // productive centres, collection order
    std::vector<RutaLinea> rutas;             // by share, at most 20
    std::vector<PuntoCurva> curva;            // the S-curve with its interval
    // The lead times of every measured unit pooled: (time, fraction at or
    // below it), at most 1,000 points, the last at 1.
    std::vector<std::pair<double, double>> distribucion;
};

inline constexpr std::size_t kRutasMostradas = 20;

// The comment lines that say what the run decided ("# replicas 10",
// "# clientes 100000", "# calentamiento 2000", "# precision no alcanzada:
// media", "# intervalo poco fiable: P95"), each ending in a newline.
std::string HechosCorrida(const ResultadoLinea& r);

ResultadoLinea SimularLinea(const Red& red, const OpcionesSimulacion& opciones,
                            std::optional<double> deseado, Trabajo& trabajo);

}  // namespace vortena
