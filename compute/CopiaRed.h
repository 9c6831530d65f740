#pragma once
// A private copy of the network for work that must not touch the user's
// (searches, simulations, the front), and that copy computed without a
// word: its messages are kept, never shown.

#include <string>
#include <vector>

#include "model/Mensajes.h"
#include "model/Red.h"

namespace vortena {

// The collections hold their records by pointer, so Red itself cannot be
// copied; this copies every record and the network's own fields.
Red CopiarRed(const Red& red);

// Messages of a computation on a private copy: nothing is shown, the texts
// are kept so a failure can be explained afterwards.
class MensajesCallados : public Mensajes {
public:
    std::vector<std::string> textos;
    Respuesta Mostrar(const std::string& texto, const std::string&, Botones, Icono) override {
        textos.push_back(texto);
        return Respuesta::Aceptar;
    }
};

// The copy computed as the "Calcular" command computes the user's network
// (CalcularRed), nothing shown: `callados` keeps what would have been said
// and the copy's ErrorCalculo whether it failed.
Red CopiaCalculada(const Red& red, MensajesCallados& callados);

}  // namespace vortena
