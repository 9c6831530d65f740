#pragma once
// A deep copy of a network, so long searches can compute on their own copy
// and never touch the user's.

#include "model/Red.h"

namespace vortena {

// The collections hold their records by pointer, so Red itself cannot be
// copied; this copies every record.
void CopiarRed(const Red& origen, Red& destino);

}  // namespace vortena
