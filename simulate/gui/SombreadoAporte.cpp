#include "simulate/gui/SombreadoAporte.h"

#include <array>

namespace vortena {
namespace {

struct Clase {
    double desde;  // lowest share of the class
    Color color;
    const char* texto;
};

// From pale to deep red as the centre takes more of the lead time.
constexpr std::array<Clase, 5> kClases{{
    {0.30, {215, 48, 39}, "30 % o más"},
    {0.15, {244, 130, 70}, "15 % a 30 %"},
    {0.05, {253, 190, 110}, "5 % a 15 %"},
    {0.01, {254, 236, 160}, "1 % a 5 %"},
    {0.00, {225, 225, 225}, "menos de 1 %"},
}};

const Clase& ClaseDe(double aporte) {
    for (const Clase& c : kClases)
        if (aporte >= c.desde) return c;
    return kClases.back();
}

}  // namespace

Sombreado SombreadoAporte(const ResultadoLinea& r) {
    Sombreado s;
    s.tituloLeyenda = "Parte del plazo medio";
    for (const Clase& c : kClases) s.leyenda.emplace_back(c.color, c.texto);
    for (const CentroLinea& c : r.centros) s.relleno[c.posicion] = ClaseDe(c.aporte.valor).color;
    return s;
}

}  // namespace vortena
