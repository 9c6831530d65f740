#pragma once
// The one way this program writes a file (network, report, tables, pictures),
// so that a failure never leaves the target truncated or mixed: it holds the
// old bytes or the new ones.
//
// - A plain target is replaced: the bytes go to a temporary file in the same
//   folder, flushed, which then takes the target's name; the folder is
//   flushed too. Permissions and group are kept.
// - A target with other hard links is written in place so that every name
//   sees the new contents: first an exclusive backup copy (a new file, never
//   an existing name nor a link), then the new size is reserved, then the
//   bytes; on any failure the old bytes are put back.
// - A symbolic link is followed (the link stays; the file it names is
//   replaced or, for a dangling link, created).
// - Temporary files are named ".vortena-<16 hex digits>.tmp"; those left by a
//   save that was killed are removed by the next save into the same folder
//   (only the user's own, and only when no writer holds them). A backup copy
//   is "<name>.bak-<6 hex digits>", the name shortened to fit 255 bytes; it is
//   removed once the target is safe, and named in the message otherwise.
// - A read-only target, a folder, a device and the protected file (the open
//   network's, when writing anything else) are refused before a byte moves.

#include <string>
#include <string_view>

#include "files/SistemaArchivos.h"

namespace vortena {

// Throws ErrorArchivo naming `ruta` and the system's reason; the previous
// file is then as it was, or the text says where its backup copy is.
// `protegido`, when not empty, is a file that must not be replaced (the same
// file under any name or link).
void EscribirAtomico(const std::string& ruta, std::string_view bytes,
                     const std::string& protegido = {}, SistemaArchivos& sistema = SistemaReal());

}  // namespace vortena
