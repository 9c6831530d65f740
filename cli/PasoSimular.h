#pragma once
// The step "simular": every productive centre simulated beside its formula,
// one tab-separated line per centre and measure.

#include <optional>
#include <string>

#include "cli/Pasos.h"
#include "model/Numeros.h"
#include "simulate/SimulacionCentros.h"

namespace vortena::calc {

// One option shared by "simular" and "riesgo" read into `o`: `conocida` is
// false when `nombre` is not one of them; a usage error text when its value
// is wrong.
std::optional<std::string> LeerOpcionSimulacion(const std::string& nombre, const std::string& valor,
                                                const Regional& reg, OpcionesSimulacion& o,
                                                bool& conocida);
// `vistas` holds " --name " for every option given: the pairs that may not
// go together.
std::optional<std::string> ComprobarJuntas(const std::string& vistas);

// The options as the command line gathered them: "--name=value" lines.
// A usage error text when one is unknown, repeated or out of range.
std::optional<std::string> ComprobarSimular(const std::string& opciones, const Regional& reg);

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
