#include "simulate/Intervalo.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

namespace vortena::sim {

Estimacion Estimar(std::span<const double> valores) {
    Estimacion e;
    const std::size_t n = valores.size();
    if (n == 0) return e;
    double suma = 0;
    for (double v : valores) suma += v;
    e.valor = suma / static_cast<double>(n);
    if (n < 2) return e;
    double desvios = 0;
    for (double v : valores) desvios += (v - e.valor) * (v - e.valor);
    const double dt = std::sqrt(desvios / static_cast<double>(n - 1));
    const boost::math::students_t t(static_cast<double>(n - 1));
    e.semiancho = boost::math::quantile(t, 0.975) * dt / std::sqrt(static_cast<double>(n));
    return e;
}

}  // namespace vortena::sim
