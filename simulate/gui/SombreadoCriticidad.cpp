#include "simulate/gui/SombreadoCriticidad.h"

#include <array>

namespace vortena {
namespace {

struct Clase {
    double desde;  // lowest criticality of the class
    Color color;
    const char* texto;
};

// From pale to deep red as the centre decides the lead time more often.
constexpr std::array<Clase, 5> kClases{{
    {0.75, {215, 48, 39}, "75 % a 100 %"},
    {0.50, {244, 130, 70}, "50 % a 75 %"},
    {0.25, {253, 190, 110}, "25 % a 50 %"},
    {0.01, {254, 236, 160}, "1 % a 25 %"},
    {0.00, {225, 225, 225}, "menos de 1 %"},
}};

const Clase& ClaseDe(double criticidad) {
    for (const Clase& c : kClases)
        if (criticidad >= c.desde) return c;
    return kClases.back();
}

}  // namespace

Sombreado SombreadoCriticidad(const ResultadoPlazo& r) {
    Sombreado s;
    s.tituloLeyenda = "Índice de criticidad";
    for (const Clase& c : kClases) s.leyenda.emplace_back(c.color, c.texto);
    for (const CentroPlazo& c : r.centros) s.relleno[c.posicion] = ClaseDe(c.criticidad).color;
    return s;
}

}  // namespace vortena
