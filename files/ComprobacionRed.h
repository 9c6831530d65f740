#pragma once
// The structural invariants that the network computations rely on: their
// walks index by position and their recursions end only on an acyclic graph.

#include <optional>
#include <string>

#include "model/Red.h"

namespace vortena {

// What is wrong with the network, or std::nullopt when it is sound. Naming
// rules (one "INICIO", one "FIN") are not checked: nodes may be renamed.
std::optional<std::string> ProblemaEnRed(const Red& red);

}  // namespace vortena
