#pragma once
// The "medidas" step: every node's inputs, measures, costs and PERT fields
// as tab-separated text for other programs, exact and locale-independent.

#include <ostream>
#include <string>

#include "model/Red.h"

namespace vortena::calc {

// Header line, then one line per node in collection order. Reals carry 17
// significant digits and "." so that they read back to the same double.
void EscribirMedidas(const Red& red, std::ostream& out);

// A name as one cell of these tables: tabs and line ends become spaces, so
// it cannot break the columns or the lines.
std::string Celda(std::string s);

// The 17-significant-digit form used above ("0.5", "0.10000000000000001").
std::string TextoExacto(double v);

}  // namespace vortena::calc
