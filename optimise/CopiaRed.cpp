#include "optimise/CopiaRed.h"

namespace vortena {

void CopiarRed(const Red& origen, Red& destino) {
    destino.Centros.Limpiar();
    destino.Conexiones.Limpiar();
    destino.Centros.Reservar(origen.Centros.Count());
    destino.Conexiones.Reservar(origen.Conexiones.Count());
    for (const CentroProductivo& c : origen.Centros) destino.Centros.Agregar() = c;
    for (const linea& l : origen.Conexiones) destino.Conexiones.Agregar() = l;
    destino.NodoInicio = origen.NodoInicio;
    destino.NodoFin = origen.NodoFin;
    destino.ErrorCalculo = origen.ErrorCalculo;
    destino.CentroActual = origen.CentroActual;
    destino.ConexionActual = origen.ConexionActual;
    destino.HaySeleccion = origen.HaySeleccion;
    destino.MostrarCriticos = origen.MostrarCriticos;
}

}  // namespace vortena
