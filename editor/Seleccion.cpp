#include "editor/Caja.h"
#include "editor/Editor.h"
#include "editor/Geometria.h"

namespace vortena {

void Editor::SeleccionarEnPunto(float x, float y, float tolerancia) {
    red_.HaySeleccion = false;
    // Nodes take precedence over connections; the first hit wins.
    for (int i = 1; i <= red_.Centros.Count(); ++i) {
        const CentroProductivo& c = red_.Centros(i);
        if (!PuntoEnNodo(c, x, y)) continue;
        const auto p = static_cast<std::int16_t>(i);
        red_.CentroActual = p;
        DibujarCaja(p, kAzul);
        DibujarTextoCentro(p, TipoNodo(c));
        red_.HaySeleccion = true;
        return;
    }
    red_.CentroActual = 0;
    for (int i = 1; i <= red_.Conexiones.Count(); ++i) {
        const linea& l = red_.Conexiones(i);
        if (!PuntoEnConexion(l, x, y) &&
            !(tolerancia > 0 && PuntoCercaDeConexion(l, x, y, tolerancia)))
            continue;
        const auto q = static_cast<std::int16_t>(i);
        DibujarConexion(q, kAzul);
        red_.HaySeleccion = true;
        red_.ConexionActual = q;
        return;
    }
    red_.ConexionActual = 0;
}

void Editor::QuitarSeleccion() {
    // A selection that names a record no longer in the store has nothing to
    // give back.
    if (red_.CentroActual != 0 && red_.Centros.Existe(red_.CentroActual)) {
        const CentroProductivo& c = red_.Centros(red_.CentroActual);
        FondoCaja(c);
        DibujarTextoCentro(red_.CentroActual, TipoNodo(c));
        ContornoCaja(sup_, c, ColorContorno(c));
    }
    if (red_.ConexionActual != 0) {
        if (red_.Conexiones.Existe(red_.ConexionActual))
            DibujarConexion(red_.ConexionActual, kNegro);
        red_.ConexionActual = 0;
    }
}

}  // namespace vortena
