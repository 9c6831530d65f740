// The table of state probabilities of one centre.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "MensajeComparable.h"
#include "model/EstadosProbabilidad.h"

namespace vortena {
namespace {

using prueba::MensajesGrabados;
using prueba::MensajeVisto;

CentroProductivo Calculado(double lamda, double mu, int servidores) {
    CentroProductivo c;
    c.predeterminado();
    c.Lamda = lamda;
    c.Mu = mu;
    c.Servidores = static_cast<std::int16_t>(servidores);
    c.Desvlamda = 1 / lamda;
    c.DesvMu = 1 / mu;
    MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);
    EXPECT_FALSE(error);
    return c;
}

// P(n) of an M/M/s centre, straight from the formula.
double Estado(const CentroProductivo& c, int n) {
    const int s = c.Servidores;
    const double log = std::log(c.P0) + n * std::log(c.Rho);
    if (n <= s) return std::exp(log - std::lgamma(n + 1.0));
    return std::exp(log - std::lgamma(s + 1.0) - (n - s) * std::log(static_cast<double>(s)));
}

struct CasoRegional {
    Regional reg;
    std::string primero, ultimo;
};
class CentroPredeterminado : public ::testing::TestWithParam<CasoRegional> {};

TEST_P(CentroPredeterminado, CatorceEstadosEnQuinceFilas) {
    CentroProductivo c;
    c.predeterminado();
    const TablaEstados t = CalcularTablaEstados(c, GetParam().reg);
    ASSERT_EQ(t.resultado, ResultadoEstados::Tabla);
    ASSERT_EQ(t.filas.size(), 14u);
    EXPECT_EQ(t.FilasGrid(), 15);
    EXPECT_EQ(t.filas[0].valor, GetParam().primero);
    EXPECT_EQ(t.filas[13].valor, GetParam().ultimo);  // 0.000061, below the threshold
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(t.filas[static_cast<std::size_t>(i)].estado,
                  std::string("P( ").append(std::to_string(i)) + ")");
        EXPECT_DOUBLE_EQ(t.probabilidades[static_cast<std::size_t>(i)], std::pow(0.5, i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Estados, CentroPredeterminado,
                         ::testing::Values(CasoRegional{Regional::Espanol(), "0,50000", "0,00006"},
                                           CasoRegional{Regional::Ingles(), "0.50000", "0.00006"}));

TEST(Estados, ElPrimeroBajoElUmbralEntreLosServidoresNoSeLista) {
    // s = 10, rho = 0.5: P(5) = 1.6e-4 is listed, P(6) = 1.3e-5 is not.
    const CentroProductivo c = Calculado(1, 2, 10);
    const TablaEstados t = CalcularTablaEstados(c, Regional::Espanol());
    ASSERT_EQ(t.resultado, ResultadoEstados::Tabla);
    ASSERT_EQ(t.probabilidades.size(), 6u);
    for (int n = 0; n < 6; ++n)
        EXPECT_NEAR(t.probabilidades[static_cast<std::size_t>(n)], Estado(c, n), 1e-15);
    EXPECT_GT(Estado(c, 5), kUmbralEstados);
    EXPECT_LT(Estado(c, 6), kUmbralEstados);
    EXPECT_EQ(t.filas.back().estado, "P( 5)");
}

TEST(Estados, CentroMuyCargadoListaLaColaLarga) {
    // Rho = 4.98 with 5 servers: Rho^n and 5^n overflow near state 440,
    // the probabilities fall below the threshold only at state 980.
    const CentroProductivo c = Calculado(13, 2.61, 5);
    const TablaEstados t = CalcularTablaEstados(c, Regional::Ingles());
    ASSERT_EQ(t.resultado, ResultadoEstados::Tabla);
    const std::size_t n = t.probabilidades.size();
    ASSERT_EQ(n, 981u);
    EXPECT_LT(t.probabilidades[n - 1], kUmbralEstados);  // listed: it lies beyond s
    EXPECT_GT(t.probabilidades[n - 2], kUmbralEstados);
    for (int i : {0, 3, 5, 6, 500, 980})
        EXPECT_NEAR(t.probabilidades[static_cast<std::size_t>(i)] / Estado(c, i), 1, 1e-11) << i;
    EXPECT_EQ(t.filas.back().estado, "P( 980)");
    EXPECT_EQ(t.filas.back().valor, "0.00009");
}

TEST(Estados, CualquierNumeroDeServidores) {
    // The table reads the stored values only; a count far beyond any fixed
    // array works. rho = 1: P(n) = P0 / n!, P(7) is the first below.
    CentroProductivo c;
    c.Servidores = 1500;
    c.Rho = 1;
    c.P0 = std::exp(-1.0);
    const TablaEstados t = CalcularTablaEstados(c, Regional::Espanol());
    ASSERT_EQ(t.resultado, ResultadoEstados::Tabla);
    EXPECT_EQ(t.filas.size(), 7u);
}

const MensajeVisto kElevada{"La probabilidad es muy elevada", "Calculo de Estados",
                            Botones::Aceptar, Icono::Critico};
const MensajeVisto kDesbordamiento{"Error por Desbordamiento", "Vortena de líneas de Producción",
                                   Botones::Aceptar, Icono::Exclamacion};

struct CasoSinFilas {
    const char* nombre;
    int servidores;
    double rho, p0;
    ResultadoEstados resultado;
    MensajeVisto mensaje;
};
class SinFilas : public ::testing::TestWithParam<CasoSinFilas> {};

TEST_P(SinFilas, ResultadoYMensaje) {
    const CasoSinFilas& k = GetParam();
    CentroProductivo c;
    c.Servidores = static_cast<std::int16_t>(k.servidores);
    c.Rho = k.rho;
    c.P0 = k.p0;
    const TablaEstados t = CalcularTablaEstados(c, Regional::Espanol());
    EXPECT_EQ(t.resultado, k.resultado);
    EXPECT_TRUE(t.filas.empty());
    MensajesGrabados m;
    AvisarTablaEstados(t, m);
    EXPECT_EQ(m.vistos, std::vector<MensajeVisto>{k.mensaje});
}

const double kInf = std::numeric_limits<double>::infinity();
INSTANTIATE_TEST_SUITE_P(Estados, SinFilas,
                         ::testing::Values(
                             // Utilisation 0.9995: about 3400 states above the threshold.
                             CasoSinFilas{"rho_cerca_de_s", 1, 0.9995, 0.0005,
                                          ResultadoEstados::ProbabilidadElevada, kElevada},
                             CasoSinFilas{"rho_cerca_de_s_con_cuatro", 4, 3.999, 1e-3,
                                          ResultadoEstados::ProbabilidadElevada, kElevada},
                             CasoSinFilas{"sin_servidores", 0, 0.5, 0.5,
                                          ResultadoEstados::Desbordamiento, kDesbordamiento},
                             CasoSinFilas{"p0_invalido", 2, 0.5, std::nan(""),
                                          ResultadoEstados::Desbordamiento, kDesbordamiento},
                             CasoSinFilas{"rho_infinito", 2, kInf, 0.5,
                                          ResultadoEstados::Desbordamiento, kDesbordamiento}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(Estados, UnaTablaNoMuestraMensajes) {
    CentroProductivo c;
    c.predeterminado();
    MensajesGrabados m;
    AvisarTablaEstados(CalcularTablaEstados(c, Regional::Espanol()), m);
    EXPECT_TRUE(m.vistos.empty());
}

}  // namespace
}  // namespace vortena
