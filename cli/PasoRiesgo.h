#pragma once
// The step "riesgo": the line's lead time as a distribution, from units
// simulated flowing through the whole line with the options of "simular".

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"

namespace vortena::calc {

// The options as the command line gathered them: "--name=value" lines. A
// usage error text, naming the option, when one is unknown, repeated or
// out of range.
std::optional<std::string> ComprobarRiesgo(const std::string& opciones, const Regional& reg);

// Simulates the whole line and prints pert and deseado, then media,
// desviacion, P50, P80, P90, P95, Ppert, Pdeseado, produccion and wip each
// with its 95 % half-width, replicas; the table "posicion Nombre paso aporte
// crucialidad" with every productive centre; an empty line and the table
// "ruta paso media P50 P90 P95 centros". With --cdf FILE also writes the
// distribution there (safely: a failed write leaves the old file). Progress
// goes to standard error only when it is a terminal. False when FILE cannot
// be written.
bool Riesgo(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
