#pragma once
// The main window's document state without a window.

#include <string>
#include <vector>

#include "model/Documento.h"

namespace vortena::prueba {

class DocumentoFalso : public Documento {
public:
    std::vector<bool> llamadasBarra;  // every ACTBarraEstado argument
    std::vector<std::string> titulos;
    int redibujos = 0;
    bool terminado = false;

    void ACTBarraEstado(bool tipo) override {
        Modificado = tipo;
        llamadasBarra.push_back(tipo);
    }
    void PonerTitulo(const std::string& titulo) override { titulos.push_back(titulo); }
    void RedibujarTodo() override { ++redibujos; }
    void Terminar() override { terminado = true; }
};

}  // namespace vortena::prueba
