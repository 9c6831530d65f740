#include "editor/Geometria.h"

#include "model/Numeros.h"

namespace vortena {

float AltoNodo(const CentroProductivo& c) {
    return c.EsCentro() ? kAltoCentro : kAltoExtremo;
}

int MitadAlto(const CentroProductivo& c) {
    return static_cast<int>(RedondearPar(static_cast<double>(c.y2) - c.y1)) / 2;
}

bool PuntoEnNodo(const CentroProductivo& c, float x, float y) {
    return c.x1 < x && x < c.x2 && c.y1 < y && y < c.y2;
}

bool PuntoEnConexion(const linea& l, float x, float y) {
    const double dx = static_cast<double>(l.x2) - l.x1;
    if (static_cast<float>(dx) == 0.0f) return false;
    const double m = (static_cast<double>(l.y2) - l.y1) / dx;
    const double b1 = l.y2 - l.x2 * m + 50;
    const double b2 = l.y2 - l.x2 * m - 50;
    // The band edges are compared in single precision, like the coordinates.
    const bool bajoTecho = static_cast<float>(x * m + b1) >= y;
    const bool sobrePiso = static_cast<float>(x * m + b2) <= y;
    return bajoTecho && sobrePiso && x >= l.x1 && x <= l.x2 + 75.0f;
}

void AnclarInicio(linea& l, const CentroProductivo& desde) {
    l.x1 = desde.x2;
    l.y1 = desde.y1 + static_cast<float>(MitadAlto(desde));
}

void AnclarFin(linea& l, const CentroProductivo& hasta) {
    l.x2 = hasta.x1 - kRetrocesoFlecha;
    l.y2 = hasta.y1 + static_cast<float>(MitadAlto(hasta));
}

}  // namespace vortena
