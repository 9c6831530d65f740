#pragma once
// A private copy of the network for work that must not touch the user's
// (searches, simulations, the front), and that copy computed without a
// word: its messages are kept, never shown.

#include <string>
#include <vector>

#include "model/Documento.h"
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

// A computation on a copy has no window to redraw or mark modified.
class SinDocumento : public Documento {
public:
    void ACTBarraEstado(bool) override {}
    void PonerTitulo(const std::string&) override {}
    void RedibujarTodo() override {}
    void Terminar() override {}
};

// The copy computed as the "Calcular" command computes the user's network
// (CalcularRed), nothing shown: `callados` keeps what would have been said
// and the copy's ErrorCalculo whether it failed.
Red CopiaCalculada(const Red& red, MensajesCallados& callados);

// The network computation stops at the first centre that fails; when the
// copy failed, every centre is computed alone and gets its own verdict
// (indexed by position; all false when the copy computed).
std::vector<bool> FallosPorCentro(Red& copia, MensajesCallados& callados);

}  // namespace vortena
