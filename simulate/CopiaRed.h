#pragma once
// A private copy of the network for work that must not touch the user's:
// the collections hold their records by pointer, so Red itself cannot be
// copied.

#include "model/Red.h"

namespace vortena {

inline Red CopiarRed(const Red& red) {
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

}  // namespace vortena
