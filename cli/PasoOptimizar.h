#pragma once
// The step "optimizar": the genetic search of server counts as the dialog
// runs it, with the dialog's settings given as options after the step.

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"

namespace vortena::calc {

// The options as the command line gathered them: "--name=value" lines.
// A usage error text when one is unknown, repeated or out of range.
std::optional<std::string> ComprobarOptimizar(const std::string& opciones, const Regional& reg);

// Prints " Costo: … Tiempo: …" and one line per gene centre: posicion, Nombre
// and the best candidate's server count, tab-separated. The network keeps
// the best candidate's counts. A network the search cannot open, or a desired
// time at or below the minimum, is told through the messages and prints
// nothing.
bool Optimizar(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
