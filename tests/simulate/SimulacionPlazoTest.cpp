// The lead time from simulated centres: two M/M/1 centres in series, whose
// times in the centre are exponential with rate Mu - Lamda, so the lead time
// is the hypoexponential sum of the two.

#include <gtest/gtest.h>

#include <cmath>

#include "MuestrasConocidas.h"
#include "simulate/SimulacionPlazo.h"

namespace vortena {
namespace {

using prueba::RedPlazo;

RedPlazo DosMM1() {
    RedPlazo r;
    const std::int16_t a = r.Centro("A", 0), b = r.Centro("B", 0);
    for (auto [p, mu] : {std::pair{a, 2.0}, std::pair{b, 3.0}}) {
        CentroProductivo& c = r.red.Centros(p);
        c.Lamda = 1;
        c.Mu = mu;
        c.Servidores = 1;
        c.ActDesvLamda();
        c.ActDesvMu();
    }
    r.Conectar(RedPlazo::kInicio, a);
    r.Conectar(a, b);
    r.Conectar(b, RedPlazo::kFin);
    r.red.Centros(RedPlazo::kFin).Salida = 1;
    return r;
}

OpcionesSimulacion Corta() {
    OpcionesSimulacion o;
    o.replicas = 8;
    o.clientes = 20000;
    o.calentamiento = 2000;
    return o;
}

TEST(SimulacionPlazo, TwoMM1CentresInSeriesGiveTheSumOfTwoExponentials) {
    RedPlazo r = DosMM1();
    AjustesPlazo a;
    a.muestras = 50000;
    Trabajo t;
    std::vector<double> avance;
    t.progreso = [&](double f) { avance.push_back(f); };
    const ResultadoPlazo res = SimularPlazo(r.red, Corta(), a, t);

    // W = 1/(2-1) + 1/(3-2) for the PERT, from the computation on a copy.
    EXPECT_NEAR(res.pert, 1.5, 1e-12);
    EXPECT_EQ(r.red.Centros(3).W, 0.0);  // the user's network is untouched
    // The simulated sample of 65,536 times per centre comes from runs of
    // correlated waits, so its error is several times the iid one: the
    // tolerance takes ten iid standard errors of the sample.
    const double sd = std::sqrt(1.0 + 0.25);
    EXPECT_NEAR(res.media, 1.5, 10 * sd / std::sqrt(65536.0) + 4 * sd / std::sqrt(50000.0));
    EXPECT_NEAR(res.desviacion, sd, 0.05);
    const auto F = [](double x) { return 1 - 2 * std::exp(-x) + std::exp(-2 * x); };
    for (double x : {0.5, 1.5, 3.0}) EXPECT_NEAR(res.Probabilidad(x), F(x), 0.02) << x;
    ASSERT_EQ(res.centros.size(), 2u);
    EXPECT_EQ(res.centros[0].criticidad, 1.0);
    // corr(A, A + B) = 1 / sqrt(1 + 1/4) for exponentials with sd 1 and 1/2.
    EXPECT_NEAR(res.centros[0].crucialidad, 1 / sd, 0.03);
    EXPECT_NEAR(res.centros[1].crucialidad, 0.5 / sd, 0.03);

    ASSERT_FALSE(avance.empty());
    EXPECT_TRUE(std::is_sorted(avance.begin(), avance.end()));
    EXPECT_DOUBLE_EQ(avance.back(), 1.0);
}

TEST(SimulacionPlazo, UnstableOrUncomputableNetworksAreRefused) {
    RedPlazo r = DosMM1();
    AjustesPlazo a;
    a.muestras = 100;
    Trabajo t;
    r.red.NodoFin = 7;  // no such node
    EXPECT_THROW(SimularPlazo(r.red, Corta(), a, t), ErrorPlazo);
    r.red.NodoFin = 3;  // A: B is left hanging but the line is still A
    EXPECT_NO_THROW(SimularPlazo(r.red, Corta(), a, t));
    // B as slow as its arrivals: the computation raises its servers on the
    // copy, so the run goes on and the user's count stays.
    r.red.NodoFin = 2;
    r.red.Centros(4).Mu = 1;
    EXPECT_NO_THROW(SimularPlazo(r.red, Corta(), a, t));
    EXPECT_EQ(r.red.Centros(4).Servidores, 1);
    r.red.Centros(4).Mu = 0;  // no service at all
    EXPECT_THROW(SimularPlazo(r.red, Corta(), a, t), ErrorPlazo);
}

TEST(SimulacionPlazo, CancellingDuringTheSimulationLeavesNoResult) {
    RedPlazo r = DosMM1();
    AjustesPlazo a;
    Trabajo t;
    t.progreso = [&](double) { t.Cancelar(); };
    EXPECT_THROW(SimularPlazo(r.red, Corta(), a, t), Cancelado);
}

}  // namespace
}  // namespace vortena
