#include "compute/CopiaRed.h"

#include "compute/Dimensionamiento.h"
#include "model/Documento.h"

namespace vortena {

Red CopiarRed(const Red& red) {
    Red copia;
    copia.Centros.Reservar(red.Centros.Count());
    for (const CentroProductivo& c : red.Centros) copia.Centros.Agregar() = c;
    copia.Conexiones.Reservar(red.Conexiones.Count());
    for (const linea& l : red.Conexiones) copia.Conexiones.Agregar() = l;
    copia.NodoInicio = red.NodoInicio;
    copia.NodoFin = red.NodoFin;
    copia.ErrorCalculo = red.ErrorCalculo;
    copia.CentroActual = red.CentroActual;
    copia.ConexionActual = red.ConexionActual;
    copia.HaySeleccion = red.HaySeleccion;
    copia.MostrarCriticos = red.MostrarCriticos;
    return copia;
}

Red CopiaCalculada(const Red& red, MensajesCallados& callados) {
    Red copia = CopiarRed(red);
    SinDocumento doc;
    CalcularRed(copia, callados, doc);
    return copia;
}

std::vector<bool> FallosPorCentro(Red& copia, MensajesCallados& callados) {
    std::vector<bool> fallo(static_cast<std::size_t>(copia.Centros.Count()) + 1, false);
    if (!copia.ErrorCalculo) return fallo;
    for (int i = 1; i <= copia.Centros.Count(); ++i) {
        CentroProductivo& c = copia.Centros(i);
        if (!c.EsCentro()) continue;
        bool error = false;
        c.Calculos(error, callados);
        fallo[static_cast<std::size_t>(i)] = error;
    }
    return fallo;
}

}  // namespace vortena
