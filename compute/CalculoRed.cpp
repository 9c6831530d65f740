#include "compute/Dimensionamiento.h"
#include "compute/Pert.h"

namespace vortena {
namespace {

// In a network of hundreds of centres the bare overflow text does not say
// where the computation stopped; this names the centre after it.
class MensajesDelCentro : public Mensajes {
public:
    MensajesDelCentro(Mensajes& base, const std::string& nombre) : base_(base), nombre_(nombre) {}
    Respuesta Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                      Icono icono) override {
        const bool fallo = texto == kTextoDesbordamiento;
        return base_.Mostrar(fallo ? texto + "\nCentro: " + nombre_ : texto, titulo, botones,
                             icono);
    }

private:
    Mensajes& base_;
    const std::string& nombre_;
};

}  // namespace

void CalcularRed(Red& red, Mensajes& mensajes, Documento& doc) {
    red.MostrarCriticos = true;
    red.ErrorCalculo = false;
    // Half a computation is none: the figures count only once it ends.
    red.ResultadosAlDia = false;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        MensajesDelCentro delCentro(mensajes, c.Nombre);
        c.Calculos(red.ErrorCalculo, delCentro);
        if (red.ErrorCalculo) return;
    }
    if (CalcularPERT(red, red.NodoInicio, red.NodoFin) == 0) {
        mensajes.Mostrar("Centros de inicio y/o Fin inválidos", kTituloPrograma, Botones::Aceptar,
                         Icono::Critico);
        return;
    }
    red.Calculada();
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
