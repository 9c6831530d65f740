#include "simulate/Flujo.h"

namespace vortena::sim {

double Flujo::Normal() {
    if (hayGuardada_) {
        hayGuardada_ = false;
        return guardada_;
    }
    double u, v, s;
    do {
        u = 2.0 * Uniforme() - 1.0;
        v = 2.0 * Uniforme() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double m = std::sqrt(-2.0 * std::log(s) / s);
    guardada_ = v * m;
    hayGuardada_ = true;
    return u * m;
}

Variable::Variable(double media, double desviacion, bool lognormal) : media_(media) {
    const double cv = desviacion / media;
    // Below 1e-9 the shape is the constant to every digit a run can show,
    // and a gamma of shape 1/cv^2 would overflow near 1e-154.
    if (desviacion == 0.0 || cv < kCVMin) {
        forma_ = Forma::Constante;
    } else if (std::fabs(cv - 1.0) <= 1e-9) {
        forma_ = Forma::Exponencial;
    } else if (lognormal) {
        forma_ = Forma::Lognormal;
        b_ = std::sqrt(std::log1p(cv * cv));
        a_ = std::log(media) - 0.5 * b_ * b_;
    } else {
        forma_ = Forma::Gamma;
        const double k = 1.0 / (cv * cv);
        escala_ = media / k;
        aumentada_ = k < 1.0;
        const double kk = aumentada_ ? k + 1.0 : k;
        invForma_ = 1.0 / k;
        d_ = kk - 1.0 / 3.0;
        c_ = 1.0 / std::sqrt(9.0 * d_);
    }
}

// Marsaglia and Tsang (2000), "A simple method for generating gamma variables".
double Variable::Gamma(Flujo& f) {
    double v;
    for (;;) {
        double x, t;
        do {
            x = f.Normal();
            t = 1.0 + c_ * x;
        } while (t <= 0.0);
        v = t * t * t;
        const double u = f.UniformeAbierta();
        const double x2 = x * x;
        if (u < 1.0 - 0.0331 * x2 * x2) break;
        if (std::log(u) < 0.5 * x2 + d_ * (1.0 - v + std::log(v))) break;
    }
    double g = d_ * v * escala_;
    if (aumentada_) g *= std::pow(f.UniformeAbierta(), invForma_);
    return g;
}

}  // namespace vortena::sim
