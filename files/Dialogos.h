#pragma once
// Everything the document commands ask of the user: message boxes, the file
// names of the open and save dialogs, and the printer set-up.

#include <optional>
#include <string>

#include "model/Mensajes.h"

namespace vortena {

inline constexpr const char* kFiltroVtq = "Archivos de Vortena (*.vtq)|*.vtq|";

class Dialogos : public Mensajes {
public:
    // The chosen full path, or std::nullopt when the user cancelled.
    virtual std::optional<std::string> NombreAbrir(const std::string& filtro) = 0;
    virtual std::optional<std::string> NombreGuardar(const std::string& filtro) = 0;
    virtual void ConfigurarImpresora() = 0;
};

}  // namespace vortena
