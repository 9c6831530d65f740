#include "compute/Dimensionamiento.h"

#include "model/ErrorAritmetico.h"

namespace vortena {
namespace {

void AvisarDesbordamiento(const CentroProductivo& c, Mensajes& mensajes) {
    mensajes.Mostrar("Error por desbordamiento", c.Nombre, Botones::Aceptar, Icono::Critico);
}

}  // namespace

void ServidoresMinimosRed(Red& red, Mensajes& mensajes, Documento& doc) {
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        c.ServidoresMinimos(red.ErrorCalculo);
        if (red.ErrorCalculo) AvisarDesbordamiento(c, mensajes);
    }
    doc.ACTBarraEstado(true);
}

void ServidoresOptimosRed(Red& red, Mensajes& mensajes, Documento& doc) {
    for (CentroProductivo& c : red.Centros) {
        if (!c.EsCentro()) continue;
        const auto antes = c.Servidores;
        try {
            c.ServidoresOptimos(red.ErrorCalculo);
        } catch (const ErrorAritmetico&) {
            // The search starts from the minimum, which already moved the count.
            c.Servidores = antes;
            red.ErrorCalculo = true;
        }
        if (red.ErrorCalculo) AvisarDesbordamiento(c, mensajes);
    }
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
