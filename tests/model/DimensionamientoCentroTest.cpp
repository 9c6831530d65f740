// Minimum and cost-optimal server counts of one centre.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/CentroProductivo.h"
#include "model/ErrorAritmetico.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

struct CasoMinimo {
    const char* nombre;
    double lamda, mu;
    bool error;
    int servidores;  // with 3 servers before the call
};
class Minimos : public ::testing::TestWithParam<CasoMinimo> {};

TEST_P(Minimos, MenorCuentaEstable) {
    const CasoMinimo& k = GetParam();
    CentroProductivo c;
    c.Lamda = k.lamda;
    c.Mu = k.mu;
    c.Servidores = 3;
    bool error = !k.error;  // the call always sets the flag
    c.ServidoresMinimos(error);
    EXPECT_EQ(error, k.error);
    EXPECT_EQ(c.Servidores, k.servidores);
}

INSTANTIATE_TEST_SUITE_P(Centro, Minimos,
                         ::testing::Values(CasoMinimo{"fraccion", 9, 2, false, 5},
                                           // A whole quotient still needs one more server.
                                           CasoMinimo{"cociente_entero", 8, 2, false, 5},
                                           CasoMinimo{"poca_carga", 1, 2, false, 1},
                                           CasoMinimo{"sin_llegadas", 0, 2, false, 1},
                                           CasoMinimo{"mayor_de_16_bits", 65534, 2, true, 3},
                                           CasoMinimo{"maximo_de_16_bits", 65532, 2, false, 32767},
                                           CasoMinimo{"mu_cero", 1, 0, true, 3},
                                           CasoMinimo{"mu_nan", 1, std::nan(""), true, 3}),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoOptimo {
    const char* nombre;
    double lamda, mu, costoCentro, costoEspera;
    int servidores;
};
class Optimos : public ::testing::TestWithParam<CasoOptimo> {};

TEST_P(Optimos, AnalisisMarginal) {
    const CasoOptimo& k = GetParam();
    CentroProductivo c;
    c.predeterminado();
    c.Lamda = k.lamda;
    c.Mu = k.mu;
    c.Desvlamda = 1 / k.lamda;
    c.CostoCentro = k.costoCentro;
    c.CostoEspera = k.costoEspera;
    prueba::MensajesGrabados m;
    bool error = false;
    c.Calculos(error, m);  // the search uses the Rho of the last computation
    ASSERT_FALSE(error);
    const double p0 = c.P0;
    const double l = c.L;

    c.ServidoresOptimos(error);
    EXPECT_FALSE(error);
    EXPECT_EQ(c.Servidores, k.servidores);
    // Only the count changes; the measures wait for the next Calculos.
    EXPECT_EQ(c.P0, p0);
    EXPECT_EQ(c.L, l);
}

INSTANTIATE_TEST_SUITE_P(Centro, Optimos,
                         ::testing::Values(CasoOptimo{"predeterminado", 1, 2, 10, 1, 1},
                                           CasoOptimo{"espera_barata", 9, 2, 10, 1, 5},
                                           CasoOptimo{"espera_cara", 9, 2, 10, 50, 8}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(Optimos, MinimoFallidoSoloMarcaElError) {
    CentroProductivo c;
    c.predeterminado();
    c.Servidores = 4;
    c.Mu = 0;
    bool error = false;
    EXPECT_NO_THROW(c.ServidoresOptimos(error));
    EXPECT_TRUE(error);
    EXPECT_EQ(c.Servidores, 4);
}

TEST(Optimos, FalloDeLaBusquedaLlegaAlLlamadorSinCambiarLaCuenta) {
    // Waiting that costs nothing: the ratio itself divides by zero.
    CentroProductivo gratis;
    gratis.predeterminado();
    gratis.Servidores = 4;
    gratis.CostoEspera = 0;
    bool error = false;
    EXPECT_THROW(gratis.ServidoresOptimos(error), ErrorAritmetico);
    EXPECT_EQ(gratis.Servidores, 4);
}

TEST(Optimos, CentrosDeCientosDeServidoresTienenSuOptimo) {
    // A minimum of 201 servers: past 170 the terms are scaled, not factorials.
    CentroProductivo enorme;
    enorme.predeterminado();
    enorme.Lamda = 400;
    enorme.Servidores = 250;
    enorme.GetRho();
    bool error = false;
    ASSERT_NO_THROW(enorme.ServidoresOptimos(error));
    EXPECT_FALSE(error);
    // One waiting unit costs a tenth of a server: staff well past the minimum,
    // but not far past the load.
    EXPECT_GT(enorme.Servidores, 201);
    EXPECT_LT(enorme.Servidores, 260);
}

TEST(Optimos, UnCostoNegativoBuscaHastaElLimiteYTermina) {
    // A negative server cost (a file may hold one): no count is ever good
    // enough, so the search walks every count up to the largest a file
    // holds (once quadratic, minutes under the sanitizers) and ends with the
    // typed failure, the count unchanged.
    CentroProductivo c;
    c.predeterminado();
    c.Lamda = 9;
    c.Servidores = 7;
    c.CostoCentro = -1;
    c.GetRho();
    bool error = false;
    EXPECT_THROW(c.ServidoresOptimos(error), ErrorAritmetico);
    EXPECT_EQ(c.Servidores, 7);
}

TEST(OperacionesSimples, DivisionesComprobadas) {
    CentroProductivo c;
    c.predeterminado();
    c.Mu = 0;
    EXPECT_THROW(c.GetRho(), ErrorAritmetico);
    EXPECT_EQ(c.Rho, 0.5);
    c.Servidores = 0;
    EXPECT_THROW(c.GetTrafico(), ErrorAritmetico);
    c.Servidores = 3;
    c.GetCostoTotalServidores();
    EXPECT_EQ(c.CtoTotalServidores, 30);
}

}  // namespace
}  // namespace vortena
