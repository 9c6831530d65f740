#pragma once
// The step "pareto": the cost–time front of the gene centres' server counts,
// as tab-separated text.

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"

namespace vortena::calc {

// The options as the command line gathered them: "--name=value" lines.
// A one-line usage error naming the option when one is unknown, repeated
// or out of range.
std::optional<std::string> ComprobarPareto(const std::string& opciones, const Regional& reg);

// Prints "metodo", "hipervolumen", the header and one line per front point
// by cost ascending. A network that does not compute is told through the
// messages and prints nothing. The network is not changed.
bool Pareto(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
