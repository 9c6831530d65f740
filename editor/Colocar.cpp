#include <limits>

#include "editor/Editor.h"
#include "editor/Geometria.h"

namespace vortena {

void Editor::ColocarCentro(float x, float y, std::uint8_t tipo) {
    // Positions are 16-bit: one node more would wrap to a negative position.
    if (red_.Centros.Count() >= std::numeric_limits<std::int16_t>::max()) return;
    CentroProductivo& c = red_.Centros.Agregar();
    float alto = kAltoExtremo;
    if (tipo == 2) {
        c.Nombre = "INICIO";
    } else if (tipo == 3) {
        c.Nombre = "FIN";
        c.Salida = 20;
    } else {
        c.predeterminado();
        alto = kAltoCentro;
    }
    // The press point becomes the top-left corner.
    c.x1 = x;
    c.x2 = x + kAnchoNodo;
    c.y1 = y;
    c.y2 = y + alto;
    c.posicion = static_cast<std::int16_t>(red_.Centros.Count());
    c.tamEE = -1;
    c.tamSE = -1;
    red_.CentroActual = c.posicion;
    DibujarCaja(c.posicion, tipo == 2 || tipo == 3 ? kVerde : kNegro);
    DibujarTextoCentro(c.posicion, tipo == 2 || tipo == 3 ? tipo : 1);
}

}  // namespace vortena
