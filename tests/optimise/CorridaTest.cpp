// Opening, running and closing the search on real networks: the opening
// checks, the checks of "Iniciar", progress, determinism, continuation, and
// what the network holds afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compute/Pert.h"
#include "optimise/MensajesOptimizacion.h"
#include "optimise/Optimizacion.h"
#include "optimise/RedesOptimizacion.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

struct Sesion {
    Red red;
    prueba::MensajesGrabados msj;
    prueba::DocumentoFalso doc;
    FuenteAleatoria azar;
    Optimizacion opt{red, msj, azar};

    // A desired time between the minimum and the offered one.
    PeticionCorrida Peticion(double iteraciones) const {
        return {0.5 * (opt.TiempoMinimo + opt.TiempoActual), iteraciones, iteraciones};
    }
    std::vector<std::int16_t> Servidores() const {
        return prueba::Servidores(red, opt.centrosGen());
    }
};

std::vector<std::vector<std::int16_t>> GenesDe(Optimizacion& opt) {
    std::vector<std::vector<std::int16_t>> g;
    for (const GenCadena& c : opt.Poblacion) g.push_back(c.EL.valores());
    return g;
}

TEST(ComprobarRedOptimizacion, OpensOnlyOnASoundNetwork) {
    {
        Sesion s;
        prueba::ConstructorRed(s.red).RedNueva();
        EXPECT_TRUE(ComprobarRedOptimizacion(s.red, s.msj));
        EXPECT_TRUE(s.red.MostrarCriticos);
        EXPECT_TRUE(s.msj.vistos.empty());
    }
    {
        // The end node is not reached from the start node.
        Sesion s;
        prueba::ConstructorRed b(s.red);
        b.Inicio();
        std::int16_t c = b.Centro("A");
        b.Fin();
        b.Conectar(1, c);
        s.red.NodoFin = 3;
        EXPECT_FALSE(s.opt.Abrir());
        ASSERT_EQ(s.msj.vistos.size(), 1u);
        EXPECT_EQ(s.msj.vistos[0].texto, kTextoCentrosInvalidos);
        EXPECT_EQ(s.msj.vistos[0].titulo, kTituloPrograma);
        EXPECT_EQ(s.msj.vistos[0].icono, Icono::Critico);
        EXPECT_EQ(s.opt.Poblacion.Count(), 0);
    }
    {
        // A centre that cannot be computed has told the user already.
        Sesion s;
        prueba::ConstructorRed(s.red).RedNueva();
        s.red.Centros(2).Servidores = 0;
        EXPECT_FALSE(s.opt.Abrir());
        ASSERT_EQ(s.msj.vistos.size(), 1u);
        EXPECT_EQ(s.msj.vistos[0].texto, "Error por Desbordamiento");
    }
}

TEST(Abrir, BuildsThePoolAndTheTimes) {
    Sesion s;
    prueba::Cadena(s.red, {2.0, 1.0, 4.0}, {1, 3, 1});
    ASSERT_TRUE(s.opt.Abrir());
    EXPECT_EQ(s.opt.Poblacion.Count(), 150);
    EXPECT_EQ(s.opt.Poblacion(1).EL.valores(), (std::vector<std::int16_t>{1, 3, 1}));
    EXPECT_EQ(s.opt.Poblacion(150).EL.valores(), (std::vector<std::int16_t>{1, 2, 1}));
    // Service times 1/2 + 1/1 + 1/4; the offered time is the line's W sum.
    EXPECT_DOUBLE_EQ(s.opt.TiempoMinimo, 1.75);
    double suma = 0;
    for (int p = 2; p <= 4; ++p) suma += s.red.Centros(p).W;
    EXPECT_DOUBLE_EQ(s.opt.TiempoActual, suma);
    EXPECT_TRUE(s.msj.vistos.empty());
}

struct CasoInicio {
    const char* deseado;
    const char* iteraciones;
    RechazoCorrida rechazo;
    double N, divisor;
};

class ComprobarInicio : public ::testing::TestWithParam<CasoInicio> {};

TEST_P(ComprobarInicio, RejectsWithTheMessagesAndReadsTheBoxes) {
    const CasoInicio& c = GetParam();
    Sesion s;
    s.opt.TiempoMinimo = 1.0;
    RechazoCorrida r = RechazoCorrida::Ninguno;
    const auto p = s.opt.ComprobarInicio(c.deseado, c.iteraciones, Regional::Espanol(), &r);
    EXPECT_EQ(r, c.rechazo);
    switch (c.rechazo) {
        case RechazoCorrida::Ninguno:
            ASSERT_TRUE(p);
            EXPECT_EQ(p->iteraciones, c.N);
            EXPECT_EQ(p->divisor, c.divisor);
            EXPECT_TRUE(s.msj.vistos.empty());
            break;
        case RechazoCorrida::Deseado:
            EXPECT_FALSE(p);
            ASSERT_EQ(s.msj.vistos.size(), 1u);
            EXPECT_EQ(s.msj.vistos[0].texto, "El valor es demasiado pequeño");
            EXPECT_EQ(s.msj.vistos[0].titulo, "Error de Carga");
            EXPECT_EQ(s.msj.vistos[0].icono, Icono::Critico);
            break;
        case RechazoCorrida::Iteraciones:
            EXPECT_FALSE(p);
            ASSERT_EQ(s.msj.vistos.size(), 1u);
            EXPECT_EQ(s.msj.vistos[0].texto,
                      "El valor de iteracioes debe ser mayor que cero\r"
                      "por lo tanto se cargará el valor por defecto (100)");
            EXPECT_EQ(s.msj.vistos[0].titulo, "Error de Carga");
            EXPECT_EQ(s.msj.vistos[0].icono, Icono::Exclamacion);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, ComprobarInicio,
    ::testing::Values(CasoInicio{"1,5", "100", RechazoCorrida::Ninguno, 100, 100},
                      CasoInicio{"1,5", "2,5", RechazoCorrida::Ninguno, 2, 2.5},
                      CasoInicio{"abc", "100", RechazoCorrida::Deseado, 0, 0},
                      CasoInicio{"", "100", RechazoCorrida::Deseado, 0, 0},
                      CasoInicio{"1", "100", RechazoCorrida::Deseado, 0,
                                 0},  // equal to the minimum
                      CasoInicio{"0,5", "x", RechazoCorrida::Deseado, 0, 0},  // first failure only
                      CasoInicio{"1,5", "x", RechazoCorrida::Iteraciones, 0, 0},
                      CasoInicio{"1,5", "", RechazoCorrida::Iteraciones, 0, 0},
                      CasoInicio{"1,5", "0", RechazoCorrida::Iteraciones, 0, 0},
                      CasoInicio{"1,5", "-3", RechazoCorrida::Iteraciones, 0, 0}));

TEST(Correr, ReportsEveryGenerationUpToAHundredPercent) {
    struct Caso {
        PeticionCorrida p;
        std::vector<double> porcentajes;
    };
    const std::vector<Caso> casos = {
        {{0, 4, 4}, {0, 25, 50, 75, 100}},
        {{0, 3, 3}, {0, 33, 66, 100}},
        {{0, 2, 2.5}, {0, 40, 80}},
        {{0, 1, 1}, {0, 100}},
    };
    for (const Caso& c : casos) {
        Sesion s;
        prueba::Cadena(s.red, {2.0, 1.5});
        ASSERT_TRUE(s.opt.Abrir());
        PeticionCorrida p = c.p;
        p.deseado = s.Peticion(0).deseado;
        std::vector<double> vistos;
        std::vector<int> generaciones;
        s.opt.Correr(p, s.doc, [&](const AvanceOptimizacion& a) {
            vistos.push_back(a.porcentaje);
            generaciones.push_back(a.generacion);
            EXPECT_EQ(a.costo, s.opt.MejorCadena.rOptimo);
            EXPECT_EQ(a.tiempo, s.opt.MejorCadena.rTiempo);
        });
        EXPECT_EQ(vistos, c.porcentajes);
        for (std::size_t g = 0; g < generaciones.size(); ++g)
            EXPECT_EQ(generaciones[g], static_cast<int>(g));
    }
}

TEST(Correr, TwoRunsFromTheSameNetworkGiveTheSameResult) {
    Sesion a, b;
    prueba::Ramas(a.red, 6);
    prueba::Ramas(b.red, 6);
    a.opt.ajustes.habitantes = b.opt.ajustes.habitantes = 7;
    a.opt.ajustes.delta = b.opt.ajustes.delta = 3;
    ASSERT_TRUE(a.opt.Abrir());
    ASSERT_TRUE(b.opt.Abrir());
    a.opt.Correr(a.Peticion(15), a.doc);
    b.opt.Correr(b.Peticion(15), b.doc);
    EXPECT_EQ(a.opt.MejorCadena.EL, b.opt.MejorCadena.EL);
    EXPECT_EQ(a.opt.MejorCadena.rOptimo, b.opt.MejorCadena.rOptimo);
    EXPECT_EQ(a.opt.MejorCadena.rTiempo, b.opt.MejorCadena.rTiempo);
    EXPECT_EQ(GenesDe(a.opt), GenesDe(b.opt));
    // The search found something faster than wanted: it had room to.
    EXPECT_LT(a.opt.MejorCadena.rTiempo, a.opt.TiempoDeseado);
    EXPECT_GT(a.opt.MejorCadena.Optimidad, 1e20);
}

TEST(Correr, ASecondRunContinuesFromThePopulationOfTheFirst) {
    Sesion a, b;
    prueba::Ramas(a.red, 4);
    prueba::Ramas(b.red, 4);
    ASSERT_TRUE(a.opt.Abrir());
    ASSERT_TRUE(b.opt.Abrir());
    a.opt.Correr(a.Peticion(1), a.doc);  // two generations
    a.opt.Correr(a.Peticion(2), a.doc);  // three more
    b.opt.Correr(b.Peticion(4), b.doc);  // five at once
    EXPECT_EQ(GenesDe(a.opt), GenesDe(b.opt));
    EXPECT_EQ(a.opt.MejorCadena.EL, b.opt.MejorCadena.EL);
    EXPECT_EQ(a.Servidores(), b.Servidores());
}

// Without the mend the network kept the counts of the last member evaluated.
TEST(Correr, LeavesTheNetworkWithTheReportedResultAndMarksTheDocument) {
    Sesion s;
    prueba::Ramas(s.red, 5);
    prueba::ConstructorRed b(s.red);
    std::int16_t suelto = b.Centro("Suelto");
    s.red.Centros(suelto).Servidores = 4;
    ASSERT_TRUE(s.opt.Abrir());
    s.opt.Correr(s.Peticion(10), s.doc);

    EXPECT_EQ(s.Servidores(), s.opt.MejorCadena.EL.valores());
    EXPECT_NE(s.Servidores(), s.opt.Poblacion(s.opt.Activos()).EL.valores());
    EXPECT_EQ(s.red.Centros(s.red.NodoFin).tmpoTemprano, s.opt.MejorCadena.rTiempo);
    double costo = 0;
    for (std::int16_t p : s.opt.centrosGen())
        costo += s.red.Centros(p).CtoEsperaCentro + s.red.Centros(p).CtoTotalServidores;
    EXPECT_DOUBLE_EQ(costo, s.opt.MejorCadena.rOptimo);
    EXPECT_EQ(s.doc.llamadasBarra, std::vector<bool>{true});
    EXPECT_EQ(s.red.Centros(suelto).Servidores, 4);

    s.opt.Cerrar();  // a run happened: the result stays
    EXPECT_EQ(s.Servidores(), s.opt.MejorCadena.EL.valores());
}

// Without the mend, opening alone left every gene centre at its minimum.
TEST(Cerrar, WithoutARunGivesBackTheCountsTheNetworkHad) {
    Sesion s;
    prueba::Cadena(s.red, {2.0, 1.0, 4.0}, {3, 4, 2});
    ASSERT_TRUE(s.opt.Abrir());
    EXPECT_EQ(s.Servidores(), (std::vector<std::int16_t>{1, 2, 1}));
    std::vector<double> W;
    for (std::int16_t p : s.opt.centrosGen()) W.push_back(s.red.Centros(p).W);

    s.opt.Cerrar();
    EXPECT_EQ(s.Servidores(), (std::vector<std::int16_t>{3, 4, 2}));
    for (std::size_t k = 0; k < W.size(); ++k)
        EXPECT_EQ(s.red.Centros(s.opt.centrosGen()[k]).W, W[k]);
    EXPECT_TRUE(s.red.Centros(2).ParticipaPERT());
    EXPECT_TRUE(s.doc.llamadasBarra.empty());

    // Opening again after a rejected start still restores.
    ASSERT_TRUE(s.opt.Abrir());
    EXPECT_FALSE(s.opt.ComprobarInicio("0", "100", Regional::Espanol()));
    s.opt.Cerrar();
    EXPECT_EQ(s.Servidores(), (std::vector<std::int16_t>{3, 4, 2}));
}

// A start node other than "INICIO" whose predecessor has no service rate:
// the minimum time cannot be computed. The command tells the user instead of
// failing, and the network keeps its counts and a sound PERT.
TEST(Abrir, ServiceTimeFailureKeepsTheNetwork) {
    Sesion s;
    prueba::ConstructorRed b(s.red);
    b.Inicio();
    std::int16_t a = b.Centro("A");
    std::int16_t c = b.Centro("B");
    std::int16_t fin = b.Fin();
    b.Conectar(1, a);
    b.Conectar(a, c);
    b.Conectar(c, fin);
    s.red.Centros(c).Servidores = 3;
    s.red.NodoInicio = a;
    s.red.NodoFin = fin;
    EXPECT_FALSE(s.opt.Abrir());
    ASSERT_EQ(s.msj.vistos.size(), 1u);
    EXPECT_EQ(s.msj.vistos[0].texto, "Error por Desbordamiento");
    EXPECT_EQ(s.msj.vistos[0].titulo, kTituloPrograma);
    EXPECT_EQ(s.red.Centros(c).Servidores, 3);
    EXPECT_TRUE(s.red.Centros(c).ParticipaPERT());
}

TEST(Correr, NetworkWithoutGeneCentres) {
    Sesion s;
    prueba::ConstructorRed b(s.red);
    b.Inicio();
    b.Fin();
    b.Conectar(1, 2);
    std::int16_t suelto = b.Centro("Suelto");
    s.red.Centros(suelto).Servidores = 4;
    s.red.NodoFin = 2;
    CalcularPERT(s.red, 1, 2);
    s.opt.PrepararOptimizacion();
    EXPECT_EQ(s.opt.Poblacion.Count(), 150);
    EXPECT_EQ(s.opt.Poblacion(1).nEl, 0);
    s.opt.Correr({1.0, 3, 3}, s.doc);
    EXPECT_EQ(s.opt.MejorCadena.nEl, 0);
    EXPECT_EQ(s.opt.MejorCadena.rOptimo, 0.0);
    EXPECT_EQ(s.opt.MejorCadena.rTiempo, 0.0);
    EXPECT_EQ(s.opt.MejorCadena.Optimidad, 1e20);
    EXPECT_EQ(s.red.Centros(suelto).Servidores, 4);
}

TEST(MejoraLaRed, ByTheDesiredTimeThenCostAndTime) {
    auto cadena = [](double costo, double tiempo) {
        GenCadena g;
        g.rOptimo = costo;
        g.rTiempo = tiempo;
        return g;
    };
    const double T = 1.0;
    // Meeting the time wins; both meeting it, only a cheaper line is better.
    EXPECT_TRUE(MejoraLaRed(cadena(500, 0.9), cadena(400, 1.2), T));
    EXPECT_FALSE(MejoraLaRed(cadena(400, 1.2), cadena(500, 0.9), T));
    EXPECT_FALSE(MejoraLaRed(cadena(469.66, 0.675), cadena(413.16, 0.9), T));
    EXPECT_TRUE(MejoraLaRed(cadena(413.16, 0.9), cadena(469.66, 0.675), T));
    EXPECT_TRUE(MejoraLaRed(cadena(400, 0.8), cadena(400, 0.9), T));
    EXPECT_FALSE(MejoraLaRed(cadena(400, 0.9), cadena(400, 0.9), T));
    // Both missing it: better only when no worse on both.
    EXPECT_TRUE(MejoraLaRed(cadena(400, 1.5), cadena(450, 1.5), T));
    EXPECT_FALSE(MejoraLaRed(cadena(400, 1.6), cadena(450, 1.5), T));
}

// A line that already meets the desired time: whatever the search finds, the
// network never ends up dearer or missing the time, and it changes only
// when the result is better; the result is never below the start by the
// search's own fitness.
TEST(Correr, NeverMakesALineThatMeetsTheTargetWorse) {
    const std::vector<std::vector<std::int16_t>> inicios = {{2, 4, 2}, {3, 5, 3}, {2, 6, 2}};
    int conservadas = 0;
    for (const auto& inicio : inicios)
        for (double holgura : {1.02, 1.3}) {
            Sesion s;
            prueba::Cadena(s.red, {2.0, 1.0, 4.0}, std::vector<int>(inicio.begin(), inicio.end()));
            ASSERT_TRUE(s.opt.Abrir());
            const double T = s.opt.TiempoActual * holgura;
            s.opt.Correr({T, 30, 30}, s.doc);
            const GenCadena& inicial = s.opt.Inicial();
            ASSERT_LT(inicial.rTiempo, T);
            EXPECT_EQ(inicial.EL.valores(), inicio);
            EXPECT_GE(s.opt.MejorCadena.Optimidad, inicial.Optimidad);
            double costo = 0;
            for (std::int16_t p : s.opt.centrosGen())
                costo += s.red.Centros(p).CtoEsperaCentro + s.red.Centros(p).CtoTotalServidores;
            const double tiempo = s.red.Centros(s.red.NodoFin).tmpoTemprano;
            EXPECT_LT(tiempo, T);
            EXPECT_LE(costo, inicial.rOptimo * (1 + 1e-12));
            if (s.opt.Aplicada()) {
                EXPECT_EQ(s.Servidores(), s.opt.MejorCadena.EL.valores());
                EXPECT_LT(s.opt.MejorCadena.rOptimo, inicial.rOptimo);
            } else {
                ++conservadas;
                EXPECT_EQ(s.Servidores(), inicio);
            }
            EXPECT_TRUE(s.red.ResultadosAlDia);
        }
    // The cases cover both outcomes.
    EXPECT_GT(conservadas, 0);
}

}  // namespace
}  // namespace vortena
