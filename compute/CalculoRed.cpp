#include "compute/Dimensionamiento.h"
#include "compute/Pert.h"

namespace vortena {

void CalcularRed(Red& red, Mensajes& mensajes, Documento& doc) {
    red.MostrarCriticos = true;
    red.ErrorCalculo = false;
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.Calculos(red.ErrorCalculo, mensajes);
        if (red.ErrorCalculo) return;
    }
    if (CalcularPERT(red, red.NodoInicio, red.NodoFin) == 0) {
        mensajes.Mostrar("Centros de inicio y/o Fin inválidos", kTituloPrograma, Botones::Aceptar,
                         Icono::Critico);
        return;
    }
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
