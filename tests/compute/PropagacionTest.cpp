#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "compute/Propagacion.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;
using prueba::DocumentoFalso;

std::map<std::string, double> Lamdas(const Red& red) {
    std::map<std::string, double> m;
    for (const CentroProductivo& c : red.Centros) m[c.Nombre] = c.Lamda;
    return m;
}

struct CasoFlujo {
    const char* nombre;
    std::function<void(ConstructorRed&)> dibujar;
    std::map<std::string, double> lamdas;  // every node, by name
};
void PrintTo(const CasoFlujo& c, std::ostream* os) {
    *os << c.nombre;
}

class Flujo : public testing::TestWithParam<CasoFlujo> {};

TEST_P(Flujo, RatesAfterPropagation) {
    Red red;
    ConstructorRed b(red);
    GetParam().dibujar(b);
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    const auto obtenido = Lamdas(red);
    ASSERT_EQ(obtenido.size(), GetParam().lamdas.size());
    for (const auto& [nombre, lamda] : GetParam().lamdas)
        EXPECT_NEAR(obtenido.at(nombre), lamda, 1e-12) << nombre;
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

// A merge (C) followed by more connections (C -> D -> FIN); the unequal
// inflows make a per-connection running total count A's share twice or
// B's twice depending on which INICIO connection was drawn first.
void FusionAB(ConstructorRed& b, bool aPrimero) {
    auto i = b.Inicio(), a = b.Centro("A"), bb = b.Centro("B"), c = b.Centro("C"),
         d = b.Centro("D"), f = b.Fin(24);
    if (aPrimero) {
        b.Conectar(i, a, 0.8);
        b.Conectar(i, bb, 0.2);
        b.Conectar(bb, c);
        b.Conectar(bb, f);
    } else {
        b.Conectar(bb, f);
        b.Conectar(i, bb, 0.2);
        b.Conectar(bb, c);
        b.Conectar(i, a, 0.8);
    }
    b.Conectar(a, c);
    b.Conectar(c, d);
    b.Conectar(d, f);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Flujo,
    testing::Values(
        CasoFlujo{"RedNueva",
                  [](ConstructorRed& b) { b.RedNueva(); },
                  {{"INICIO", 0}, {"Sin nombre", 20}, {"FIN", 0}}},
        CasoFlujo{"CadenaMultiplicadoresSeCancelan",
                  [](ConstructorRed& b) {
                      auto i = b.Inicio(), x = b.Centro("A"), y = b.Centro("B"), z = b.Centro("C"),
                           f = b.Fin(20);
                      b.Conectar(i, x, 0.5);
                      b.Conectar(x, y, 3.0);
                      b.Conectar(y, z, 0.2);
                      b.Conectar(z, f, 7.0);
                  },
                  {{"INICIO", 0}, {"A", 20}, {"B", 20}, {"C", 20}, {"FIN", 0}}},
        CasoFlujo{"Division",
                  [](ConstructorRed& b) {
                      auto i = b.Inicio(), x = b.Centro("A"), y = b.Centro("B"), f = b.Fin(20);
                      b.Conectar(i, x, 0.7);
                      b.Conectar(i, y, 0.3);
                      b.Conectar(x, f);
                      b.Conectar(y, f);
                  },
                  {{"INICIO", 0}, {"A", 14}, {"B", 6}, {"FIN", 0}}},
        CasoFlujo{"FusionSeguidaDeConexionesAPrimero",
                  [](ConstructorRed& b) { FusionAB(b, true); },
                  {{"INICIO", 0}, {"A", 16}, {"B", 8}, {"C", 20}, {"D", 20}, {"FIN", 0}}},
        CasoFlujo{"FusionSeguidaDeConexionesBPrimero",
                  [](ConstructorRed& b) { FusionAB(b, false); },
                  {{"INICIO", 0}, {"A", 16}, {"B", 8}, {"C", 20}, {"D", 20}, {"FIN", 0}}},
        CasoFlujo{"RamaSinSalidaNoRecibeFlujo",
                  [](ConstructorRed& b) {
                      auto i = b.Inicio(), x = b.Centro("A"), z = b.Centro("Z"), f = b.Fin(20);
                      b.Conectar(i, z, 5.0);
                      b.Conectar(i, x);
                      b.Conectar(x, f);
                  },
                  {{"INICIO", 0}, {"A", 20}, {"Z", 0}, {"FIN", 0}}},
        CasoFlujo{"FinNoAlcanzado",
                  [](ConstructorRed& b) {
                      auto i = b.Inicio(), x = b.Centro("A"), y = b.Centro("B"), f = b.Fin(20);
                      b.Conectar(i, x);
                      b.Conectar(y, f);
                  },
                  {{"INICIO", 0}, {"A", 0}, {"B", 0}, {"FIN", 0}}},
        CasoFlujo{"MultiplicadorCeroNoRepartePorEsaRama",
                  [](ConstructorRed& b) {
                      auto i = b.Inicio(), x = b.Centro("A"), y = b.Centro("B"), f = b.Fin(20);
                      b.Conectar(i, x, 0.0);
                      b.Conectar(i, y, 1.0);
                      b.Conectar(x, f);
                      b.Conectar(y, f);
                  },
                  {{"INICIO", 0}, {"A", 0}, {"B", 20}, {"FIN", 0}}},
        CasoFlujo{"DiamanteSumaLosCaminos",
                  [](ConstructorRed& b) {
                      // A splits, both halves merge in D: D's rate is the sum over both paths.
                      auto i = b.Inicio(), a = b.Centro("A"), x = b.Centro("B"), y = b.Centro("C"),
                           d = b.Centro("D"), f = b.Fin(10);
                      b.Conectar(i, a);
                      b.Conectar(a, x, 0.25);
                      b.Conectar(a, y, 0.75);
                      b.Conectar(x, d);
                      b.Conectar(y, d);
                      b.Conectar(d, f);
                  },
                  {{"INICIO", 0}, {"A", 10}, {"B", 2.5}, {"C", 7.5}, {"D", 10}, {"FIN", 0}}}),
    [](const testing::TestParamInfo<CasoFlujo>& i) { return std::string(i.param.nombre); });

TEST(Flujo, MergeSplitDoesNotDependOnDrawingOrder) {
    Red r1, r2;
    ConstructorRed b1(r1), b2(r2);
    FusionAB(b1, true);
    FusionAB(b2, false);
    DocumentoFalso doc;
    PropagarFlujo(r1, doc);
    PropagarFlujo(r2, doc);
    // The connection into FIN after the merge carries exactly the merged flow.
    auto multRealDe = [](const Red& r, const char* desde, const char* hasta) {
        for (const linea& l : r.Conexiones)
            if (r.Centros(l.CentroInicio).Nombre == desde && r.Centros(l.CentroFin).Nombre == hasta)
                return l.multReal;
        return -1.0;
    };
    for (const Red* r : {&r1, &r2}) {
        EXPECT_DOUBLE_EQ(multRealDe(*r, "C", "D"), 1.0);
        EXPECT_DOUBLE_EQ(multRealDe(*r, "D", "FIN"), 1.0);
        EXPECT_DOUBLE_EQ(multRealDe(*r, "B", "FIN"), 0.2);
    }
}

TEST(Flujo, NewNetworkCentreGetsExponentialDeviationAndMinimumServers) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    const CentroProductivo& c = red.Centros(2);
    EXPECT_DOUBLE_EQ(c.Lamda, 20);
    EXPECT_DOUBLE_EQ(c.Desvlamda, 0.05);
    EXPECT_DOUBLE_EQ(c.aux, 20);
    EXPECT_EQ(c.Servidores, 11);
}

struct CasoDesviacion {
    const char* nombre;
    double lamdaAntes, desvAntes;
    double desvDespues, auxDespues;
};
void PrintTo(const CasoDesviacion& c, std::ostream* os) {
    *os << c.nombre;
}

class Desviacion : public testing::TestWithParam<CasoDesviacion> {};

TEST_P(Desviacion, FollowsTheNewRateOnlyWhenItWasExponential) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    b[2].Lamda = GetParam().lamdaAntes;
    b[2].Desvlamda = GetParam().desvAntes;
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_DOUBLE_EQ(b[2].Lamda, 20);
    EXPECT_DOUBLE_EQ(b[2].Desvlamda, GetParam().desvDespues);
    EXPECT_DOUBLE_EQ(b[2].aux, GetParam().auxDespues);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Desviacion,
    testing::Values(CasoDesviacion{"Exponencial", 4.0, 0.25, 0.05, 20},
                    CasoDesviacion{"Editada", 4.0, 0.7, 0.7, 4.0},
                    CasoDesviacion{"CasiExponencial", 3.0, 0.3333, 0.3333, 3.0},
                    CasoDesviacion{"AuxCero", 0.0, 1.0, 1.0, 0.0}),
    [](const testing::TestParamInfo<CasoDesviacion>& i) { return std::string(i.param.nombre); });

TEST(Flujo, PropagatingTwiceGivesTheSameState) {
    Red red;
    ConstructorRed b(red);
    FusionAB(b, true);
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    const auto primera = Lamdas(red);
    std::map<std::string, double> desv;
    for (const CentroProductivo& c : red.Centros) desv[c.Nombre] = c.Desvlamda;
    PropagarFlujo(red, doc);
    EXPECT_EQ(Lamdas(red), primera);
    for (const CentroProductivo& c : red.Centros)
        EXPECT_EQ(c.Desvlamda, desv[c.Nombre]) << c.Nombre;
    for (const linea& l : red.Conexiones) EXPECT_GT(l.multReal, 0);
}

// X is not reached from INICIO but feeds A, which is: the backward pass
// visits X through a connection carrying no flow.
TEST(Flujo, CentreFeedingWithoutFlowGetsRateZeroAndKeepsDeviation) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A"), x = b.Centro("X", 6.0, 2.0), f = b.Fin(20);
    b.Conectar(x, a);
    b.Conectar(i, a);
    b.Conectar(a, f);
    b[x].Desvlamda = 1.0 / 6.0;  // exponential for its old rate
    b[x].Servidores = 7;
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_DOUBLE_EQ(b[a].Lamda, 20);
    EXPECT_EQ(b[x].Lamda, 0.0);
    EXPECT_EQ(b[x].Servidores, 1);
    EXPECT_DOUBLE_EQ(b[x].Desvlamda, 1.0 / 6.0);
    EXPECT_DOUBLE_EQ(b[x].aux, 6.0);
}

TEST(Flujo, UnvisitedCentreKeepsItsServersAndOldRateInAux) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A"), z = b.Centro("Z", 9.0, 2.0), f = b.Fin(20);
    b.Conectar(i, a);
    b.Conectar(i, z);
    b.Conectar(a, f);
    b[z].Servidores = 5;
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_EQ(b[z].Lamda, 0.0);
    EXPECT_EQ(b[z].aux, 9.0);
    EXPECT_EQ(b[z].Servidores, 5);
}

TEST(Flujo, StartNodeOnlyCountsInTotals) {
    // INICIO feeds FIN directly and through A: A takes its share only.
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A"), f = b.Fin(30);
    b.Conectar(i, f, 2.0);
    b.Conectar(i, a, 1.0);
    b.Conectar(a, f);
    b[i].Mu = 0;  // would fail a minimum-server sizing if it were visited
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_DOUBLE_EQ(b[a].Lamda, 10);
    EXPECT_EQ(b[i].Lamda, 0.0);
    EXPECT_EQ(b[i].Servidores, 0);
    EXPECT_FALSE(red.ErrorCalculo);
}

TEST(Flujo, NetworkWithoutEndNodeOnlyMarksModified) {
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A");
    b.Conectar(i, a);
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_EQ(b[a].Lamda, 0.0);
    EXPECT_DOUBLE_EQ(red.Conexiones(1).multReal, 1.0);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

TEST(Flujo, LongChainDoesNotExhaustTheStack) {
    constexpr int kCentros = 30000;
    Red red;
    ConstructorRed b(red);
    red.Centros.Reservar(kCentros + 2);
    std::int16_t anterior = b.Inicio();
    for (int k = 0; k < kCentros; ++k) {
        const std::int16_t c = b.Nodo("C");
        b.Conectar(anterior, c, k % 2 ? 0.5 : 2.0);
        anterior = c;
    }
    b.Conectar(anterior, b.Fin(20));
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    for (int p = 2; p <= kCentros + 1; ++p) {
        ASSERT_NEAR(red.Centros(p).Lamda, 20, 1e-9) << p;
        ASSERT_EQ(red.Centros(p).Servidores, 11) << p;
    }
}

}  // namespace
}  // namespace vortena
