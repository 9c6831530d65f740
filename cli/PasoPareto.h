#pragma once
// The step "pareto": the cost–time front of the gene centres' server counts,
// as tab-separated text.

#include <array>
#include <string>

#include "cli/Opciones.h"
#include "cli/Pasos.h"
#include "optimise/ModeloFrente.h"

namespace vortena::calc {

inline constexpr std::array kOpcionesPareto = {
    Opcion{"--extra", Clase::Numero, "E", Admisible::Entero(0, kExtraFrenteMax),
           "servers above the minimum, default 10"},
    Opcion{"--poblacion", Clase::Numero, "P", Admisible{8, 10000, false, false, true, 4},
           "default 100"},
    Opcion{"--generaciones", Clase::Numero, "G", Admisible::Entero(1, 100000), "default 200"},
    Opcion{"--semilla", Clase::Numero, "S", Admisible::Entero(0, 4294967295.0), "default 1"},
    Opcion{"--hilos", Clase::Numero, "T", Admisible::Entero(1, 256), "default one per processor"},
};

// Prints "metodo", "hipervolumen", the header and one line per front point
// by cost ascending. A network that does not compute is told through the
// messages and prints nothing. The network is not changed.
bool Pareto(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
