#pragma once
// Replacing a file so that a failure never leaves it truncated: the bytes go
// to a temporary file in the same folder, which then takes the target's name.
// The target is respected: a symbolic link is followed (the link stays, the
// file it names is replaced), permissions and group are kept, a read-only
// file is refused, and a file with other hard links is written in place,
// after a backup copy, so that every name keeps seeing the new contents.

#include <string>
#include <string_view>

namespace vortena {

// Throws ErrorArchivo when the file cannot be written, naming `ruta` and the
// system's reason; the previous file of that name, if any, is then left as
// it was (for an in-place write, its backup copy "<file>.bak" is kept).
void EscribirAtomico(const std::string& ruta, std::string_view bytes);

// The name of the backup copy made before writing a hard-linked file in place.
std::string NombreCopiaSeguridad(const std::string& archivo);

}  // namespace vortena
