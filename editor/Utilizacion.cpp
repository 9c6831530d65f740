#include "editor/Utilizacion.h"

#include <algorithm>
#include <cmath>

namespace vortena {

namespace {

// Light enough for the black labels to stay readable on every shade.
constexpr Color kBajo{120, 200, 120};
constexpr Color kMedio{250, 220, 90};
constexpr Color kAlto{235, 95, 80};
constexpr Color kSinCalcular{215, 215, 215};

std::uint8_t Mezcla(std::uint8_t a, std::uint8_t b, double t) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

Color Mezclar(Color a, Color b, double t) {
    return {Mezcla(a.r, b.r, t), Mezcla(a.g, b.g, t), Mezcla(a.b, b.b, t)};
}

}  // namespace

Color ColorUtilizacion(double utilizacion) {
    const double u = std::isnan(utilizacion) ? 0.0 : std::clamp(utilizacion, 0.0, 1.0);
    return u <= 0.5 ? Mezclar(kBajo, kMedio, u / 0.5) : Mezclar(kMedio, kAlto, (u - 0.5) / 0.5);
}

Sombreado SombreadoUtilizacion(const Red& red, const Regional& reg) {
    Sombreado s;
    s.tituloLeyenda = "Utilización";
    if (!red.ResultadosAlDia) {
        for (const CentroProductivo& c : red.Centros)
            if (c.EsCentro()) s.relleno[c.posicion] = kSinCalcular;
        s.leyenda.emplace_back(kSinCalcular, "sin calcular (Ctrl+E)");
        return s;
    }
    for (const CentroProductivo& c : red.Centros)
        if (c.EsCentro()) s.relleno[c.posicion] = ColorUtilizacion(c.Trafico);
    for (int p = 0; p <= 100; p += 25) {
        std::string texto = Formato(p, "0", reg) + " %";
        if (p == 100) texto += " o más";
        s.leyenda.emplace_back(ColorUtilizacion(p / 100.0), texto);
    }
    return s;
}

}  // namespace vortena
