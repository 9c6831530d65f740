// The fixed-size pieces: histogram quantiles, MSER-5 and the reservoir.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "simulate/Cuantiles.h"
#include "simulate/Mser.h"
#include "simulate/Muestra.h"

namespace vortena::sim {
namespace {

TEST(Cuantiles, ExponencialExactaDentroDeUnaCelda) {
    Cuantiles q(0.5);
    Flujo f(3, 0, 0);
    const int n = 1000000;
    for (int i = 0; i < n; ++i) q.Agregar(-2.0 * std::log(f.UniformeAbierta()));
    EXPECT_EQ(q.Cuenta(), static_cast<std::uint64_t>(n));
    for (double p : {0.05, 0.5, 0.95, 0.999}) {
        const double exacto = -2.0 * std::log(1 - p);
        // Sampling error of a quantile: sqrt(p(1-p)/n) / density; plus 0.4 % of
        // the bin.
        const double densidad = 0.5 * std::exp(-exacto / 2);
        const double tol = 5 * std::sqrt(p * (1 - p) / n) / densidad + 0.004 * exacto;
        EXPECT_NEAR(q.Cuantil(p), exacto, tol) << p;
    }
}

TEST(Cuantiles, ValoresIgualesYExtremos) {
    Cuantiles q(1.0);
    EXPECT_EQ(q.Cuantil(0.5), 0.0);
    for (int i = 0; i < 100; ++i) q.Agregar(3.0);
    EXPECT_NEAR(q.Cuantil(0.5), 3.0, 3.0 * 0.004);
    q.Agregar(1e300);  // beyond the range: the last bin, not a crash
    q.Agregar(0.0);
    EXPECT_NEAR(q.Cuantil(0.5), 3.0, 3.0 * 0.004);
    q.Limpiar();
    EXPECT_EQ(q.Cuenta(), 0u);
}

TEST(Mser, CortaElTransitorioConocido) {
    // 300 batch means decaying from 10 towards 0, then 2000 of noise around 0.
    Flujo f(9, 0, 0);
    std::vector<double> medias;
    for (int j = 0; j < 300; ++j) medias.push_back(10.0 * std::exp(-j / 60.0) + 0.1 * f.Normal());
    for (int j = 0; j < 2000; ++j) medias.push_back(0.1 * f.Normal());
    const std::size_t corte = CorteMSER(medias);
    EXPECT_GE(corte, 200u);  // 10 e^{-200/60} = 0.36 is still above the noise
    EXPECT_LE(corte, 450u);
}

TEST(Mser, SinTransitorioNoCortaCasiNadaYNuncaMasDeLaMitad) {
    Flujo f(10, 0, 0);
    std::vector<double> medias(1000);
    for (double& m : medias) m = f.Normal();
    EXPECT_LT(CorteMSER(medias), 100u);
    // A trend to the very end: the cut stops at half the series.
    std::vector<double> rampa(1000);
    std::iota(rampa.begin(), rampa.end(), 0.0);
    EXPECT_LE(CorteMSER(rampa), 500u);
}

TEST(Mser, LotesEnMemoriaAcotada) {
    LotesMSER lotes(64);
    // 1000 observations at 5, then 99000 at 0: cut near 1000 although only
    // 64 batches are kept.
    for (int i = 0; i < 100000; ++i) lotes.Agregar(i < 1000 ? 5.0 : 0.0);
    EXPECT_GT(lotes.TamLote(), 5);
    EXPECT_GE(lotes.Corte(), 1000);
    EXPECT_LE(lotes.Corte(), 1000 + 2 * lotes.TamLote());
    LotesMSER simple;
    for (int i = 0; i < 5000; ++i) simple.Agregar(i < 500 ? 5.0 : 0.0);
    EXPECT_EQ(simple.TamLote(), 5);
    EXPECT_EQ(simple.Corte(), 500);
}

TEST(Reservorio, MuestraUniforme) {
    // Stream 0..n-1: every value is kept with probability k/n; the mean of
    // the kept values and the share of the first tenth show it.
    const std::int64_t n = 200000;
    const std::size_t k = 2000;
    double fraccionInicio = 0, media = 0;
    const int repeticiones = 20;
    for (int r = 0; r < repeticiones; ++r) {
        Reservorio res(k, Flujo(4, 0, static_cast<std::uint64_t>(r), Uso::Muestra));
        for (std::int64_t i = 0; i < n; ++i) res.Agregar(static_cast<double>(i));
        const std::vector<double> m = res.Extraer();
        ASSERT_EQ(m.size(), k);
        std::vector<double> orden = m;
        std::sort(orden.begin(), orden.end());
        EXPECT_EQ(std::unique(orden.begin(), orden.end()), orden.end()) << "a value kept twice";
        for (double x : m) {
            media += x;
            fraccionInicio += x < n / 10 ? 1 : 0;
        }
    }
    const double total = static_cast<double>(k) * repeticiones;
    EXPECT_NEAR(media / total, (n - 1) / 2.0, 5 * (n / std::sqrt(12.0)) / std::sqrt(total));
    EXPECT_NEAR(fraccionInicio / total, 0.1, 5 * std::sqrt(0.09 / total));
}

TEST(Reservorio, MenosValoresQueElTamanoOCero) {
    Reservorio res(10, Flujo(1, 0, 0));
    for (int i = 0; i < 4; ++i) res.Agregar(i);
    EXPECT_EQ(res.Extraer().size(), 4u);
    Reservorio nada(0, Flujo(1, 0, 0));
    for (int i = 0; i < 100; ++i) nada.Agregar(i);
    EXPECT_TRUE(nada.Extraer().empty());
}

TEST(Reservorio, UnionProporcionalALasPoblaciones) {
    // A stands for 3000 values (all 0), B for 1000 (all 1): a quarter of the
    // union comes from B.
    const std::vector<double> a(500, 0.0), b(500, 1.0);
    Flujo f(2, 0, 0, Uso::Union);
    double deB = 0;
    const int veces = 200;
    for (int i = 0; i < veces; ++i) {
        const std::vector<double> u = UnirMuestras(a, 3000, b, 1000, 400, f);
        ASSERT_EQ(u.size(), 400u);
        deB += std::accumulate(u.begin(), u.end(), 0.0);
    }
    // Hypergeometric draws: the binomial error bounds them.
    EXPECT_NEAR(deB / (400.0 * veces), 0.25, 5 * std::sqrt(0.25 * 0.75 / (400.0 * veces)));
    // Fewer values than the size: all of both.
    EXPECT_EQ(UnirMuestras({1, 2}, 2, {3}, 1, 10, f).size(), 3u);
}

}  // namespace
}  // namespace vortena::sim
