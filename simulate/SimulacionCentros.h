#pragma once
// Simulation of every productive centre beside its formula.
//
// How to call it:
//   OpcionesSimulacion o;            // R 10, N 100000, K 10000, seed 1, gamma
//   o.tamMuestra = 4096;             // optional: keep a sample of times in centre
//   Trabajo trabajo;                 // cancel flag and progress callback
//   ResultadoSimulacion r = SimularCentros(red, o, trabajo);  // may throw Cancelado
//   for (const ResultadoCentro& c : r.centros) { c.simulado[kW].valor; c.muestra; ... }
//
// SimularCentros copies the network, runs the network computation on the
// copy (the batch step "calcular", silently), and simulates each productive
// centre as one FCFS queue with Servidores identical servers from the copy's
// Lamda, Desvlamda, Mu and DesvMu. The caller's network is never changed.
// It blocks the calling thread; call it from a worker. Results depend only
// on the network and the options, never on the number of threads.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Red.h"
#include "model/Trabajo.h"

namespace vortena {

// Shape of the times whose coefficient of variation is neither 0 (constant)
// nor 1 (exponential).
enum class Distribucion { Gamma, Lognormal };

struct OpcionesSimulacion {
    static constexpr int kReplicasMin = 2;
    static constexpr int kReplicasMax = 1000;  // also the cap of the precision mode
    static constexpr std::int64_t kClientesMax = 1'000'000'000;
    // Customers measured per centre (replications x customers), the
    // precision mode's lengthening included: under a minute of one core.
    static constexpr double kTrabajoMax = 1e9;
    static constexpr int kMuestraMax = 65536;
    // The precision mode lengthens replications up to this many times N.
    static constexpr std::int64_t kAlargueMax = 64;
    static constexpr double kToleranciaMax = 1;

    int replicas = 10;                   // R, when precision is 0
    double precision = 0;                // relative half-width wanted (e.g. 0.01); 0 = fixed R
    std::int64_t clientes = 100000;      // N measured per replication
    std::int64_t calentamiento = 10000;  // K discarded per replication
    bool calentamientoAuto = false;      // MSER-5 on pilot runs instead of K
    double tolerancia = 0.02;            // relative gap below which no figure is flagged
    std::uint64_t semilla = 1;
    int hilos = 0;  // 0 = every core
    Distribucion distribucion = Distribucion::Gamma;
    int tamMuestra = 0;  // times in centre kept per centre; 0 = none
};

// The customers one setting asks for per centre; above kTrabajoMax the run is
// refused.
double TrabajoPorCentro(const OpcionesSimulacion& o);

// The measures, in the order of the batch step's lines.
enum Medida : int { kRho, kP0, kPn, kLq, kL, kWq, kW };
inline constexpr int kNumMedidas = 7;
const char* NombreMedida(int medida);  // "Rho", "P0", ...

// Quantiles of the time in the centre, printed as W50, W90, W95.
inline constexpr std::array<double, 3> kProbCuantiles = {0.5, 0.9, 0.95};
// Rows judged per centre: the measures, then the quantiles.
inline constexpr int kNumFilas = kNumMedidas + 3;
const char* NombreFila(int fila);  // NombreMedida, then "W50", "W90", "W95"

// Mean over the replications and its 95 % half-width (Student's t, R - 1).
struct Estimacion {
    double valor = 0;
    double semiancho = 0;
    bool Contiene(double x) const;
};

// A simulated figure against its formula.
enum class Veredicto {
    Coincide,      // no gap that is both clear (all tests allowed for) and material
    Difiere,       // flagged
    PocosEventos,  // fewer than 10 events informed it: no judgement
    SinFormula,    // nothing exact to compare with
};

struct ResultadoCentro {
    int indice = 0;  // 1-based index in red.Centros
    std::int16_t posicion = 0;
    std::string Nombre;
    bool inestable = false;  // not simulated: utilisation >= 1, a rate 0, a failed formula or:
    bool variabilidadExtrema = false;    // a coefficient of variation above sim::kCVMax
    std::int16_t servidores = 0;         // as the computation left them
    std::int16_t servidoresPedidos = 0;  // as the user's network has them
    std::array<double, kNumMedidas> analitico{};
    std::array<Estimacion, kNumMedidas> simulado{};
    std::array<Estimacion, 3> cuantiles{};                    // of the time in the centre
    std::array<std::optional<double>, 3> cuantilesExactos{};  // exponential centres only
    std::array<Veredicto, kNumFilas> veredicto{};
    std::array<bool, kNumFilas> pocoFiable{};  // the interval may be narrower than it claims
    int replicas = 0;                          // used for this centre
    std::int64_t clientes = 0;                 // measured per replication (precision may lengthen)
    std::int64_t calentamiento = 0;            // the cut used by every replication
    std::vector<int> sinPrecision;             // rows that missed the precision
    // Uniform random sample of the measured times in the centre, across all
    // replications (size min(tamMuestra, R * N)); empty when not asked.
    std::vector<double> muestra;

    bool Dentro(int fila) const { return veredicto[fila] != Veredicto::Difiere; }
    bool TodoDentro() const;
    bool AlgunPocoFiable() const;
    bool Exponencial() const { return cuantilesExactos[0].has_value(); }
    // (analytic - simulated) / simulated; none when only the simulated is 0.
    std::optional<double> ErrorRelativo(int medida) const;
};

struct ResultadoSimulacion {
    OpcionesSimulacion opciones;
    std::vector<ResultadoCentro> centros;  // productive centres, collection order
    int pruebas = 0;                       // figures compared with an exact formula
    double banderasPorAzar = 0;            // flags expected from chance alone (at most)
    int Banderas() const;                  // centres with some flagged figure
};

// Runs the whole simulation (see above). Throws Cancelado when the work was
// cancelled; reports progress through trabajo.Informar.
ResultadoSimulacion SimularCentros(const Red& red, const OpcionesSimulacion& opciones,
                                   Trabajo& trabajo);

}  // namespace vortena
