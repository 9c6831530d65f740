#pragma once
// The program's user interface without a window: message boxes become lines
// on standard error, the document state is kept but shown nowhere.

#include <ostream>

#include "model/Documento.h"
#include "model/Mensajes.h"

namespace vortena::calc {

// "Título: texto" for every box; a Yes/No box is answered No and a box with
// Cancelar is cancelled, so a batch run never takes a choice it was not told
// to take.
class MensajesConsola : public Mensajes {
public:
    explicit MensajesConsola(std::ostream& err) : err_(err) {}
    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override;
    // A warning or critical box was shown, other than the notice that a
    // computation raised a centre's servers to the minimum.
    bool HuboError() const { return huboError_; }

private:
    std::ostream& err_;
    bool huboError_ = false;
};

class DocumentoCalc : public Documento {
public:
    void ACTBarraEstado(bool tipo) override { Modificado = tipo; }
    void PonerTitulo(const std::string&) override {}
    void RedibujarTodo() override {}
    void Terminar() override {}
};

}  // namespace vortena::calc
