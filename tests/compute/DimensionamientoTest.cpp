#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;
using prueba::DocumentoFalso;
using prueba::MensajesGrabados;

using Comando = std::function<void(Red&, Mensajes&, Documento&)>;

struct CasoComando {
    const char* nombre;
    Comando comando;
};
void PrintTo(const CasoComando& c, std::ostream* os) {
    *os << c.nombre;
}

class ComandoDeRed : public testing::TestWithParam<CasoComando> {};

// Start and end nodes with numbers that would fail any sizing or computation.
TEST_P(ComandoDeRed, NeverTouchesStartAndEndNodes) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    for (std::int16_t p : {1, 3}) {
        b[p].Lamda = 5;
        b[p].Mu = 0;
        b[p].Servidores = 0;
        b[p].CostoEspera = 0;
    }
    MensajesGrabados msj;
    DocumentoFalso doc;
    GetParam().comando(red, msj, doc);
    EXPECT_TRUE(msj.vistos.empty()) << msj.vistos.front().texto;
    for (std::int16_t p : {1, 3}) {
        EXPECT_EQ(b[p].Servidores, 0);
        EXPECT_EQ(b[p].W, 0);
    }
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

INSTANTIATE_TEST_SUITE_P(Comandos, ComandoDeRed,
                         testing::Values(CasoComando{"Minimos", ServidoresMinimosRed},
                                         CasoComando{"Optimos", ServidoresOptimosRed},
                                         CasoComando{"Calcular", CalcularRed}),
                         [](const testing::TestParamInfo<CasoComando>& i) {
                             return std::string(i.param.nombre);
                         });

// Three centres between INICIO and FIN, the middle one broken by `romper`.
struct TresCentros {
    Red red;
    ConstructorRed b{red};
    std::int16_t a, roto, c;
    explicit TresCentros(const std::function<void(CentroProductivo&)>& romper) {
        auto i = b.Inicio();
        a = b.Centro("A", 9.0, 2.0);
        roto = b.Centro("Roto", 9.0, 2.0);
        c = b.Centro("C", 9.0, 2.0);
        auto f = b.Fin();
        for (auto p : {a, roto, c}) {
            b.Conectar(i, p);
            b.Conectar(p, f);
            b[p].Servidores = 7;
            bool error = false;
            MensajesGrabados silencio;
            b[p].Calculos(error, silencio);  // Rho current for the optimum
        }
        romper(b[roto]);
        red.NodoFin = f;
    }
};

struct CasoDimension {
    const char* nombre;
    Comando comando;
    std::function<void(CentroProductivo&)> romper;
    int servidoresSanos;  // count the other centres end with
};
void PrintTo(const CasoDimension& c, std::ostream* os) {
    *os << c.nombre;
}

class Dimension : public testing::TestWithParam<CasoDimension> {};

TEST_P(Dimension, FailingCentreIsReportedWithItsNameAndKeepsItsCount) {
    TresCentros t(GetParam().romper);
    MensajesGrabados msj;
    DocumentoFalso doc;
    GetParam().comando(t.red, msj, doc);
    ASSERT_EQ(msj.vistos.size(), 1u);
    EXPECT_EQ(msj.vistos[0].texto, "Error por desbordamiento");
    EXPECT_EQ(msj.vistos[0].titulo, "Roto");
    EXPECT_EQ(msj.vistos[0].botones, Botones::Aceptar);
    EXPECT_EQ(msj.vistos[0].icono, Icono::Critico);
    EXPECT_EQ(t.b[t.roto].Servidores, 7);
    EXPECT_EQ(t.b[t.a].Servidores, GetParam().servidoresSanos);
    EXPECT_EQ(t.b[t.c].Servidores, GetParam().servidoresSanos);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

// λ = 9, μ = 2: minimum 5 servers; with CostoCentro 10 and CostoEspera 1 the
// optimum is also 5, with CostoEspera 50 it is 8.
INSTANTIATE_TEST_SUITE_P(
    Casos, Dimension,
    testing::Values(CasoDimension{"MinimosMuCero", ServidoresMinimosRed,
                                  [](CentroProductivo& c) { c.Mu = 0; }, 5},
                    CasoDimension{"MinimosFueraDeRango", ServidoresMinimosRed,
                                  [](CentroProductivo& c) { c.Lamda = 1e6; }, 5},
                    CasoDimension{"OptimosMuCero", ServidoresOptimosRed,
                                  [](CentroProductivo& c) { c.Mu = 0; }, 5},
                    // Fails before the search's own minimum runs, after a centre that succeeded.
                    CasoDimension{"OptimosCostoEsperaCero", ServidoresOptimosRed,
                                  [](CentroProductivo& c) { c.CostoEspera = 0; }, 5}),
    [](const testing::TestParamInfo<CasoDimension>& i) { return std::string(i.param.nombre); });

TEST(Dimension, OptimumFollowsTheCostRatio) {
    TresCentros t([](CentroProductivo&) {});
    for (auto p : {t.a, t.roto, t.c}) t.b[p].CostoEspera = 50;
    MensajesGrabados msj;
    DocumentoFalso doc;
    ServidoresOptimosRed(t.red, msj, doc);
    EXPECT_TRUE(msj.vistos.empty());
    for (auto p : {t.a, t.roto, t.c}) EXPECT_EQ(t.b[p].Servidores, 8);
    EXPECT_FALSE(t.red.ErrorCalculo);
}

TEST(CalcularRed, NewNetworkComputesSilentlyAndMarksModified) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    b[2].W = 0;
    red.ErrorCalculo = true;
    MensajesGrabados msj;
    DocumentoFalso doc;
    CalcularRed(red, msj, doc);
    EXPECT_TRUE(msj.vistos.empty());
    EXPECT_DOUBLE_EQ(b[2].W, 1.0);
    EXPECT_DOUBLE_EQ(b[3].tmpoTemprano, 1.0);
    EXPECT_TRUE(red.MostrarCriticos);
    EXPECT_FALSE(red.ErrorCalculo);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

TEST(CalcularRed, UnreachedCentreAfterPropagationStopsBeforeThePert) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A"), z = b.Centro("Z"), c = b.Centro("C"), f = b.Fin();
    b.Conectar(i, a);
    b.Conectar(a, f);
    b.Conectar(i, c);
    b.Conectar(c, f);
    b.Conectar(i, z);  // Z leads nowhere: the propagation leaves it at rate 0
    red.NodoFin = f;
    MensajesGrabados msj;
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    doc.llamadasBarra.clear();
    b[c].W = -1;
    b[f].tmpoTemprano = -1;
    CalcularRed(red, msj, doc);
    ASSERT_EQ(msj.vistos.size(), 1u);
    // The text names the centre where the computation stopped.
    EXPECT_EQ(msj.vistos[0].texto, "Error por Desbordamiento\nCentro: Z");
    EXPECT_EQ(msj.vistos[0].titulo, kTituloPrograma);
    EXPECT_EQ(msj.vistos[0].icono, Icono::Exclamacion);
    EXPECT_TRUE(red.ErrorCalculo);
    EXPECT_DOUBLE_EQ(b[a].Lamda, 10);
    EXPECT_EQ(b[c].W, -1);             // after Z: not computed
    EXPECT_EQ(b[f].tmpoTemprano, -1);  // no PERT
    EXPECT_TRUE(doc.llamadasBarra.empty());
}

TEST(CalcularRed, UnreachableEndMarkerIsReported) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    const std::int16_t suelto = b.Centro("Suelto");
    red.NodoFin = suelto;
    MensajesGrabados msj;
    DocumentoFalso doc;
    CalcularRed(red, msj, doc);
    ASSERT_EQ(msj.vistos.size(), 1u);
    EXPECT_EQ(msj.vistos[0].texto, "Centros de inicio y/o Fin inválidos");
    EXPECT_EQ(msj.vistos[0].titulo, "Vortena de líneas de Producción");
    EXPECT_EQ(msj.vistos[0].botones, Botones::Aceptar);
    EXPECT_EQ(msj.vistos[0].icono, Icono::Critico);
    EXPECT_DOUBLE_EQ(b[suelto].W, 1.0);  // measures stay computed
    EXPECT_TRUE(doc.llamadasBarra.empty());
}

TEST(CalcularRed, OverloadedCentreIsResizedAndTheRunGoesOn) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    b[2].Lamda = 3;
    b[2].Desvlamda = 1.0 / 3;
    MensajesGrabados msj;
    DocumentoFalso doc;
    CalcularRed(red, msj, doc);
    ASSERT_EQ(msj.vistos.size(), 1u);
    EXPECT_EQ(msj.vistos[0].titulo, "Número de Servidores mínimos");
    EXPECT_EQ(b[2].Servidores, 2);
    EXPECT_GT(b[3].tmpoTemprano, 0);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

}  // namespace
}  // namespace vortena
