#pragma once
// IEEE doubles do not trap, so the queue formulas check every division,
// product and conversion and raise this one typed failure.

#include <cmath>
#include <stdexcept>
#include <string>

namespace vortena {

class ErrorAritmetico : public std::runtime_error {
public:
    explicit ErrorAritmetico(const std::string& que) : std::runtime_error(que) {}
};

// A finite result or the failure.
inline double Finito(double x) {
    if (!std::isfinite(x)) throw ErrorAritmetico("resultado no finito");
    return x;
}

inline double Dividir(double a, double b) {
    if (b == 0.0) throw ErrorAritmetico("división por cero");
    return Finito(a / b);
}

inline double Multiplicar(double a, double b) { return Finito(a * b); }
inline double Sumar(double a, double b) { return Finito(a + b); }
inline double Restar(double a, double b) { return Finito(a - b); }

}  // namespace vortena
