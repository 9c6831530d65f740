#pragma once
// What the results of the network depend on, as an opaque value: two
// networks with the same fingerprint compute and simulate alike. The
// results windows compare it after every change of the document, so that
// saving, repainting or moving a box does not mark their results out of
// date but any other edit does.

#include <string>

#include "model/Red.h"

namespace vortena {

// Without `servidores`, the server counts are left out: what the cost–time
// front, which ranges over them, depends on.
std::string HuellaRed(const Red& red, bool servidores = true);

}  // namespace vortena
