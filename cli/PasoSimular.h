#pragma once
// The step "simular": every productive centre simulated beside its formula,
// one tab-separated line per centre and measure.

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"

namespace vortena::calc {

// The options as the command line gathered them: "--name=value" lines.
// A usage error text when one is unknown, repeated or out of range.
std::optional<std::string> ComprobarSimular(const std::string& opciones, const Regional& reg);

// Prints the header and, for every productive centre in collection order,
// one line per measure: posicion, Nombre, medida, analitico, simulado,
// semiancho, dentro; an unstable centre gets one "inestable" line with empty
// figures. Progress goes to standard error when it is a terminal.
bool Simular(EntornoCalc& e, const std::string& opciones);

}  // namespace vortena::calc
