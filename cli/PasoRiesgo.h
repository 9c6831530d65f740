#pragma once
// The step "riesgo": the line's lead time as a distribution, from every
// centre simulated with the options of "simular".

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"

namespace vortena::calc {

// The options as the command line gathered them: "--name=value" lines. A
// usage error text, naming the option, when one is unknown, repeated or
// out of range.
std::optional<std::string> ComprobarRiesgo(const std::string& opciones, const Regional& reg);

// Prints "clave<TAB>valor" lines (pert, media, desviacion, P50, P80, P90,
// P95, Ppert, deseado, Pdeseado), then "posicion<TAB>Nombre<TAB>criticidad
// <TAB>crucialidad" and one line per productive centre in the PERT; with
// --cdf FILE also writes the distribution there. Progress goes to standard
// error only when it is a terminal. False when FILE cannot be written.
bool Riesgo(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
