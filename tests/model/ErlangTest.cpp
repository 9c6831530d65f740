// The queue measures from scaled Erlang terms: equal to the closed form where
// that one computes, and finite for every server count a file can hold.

#include <gtest/gtest.h>

#include <cmath>

#include "model/CentroProductivo.h"
#include "model/Erlang.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

// The textbook M/M/s closed form in long double, whose range holds 1000!.
struct Referencia {
    long double p0, espera, wq;
};
Referencia MMs(long double lamda, long double mu, int s) {
    const long double r = lamda / mu;
    long double suma = 0, termino = 1;
    for (int n = 0; n < s; ++n) {
        suma += termino;
        termino = termino * r / (n + 1);
    }
    const long double q = s * mu / (s * mu - lamda);
    const long double p0 = 1 / (suma + termino * q);
    const long double espera = termino * q * p0;
    const long double wq = termino * p0 * s * mu / ((s * mu - lamda) * (s * mu - lamda));
    return {p0, espera, wq};
}

CentroProductivo Exponencial(double lamda, double mu, int s) {
    CentroProductivo c;
    c.predeterminado();
    c.Lamda = lamda;
    c.Mu = mu;
    c.Desvlamda = 1 / lamda;
    c.DesvMu = 1 / mu;
    c.Servidores = static_cast<std::int16_t>(s);
    c.Probabilidad = 0.5;
    return c;
}

void CercaRelativo(double obtenido, long double esperado, double tolerancia, const char* que) {
    EXPECT_LE(std::fabs(obtenido - static_cast<double>(esperado)),
              tolerancia * std::fabs(static_cast<double>(esperado)))
        << que << ": " << obtenido << " vs " << static_cast<double>(esperado);
}

TEST(Erlang, IgualALaFormaCerradaHasta170YMasAlla) {
    struct Caso {
        double lamda, mu;
        int s;
    };
    for (const Caso k : {Caso{1, 2, 1}, Caso{7.5, 2, 4}, Caso{30, 1, 35}, Caso{150, 1, 170},
                         Caso{150, 1, 200}, Caso{900, 1, 1000}, Caso{3000, 0.5, 6100}}) {
        CentroProductivo c = Exponencial(k.lamda, k.mu, k.s);
        prueba::MensajesGrabados msj;
        bool error = false;
        c.Calculos(error, msj);
        ASSERT_FALSE(error) << k.s;
        const double tol = k.s <= 170 ? 1e-12 : 1e-10;
        if (k.s <= 1000) {
            const Referencia ref = MMs(k.lamda, k.mu, k.s);
            CercaRelativo(c.P0, ref.p0, tol, "P0");
            CercaRelativo(c.Pn, ref.espera, tol, "Pn");
            CercaRelativo(c.Wq, ref.wq, tol, "Wq");
        }
        EXPECT_TRUE(std::isfinite(c.W) && c.W > 1 / k.mu) << k.s;
        EXPECT_GE(c.MaximaCola, 0);
    }
}

TEST(Erlang, LasProbabilidadesSumanUno) {
    // r = 20000 with 20100 servers: P0 underflows, the states near r do not.
    const double r = 20000, s = 20100;
    const ErlangEscalado e(r, static_cast<int>(s), s / (s - r));
    double suma = 0;
    for (int n = 0; n < 20100; ++n) suma += e.P(n);
    suma += e.Espera();
    EXPECT_NEAR(suma, 1.0, 1e-9);
    EXPECT_EQ(e.P(0), 0.0);
    EXPECT_GT(e.P(20000), 0.0);
}

TEST(Erlang, LaCorreccionNoLlevaLaEsperaMasAllaDeUno) {
    CentroProductivo c = Exponencial(3.5, 1, 4);
    c.Desvlamda = 3 / c.Lamda;  // coefficient of variation 3
    c.DesvMu = 3 / c.Mu;
    prueba::MensajesGrabados msj;
    bool error = false;
    c.Calculos(error, msj);
    ASSERT_FALSE(error);
    EXPECT_GT(c.factorK(), 5);
    EXPECT_EQ(c.Pn, 1.0);
    // The waiting time keeps its full correction.
    EXPECT_GT(c.Wq, 5 * MMs(3.5, 1, 4).wq * 0.99);
}

TEST(Erlang, UnaCargaAUnErrorDeRedondeoDeLoEnteroEsInestable) {
    // λ/μ = 4 − 1 ulp with 4 servers: the minimum is 5, not an M/M/4 with a
    // queue of 10^15.
    CentroProductivo c = Exponencial(7.9999999999999991, 2, 4);
    prueba::MensajesGrabados msj;
    bool error = false;
    c.Calculos(error, msj);
    ASSERT_FALSE(error);
    EXPECT_EQ(c.Servidores, 5);
    EXPECT_NEAR(c.Lq, 2.2164, 1e-4);
    ASSERT_EQ(msj.vistos.size(), 1u);

    CentroProductivo justo = Exponencial(8.0000000000000018, 2, 1);
    justo.ServidoresMinimos(error);
    EXPECT_EQ(justo.Servidores, 5);
}

}  // namespace
}  // namespace vortena
