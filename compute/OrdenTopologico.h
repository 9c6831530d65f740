#pragma once
// Order of the nodes in which every connection runs forward, shared by the
// passes that must see all of a node's predecessors (or successors) first.

#include <cstdint>
#include <vector>

#include "model/Red.h"

namespace vortena {

// Node positions such that each connection's start node comes before its end
// node, walking the nodes' connection lists. Nodes on a cycle, or below one,
// are left out, so a damaged network cannot make a pass loop.
std::vector<std::int16_t> OrdenTopologico(const Red& red);

}  // namespace vortena
