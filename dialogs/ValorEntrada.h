#pragma once
// The test an entry box applies before it takes a value.

#include <optional>
#include <string_view>

#include "model/Numeros.h"

namespace vortena {

// The value of a typed text, or std::nullopt when it is refused: it must be a
// number in the regional format and carry no group separator, since a
// separator typed by habit would silently scale the value ("1.5" reads as 15
// where "." groups thousands). A whole-number box refuses the decimal
// separator as well.
std::optional<double> ValorDeEntrada(std::string_view texto, const Regional& reg,
                                     bool entero = false);

}  // namespace vortena
