// The pool operators: breeding parents, the copy, the three sorts, the rank
// weights and the choice of the best candidate.

#include <gtest/gtest.h>

#include <vector>

#include "optimise/Optimizacion.h"
#include "optimise/RedesOptimizacion.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::Candidato;

// A pool of 150 with `genes` genes per member, member i holding 100·i in
// every gene (so any gene tells which member it came from).
struct Pool {
    Red red;
    prueba::MensajesGrabados msj;
    FuenteAleatoria azar;
    Optimizacion opt{red, msj, azar};

    explicit Pool(int genes = 0) {
        for (int i = 1; i <= Optimizacion::kTamanoPoblacion; ++i) {
            opt.AgregarCadena();
            GenCadena& g = opt.Poblacion(i);
            for (int k = 0; k < genes; ++k) {
                g.EL.Agregar(static_cast<std::int16_t>(100 * i));
                g.FServidoresMinimos.Agregar(1);
            }
            g.nEl = static_cast<std::int16_t>(genes);
            g.rTiempo = i;  // tag, not a key of any sort
        }
    }
    // Keys for the first members; their tags read back in order.
    void Claves(const std::vector<double>& optimidad, const std::vector<double>& variancia) {
        for (std::size_t i = 0; i < optimidad.size(); ++i) {
            opt.Poblacion(static_cast<int>(i) + 1).Optimidad = optimidad[i];
            opt.Poblacion(static_cast<int>(i) + 1).Variancia = variancia[i];
        }
    }
    std::vector<int> Etiquetas(int n) {
        std::vector<int> t;
        for (int i = 1; i <= n; ++i) t.push_back(static_cast<int>(opt.Poblacion(i).rTiempo));
        return t;
    }
};

class Reproducir : public ::testing::TestWithParam<int> {};

// Mutant H+i comes from P(i); crossover 2H+i mixes P(i) with P(⌊H/2⌋+i) as
// that member stands once the mutants are written (for i > H − ⌊H/2⌋ it is
// a fresh mutant).
TEST_P(Reproducir, ParentsOfMutantsAndCrossovers) {
    const int H = GetParam();
    Pool p(48);
    p.opt.ajustes.habitantes = static_cast<std::int16_t>(H);
    p.opt.ajustes.delta = 3;
    p.opt.Reproducir();
    auto& P = p.opt.Poblacion;
    for (int i = 1; i <= H; ++i) {
        EXPECT_EQ(P(i).EL(1), 100 * i) << "parents stay";
        for (int k = 1; k <= 48; ++k) {
            const int r = P(H + i).EL(k) - 100 * i;
            ASSERT_TRUE(r >= 1 && r <= 3) << "mutant " << H + i << " gene " << k;
        }
        const GenCadena& a = P(i);
        const GenCadena& b = P(H / 2 + i);
        bool vioA = false, vioB = false;
        for (int k = 1; k <= 48; ++k) {
            const int v = P(2 * H + i).EL(k);
            ASSERT_TRUE(v == a.EL(k) || v == b.EL(k)) << "crossover " << 2 * H + i;
            vioA |= v == a.EL(k);
            vioB |= v == b.EL(k);
        }
        EXPECT_TRUE(vioA && vioB) << "crossover " << 2 * H + i;
    }
    if (3 * H < P.Count()) {
        EXPECT_EQ(P(3 * H + 1).EL(1), 100 * (3 * H + 1)) << "beyond M untouched";
    }
}

INSTANTIATE_TEST_SUITE_P(Habitantes, Reproducir, ::testing::Values(5, 7, 50));

TEST(CopiarCadena, IntoEmptyFullAndOtherLengthCandidates) {
    const GenCadena origen = [] {
        GenCadena g = Candidato({3, 4, 5}, {1, 2, 3});
        g.Optimidad = 7e20;
        g.Variancia = 12;
        g.NOptimidad = 14900;
        g.NVariancia = 26;
        g.rOptimo = 33.5;
        g.rTiempo = 2.25;
        return g;
    }();
    std::vector<GenCadena> destinos = {
        GenCadena{},                                   // empty: genes appended
        Candidato({9, 9, 9}, {8, 8, 8}),               // full: replaced in place
        Candidato({9, 9, 9, 9, 9}, {8, 8, 8, 8, 8}),   // longer: no stale genes
        Candidato({9}, {8}),                           // shorter: none missing
    };
    for (GenCadena& d : destinos) {
        Optimizacion::CopiarCadena(d, origen);
        EXPECT_EQ(d.nEl, 3);
        EXPECT_EQ(d.EL, origen.EL);
        EXPECT_EQ(d.FServidoresMinimos, origen.FServidoresMinimos);
        EXPECT_EQ(d.Optimidad, origen.Optimidad);
        EXPECT_EQ(d.Variancia, origen.Variancia);
        EXPECT_EQ(d.NOptimidad, origen.NOptimidad);
        EXPECT_EQ(d.NVariancia, origen.NVariancia);
        EXPECT_EQ(d.rOptimo, origen.rOptimo);
        EXPECT_EQ(d.rTiempo, origen.rTiempo);
    }
}

struct CasoOrden {
    const char* nombre;
    int criterio;
    std::vector<double> optimidad, variancia;
    std::vector<int> esperado;  // tags after the sort
};

class Ordenar : public ::testing::TestWithParam<CasoOrden> {};

TEST_P(Ordenar, LargestFirstStableOnlyTheActiveMembers) {
    const CasoOrden& c = GetParam();
    Pool p;
    p.opt.ajustes.habitantes = 2;  // below the slider: still 5, M = 15
    ASSERT_EQ(p.opt.Activos(), 15);
    std::vector<double> opt = c.optimidad, var = c.variancia;
    opt.resize(16, -1e30);  // member 16 would rise to the top if it took part
    var.resize(16, 0);
    opt[15] = 1e30;
    var[15] = 1e30;
    p.Claves(opt, var);
    std::vector<const GenCadena*> objetos;
    for (int i = 1; i <= 16; ++i) objetos.push_back(&p.opt.Poblacion(i));

    p.opt.Ordenar(static_cast<std::int16_t>(c.criterio));

    std::vector<int> esperado = c.esperado;
    for (int i = static_cast<int>(esperado.size()) + 1; i <= 16; ++i) esperado.push_back(i);
    EXPECT_EQ(p.Etiquetas(16), esperado);
    for (int i = 1; i <= 16; ++i) EXPECT_EQ(&p.opt.Poblacion(i), objetos[static_cast<std::size_t>(i - 1)]);
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, Ordenar,
    ::testing::Values(
        CasoOrden{"Optimidad", 1, {-30, 5e20, -10, 3e20, -10}, {0, 0, 0, 0, 0}, {2, 4, 3, 5, 1}},
        CasoOrden{"OptimidadIguales", 1, {2, 2, 2, 3, 2}, {9, 8, 7, 6, 5}, {4, 1, 2, 3, 5}},
        CasoOrden{"Variancia", 2, {9, 8, 7, 6, 5}, {1, 40, 40, 2, 90}, {5, 2, 3, 4, 1}},
        CasoOrden{"Combinada", 3, {-20, -10, -5, -30, -5}, {10, 0, 5, 25, 0}, {3, 4, 5, 1, 2}},
        CasoOrden{"CriterioCero", 0, {1, 2, 3}, {3, 2, 1}, {1, 2, 3}},
        CasoOrden{"CriterioCuatro", 4, {1, 2, 3}, {3, 2, 1}, {1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.nombre); });

struct CasoPesos {
    int H, w;
};

class PesosDeRango : public ::testing::TestWithParam<CasoPesos> {};

// Keys that every sort leaves in place, so member i carries its ranks.
TEST_P(PesosDeRango, FromThePositionsAfterEachSort) {
    const CasoPesos c = GetParam();
    Pool p;
    p.opt.ajustes.habitantes = static_cast<std::int16_t>(c.H);
    p.opt.ajustes.diversidad = static_cast<std::int16_t>(c.w);
    const int M = 3 * c.H;
    std::vector<double> opt, var;
    for (int i = 1; i <= M; ++i) {
        opt.push_back(1000.0 - i);
        var.push_back(500.0 - i);
    }
    p.Claves(opt, var);
    p.opt.ClasificarPoblacion();
    for (int i = 1; i <= M; ++i) {
        EXPECT_EQ(p.opt.Poblacion(i).NOptimidad, c.w * (M - i)) << i;
        EXPECT_EQ(p.opt.Poblacion(i).NVariancia, (100 - c.w) * i) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Tabla, PesosDeRango,
                         ::testing::Values(CasoPesos{5, 74}, CasoPesos{50, 100}, CasoPesos{50, 1},
                                           CasoPesos{7, 50}));

// The best is copied after the fitness sort, before the others reorder.
TEST(ClasificarPoblacion, BestIsTheSlowestBelowTheDesiredTimeElseTheCheapest) {
    struct Caso {
        std::vector<double> tiempos, costos;
        double deseado;
        int mejor;  // tag
    };
    const std::vector<Caso> casos = {
        {{0.5, 0.9, 1.2, 0.7, 2.0}, {90, 50, 10, 60, 5}, 1.0, 2},
        {{1.5, 1.2, 1.0, 3.0, 1.1}, {40, 35, 60, 20, 20}, 1.0, 4},  // none faster; tie keeps the first
        {{0.2, 0.2, 0.3, 0.3, 0.1}, {1, 2, 3, 4, 5}, 1.0, 3},
    };
    for (const Caso& c : casos) {
        Pool p;
        for (std::size_t i = 0; i < c.tiempos.size(); ++i) {
            GenCadena& g = p.opt.Poblacion(static_cast<int>(i) + 1);
            g.rOptimo = c.costos[i];
            g.Optimidad = Fitness(c.tiempos[i], c.deseado, c.costos[i]);
            g.Variancia = 1e25 * static_cast<double>(i);  // would reorder the third sort
        }
        for (int i = static_cast<int>(c.tiempos.size()) + 1; i <= 15; ++i)
            p.opt.Poblacion(i).Optimidad = -1e9;
        p.opt.ClasificarPoblacion();
        const int esperado = c.mejor;
        EXPECT_EQ(p.opt.MejorCadena.rTiempo, esperado);
        EXPECT_EQ(p.opt.MejorCadena.rOptimo, c.costos[static_cast<std::size_t>(esperado - 1)]);
    }
}

}  // namespace
}  // namespace vortena
