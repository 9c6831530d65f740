// How the lead-time draws run: which part of the network they walk, the
// same figures whatever the thread count, cancellation, refused input, and
// the distribution's summaries.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "MuestrasConocidas.h"
#include "compute/RedesAleatorias.h"
#include "simulate/IndiceAleatorio.h"
#include "simulate/PlazoLinea.h"

namespace vortena {
namespace {

using prueba::MuestraExponencial;
using prueba::RedPlazo;

TEST(PlazoRed, FixedTimesOnRandomNetworksReproduceThePertAndItsCriticalCentres) {
    for (unsigned semilla = 1; semilla <= 60; ++semilla) {
        SCOPED_TRACE(semilla);
        Red red;
        prueba::RedAleatoria(red, semilla);
        const double pert = CalcularPERT(red, red.NodoInicio, red.NodoFin);
        MuestrasCentros muestras(static_cast<std::size_t>(red.Centros.Count()));
        for (const CentroProductivo& c : red.Centros)
            if (c.EsCentro()) muestras[static_cast<std::size_t>(c.posicion) - 1] = {c.W};
        AjustesPlazo a;
        a.muestras = 100;
        Trabajo t;
        if (!red.Centros(red.NodoFin).TempranoWH) {
            EXPECT_THROW(CalcularPlazo(red, muestras, a, t), ErrorPlazo);
            continue;
        }
        const ResultadoPlazo r = CalcularPlazo(red, muestras, a, t);
        EXPECT_EQ(r.pert, pert);
        EXPECT_EQ(r.media, pert);
        std::size_t participan = 0;
        for (const CentroProductivo& c : red.Centros) {
            if (!c.EsCentro() || !c.ParticipaPERT()) continue;
            ASSERT_LT(participan, r.centros.size());
            const CentroPlazo& cp = r.centros[participan++];
            EXPECT_EQ(cp.posicion, c.posicion);
            EXPECT_EQ(cp.criticidad, EsCritico(c) ? 1.0 : 0.0) << c.Nombre;
        }
        EXPECT_EQ(participan, r.centros.size());
    }
}

TEST(PlazoRed, ACentreOutsideThePertStillDelaysTheEndButIsNotReported) {
    // A also feeds a dead end D, so the PERT's backward pass never reaches
    // A; its time still counts on the way to FIN.
    RedPlazo r;
    const std::int16_t a = r.Centro("A", 4), d = r.Centro("D", 1), b = r.Centro("B", 3);
    r.Conectar(RedPlazo::kInicio, a);
    r.Conectar(a, RedPlazo::kFin);
    r.Conectar(a, d);
    r.Conectar(RedPlazo::kInicio, b);
    r.Conectar(b, RedPlazo::kFin);
    r.Muestra(a, {4});
    r.Muestra(b, {3});
    r.Muestra(d, {100});
    ASSERT_EQ(r.Pert(), 4.0);
    ASSERT_FALSE(r.red.Centros(a).ParticipaPERT());
    AjustesPlazo aj;
    aj.muestras = 10;
    Trabajo t;
    const ResultadoPlazo res = CalcularPlazo(r.red, r.muestras, aj, t);
    EXPECT_EQ(res.media, 4.0);
    ASSERT_EQ(res.centros.size(), 1u);
    EXPECT_EQ(res.centros[0].posicion, b);
    EXPECT_EQ(res.centros[0].criticidad, 0.0);
    EXPECT_EQ(res.visitas, 2 * 10);  // A and B; D leads nowhere
}

RedPlazo RedMixta() {
    RedPlazo r;
    const std::int16_t a = r.Centro("A", 1), b = r.Centro("B", 1), c = r.Centro("C", 1.5);
    r.Conectar(RedPlazo::kInicio, a);
    r.Conectar(a, b);
    r.Conectar(b, RedPlazo::kFin);
    r.Conectar(RedPlazo::kInicio, c);
    r.Conectar(c, RedPlazo::kFin);
    r.Conectar(a, c);
    r.Muestra(a, MuestraExponencial(1, 1000, 1));
    r.Muestra(b, MuestraExponencial(1, 777, 2));
    r.Muestra(c, MuestraExponencial(1.5, 3, 3));
    r.Pert();
    return r;
}

TEST(PlazoEjecucion, SameSeedSameFiguresWhateverTheThreadCount) {
    RedPlazo r = RedMixta();
    AjustesPlazo a;
    a.muestras = 3 * kSorteosPorBloque + 77;  // a short last block and batch
    a.semilla = 42;
    Trabajo t;
    a.hilos = 1;
    const ResultadoPlazo uno = CalcularPlazo(r.red, r.muestras, a, t);
    for (int hilos : {2, 3, 8}) {
        SCOPED_TRACE(hilos);
        a.hilos = hilos;
        const ResultadoPlazo otro = CalcularPlazo(r.red, r.muestras, a, t);
        EXPECT_EQ(otro.tiempos, uno.tiempos);
        EXPECT_EQ(otro.media, uno.media);
        EXPECT_EQ(otro.desviacion, uno.desviacion);
        ASSERT_EQ(otro.centros.size(), uno.centros.size());
        for (std::size_t i = 0; i < uno.centros.size(); ++i) {
            EXPECT_EQ(otro.centros[i].criticidad, uno.centros[i].criticidad);
            EXPECT_EQ(otro.centros[i].crucialidad, uno.centros[i].crucialidad);
        }
    }
    a.semilla = 43;
    EXPECT_NE(CalcularPlazo(r.red, r.muestras, a, t).media, uno.media);
}

TEST(PlazoEjecucion, CancellingStopsTheDrawsAndReportsNothing) {
    RedPlazo r = RedMixta();
    AjustesPlazo a;
    a.muestras = 2'000'000;
    a.hilos = 2;
    Trabajo t;
    std::atomic<int> informes{0};
    double ultimo = 0;
    t.progreso = [&](double f) {
        ultimo = f;
        if (++informes == 2) t.Cancelar();
    };
    EXPECT_THROW(CalcularPlazo(r.red, r.muestras, a, t), Cancelado);
    // Each thread finishes at most the batch it is in once it sees the flag.
    EXPECT_LT(ultimo, 0.05);

    Trabajo antes;
    antes.Cancelar();
    EXPECT_THROW(CalcularPlazo(r.red, r.muestras, a, antes), Cancelado);
}

TEST(PlazoEjecucion, ProgressClimbsToTheEnd) {
    RedPlazo r = RedMixta();
    AjustesPlazo a;
    a.muestras = 20 * kSorteosPorBloque;
    Trabajo t;
    std::vector<double> vistos;
    a.hilos = 1;
    t.progreso = [&](double f) { vistos.push_back(f); };
    CalcularPlazo(r.red, r.muestras, a, t);
    ASSERT_FALSE(vistos.empty());
    EXPECT_LE(vistos.size(), 100u);
    EXPECT_TRUE(std::is_sorted(vistos.begin(), vistos.end()));
    EXPECT_EQ(vistos.back(), 1.0);
}

TEST(PlazoEjecucion, RefusesWhatItCannotDraw) {
    RedPlazo r = RedMixta();
    Trabajo t;
    AjustesPlazo a;
    a.muestras = 0;
    EXPECT_THROW(CalcularPlazo(r.red, r.muestras, a, t), std::invalid_argument);
    a.muestras = AjustesPlazo::kMuestrasMax + 1;
    EXPECT_THROW(CalcularPlazo(r.red, r.muestras, a, t), std::invalid_argument);
    a.muestras = 10;
    a.deseado = std::numeric_limits<double>::infinity();
    EXPECT_THROW(CalcularPlazo(r.red, r.muestras, a, t), std::invalid_argument);
    a.deseado.reset();

    for (double malo : {-1.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()}) {
        MuestrasCentros m = r.muestras;
        m[2].push_back(malo);
        EXPECT_THROW(CalcularPlazo(r.red, m, a, t), ErrorPlazo) << malo;
    }

    RedPlazo sinCamino;
    sinCamino.Centro("A", 1);
    sinCamino.Conectar(RedPlazo::kInicio, 3);
    sinCamino.Pert();
    EXPECT_THROW(CalcularPlazo(sinCamino.red, sinCamino.muestras, a, t), ErrorPlazo);
}

TEST(PlazoMuestras, AllSamplesTogetherStayUnder256MB) {
    EXPECT_EQ(TamMuestraCentro(1), 65536u);
    EXPECT_EQ(TamMuestraCentro(400), 65536u);
    for (int centros : {489, 1000, 32767}) {
        SCOPED_TRACE(centros);
        EXPECT_LT(TamMuestraCentro(centros), 65536u);
        EXPECT_LE(TamMuestraCentro(centros) * sizeof(double) * static_cast<std::size_t>(centros),
                  256'000'000u);
        EXPECT_GE(TamMuestraCentro(centros), 900u);
    }
}

TEST(IndiceUniforme, RejectsTheBiasedCornerAndCoversTheRange) {
    // With n = 3 the low word 0 is the one biased value: it is redrawn.
    int pedidos = 0;
    auto otro = [&] {
        ++pedidos;
        return 0x80000000u;
    };
    EXPECT_EQ(IndiceUniforme(0u, 3u, otro), 1u);
    EXPECT_EQ(pedidos, 1);
    EXPECT_EQ(IndiceUniforme(0xFFFFFFFFu, 3u, otro), 2u);
    EXPECT_EQ(IndiceUniforme(0xFFFFFFFFu, 1u, otro), 0u);
    EXPECT_EQ(pedidos, 1);

    // Counts of each of 6 values over 600,000 draws, each within 4 sd.
    pcg64 flujo = FlujoDeBloque(1, 0);
    auto palabra = [&] { return static_cast<std::uint32_t>(flujo()); };
    std::vector<int> cuenta(6, 0);
    const int n = 600000;
    for (int i = 0; i < n; ++i) ++cuenta[IndiceUniforme(palabra(), 6u, palabra)];
    const double sd = std::sqrt(n * (1.0 / 6) * (5.0 / 6));
    for (int c : cuenta) EXPECT_NEAR(c, n / 6.0, 4 * sd);
    // Neighbouring blocks get unrelated streams.
    EXPECT_NE(FlujoDeBloque(1, 0)(), FlujoDeBloque(1, 1)());
    EXPECT_NE(FlujoDeBloque(1, 0)(), FlujoDeBloque(2, 0)());
}

TEST(ResultadoPlazo, QuantilesCdfAndHistogramFollowTheSortedDraws) {
    ResultadoPlazo r;
    for (int i = 1; i <= 10; ++i) r.tiempos.push_back(i);
    EXPECT_EQ(r.Cuantil(0.5), 5);
    EXPECT_EQ(r.Cuantil(0.9), 9);
    EXPECT_EQ(r.Cuantil(0.91), 10);
    EXPECT_EQ(r.Cuantil(0), 1);
    EXPECT_EQ(r.Probabilidad(4.5), 0.4);
    EXPECT_EQ(r.Probabilidad(0.5), 0.0);
    const auto cdf = r.Cdf(1000);
    ASSERT_EQ(cdf.size(), 10u);
    EXPECT_EQ(cdf[3].tiempo, 4);
    EXPECT_EQ(cdf[3].probabilidad, 0.4);

    r.tiempos.clear();
    for (int i = 0; i < 100000; ++i) r.tiempos.push_back(i * 0.001);
    const auto grande = r.Cdf(1000);
    ASSERT_EQ(grande.size(), 1000u);
    EXPECT_EQ(grande.back().probabilidad, 1.0);
    EXPECT_EQ(grande.back().tiempo, r.tiempos.back());
    EXPECT_DOUBLE_EQ(grande[499].probabilidad, 0.5);
    EXPECT_EQ(grande[499].tiempo, r.Cuantil(0.5));

    const auto h = r.Histograma(8);
    ASSERT_EQ(h.size(), 8u);
    double suma = 0;
    for (const auto& b : h) {
        EXPECT_NEAR(b.fraccion, 0.125, 1e-4);
        suma += b.fraccion;
    }
    EXPECT_DOUBLE_EQ(suma, 1.0);
    EXPECT_EQ(h.front().desde, 0.0);
    EXPECT_EQ(h.back().hasta, r.tiempos.back());
}

}  // namespace
}  // namespace vortena
