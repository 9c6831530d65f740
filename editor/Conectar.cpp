#include <limits>

#include "editor/Colores.h"
#include "editor/Editor.h"
#include "editor/Geometria.h"
#include "editor/MensajesEdicion.h"

namespace vortena {

void Editor::ConectarCentros(float xa, float ya, float xb, float yb, std::uint8_t modo) {
    std::int16_t inicio = 0, fin = 0;
    bool hayInicio = false, hayFin = false;
    for (int i = 1; i <= red_.Centros.Count(); ++i) {
        const CentroProductivo& c = red_.Centros(i);
        if (PuntoEnNodo(c, xa, ya)) {
            inicio = static_cast<std::int16_t>(i);
            // Where nodes overlap the last one wins, so whether the start is
            // usable follows that node too: an end node over a centre must
            // not let a connection leave the end node.
            hayInicio = !c.EsFin();
            if (!hayInicio) MostrarRegla(msj_, kM1);
        } else if (PuntoEnNodo(c, xb, yb)) {
            fin = static_cast<std::int16_t>(i);
            hayFin = !c.EsInicio();
            if (!hayFin) MostrarRegla(msj_, kM2);
        }
    }
    if (!hayInicio || !hayFin) return;
    // Positions are 16-bit: one connection more would wrap to a negative one.
    if (red_.Conexiones.Count() >= std::numeric_limits<std::int16_t>::max()) return;

    // Both rules run, so both messages may be shown.
    const bool duplicada = ExisteConexion(inicio, fin);
    const bool ciclo = ProduceCiclo(inicio, fin);
    if (duplicada || ciclo) return;

    CentroProductivo& desde = red_.Centros(inicio);
    CentroProductivo& hasta = red_.Centros(fin);
    linea& l = red_.Conexiones.Agregar();
    AnclarInicio(l, desde);
    AnclarFin(l, hasta);
    l.multiplicador = 1;
    l.CentroInicio = inicio;
    l.CentroFin = fin;
    l.posicion = static_cast<std::int16_t>(red_.Conexiones.Count());
    desde.AgregarSalida(l.posicion);
    hasta.AgregarEntrada(l.posicion);
    DibujarConexion(l.posicion, ColorDeTrazo(modo));
}

bool Editor::ExisteConexion(std::int16_t desde, std::int16_t hasta) {
    for (const linea& l : red_.Conexiones) {
        if (l.CentroInicio == desde && l.CentroFin == hasta) {
            MostrarRegla(msj_, kM3);
            return true;
        }
    }
    return false;
}

}  // namespace vortena
