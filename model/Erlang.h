#pragma once
// The state probabilities of an M/M/s queue with offered load r = λ/μ < s,
// computed from the terms r^n / n! divided by the largest of them, so that no
// power or factorial is ever formed: any server count a file can hold works.

#include <vector>

namespace vortena {

class ErlangEscalado {
public:
    // q = sμ / (sμ − λ), the factor that sums the states beyond s.
    // Throws ErrorAritmetico for r < 0, s < 1 or a non-finite input.
    ErlangEscalado(double r, int s, double q);

    // P(n) for 0 ≤ n ≤ s (0 when it underflows).
    double P(int n) const;
    // The probability of waiting before any variability correction:
    // P(s) · q.
    double Espera() const { return P(servidores_) * q_; }

private:
    int servidores_;
    double q_;
    std::vector<double> relativos_;  // r^n/n! over the largest such term
    double denominador_;             // Σ_{n<s} relativos + relativos[s]·q
};

}  // namespace vortena
