#pragma once
// Everything the document commands ask of the user: message boxes, the file
// names of the open and save dialogs, and the printer set-up.

#include <optional>
#include <string>

#include "model/Mensajes.h"

namespace vortena {

inline constexpr const char* kFiltroVtq = "Archivos de Vortena (*.vtq)|*.vtq|";
// The open dialog also lists every file: a network saved under another name
// can still be found.
inline constexpr const char* kFiltroAbrir =
    "Archivos de Vortena (*.vtq)|*.vtq|Todos los archivos (*)|*|";
inline constexpr const char* kFiltroTexto = "Archivo de Texto (*.txt)|*.txt|";

class Dialogos : public Mensajes {
public:
    // The chosen full path, or std::nullopt when the user cancelled.
    virtual std::optional<std::string> NombreAbrir(const std::string& filtro) = 0;
    // `propuesto`: the name the dialog starts with; a path, or a bare file
    // name that the dialog places in the user's documents folder. Empty: none.
    virtual std::optional<std::string> NombreGuardar(const std::string& filtro,
                                                     const std::string& propuesto) = 0;
    virtual void ConfigurarImpresora() = 0;
};

}  // namespace vortena
