#include "simulate/ResultadoPlazo.h"

#include <algorithm>
#include <cmath>

namespace vortena {

double ResultadoPlazo::Cuantil(double p) const {
    if (tiempos.empty()) return 0;
    const double m = static_cast<double>(tiempos.size());
    // The small shrink keeps p * m from rounding up past a whole rank
    // (0.9 * 100000 is 90000.000000000015).
    auto rango = static_cast<std::size_t>(std::ceil(p * m * (1 - 1e-12)));
    rango = std::clamp<std::size_t>(rango, 1, tiempos.size());
    return tiempos[rango - 1];
}

double ResultadoPlazo::Probabilidad(double t) const {
    if (tiempos.empty()) return 0;
    const auto hasta = std::upper_bound(tiempos.begin(), tiempos.end(), t);
    return static_cast<double>(hasta - tiempos.begin()) / static_cast<double>(tiempos.size());
}

std::vector<PuntoCdf> ResultadoPlazo::Cdf(int puntos) const {
    std::vector<PuntoCdf> cdf;
    const auto n =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(puntos, 1)), tiempos.size());
    cdf.reserve(n);
    for (std::size_t i = 1; i <= n; ++i) {
        const double p = static_cast<double>(i) / static_cast<double>(n);
        cdf.push_back({Cuantil(p), p});
    }
    return cdf;
}

std::vector<BarraHistograma> ResultadoPlazo::Histograma(int barras) const {
    std::vector<BarraHistograma> h;
    if (tiempos.empty()) return h;
    const double a = tiempos.front(), b = tiempos.back();
    const double m = static_cast<double>(tiempos.size());
    if (!(b > a) || barras < 1) {
        h.push_back({a, b, 1.0});
        return h;
    }
    const double ancho = (b - a) / barras;
    auto desde = tiempos.begin();
    for (int i = 0; i < barras; ++i) {
        const double lo = a + ancho * i;
        const double hi = i + 1 == barras ? b : a + ancho * (i + 1);
        const auto hasta =
            i + 1 == barras ? tiempos.end() : std::lower_bound(desde, tiempos.end(), hi);
        h.push_back({lo, hi, static_cast<double>(hasta - desde) / m});
        desde = hasta;
    }
    return h;
}

}  // namespace vortena
