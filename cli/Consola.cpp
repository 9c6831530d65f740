#include "cli/Consola.h"

#include "model/CentroProductivo.h"

namespace vortena::calc {

Respuesta MensajesConsola::Mostrar(const std::string& texto, const std::string& titulo,
                                   Botones botones, Icono icono) {
    if ((icono == Icono::Critico || icono == Icono::Exclamacion) &&
        titulo != kTituloServidoresMinimos)
        huboError_ = true;
    err_ << titulo << ": " << texto << '\n';
    return botones == Botones::SiNo ? Respuesta::No : Respuesta::Aceptar;
}

}  // namespace vortena::calc
