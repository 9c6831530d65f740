// The candidate's operators: creation from the network, mutation, crossover,
// fitness on both sides of the desired time.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "compute/Pert.h"
#include "optimise/CentrosGen.h"
#include "optimise/GenCadena.h"
#include "optimise/RedesOptimizacion.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::Candidato;

std::vector<std::int16_t> Genes(const ListaGenes& l) { return l.valores(); }

TEST(GenCadenaCrear, FirstKeepsTheNetworkCountsLaterOnesGetTheMinimums) {
    Red red;
    // mu 0.4 needs 3 servers at least; the user has more everywhere.
    prueba::Cadena(red, {2.0, 0.4, 0.9}, {4, 5, 2});
    CalcularPERT(red, red.NodoInicio, red.NodoFin);
    const auto centros = CentrosGen(red);
    ASSERT_EQ(centros.size(), 3u);

    GenCadena primero, segundo;
    primero.Crear(red, centros);
    segundo.Crear(red, centros);

    EXPECT_EQ(primero.nEl, 3);
    EXPECT_EQ(Genes(primero.EL), (std::vector<std::int16_t>{4, 5, 2}));
    EXPECT_EQ(Genes(primero.FServidoresMinimos), (std::vector<std::int16_t>{1, 3, 2}));
    EXPECT_EQ(Genes(segundo.EL), (std::vector<std::int16_t>{1, 3, 2}));
    EXPECT_EQ(segundo.FServidoresMinimos, primero.FServidoresMinimos);
    EXPECT_EQ(prueba::Servidores(red, centros), (std::vector<std::int16_t>{1, 3, 2}));
}

struct CasoMutar {
    std::vector<int> padre, minimos, esperado;
};

class MutarDeltaUno : public ::testing::TestWithParam<CasoMutar> {};

// With δ = 1 every draw gives r = 1: exactly one server more per gene, and a
// gene one below its minimum reaches it.
TEST_P(MutarDeltaUno, AddsExactlyOneServerToEveryGene) {
    const CasoMutar& c = GetParam();
    GenCadena padre, hijo;
    for (int v : c.padre) padre.EL.Agregar(static_cast<std::int16_t>(v));
    padre.nEl = static_cast<std::int16_t>(c.padre.size());
    for (std::size_t k = 0; k < c.padre.size(); ++k) {
        hijo.EL.Agregar(0);
        hijo.FServidoresMinimos.Agregar(static_cast<std::int16_t>(c.minimos[k]));
    }
    hijo.nEl = padre.nEl;
    FuenteAleatoria azar;
    for (int vez = 0; vez < 20; ++vez) {
        hijo.mutar(padre, 1, azar);
        std::vector<std::int16_t> esperado(c.esperado.begin(), c.esperado.end());
        EXPECT_EQ(Genes(hijo.EL), esperado);
    }
    EXPECT_EQ(hijo.FServidoresMinimos.Count(), static_cast<int>(c.minimos.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, MutarDeltaUno,
    ::testing::Values(CasoMutar{{1, 3, 7}, {1, 1, 1}, {2, 4, 8}},
                      CasoMutar{{2}, {3}, {3}},                 // one below the minimum
                      CasoMutar{{1, 1}, {5, 1}, {5, 2}},        // far below: the minimum
                      CasoMutar{{}, {}, {}}));                  // no genes

TEST(GenCadenaMutar, WiderDeltaDrawsEveryStepAndNeverLowers) {
    GenCadena padre = Candidato({3, 10}, {1, 1});
    GenCadena hijo = Candidato({0, 0}, {1, 1});
    FuenteAleatoria azar;
    for (int delta = 2; delta <= 8; ++delta) {
        std::set<int> vistos;
        for (int vez = 0; vez < 400; ++vez) {
            hijo.mutar(padre, static_cast<std::int16_t>(delta), azar);
            for (int k = 1; k <= 2; ++k) {
                const int r = hijo.EL(k) - padre.EL(k);
                ASSERT_GE(r, 1);
                ASSERT_LE(r, delta);
                vistos.insert(r);
            }
        }
        EXPECT_EQ(static_cast<int>(vistos.size()), delta) << "delta " << delta;
    }
}

TEST(GenCadenaMix, TakesEveryGeneFromOneParentAndBothParentsContribute) {
    GenCadena a = Candidato({}, {}), b = Candidato({}, {}), hijo = Candidato({}, {});
    for (int k = 0; k < 64; ++k) {
        a.EL.Agregar(1);
        b.EL.Agregar(9);
        hijo.EL.Agregar(0);
        hijo.FServidoresMinimos.Agregar(4);
    }
    a.nEl = b.nEl = hijo.nEl = 64;
    FuenteAleatoria azar;
    hijo.Mix(a, b, azar);
    int deA = 0, deB = 0;
    for (int k = 1; k <= 64; ++k) {
        ASSERT_TRUE(hijo.EL(k) == 1 || hijo.EL(k) == 9);
        (hijo.EL(k) == 1 ? deA : deB)++;
        EXPECT_EQ(hijo.FServidoresMinimos(k), 4);
    }
    EXPECT_GT(deA, 10);
    EXPECT_GT(deB, 10);
}

TEST(Fitness, FasterThanDesiredOutranksEveryCostElseTheCostNegated) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Caso {
        double t, T, costo, esperado;
    };
    const std::vector<Caso> casos = {
        {2.0, 3.0, 22.0, 5e20},
        {2.9, 3.0, 1e6, 5.9e20},
        {3.0, 3.0, 22.0, -22.0},  // at the desired time: not faster
        {4.0, 3.0, 22.0, -22.0},
        {0.0, 3.0, 0.0, 3e20},
    };
    for (const Caso& c : casos) EXPECT_DOUBLE_EQ(Fitness(c.t, c.T, c.costo), c.esperado) << c.t;
    EXPECT_EQ(Fitness(nan, 3.0, 22.0), -22.0);
    EXPECT_EQ(Fitness(2.0, nan, 22.0), -22.0);
}

// Two default centres in series: one server each gives W = 1 and a cost of
// L·1 + 10 = 11 per centre; two servers in the first give W = L = 0.5 + 1/30
// and a cost of L + 20.
struct CasoEvaluar {
    std::vector<int> genes;
    double deseado;
    double tiempo, costo, optimidad;
};

class CalculaFitnessRed : public ::testing::TestWithParam<CasoEvaluar> {};

TEST_P(CalculaFitnessRed, EvaluatesOnTheNetworkAndLeavesItSoSet) {
    const CasoEvaluar& c = GetParam();
    Red red;
    prueba::Cadena(red, {2.0, 2.0});
    CalcularPERT(red, red.NodoInicio, red.NodoFin);
    const auto centros = CentrosGen(red);
    GenCadena g;
    for (int v : c.genes) {
        g.EL.Agregar(static_cast<std::int16_t>(v));
        g.FServidoresMinimos.Agregar(1);
    }
    g.nEl = static_cast<std::int16_t>(c.genes.size());
    prueba::MensajesGrabados msj;
    g.CalculaFitness(red, msj, centros, c.deseado);

    EXPECT_NEAR(g.rTiempo, c.tiempo, 1e-12);
    EXPECT_NEAR(g.rOptimo, c.costo, 1e-12);
    EXPECT_NEAR(g.Optimidad, c.optimidad, std::fabs(c.optimidad) * 1e-14);
    std::vector<std::int16_t> esperado(c.genes.begin(), c.genes.end());
    EXPECT_EQ(prueba::Servidores(red, centros), esperado);
    EXPECT_NEAR(red.Centros(red.NodoFin).tmpoTemprano, c.tiempo, 1e-12);
    EXPECT_TRUE(msj.vistos.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, CalculaFitnessRed,
    ::testing::Values(CasoEvaluar{{1, 1}, 3.0, 2.0, 22.0, 5e20},
                      CasoEvaluar{{1, 1}, 2.0, 2.0, 22.0, -22.0},
                      CasoEvaluar{{1, 1}, 1.0, 2.0, 22.0, -22.0},
                      CasoEvaluar{{2, 1}, 2.0, 1.5 + 1.0 / 30, 31.5 + 1.0 / 30,
                                  (3.5 + 1.0 / 30) * 1e20},
                      CasoEvaluar{{2, 1}, 1.5, 1.5 + 1.0 / 30, 31.5 + 1.0 / 30,
                                  -(31.5 + 1.0 / 30)}));

TEST(GenCadenaSinGenes, CostZeroAndFitnessFromTheTimeAlone) {
    Red red;
    prueba::ConstructorRed b(red);
    b.Inicio();
    b.Fin();
    b.Conectar(1, 2);
    red.NodoFin = 2;
    CalcularPERT(red, 1, 2);
    const auto centros = CentrosGen(red);
    ASSERT_TRUE(centros.empty());
    GenCadena g;
    g.Crear(red, centros);
    prueba::MensajesGrabados msj;
    g.CalculaFitness(red, msj, centros, 1.0);
    EXPECT_EQ(g.nEl, 0);
    EXPECT_EQ(g.rOptimo, 0.0);
    EXPECT_EQ(g.rTiempo, 0.0);
    EXPECT_EQ(g.Optimidad, 1e20);
    EXPECT_EQ(g.CalculaDistancia(g), 0.0);
}

TEST(GenCadenaDistancia, SquaredSumWithoutRoot) {
    EXPECT_EQ(Candidato({1, 2, 3}, {1, 1, 1}).CalculaDistancia(Candidato({4, 2, 1}, {1, 1, 1})), 13.0);
}

}  // namespace
}  // namespace vortena
