#include "cli/Consola.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "model/CentroProductivo.h"

namespace vortena::calc {

Respuesta MensajesConsola::Mostrar(const std::string& texto, const std::string& titulo,
                                   Botones botones, Icono icono) {
    if ((icono == Icono::Critico || icono == Icono::Exclamacion) &&
        titulo != kTituloServidoresMinimos)
        huboError_ = true;
    err_ << titulo << ": " << texto << '\n';
    switch (botones) {
        case Botones::SiNo:
            return Respuesta::No;
        case Botones::SiNoCancelar:
            return Respuesta::Cancelar;
        case Botones::Aceptar:
            break;
    }
    return Respuesta::Aceptar;
}

int HilosPermitidos(int pedidos, Mensajes& mensajes, const std::string& paso) {
    const int procesadores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    if (pedidos <= procesadores) return pedidos;
    mensajes.Mostrar(paso + ": se pidieron " + std::to_string(pedidos) + " hilos y hay " +
                         std::to_string(procesadores) + " procesadores; se usan " +
                         std::to_string(procesadores) + ".",
                     kTituloPrograma, Botones::Aceptar, Icono::Informacion);
    return procesadores;
}

ProgresoTerminal::ProgresoTerminal(Trabajo& trabajo, std::string paso)
    : paso_(std::move(paso)), terminal_(::isatty(STDERR_FILENO) == 1) {
    if (!terminal_) return;
    trabajo.progreso = [this](double f) {
        const int ciento = static_cast<int>(f * 100);
        std::lock_guard l(cerrojo_);
        if (ciento == mostrado_) return;
        mostrado_ = ciento;
        std::fprintf(stderr, "\r%s: %3d %%", paso_.c_str(), ciento);
        std::fflush(stderr);
    };
}

ProgresoTerminal::~ProgresoTerminal() {
    if (terminal_ && mostrado_ >= 0) std::fputs("\n", stderr);
}

}  // namespace vortena::calc
