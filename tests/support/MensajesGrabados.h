#pragma once
// Records every message box the core asks for and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "model/Mensajes.h"

namespace vortena::prueba {

struct MensajeVisto {
    std::string texto;
    std::string titulo;
    Botones botones;
    Icono icono;
};

class MensajesGrabados : public Mensajes {
public:
    std::vector<MensajeVisto> vistos;
    // Answers given in order to the boxes that ask (Yes/No, Yes/No/Cancel); Si
    // when the script runs out.
    std::deque<Respuesta> respuestas;

    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override {
        vistos.push_back({texto, titulo, botones, icono});
        if (botones == Botones::Aceptar) return Respuesta::Aceptar;
        if (respuestas.empty()) return Respuesta::Si;
        Respuesta r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
    std::vector<std::string> Textos() const {
        std::vector<std::string> t;
        for (const auto& m : vistos) t.push_back(m.texto);
        return t;
    }
};

}  // namespace vortena::prueba
