#pragma once
// Replacing a file so that a failure never leaves it truncated: the bytes go
// to a temporary file in the same folder, which then takes the target's name.

#include <string>
#include <string_view>

namespace vortena {

// Throws ErrorArchivo when the file cannot be written; the previous file of
// that name, if any, is then left as it was.
void EscribirAtomico(const std::string& ruta, std::string_view bytes);

}  // namespace vortena
