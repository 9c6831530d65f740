// The cost–time front: the fast evaluation against the genetic search's own,
// the exact and NSGA-II fronts against a brute force, the cache, the
// hypervolume, determinism across thread counts and the failing networks.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>

#include "RedesOptimizacion.h"
#include "files/ArchivoRed.h"
#include "optimise/BusquedaFrente.h"
#include "optimise/CacheFrente.h"
#include "optimise/CentrosGen.h"
#include "optimise/FrenteNoDominado.h"
#include "optimise/ModeloFrente.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::MensajesGrabados;

ModeloFrente Preparar(const Red& red, int extra) {
    MensajesGrabados m;
    auto modelo = PrepararFrente(red, extra, m);
    EXPECT_TRUE(modelo.has_value()) << (m.vistos.empty() ? "" : m.vistos.front().texto);
    EXPECT_TRUE(m.vistos.empty());
    if (!modelo) throw std::runtime_error("la red no prepara");
    return std::move(*modelo);
}

// Every combination, evaluated by the genetic search itself.
struct Combinacion {
    std::vector<std::int16_t> servidores;
    EvaluacionFrente e;
};

std::vector<Combinacion> FuerzaBruta(const Red& red, const ModeloFrente& modelo) {
    const std::size_t n = modelo.genes().size();
    std::vector<Combinacion> todas;
    std::vector<std::uint8_t> d(n, 0);
    while (true) {
        const auto s = modelo.Servidores(d);
        todas.push_back({s, EvaluarComoGenetica(red, s)});
        std::size_t k = n;
        while (k > 0 && ++d[k - 1] > modelo.extra()) d[--k] = 0;
        if (k == 0) break;
    }
    return todas;
}

std::set<std::pair<double, double>> NoDominados(const std::vector<Combinacion>& todas) {
    std::set<std::pair<double, double>> r;
    for (const Combinacion& a : todas) {
        bool batido = false;
        for (const Combinacion& b : todas)
            if (b.e.costo <= a.e.costo && b.e.tiempo <= a.e.tiempo &&
                (b.e.costo < a.e.costo || b.e.tiempo < a.e.tiempo))
                batido = true;
        if (!batido) r.insert({a.e.costo, a.e.tiempo});
    }
    return r;
}

std::set<std::pair<double, double>> Puntos(const ResultadoFrente& r) {
    std::set<std::pair<double, double>> s;
    for (const PuntoFrente& p : r.puntos) s.insert({p.costo, p.tiempo});
    return s;
}

// The fast evaluation must give bit for bit what CalculaFitness gives, on a
// chain and on two parallel branches (where the max of the PERT matters).
TEST(ModeloFrente, EqualsTheGeneticSearchEvaluationOnEveryCombination) {
    for (int forma = 0; forma < 2; ++forma) {
        Red red;
        if (forma == 0)
            prueba::Cadena(red, {1.5, 0.8, 2.5}, {1, 3, 1});
        else
            prueba::Ramas(red, 2);
        const ModeloFrente modelo = Preparar(red, 2);
        ASSERT_EQ(modelo.genes().size(), forma == 0 ? 3u : 4u);
        std::vector<double> valores;
        std::vector<std::uint8_t> d(modelo.genes().size(), 0);
        for (const Combinacion& c : FuerzaBruta(red, modelo)) {
            for (std::size_t k = 0; k < d.size(); ++k)
                d[k] = static_cast<std::uint8_t>(c.servidores[k] - modelo.genes()[k].minimo);
            const EvaluacionFrente e = modelo.Evaluar(d, valores);
            ASSERT_TRUE(e.valida && c.e.valida);
            EXPECT_EQ(e.costo, c.e.costo);
            EXPECT_EQ(e.tiempo, c.e.tiempo);
        }
    }
}

// The sample files: joins, splits and twenty centres, sampled with a fixed
// stream of combinations.
TEST(ModeloFrente, EqualsTheGeneticSearchEvaluationOnTheSampleNetworks) {
    for (const char* archivo : {"division-y-union.vtq", "planta-20-centros.vtq"}) {
        Red red;
        prueba::DocumentoFalso doc;
        AbrirRed(red, std::string(VORTENA_SOURCE_DIR) + "/examples/" + archivo, doc);
        const ModeloFrente modelo = Preparar(red, 6);
        ASSERT_GE(modelo.genes().size(), 3u) << archivo;
        std::mt19937 azar(11);
        std::vector<double> valores;
        std::vector<std::uint8_t> d(modelo.genes().size());
        for (int i = 0; i < 60; ++i) {
            for (auto& x : d) x = static_cast<std::uint8_t>(azar() % 7);
            const EvaluacionFrente e = modelo.Evaluar(d, valores);
            const EvaluacionFrente g = EvaluarComoGenetica(red, modelo.Servidores(d));
            ASSERT_TRUE(e.valida && g.valida) << archivo;
            EXPECT_EQ(e.costo, g.costo) << archivo;
            EXPECT_EQ(e.tiempo, g.tiempo) << archivo;
        }
    }
}

TEST(ModeloFrente, MinimumCountsAndTheCurrentPoint) {
    Red red;
    prueba::Cadena(red, {0.4, 2.0}, {5, 2});
    const ModeloFrente modelo = Preparar(red, 3);
    ASSERT_EQ(modelo.genes().size(), 2u);
    EXPECT_EQ(modelo.genes()[0].minimo, 3);  // trunc(1 / 0.4) + 1
    EXPECT_EQ(modelo.genes()[1].minimo, 1);
    EXPECT_EQ(modelo.genes()[0].actual, 5);
    EXPECT_EQ(modelo.genes()[0].nombre, "C1");
    const std::vector<std::int16_t> actuales = {5, 2};
    const EvaluacionFrente g = EvaluarComoGenetica(red, actuales);
    EXPECT_EQ(modelo.actual().costo, g.costo);
    EXPECT_EQ(modelo.actual().tiempo, g.tiempo);
    EXPECT_EQ(modelo.Combinaciones(), 16u);
}

TEST(FrenteExacto, NonDominatedAndCompleteAgainstBruteForce) {
    for (int forma = 0; forma < 3; ++forma) {
        Red red;
        if (forma == 0) prueba::Cadena(red, {1.5, 0.8, 2.5}, {1, 3, 1});
        if (forma == 1) prueba::Ramas(red, 2);
        if (forma == 2) prueba::Cadena(red, {0.3, 1.1});
        const ModeloFrente modelo = Preparar(red, forma == 2 ? 6 : 3);
        Trabajo t;
        const ResultadoFrente r = FrenteExacto(modelo, 2, t);
        EXPECT_TRUE(r.exacto);
        const auto todas = FuerzaBruta(red, modelo);
        EXPECT_EQ(Puntos(r), NoDominados(todas));
        ASSERT_EQ(r.puntos.size(), Puntos(r).size());
        for (std::size_t i = 0; i < r.puntos.size(); ++i) {
            const PuntoFrente& p = r.puntos[i];
            if (i > 0) {
                EXPECT_GT(p.costo, r.puntos[i - 1].costo);
                EXPECT_LT(p.tiempo, r.puntos[i - 1].tiempo);
            }
            const EvaluacionFrente e = EvaluarComoGenetica(red, p.servidores);
            EXPECT_EQ(e.costo, p.costo);
            EXPECT_EQ(e.tiempo, p.tiempo);
        }
        // The reference is the worst seen plus 1 %.
        double peorC = 0, peorT = 0;
        for (const auto& c : todas) {
            peorC = std::max(peorC, c.e.costo);
            peorT = std::max(peorT, c.e.tiempo);
        }
        EXPECT_DOUBLE_EQ(r.refCosto, peorC * 1.01);
        EXPECT_DOUBLE_EQ(r.refTiempo, peorT * 1.01);
        EXPECT_GT(r.hipervolumen, 0);
    }
}

// Two identical centres in series: (a, b) and (b, a) cost and last the same;
// one point stays, with the lexicographically smaller counts.
TEST(FrenteExacto, EqualPointsCollapseToTheFirstCounts) {
    Red red;
    prueba::Cadena(red, {0.9, 0.9});
    const ModeloFrente modelo = Preparar(red, 4);
    Trabajo t;
    const ResultadoFrente r = FrenteExacto(modelo, 3, t);
    ASSERT_GE(r.puntos.size(), 2u);
    EXPECT_EQ(Puntos(r).size(), r.puntos.size());
    for (const PuntoFrente& p : r.puntos) EXPECT_LE(p.servidores[0], p.servidores[1]);
}

TEST(FrenteNsga2, FrontOfEverythingEvaluatedEachCombinationOnce) {
    Red red;
    prueba::Cadena(red, {1.5, 0.8, 2.5}, {1, 3, 1});
    const ModeloFrente modelo = Preparar(red, 3);  // 64 combinations
    AjustesFrente a;
    a.poblacion = 20;
    a.generaciones = 60;
    a.semilla = 7;
    a.hilos = 2;
    Trabajo t;
    const ResultadoFrente r = FrenteNsga2(modelo, a, t);
    EXPECT_FALSE(r.exacto);
    // 20 + 60 · 20 fitness calls, but never more computations than there
    // are distinct combinations.
    EXPECT_LE(r.evaluaciones, 64u);
    EXPECT_GT(r.evaluaciones, 20u);
    const auto exacto = NoDominados(FuerzaBruta(red, modelo));
    for (const PuntoFrente& p : r.puntos) {
        for (const PuntoFrente& q : r.puntos)
            EXPECT_FALSE(q.costo <= p.costo && q.tiempo <= p.tiempo &&
                         (q.costo < p.costo || q.tiempo < p.tiempo));
        const EvaluacionFrente e = EvaluarComoGenetica(red, p.servidores);
        EXPECT_EQ(e.costo, p.costo);
        EXPECT_EQ(e.tiempo, p.tiempo);
    }
    // So small a space is searched through: the front is the exact one.
    EXPECT_EQ(Puntos(r), exacto);
}

TEST(FrenteNsga2, SameSeedSameFrontWhateverTheThreads) {
    Red red;
    prueba::Ramas(red, 4);  // 8 gene centres
    const ModeloFrente modelo = Preparar(red, 10);
    ASSERT_GT(*modelo.Combinaciones(), AjustesFrente::kLimiteExacto);
    AjustesFrente a;
    a.poblacion = 24;
    a.generaciones = 15;
    a.semilla = 3;
    a.minimoParalelo = 0;  // every batch on the threads
    std::vector<ResultadoFrente> r;
    for (int hilos : {1, 2, 5}) {
        a.hilos = hilos;
        Trabajo t;
        r.push_back(BuscarFrente(modelo, a, t));
        EXPECT_FALSE(r.back().exacto);
    }
    for (std::size_t i = 1; i < r.size(); ++i) {
        EXPECT_EQ(r[i].hipervolumen, r[0].hipervolumen);
        EXPECT_EQ(r[i].evaluaciones, r[0].evaluaciones);
        ASSERT_EQ(r[i].puntos.size(), r[0].puntos.size());
        for (std::size_t k = 0; k < r[0].puntos.size(); ++k) {
            EXPECT_EQ(r[i].puntos[k].costo, r[0].puntos[k].costo);
            EXPECT_EQ(r[i].puntos[k].servidores, r[0].puntos[k].servidores);
        }
    }
    a.semilla = 4;
    a.hilos = 2;
    Trabajo t;
    EXPECT_NE(BuscarFrente(modelo, a, t).hipervolumen, r[0].hipervolumen);
}

TEST(FrenteExacto, SameFrontWhateverTheThreads) {
    Red red;
    prueba::Ramas(red, 3);  // 6 genes, 5^6 = 15625 combinations: two blocks
    const ModeloFrente modelo = Preparar(red, 4);
    Trabajo t1, t2;
    const ResultadoFrente a = FrenteExacto(modelo, 1, t1);
    const ResultadoFrente b = FrenteExacto(modelo, 4, t2);
    ASSERT_EQ(a.puntos.size(), b.puntos.size());
    for (std::size_t k = 0; k < a.puntos.size(); ++k) {
        EXPECT_EQ(a.puntos[k].servidores, b.puntos[k].servidores);
        EXPECT_EQ(a.puntos[k].tiempo, b.puntos[k].tiempo);
    }
    EXPECT_EQ(a.hipervolumen, b.hipervolumen);
}

TEST(CacheFrente, ComputesEachCombinationOnceAcrossBatches) {
    Red red;
    prueba::Cadena(red, {1.5, 0.8});
    const ModeloFrente modelo = Preparar(red, 3);
    CacheFrente cache(modelo, 3, 0);
    const CacheFrente::Clave a("\x00\x01", 2), b("\x02\x03", 2), c("\x01\x01", 2);
    const auto r1 = cache.EvaluarLote({a, b, a, a}, nullptr);
    EXPECT_EQ(cache.Calculadas(), 2u);
    ASSERT_EQ(r1.size(), 4u);
    EXPECT_EQ(r1[0].costo, r1[2].costo);
    EXPECT_NE(r1[0].costo, r1[1].costo);
    const auto r2 = cache.EvaluarLote({b, c, a}, nullptr);
    EXPECT_EQ(cache.Calculadas(), 3u);
    EXPECT_EQ(r2[0].tiempo, r1[1].tiempo);
    EXPECT_EQ(cache.Entradas().size(), 3u);
    // What it returns is the evaluation itself.
    std::vector<double> v;
    const std::uint8_t d[] = {1, 1};
    EXPECT_EQ(r2[1].costo, modelo.Evaluar(d, v).costo);

    Trabajo t;
    t.Cancelar();
    EXPECT_THROW(cache.EvaluarLote({CacheFrente::Clave("\x03\x03", 2)}, &t), Cancelado);
}

TEST(Hipervolumen, HandComputedFronts) {
    const std::vector<ElementoFrente> escalera = {{1, 3, 0}, {2, 2, 1}, {3, 1, 2}};
    Hipervolumen h = CalcularHipervolumen(escalera, 4, 4);
    EXPECT_DOUBLE_EQ(h.total, 1 * 1 + 1 * 2 + 1 * 3);
    for (double a : h.aportes) EXPECT_DOUBLE_EQ(a, 1.0 / 6);

    const std::vector<ElementoFrente> dos = {{0, 10, 0}, {4, 2, 1}};
    h = CalcularHipervolumen(dos, 10, 12);
    EXPECT_DOUBLE_EQ(h.total, 4 * 2 + 6 * 10);
    EXPECT_DOUBLE_EQ(h.aportes[0], 4 * 2 / 68.0);  // up to the reference time
    EXPECT_DOUBLE_EQ(h.aportes[1], 6 * 8 / 68.0);  // up to the first point's time

    EXPECT_EQ(CalcularHipervolumen({}, 1, 1).total, 0);
    EXPECT_DOUBLE_EQ(Referencia(200), 202);
    EXPECT_EQ(Referencia(0), 0);
}

TEST(FrenteIncremental, KeepsOnlyUnbeatenPointsAndTheFirstOfEqualOnes) {
    FrenteIncremental f;
    f.Agregar(5, 5, 0);
    f.Agregar(5, 5, 1);  // equal: the first stays
    f.Agregar(6, 5, 2);  // beaten
    f.Agregar(5, 4, 3);  // same cost, faster: replaces
    f.Agregar(2, 9, 4);
    f.Agregar(1, 4, 5);  // beats everything but nothing cheaper
    f.Agregar(0, 10, 6);
    const auto e = f.Elementos();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].id, 6u);
    EXPECT_EQ(e[1].id, 5u);

    FrenteIncremental a, b, todo;
    a.Agregar(3, 3, 0);
    b.Agregar(3, 3, 1);
    b.Agregar(1, 8, 2);
    todo.Agregar(a);
    todo.Agregar(b);
    ASSERT_EQ(todo.Tamano(), 2u);
    EXPECT_EQ(todo.Elementos()[1].id, 0u);
}

// INICIO -> A -> FIN with A also feeding a dead end: A sets the time but
// the backward pass never completes it, so no centre is a gene.
TEST(FrenteExacto, LineWithoutGeneCentresIsOnePoint) {
    Red red;
    prueba::ConstructorRed b(red);
    const auto ini = b.Inicio();
    const auto a = b.Centro("A", 1.0, 2.0);
    const auto muerto = b.Centro("B", 1.0, 2.0);
    const auto fin = b.Fin();
    b.Conectar(ini, a);
    b.Conectar(a, fin);
    b.Conectar(a, muerto);
    red.NodoInicio = ini;
    red.NodoFin = fin;
    const ModeloFrente modelo = Preparar(red, 10);
    EXPECT_TRUE(modelo.genes().empty());
    Trabajo t;
    const ResultadoFrente r = BuscarFrente(modelo, {}, t);
    EXPECT_TRUE(r.exacto);
    ASSERT_EQ(r.puntos.size(), 1u);
    EXPECT_EQ(r.puntos[0].costo, 0);
    EXPECT_EQ(r.puntos[0].tiempo, EvaluarComoGenetica(red, {}).tiempo);
    EXPECT_GT(r.puntos[0].tiempo, 0);
    EXPECT_TRUE(r.puntos[0].servidores.empty());
    EXPECT_EQ(r.hipervolumen, 0);
}

TEST(PrepararFrente, NetworkThatFailsIsToldOnceAndLeftAsItWas) {
    for (int caso = 0; caso < 2; ++caso) {
        Red red;
        prueba::Cadena(red, {1.5, 0.8}, {2, 3});
        if (caso == 0) red.Centros(3).Mu = 0;  // C2 cannot compute
        if (caso == 1) {                       // the PERT must end on a centre nothing reaches
            prueba::ConstructorRed b(red);
            red.NodoFin = b.Centro("Suelto", 1.0, 2.0);
        }
        const double w = red.Centros(2).W;
        MensajesGrabados m;
        EXPECT_FALSE(PrepararFrente(red, 5, m).has_value());
        ASSERT_EQ(m.vistos.size(), 1u);
        EXPECT_EQ(m.vistos[0].texto.rfind("No se puede buscar el frente costo–tiempo: ", 0), 0u);
        EXPECT_NE(m.vistos[0].texto.find(caso == 0 ? "«C2»" : "inválidos"), std::string::npos)
            << m.vistos[0].texto;
        EXPECT_EQ(red.Centros(2).Servidores, 2);
        EXPECT_EQ(red.Centros(3).Servidores, 3);
        EXPECT_EQ(red.Centros(2).W, w);
    }
}

TEST(BuscarFrente, NeverTouchesTheNetworkAndStopsWhenCancelled) {
    Red red;
    prueba::Cadena(red, {1.5, 0.8, 2.5}, {4, 4, 4});
    const auto antes = prueba::Servidores(red, {2, 3, 4});
    const ModeloFrente modelo = Preparar(red, 5);
    Trabajo t;
    std::vector<double> avance;
    t.progreso = [&](double f) { avance.push_back(f); };
    BuscarFrente(modelo, {}, t);
    EXPECT_EQ(prueba::Servidores(red, {2, 3, 4}), antes);
    ASSERT_FALSE(avance.empty());
    EXPECT_DOUBLE_EQ(avance.back(), 1.0);

    Trabajo cancelado;
    cancelado.Cancelar();
    EXPECT_THROW(FrenteExacto(modelo, 2, cancelado), Cancelado);
    EXPECT_THROW(FrenteNsga2(modelo, {}, cancelado), Cancelado);
}

// The search's memory: a full cache forgets, never changes a result; a
// population past its bound is refused before any work; the module that
// runs NSGA-II is found beside the program or named when missing.
TEST(FrenteNsga2, ABoundedCacheForgetsButFindsTheSameFront) {
    Red red;
    prueba::Ramas(red, 4);
    const ModeloFrente modelo = Preparar(red, 10);
    AjustesFrente a;
    a.poblacion = 24;
    a.generaciones = 15;
    a.semilla = 5;
    Trabajo t;
    const ResultadoFrente libre = FrenteNsga2(modelo, a, t);
    a.memoriaCache = 2048;  // about 20 combinations
    const ResultadoFrente justo = FrenteNsga2(modelo, a, t);
    EXPECT_EQ(justo.hipervolumen, libre.hipervolumen);
    ASSERT_EQ(justo.puntos.size(), libre.puntos.size());
    for (std::size_t k = 0; k < libre.puntos.size(); ++k)
        EXPECT_EQ(justo.puntos[k].servidores, libre.puntos[k].servidores);
    EXPECT_GT(justo.evaluaciones, libre.evaluaciones);  // forgotten ones are computed again

    CacheFrente cache(modelo, 1, CacheFrente::kMinimoParalelo, 2048);
    std::vector<CacheFrente::Clave> lote;
    for (int i = 0; i < 200; ++i)
        lote.push_back(CacheFrente::Clave{static_cast<char>(i % 11), static_cast<char>(i / 11 % 11),
                                          0, 0, 0, 0, 0, 0});
    const auto r = cache.EvaluarLote(lote, nullptr);
    EXPECT_LE(cache.Bytes(), 2048u);
    EXPECT_LT(cache.Entradas().size(), lote.size());
    std::vector<double> valores;
    for (std::size_t i = 0; i < lote.size(); ++i) {
        const auto* d = reinterpret_cast<const std::uint8_t*>(lote[i].data());
        EXPECT_EQ(r[i].costo, modelo.Evaluar(std::span(d, lote[i].size()), valores).costo);
    }
}

TEST(FrenteNsga2, APopulationPastTheBoundIsRefusedBeforeAnyWork) {
    Red red;
    prueba::Ramas(red, 4);  // 8 genes
    const ModeloFrente modelo = Preparar(red, 10);
    AjustesFrente a;
    a.poblacion = static_cast<int>(AjustesFrente::kMaximoGenesPoblacion / 8 + 4);
    Trabajo t;
    int avisos = 0;
    t.progreso = [&](double) { ++avisos; };
    try {
        FrenteNsga2(modelo, a, t);
        ADD_FAILURE() << "no refusal";
    } catch (const ErrorFrente& e) {
        EXPECT_NE(std::string(e.what()).find("Reduzca la población a 250000 o menos"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(avisos, 0);
}

TEST(ModuloNsga, FoundBesideTheProgramOrNamedWithTheFoldersSearched) {
    EXPECT_NE(CargarModuloNsga(CarpetasModulos()), nullptr);
    try {
        CargarModuloNsga({"/no/existe", "/tampoco"});
        ADD_FAILURE() << "no refusal";
    } catch (const ErrorFrente& e) {
        const std::string texto = e.what();
        EXPECT_NE(texto.find("Falta el módulo del frente aproximado (vortena-nsga2.so)"),
                  std::string::npos)
            << texto;
        EXPECT_NE(texto.find("/no/existe, /tampoco"), std::string::npos) << texto;
    }
}

}  // namespace
}  // namespace vortena
