#include "cli/Consola.h"

namespace vortena::calc {

Respuesta MensajesConsola::Mostrar(const std::string& texto, const std::string& titulo,
                                   Botones botones, Icono) {
    err_ << titulo << ": " << texto << '\n';
    return botones == Botones::SiNo ? Respuesta::No : Respuesta::Aceptar;
}

}  // namespace vortena::calc
