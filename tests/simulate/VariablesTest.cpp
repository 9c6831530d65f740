// The variate generators against their closed-form moments, with tolerances
// of five standard errors of the sample mean and variance.

#include <gtest/gtest.h>

#include <cmath>

#include "simulate/Flujo.h"

namespace vortena::sim {
namespace {

struct Momentos {
    double media = 0, varianza = 0;
};

Momentos Muestrear(Variable& v, int n, std::uint64_t semilla) {
    Flujo f(semilla, 7, 3);
    double s1 = 0, s2 = 0;
    for (int i = 0; i < n; ++i) {
        const double x = v.Generar(f);
        EXPECT_GE(x, 0.0);
        s1 += x;
        s2 += x * x;
    }
    const double m = s1 / n;
    return {m, (s2 - n * m * m) / (n - 1)};
}

struct Caso {
    const char* nombre;
    double media, desviacion;
    bool lognormal;
    Forma forma;
    double curtosisExceso;  // of the distribution, for the variance's error
};

TEST(Variables, MediaYDesviacionComoSeIndican) {
    const double s2 = std::log1p(0.25);  // lognormal with cv 0.5
    const double curtLog = std::exp(4 * s2) + 2 * std::exp(3 * s2) + 3 * std::exp(2 * s2) - 6;
    const double s2b = std::log1p(4.0);  // lognormal with cv 2
    const double curtLogB = std::exp(4 * s2b) + 2 * std::exp(3 * s2b) + 3 * std::exp(2 * s2b) - 6;
    const Caso casos[] = {
        {"exponencial", 2.0, 2.0, false, Forma::Exponencial, 6.0},
        {"gamma cv 0.5", 0.5, 0.25, false, Forma::Gamma, 6.0 * 0.25},
        {"gamma cv 2 (forma < 1)", 3.0, 6.0, false, Forma::Gamma, 6.0 * 4.0},
        {"gamma cv 0.1", 1.0, 0.1, false, Forma::Gamma, 6.0 * 0.01},
        {"lognormal cv 0.5", 1.5, 0.75, true, Forma::Lognormal, curtLog},
        {"lognormal cv 2", 1.0, 2.0, true, Forma::Lognormal, curtLogB},
    };
    const int n = 400000;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Variable v(c.media, c.desviacion, c.lognormal);
        ASSERT_EQ(v.forma(), c.forma);
        const Momentos m = Muestrear(v, n, 11);
        const double var = c.desviacion * c.desviacion;
        EXPECT_NEAR(m.media, c.media, 5 * c.desviacion / std::sqrt(n));
        // Var of the sample variance: sigma^4 (kappa_excess + 2) / n.
        const double errVar = var * std::sqrt((c.curtosisExceso + 2) / n);
        // Heavy tails make the variance's own error large; never below 1 %.
        EXPECT_NEAR(m.varianza, var, std::max(5 * errVar, 0.01 * var));
    }
}

TEST(Variables, FormaSegunElCoeficienteDeVariacion) {
    EXPECT_EQ(Variable(2.0, 0.0, false).forma(), Forma::Constante);
    EXPECT_EQ(Variable(2.0, 2.0 * (1 + 5e-10), false).forma(), Forma::Exponencial);
    EXPECT_EQ(Variable(2.0, 2.0 * (1 + 5e-10), true).forma(), Forma::Exponencial);
    EXPECT_EQ(Variable(2.0, 2.0 * (1 + 1e-8), false).forma(), Forma::Gamma);
    Flujo f(1, 1, 1);
    Variable constante(0.25, 0.0, false);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(constante.Generar(f), 0.25);
}

TEST(Variables, FlujosDistintosPorCentroReplicaYUso) {
    const auto primero = [](Flujo f) { return f.Bits(); };
    const std::uint64_t base = primero(Flujo(1, 2, 3));
    EXPECT_EQ(base, primero(Flujo(1, 2, 3)));
    EXPECT_NE(base, primero(Flujo(2, 2, 3)));
    EXPECT_NE(base, primero(Flujo(1, 3, 3)));
    EXPECT_NE(base, primero(Flujo(1, 2, 4)));
    EXPECT_NE(base, primero(Flujo(1, 2, 3, Uso::Muestra)));
    // Swapping centre and replication is another stream too.
    EXPECT_NE(primero(Flujo(1, 2, 3)), primero(Flujo(1, 3, 2)));
}

TEST(Variables, NormalEstandar) {
    Flujo f(5, 0, 0);
    const int n = 400000;
    double s1 = 0, s2 = 0, debajo = 0;
    for (int i = 0; i < n; ++i) {
        const double z = f.Normal();
        s1 += z;
        s2 += z * z;
        debajo += z < 1.0 ? 1 : 0;
    }
    EXPECT_NEAR(s1 / n, 0.0, 5 / std::sqrt(n));
    EXPECT_NEAR(s2 / n, 1.0, 5 * std::sqrt(2.0 / n));
    const double phi1 = 0.8413447460685429;
    EXPECT_NEAR(debajo / n, phi1, 5 * std::sqrt(phi1 * (1 - phi1) / n));
}

}  // namespace
}  // namespace vortena::sim
