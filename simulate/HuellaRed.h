#pragma once
// What a simulation of the network depends on, as an opaque value: two
// networks with the same fingerprint simulate alike. The results windows
// compare it after every change of the document, so that saving or
// repainting does not mark their results out of date but any edit does.

#include <string>

#include "model/Red.h"

namespace vortena {

std::string HuellaRed(const Red& red);

}  // namespace vortena
