#include "editor/Geometria.h"

#include <algorithm>
#include <cmath>

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

namespace {

double DistanciaASegmento(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double largo2 = dx * dx + dy * dy;
    double t = largo2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / largo2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

}  // namespace

bool PuntoCercaDeConexion(const linea& l, float x, float y, float tolerancia) {
    if (l.x1 == l.x2) return false;
    // The arrowhead is drawn 150 units long from the end anchor.
    return DistanciaASegmento(x, y, l.x1, l.y1, l.x2, l.y2) <= tolerancia ||
           DistanciaASegmento(x, y, l.x2, l.y2, l.x2 + 150.0, l.y2) <= tolerancia;
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
