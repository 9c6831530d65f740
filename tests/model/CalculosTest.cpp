// Queue measures of one centre: the M/M/s values, the variability factor,
// the resizing of an unstable centre, the maximum state and the failures.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "MensajeComparable.h"
#include "model/CentroProductivo.h"

namespace vortena {
namespace {

using prueba::MensajesGrabados;
using prueba::MensajeVisto;

// A default centre with other rates; deviations as given.
CentroProductivo Centro(double lamda, double mu, int servidores, double desvL, double desvM) {
    CentroProductivo c;
    c.predeterminado();
    c.Lamda = lamda;
    c.Mu = mu;
    c.Servidores = static_cast<std::int16_t>(servidores);
    c.Desvlamda = desvL;
    c.DesvMu = desvM;
    return c;
}

const MensajeVisto kDesbordamiento{"Error por Desbordamiento", "Vortena de líneas de Producción",
                                   Botones::Aceptar, Icono::Exclamacion};
const MensajeVisto kDosServidores{"El número de Servidores mínimos es: 2",
                                  "Número de Servidores mínimos", Botones::Aceptar, Icono::Critico};

struct CasoMedidas {
    const char* nombre;
    double lamda, mu;
    int servidores;
    double desvL, desvM;
    std::vector<MensajeVisto> mensajes;
    int servidoresFinal;
    double rho, trafico, factor, p0, pn, wq, lq, w, l;
    int maximaCola;
    double ctoServidores, ctoCentro, ctoCola, ctoImproductividad;
};

class Medidas : public ::testing::TestWithParam<CasoMedidas> {};

TEST_P(Medidas, ValoresDelCentro) {
    const CasoMedidas& k = GetParam();
    CentroProductivo c = Centro(k.lamda, k.mu, k.servidores, k.desvL, k.desvM);
    MensajesGrabados m;
    bool error = true;  // a successful run clears a flag left by an earlier failure
    c.Calculos(error, m);

    EXPECT_FALSE(error);
    EXPECT_EQ(m.vistos, k.mensajes);
    EXPECT_EQ(c.Servidores, k.servidoresFinal);
    const double tol = 1e-12;
    EXPECT_NEAR(c.Rho, k.rho, tol);
    EXPECT_NEAR(c.Trafico, k.trafico, tol);
    EXPECT_NEAR(c.factorK(), k.factor, tol);
    EXPECT_NEAR(c.P0, k.p0, tol);
    EXPECT_NEAR(c.Pn, k.pn, tol);
    EXPECT_NEAR(c.Wq, k.wq, tol);
    EXPECT_NEAR(c.Lq, k.lq, tol);
    EXPECT_NEAR(c.W, k.w, tol);
    EXPECT_NEAR(c.L, k.l, tol);
    EXPECT_EQ(c.MaximaCola, k.maximaCola);
    EXPECT_NEAR(c.CtoTotalServidores, k.ctoServidores, tol);
    EXPECT_NEAR(c.CtoEsperaCentro, k.ctoCentro, tol);
    EXPECT_NEAR(c.CtoEsperaCola, k.ctoCola, tol);
    EXPECT_NEAR(c.CtoImproductividad, k.ctoImproductividad, tol);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Centro, Medidas,
    ::testing::Values(
        CasoMedidas{"predeterminado", 1, 2, 1, 1.0, 0.5, {}, 1,
                    0.5, 0.5, 1.0, 0.5, 0.5, 0.5, 0.5, 1.0, 1.0, 4, 10, 1.0, 0.5, 5.0},
        // Deterministic times: only the waiting part shrinks, P0 stays.
        CasoMedidas{"desviaciones_nulas", 1, 2, 1, 0, 0, {}, 1,
                    0.5, 0.5, 0.25, 0.5, 0.125, 0.125, 0.125, 0.625, 0.625, 4,
                    10, 0.625, 0.125, 5.0},
        // Utilisation 1.5: resized to 2 servers with the message, then M/M/2.
        CasoMedidas{"utilizacion_1_5", 3, 2, 1, 1.0 / 3, 0.5, {kDosServidores}, 2,
                    1.5, 0.75, 1.0, 1.0 / 7, 9.0 / 14, 9.0 / 14, 27.0 / 14, 8.0 / 7, 24.0 / 7,
                    10, 20, 24.0 / 7, 27.0 / 14, 5.0},
        // Utilisation of exactly 1 is unstable too.
        CasoMedidas{"utilizacion_1", 2, 2, 1, 0.5, 0.5, {kDosServidores}, 2,
                    1.0, 0.5, 1.0, 1.0 / 3, 1.0 / 3, 1.0 / 6, 1.0 / 3, 2.0 / 3, 4.0 / 3, 4,
                    20, 4.0 / 3, 1.0 / 3, 10.0},
        // Coefficients 2 and 0, then 0.5 and 0.5.
        CasoMedidas{"llegadas_variables", 1, 2, 1, 2.0, 0, {}, 1,
                    0.5, 0.5, 1.0, 0.5, 0.5, 0.5, 0.5, 1.0, 1.0, 4, 10, 1.0, 0.5, 5.0},
        CasoMedidas{"poca_variabilidad", 1, 2, 1, 0.5, 0.25, {}, 1,
                    0.5, 0.5, 0.5, 0.5, 0.25, 0.25, 0.25, 0.75, 0.75, 4, 10, 0.75, 0.25, 5.0}),
    [](const auto& info) { return std::string(info.param.nombre); });
// clang-format on

TEST(Predeterminado, PoneLosValoresDeUnCentroNuevoYCalcula) {
    CentroProductivo c;
    c.posicion = 7;
    c.x1 = 100;
    c.Descripción = "torno";
    c.AgregarSalida(3);
    c.Servidores = 9;
    c.TempranoWH = true;
    c.g_E = 4;
    c.predeterminado();

    EXPECT_EQ(c.Nombre, "Sin nombre");
    EXPECT_EQ(c.Servidores, 1);
    EXPECT_EQ(c.Probabilidad, 0.95);
    EXPECT_EQ(c.CostoEspera, 1.0);
    EXPECT_EQ(c.CostoCentro, 10.0);
    EXPECT_EQ(c.Desvlamda, 1.0);
    EXPECT_EQ(c.DesvMu, 0.5);
    EXPECT_FALSE(c.TempranoWH);
    EXPECT_EQ(c.g_E, 0);
    EXPECT_EQ(c.MaximaCola, 4);
    EXPECT_EQ(c.L, 1.0);
    // What identifies the node and its place in the network stays.
    EXPECT_EQ(c.posicion, 7);
    EXPECT_EQ(c.x1, 100);
    EXPECT_EQ(c.Descripción, "torno");
    EXPECT_EQ(c.tamSE, 0);
    EXPECT_EQ(c.SalidaLista(0), 3);
}

// The search stops at state n inside the first s states (MaximaCola n - 1)
// or beyond them (MaximaCola n): the default centre never reports 1.
struct CasoNivel {
    double probabilidad;
    int maximaCola;
};
class NivelDeProbabilidad : public ::testing::TestWithParam<CasoNivel> {};

TEST_P(NivelDeProbabilidad, CentroPredeterminado) {
    CentroProductivo c = Centro(1, 2, 1, 1.0, 0.5);
    c.Probabilidad = GetParam().probabilidad;
    MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);
    EXPECT_FALSE(error);
    EXPECT_TRUE(m.vistos.empty());
    EXPECT_EQ(c.MaximaCola, GetParam().maximaCola);
}

INSTANTIATE_TEST_SUITE_P(Centro, NivelDeProbabilidad,
                         ::testing::Values(CasoNivel{0.3, 0}, CasoNivel{0.75, 0},
                                           CasoNivel{0.76, 2}, CasoNivel{0.875, 2},
                                           CasoNivel{0.9, 3}, CasoNivel{0.95, 4}));

TEST(MaximaCola, ElNivelAlcanzadoEntreLosServidoresDaElEstadoAnterior) {
    // s = 3, rho = 0.5: P(0..2) = 0.6061, 0.3030, 0.0758; 0.95 is passed at 2.
    CentroProductivo c = Centro(1, 2, 3, 1.0, 0.5);
    MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);
    EXPECT_EQ(c.MaximaCola, 1);
}

// Beyond s the states form a geometric tail: P(N <= n) = 1 - C u^(n-s+1)
// with u the utilisation and C = P0 r^s / (s! (1 - u)), so the state where
// the level is passed has a closed form to compare with.
struct CasoCola {
    const char* nombre;
    double lamda, mu;
    int servidores;
    double probabilidad;
};
class ColaGeometrica : public ::testing::TestWithParam<CasoCola> {};

TEST_P(ColaGeometrica, MaximaColaSegunLaCola) {
    const CasoCola& k = GetParam();
    CentroProductivo c = Centro(k.lamda, k.mu, k.servidores, 1 / k.lamda, 1 / k.mu);
    c.Probabilidad = k.probabilidad;
    MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);
    ASSERT_FALSE(error);
    EXPECT_TRUE(m.vistos.empty());

    const int s = k.servidores;
    const double r = k.lamda / k.mu;
    const double u = r / s;
    const double logC = std::log(c.P0) + s * std::log(r) - std::lgamma(s + 1.0) - std::log1p(-u);
    const double pasos = (std::log(1 - k.probabilidad) - logC) / std::log(u);
    EXPECT_EQ(c.MaximaCola, s - 1 + static_cast<int>(std::ceil(pasos)));
}

INSTANTIATE_TEST_SUITE_P(Centro, ColaGeometrica,
                         ::testing::Values(
                             // Rho^n and 5^n overflow long before the level is reached at ~782.
                             CasoCola{"muy_cargado", 13, 2.61, 5, 0.95},
                             CasoCola{"cuarenta_servidores", 70, 2, 40, 0.95},
                             CasoCola{"cinco_servidores", 9, 2, 5, 0.99},
                             CasoCola{"un_servidor", 1, 2, 1, 0.95}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A thousand servers or more with a real queue: the tail past the servers
// is still searched, P(N > n) = Pn u^(n-s+1) giving the state to expect.
TEST(MaximaCola, MilServidoresOMasConColaBuscanMasAllaDeLosServidores) {
    for (int s : {1000, 2000, 5000}) {
        const double lamda = 0.995 * s;
        CentroProductivo c = Centro(lamda, 1, s, 1 / lamda, 1);
        MensajesGrabados m;
        bool error = false;
        c.Calculos(error, m);
        ASSERT_FALSE(error) << s;
        EXPECT_TRUE(m.vistos.empty()) << s;
        ASSERT_GT(c.Pn, 0.05) << s;  // the level is passed beyond the servers
        const double pasos = (std::log(1 - c.Probabilidad) - std::log(c.Pn)) / std::log(0.995);
        EXPECT_NEAR(c.MaximaCola, s - 1 + std::ceil(pasos), 1) << s;
        EXPECT_GT(c.MaximaCola, s) << s;
    }
}

TEST(MaximaCola, NivelInalcanzableAvisaYSigueCalculando) {
    for (double nivel : {0.9999999, 1.5}) {
        CentroProductivo c = Centro(1.99, 2, 1, 1 / 1.99, 0.5);
        c.Probabilidad = nivel;
        MensajesGrabados m;
        bool error = true;
        c.Calculos(error, m);
        EXPECT_FALSE(error) << nivel;
        ASSERT_EQ(m.vistos.size(), 1u) << nivel;
        EXPECT_EQ(m.vistos[0], (MensajeVisto{"La probabilidad es muy elevada", "Error",
                                             Botones::Aceptar, Icono::Critico}));
        EXPECT_EQ(c.MaximaCola, 999);
        EXPECT_NEAR(c.L, 199, 1e-9);  // the later measures are still computed
    }
}

// Failures: starting from a computed default centre (Rho = Trafico = P0 =
// 0.5), the fields computed before the failure are new, the later ones old.
struct CasoFallo {
    const char* nombre;
    double lamda, mu;
    int servidores;
    double rho, trafico;
    int servidoresFinal;
};
class Fallo : public ::testing::TestWithParam<CasoFallo> {};

TEST_P(Fallo, DesbordamientoConservaLoPosterior) {
    const CasoFallo& k = GetParam();
    CentroProductivo c = Centro(1, 2, 1, 1.0, 0.5);
    c.Lamda = k.lamda;
    c.Mu = k.mu;
    c.Servidores = static_cast<std::int16_t>(k.servidores);
    MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);

    EXPECT_TRUE(error);
    EXPECT_EQ(m.vistos, std::vector<MensajeVisto>{kDesbordamiento});
    EXPECT_EQ(c.Rho, k.rho);
    EXPECT_EQ(c.Trafico, k.trafico);
    EXPECT_EQ(c.Servidores, k.servidoresFinal);
    EXPECT_EQ(c.P0, 0.5);
    EXPECT_EQ(c.L, 1.0);
    EXPECT_EQ(c.MaximaCola, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Centro, Fallo,
    ::testing::Values(CasoFallo{"sin_servidores", 3, 2, 0, 1.5, 0.5, 0},
                      CasoFallo{"servidores_negativos", 3, 2, -2, 1.5, 0.5, -2},
                      CasoFallo{"mu_cero", 1, 0, 1, 0.5, 0.5, 1},
                      // Rho and Trafico are 0 before the coefficient of arrivals divides by 1/0.
                      CasoFallo{"lamda_cero", 0, 2, 1, 0, 0, 1},
                      // The minimum count does not fit in 16 bits: no count message, and
                      // the unstable centre is not computed as if it were stable.
                      CasoFallo{"minimo_fuera_de_rango", 1e6, 1, 1, 1e6, 0.5, 1}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(ActDesv, VuelveALaDesviacionExponencial) {
    CentroProductivo c = Centro(4, 5, 1, 3, 3);
    c.ActDesvLamda();
    c.ActDesvMu();
    EXPECT_EQ(c.Desvlamda, 0.25);
    EXPECT_EQ(c.DesvMu, 0.2);
    c.Lamda = 0;
    c.ActDesvLamda();
    EXPECT_EQ(c.Desvlamda, 0.25);
}

}  // namespace
}  // namespace vortena
