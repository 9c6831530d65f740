#pragma once
// What the property dialogs work with: the store (the record comes from
// CentroActual or ConexionActual), the editor that redraws the canvas when a
// dialog closes, the message boxes, the document state and the regional
// number format.

#include "editor/Editor.h"
#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"

namespace vortena {

struct ContextoPropiedades {
    Red& red;
    Editor& editor;
    Mensajes& mensajes;
    Documento& doc;
    Regional regional;
};

// Texts shared by the three dialogs.
inline constexpr const char* kTextoCaracter = "Valor numérico Incorrecto";
inline constexpr const char* kTituloCaracter = "Ingreso de un caracter";
// The message of a refused number: kTextoCaracter and the reason, which names
// the form expected ("Use la coma decimal: 1,5").
inline std::string TextoCaracter(const std::string& motivo) {
    return std::string(kTextoCaracter) + ". " + motivo;
}

}  // namespace vortena
