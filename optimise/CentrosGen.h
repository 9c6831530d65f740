#pragma once
// The gene centres: productive centres that took part in the last PERT run,
// in collection order. Gene k of every candidate belongs to the k-th one.

#include <cstdint>
#include <vector>

#include "model/Red.h"

namespace vortena {

std::vector<std::int16_t> CentrosGen(const Red& red);

}  // namespace vortena
