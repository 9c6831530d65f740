#pragma once
// Messages for a computation on a private copy of the network: nothing is
// shown, the texts are kept so a failure can be explained afterwards.

#include <string>
#include <vector>

#include "model/Mensajes.h"

namespace vortena {

class MensajesCallados : public Mensajes {
public:
    std::vector<std::string> textos;
    Respuesta Mostrar(const std::string& texto, const std::string&, Botones, Icono) override {
        textos.push_back(texto);
        return Respuesta::Aceptar;
    }
};

}  // namespace vortena
