#pragma once
// The step "riesgo": the line's lead time as a distribution, from every
// centre simulated with the options of "simular".

#include <string>

#include "cli/PasoSimular.h"
#include "cli/Pasos.h"
#include "simulate/PlazoLinea.h"

namespace vortena::calc {

// Its own options, then those of "simular".
inline constexpr std::array kOpcionesRiesgo = UnirOpciones(
    std::array{
        Opcion{"--muestras", Clase::Numero, "M",
               Admisible::Entero(AjustesPlazo::kMuestrasMin, AjustesPlazo::kMuestrasMax),
               "default 100000"},
        Opcion{"--deseado", Clase::Numero, "T", Admisible::Positivo(),
               "desired time, default the PERT's time"},
        Opcion{"--cdf", Clase::Texto, "FILE", {}, "gets tiempo<TAB>probabilidad lines"},
    },
    kOpcionesSimular);

// Prints "clave<TAB>valor" lines (pert, media, desviacion, P50, P80, P90,
// P95, Ppert, deseado, Pdeseado), then "posicion<TAB>Nombre<TAB>criticidad
// <TAB>crucialidad" and one line per productive centre in the PERT; with
// --cdf FILE also writes the distribution there. Progress goes to standard
// error only when it is a terminal. False when FILE cannot be written.
bool Riesgo(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
