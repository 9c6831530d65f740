#include "model/Erlang.h"

#include <cmath>
#include <cstddef>

#include "model/ErrorAritmetico.h"

namespace vortena {

ErlangEscalado::ErlangEscalado(double r, int s, double q) : servidores_(s), q_(Finito(q)) {
    if (!(r >= 0) || !std::isfinite(r) || s < 1) throw ErrorAritmetico("carga fuera de rango");
    const std::size_t n = static_cast<std::size_t>(s) + 1;
    relativos_.assign(n, 0.0);
    // The largest term is at floor(r) (or s, when r ≥ s); from there the
    // ratios n/r going down and r/n going up are both at most 1.
    const double piso = std::floor(r);
    const std::size_t moda =
        piso >= static_cast<double>(s) ? n - 1 : static_cast<std::size_t>(piso);
    relativos_[moda] = 1.0;
    for (std::size_t k = moda; k > 0; --k)
        relativos_[k - 1] = relativos_[k] * static_cast<double>(k) / r;
    for (std::size_t k = moda + 1; k < n; ++k)
        relativos_[k] = relativos_[k - 1] * r / static_cast<double>(k);
    double suma = 0;
    for (std::size_t k = 0; k + 1 < n; ++k) suma += relativos_[k];
    denominador_ = Sumar(suma, Multiplicar(relativos_[n - 1], q_));
    if (!(denominador_ > 0)) throw ErrorAritmetico("suma de estados no positiva");
}

double ErlangEscalado::P(int n) const {
    return relativos_[static_cast<std::size_t>(n)] / denominador_;
}

}  // namespace vortena
