#include "cli/Consola.h"

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

}  // namespace vortena::calc
