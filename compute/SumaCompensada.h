#pragma once
// Neumaier's compensated sum: equal shares of a rate add back up to the rate
// (ten shares of 0.8 give 8, not 7.9999999999999991).

#include <cmath>

namespace vortena {

class SumaCompensada {
public:
    void Sumar(double x) {
        const double t = suma_ + x;
        if (std::abs(suma_) >= std::abs(x))
            compensacion_ += (suma_ - t) + x;
        else
            compensacion_ += (x - t) + suma_;
        suma_ = t;
    }
    double Valor() const { return suma_ + compensacion_; }

private:
    double suma_ = 0;
    double compensacion_ = 0;
};

}  // namespace vortena
