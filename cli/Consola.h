#pragma once
// The program's user interface without a window: message boxes become lines
// on standard error, the document state is kept but shown nowhere.

#include <mutex>
#include <ostream>
#include <string>

#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Trabajo.h"

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

// Threads beyond the processors give no speed: a request for more is cut
// to the processor count, with a note saying so. 0 (every processor) stays.
int HilosPermitidos(int pedidos, Mensajes& mensajes, const std::string& paso);

// A long step's progress on standard error, "\rpaso: NN %", only when that
// is a terminal (a redirected run stays clean); the line ends when the
// step does. Hooked to `trabajo`, so worker threads may report.
class ProgresoTerminal {
public:
    ProgresoTerminal(Trabajo& trabajo, std::string paso);
    ~ProgresoTerminal();
    ProgresoTerminal(const ProgresoTerminal&) = delete;
    ProgresoTerminal& operator=(const ProgresoTerminal&) = delete;

private:
    std::string paso_;
    bool terminal_;
    std::mutex cerrojo_;
    int mostrado_ = -1;
};

}  // namespace vortena::calc
