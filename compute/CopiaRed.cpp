#include "compute/CopiaRed.h"

#include "compute/Dimensionamiento.h"
#include "model/Documento.h"

namespace vortena {

namespace {

// A computation on a copy has no window to redraw or mark modified.
class SinDocumento : public Documento {
public:
    void ACTBarraEstado(bool) override {}
    void PonerTitulo(const std::string&) override {}
    void RedibujarTodo() override {}
    void Terminar() override {}
};

}  // namespace

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

}  // namespace vortena
