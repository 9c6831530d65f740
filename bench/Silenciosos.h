#pragma once
// A window and a user that say nothing, for benchmarks of the core.

#include <string>

#include "model/Documento.h"
#include "model/Mensajes.h"

namespace vortena {

class MensajesContados : public Mensajes {
public:
    int vistos = 0;
    Respuesta Mostrar(const std::string&, const std::string&, Botones, Icono) override {
        ++vistos;
        return Respuesta::Aceptar;
    }
};

class DocumentoMudo : public Documento {
public:
    void ACTBarraEstado(bool tipo) override { Modificado = tipo; }
    void PonerTitulo(const std::string&) override {}
    void RedibujarTodo() override {}
    void Terminar() override {}
};

}  // namespace vortena
