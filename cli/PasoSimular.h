#pragma once
// The step "simular": every productive centre simulated beside its formula,
// one tab-separated line per centre and measure.

#include <array>
#include <optional>
#include <string>

#include "cli/Opciones.h"
#include "cli/Pasos.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::calc {

// Whole numbers up to 2^53 read exactly through the number module.
inline constexpr double kSemillaSimulacionMax = 9007199254740992.0;

// The options of "simular", taken by "riesgo" as well.
inline constexpr std::array kOpcionesSimular = {
    Opcion{"--replicas", Clase::Numero, "R",
           Admisible::Entero(OpcionesSimulacion::kReplicasMin, OpcionesSimulacion::kReplicasMax),
           "default 10"},
    Opcion{"--precision",
           Clase::Numero,
           "P",
           Admisible{0, 1, true, true, false, 1},
           "relative half-width, replications until reached",
           {},
           "--replicas"},
    Opcion{"--clientes", Clase::Numero, "N",
           Admisible::Entero(1, static_cast<double>(OpcionesSimulacion::kClientesMax)),
           "customers per replication, default 100000"},
    Opcion{"--calentamiento", Clase::Numero, "K|auto",
           Admisible::Entero(0, static_cast<double>(OpcionesSimulacion::kClientesMax)),
           "warm-up customers, default 10000", "auto"},
    Opcion{"--semilla", Clase::Numero, "S", Admisible::Entero(0, kSemillaSimulacionMax),
           "default 1"},
    Opcion{"--hilos", Clase::Numero, "T", Admisible::Entero(1, 1024), "default every core"},
    Opcion{"--distribucion", Clase::Palabra, "", {}, "default gamma", "gamma|lognormal"},
    Opcion{"--tolerancia", Clase::Numero, "T",
           Admisible{0, OpcionesSimulacion::kToleranciaMax, false, false, false, 1},
           "relative gap below which no figure is flagged, default 0.02"},
};

// "simular" itself: those, and the switch that puts the centres inside the line.
inline constexpr std::array kOpcionesSimularPaso = UnirOpciones(
    kOpcionesSimular, std::array{Opcion{"--linea",
                                        Clase::Interruptor,
                                        "",
                                        {},
                                        "the centres inside the line, with CVllegadas rows"}});

// The simulation settings of the options read; what was not given keeps
// its default.
OpcionesSimulacion AjustesSimulacion(const OpcionesLeidas& leidas);
// Replications × (customers + warm-up) above the maximum per centre.
std::optional<std::string> ComprobarTrabajo(const OpcionesLeidas& leidas, const Regional& reg);

// Prints the header and, for every productive centre in collection order,
// one line per measure: posicion, Nombre, medida, analitico, simulado,
// semiancho, dentro; an unstable centre gets one "inestable" line with empty
// figures. With --linea the centres are simulated inside the line instead
// (a centre the line sends nothing gets one "sinflujo" line) and each also
// gets a CVllegadas line: the arrival variability the formula uses beside
// the one the centre saw. Progress goes to standard error when it is a
// terminal.
bool Simular(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
