#pragma once
// The file an export goes to. The extension is settled before anything else,
// so the question about an existing file is about the file that will really
// be written ("diagrama" is checked as "diagrama.png").

#include <optional>
#include <string>
#include <vector>

#include "files/Dialogos.h"

namespace vortena {

// `nombre` when it ends in one of `extensiones` (".png", any case), otherwise
// `nombre` followed by the first of them.
std::string ConExtensionDe(const std::string& nombre, const std::vector<std::string>& extensiones);

// Asks the save dialog for a name, completes its extension and, when that
// file exists, asks whether to replace it. std::nullopt when the dialog was
// cancelled or the user kept the existing file.
std::optional<std::string> NombreExportar(Dialogos& dialogos, const std::string& filtro,
                                          const std::vector<std::string>& extensiones,
                                          const std::string& propuesto = {});

// The question asked before replacing `ruta`.
std::string TextoReemplazar(const std::string& ruta);

}  // namespace vortena
