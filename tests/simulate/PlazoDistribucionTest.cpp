// The lead-time draws against exact results: samples drawn from known
// distributions stand in for the simulated times in each centre. Each
// tolerance is four standard errors: of the M draws given the samples, plus
// the samples' own error when comparing with a closed form.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "MuestrasConocidas.h"
#include "simulate/PlazoLinea.h"

namespace vortena {
namespace {

using prueba::FraccionHasta;
using prueba::MomentosDe;
using prueba::MuestraExponencial;
using prueba::MuestraUniforme;
using prueba::RedPlazo;

constexpr std::size_t kN = 65536;    // sample per centre
constexpr std::int64_t kM = 200000;  // draws
const double kMd = static_cast<double>(kM);
const double kNd = static_cast<double>(kN);

ResultadoPlazo Plazo(RedPlazo& r, std::uint64_t semilla = 7) {
    r.Pert();
    AjustesPlazo a;
    a.muestras = kM;
    a.semilla = semilla;
    Trabajo t;
    return CalcularPlazo(r.red, r.muestras, a, t);
}

const CentroPlazo& Centro(const ResultadoPlazo& res, std::int16_t p) {
    for (const CentroPlazo& c : res.centros)
        if (c.posicion == p) return c;
    throw std::logic_error("centro no informado");
}

// Sum of exponentials with distinct rates (hypoexponential).
double CdfHipoexponencial(const std::vector<double>& tasas, double t) {
    double f = 1;
    for (std::size_t i = 0; i < tasas.size(); ++i) {
        double c = 1;
        for (std::size_t j = 0; j < tasas.size(); ++j)
            if (j != i) c *= tasas[j] / (tasas[j] - tasas[i]);
        f -= c * std::exp(-tasas[i] * t);
    }
    return f;
}

TEST(PlazoCadena, ExponentialCentresInSeriesAddUpToTheHypoexponential) {
    const std::vector<double> tasas{1.0, 2.0, 4.0};
    RedPlazo r;
    std::int16_t antes = RedPlazo::kInicio;
    std::vector<std::vector<double>> ms;
    for (std::size_t i = 0; i < tasas.size(); ++i) {
        const std::int16_t p = r.Centro(std::string("C").append(std::to_string(i)), 1 / tasas[i]);
        ms.push_back(MuestraExponencial(1 / tasas[i], kN, 100 + i));
        r.Muestra(p, ms.back());
        r.Conectar(antes, p);
        antes = p;
    }
    r.Conectar(antes, RedPlazo::kFin);
    const ResultadoPlazo res = Plazo(r);

    double media = 0, var = 0, mediaExacta = 0, varExacta = 0, k4 = 0;
    for (std::size_t i = 0; i < tasas.size(); ++i) {
        media += MomentosDe(ms[i]).media;
        var += MomentosDe(ms[i]).varianza;
        mediaExacta += 1 / tasas[i];
        varExacta += 1 / (tasas[i] * tasas[i]);
        k4 += 6 / std::pow(tasas[i], 4);
    }
    EXPECT_DOUBLE_EQ(res.pert, 1.75);
    // Given the samples, the mean and variance of one draw are exact sums.
    EXPECT_NEAR(res.media, media, 4 * std::sqrt(var / kMd));
    const double sdVar = std::sqrt((k4 + 2 * varExacta * varExacta) / kMd);
    EXPECT_NEAR(res.desviacion * res.desviacion, var, 4 * sdVar);
    // Against the closed forms, the samples' own error joins in.
    EXPECT_NEAR(res.media, mediaExacta, 4 * std::sqrt(varExacta / kMd + varExacta / kNd));
    EXPECT_NEAR(res.desviacion * res.desviacion, varExacta,
                4 * std::sqrt(sdVar * sdVar + (k4 + 2 * varExacta * varExacta) / kNd));

    const double error = std::sqrt(0.25 * (1 / kMd + 3 / kNd));
    for (double t : {0.5, 1.0, 1.75, 3.0, 5.0}) {
        SCOPED_TRACE(t);
        EXPECT_NEAR(res.Probabilidad(t), CdfHipoexponencial(tasas, t), 4 * error);
    }
    EXPECT_NEAR(res.Ppert, CdfHipoexponencial(tasas, 1.75), 4 * error);
    EXPECT_NEAR(CdfHipoexponencial(tasas, res.P50), 0.50, 4 * error);
    EXPECT_NEAR(CdfHipoexponencial(tasas, res.P80), 0.80, 4 * error);
    EXPECT_NEAR(CdfHipoexponencial(tasas, res.P90), 0.90, 4 * error);
    EXPECT_NEAR(CdfHipoexponencial(tasas, res.P95), 0.95, 4 * error);
    EXPECT_LT(res.P50, res.P80);
    EXPECT_LT(res.P90, res.P95);

    ASSERT_EQ(res.centros.size(), 3u);
    for (const CentroPlazo& c : res.centros) EXPECT_EQ(c.criticidad, 1.0) << c.Nombre;
    EXPECT_EQ(res.visitas, 3 * kM);
}

TEST(PlazoRamas, ParallelBranchesMultiplyTheirDistributionsAndSplitCriticality) {
    RedPlazo r;
    const std::int16_t a = r.Centro("A", 1.0);
    const std::int16_t b = r.Centro("B", 0.5);
    const auto ma = MuestraExponencial(1.0, kN, 11);
    const auto mb = MuestraExponencial(0.5, kN, 12);
    r.Muestra(a, ma);
    r.Muestra(b, mb);
    for (std::int16_t p : {a, b}) {
        r.Conectar(RedPlazo::kInicio, p);
        r.Conectar(p, RedPlazo::kFin);
    }
    const ResultadoPlazo res = Plazo(r);

    EXPECT_DOUBLE_EQ(res.pert, 1.0);
    EXPECT_DOUBLE_EQ(res.pertSimulado, std::max(MomentosDe(ma).media, MomentosDe(mb).media));
    EXPECT_DOUBLE_EQ(res.SesgoCaminos() + res.SesgoFormula(), res.SesgoFusion());
    for (double t : {0.25, 0.5, 1.0, 2.0, 4.0}) {
        SCOPED_TRACE(t);
        const double dado = FraccionHasta(ma, t) * FraccionHasta(mb, t);
        EXPECT_NEAR(res.Probabilidad(t), dado, 4 * std::sqrt(dado * (1 - dado) / kMd) + 1e-9);
        const double exacta = (1 - std::exp(-t)) * (1 - std::exp(-2 * t));
        EXPECT_NEAR(res.Probabilidad(t), exacta, 4 * std::sqrt(0.25 * (1 / kMd + 2 / kNd)));
    }
    // E[max] = 1/1 + 1/2 - 1/(1 + 2): the merge gap over the PERT's 1.
    const double mediaMax = 1.0 + 0.5 - 1.0 / 3.0;
    EXPECT_NEAR(res.media, mediaMax, 4 * std::sqrt(1.0 / kMd + 1.0 / kNd));
    EXPECT_NEAR(res.SesgoFusion(), mediaMax - 1.0, 4 * std::sqrt(1.0 / kMd + 1.0 / kNd));

    // A lies on the longest path when it outlasts B: given the samples,
    // the fraction of pairs with a > b; exactly 2/3 for the distributions.
    std::vector<double> ob = mb;
    std::sort(ob.begin(), ob.end());
    double pares = 0;
    for (double x : ma)
        pares += static_cast<double>(std::lower_bound(ob.begin(), ob.end(), x) - ob.begin());
    const double pA = pares / (kNd * kNd);
    const double sd = std::sqrt(pA * (1 - pA) / kMd);
    EXPECT_NEAR(Centro(res, a).criticidad, pA, 4 * sd);
    EXPECT_NEAR(Centro(res, b).criticidad, 1 - pA, 4 * sd);
    EXPECT_NEAR(Centro(res, a).criticidad, 2.0 / 3.0, 4 * std::sqrt(sd * sd + 1 / kNd));
    EXPECT_DOUBLE_EQ(Centro(res, a).criticidad + Centro(res, b).criticidad, 1.0);
}

TEST(PlazoConstante, FixedTimesGiveTheDeterministicPathEveryDraw) {
    // Two longest paths of 5 (A-B and C), and A-D of 3.
    RedPlazo r;
    const std::int16_t a = r.Centro("A", 2), b = r.Centro("B", 3), c = r.Centro("C", 5),
                       d = r.Centro("D", 1);
    r.Conectar(RedPlazo::kInicio, a);
    r.Conectar(a, b);
    r.Conectar(b, RedPlazo::kFin);
    r.Conectar(RedPlazo::kInicio, c);
    r.Conectar(c, RedPlazo::kFin);
    r.Conectar(a, d);
    r.Conectar(d, RedPlazo::kFin);
    for (std::int16_t p : {a, b, c, d}) r.Muestra(p, {r.red.Centros(p).W});
    const double pert = r.Pert();
    ASSERT_EQ(pert, 5.0);

    AjustesPlazo aj;
    aj.muestras = 5000;
    aj.deseado = 4.5;
    Trabajo t;
    const ResultadoPlazo res = CalcularPlazo(r.red, r.muestras, aj, t);
    EXPECT_EQ(res.pert, pert);
    EXPECT_EQ(res.pertSimulado, pert);
    EXPECT_EQ(res.media, pert);
    EXPECT_EQ(res.desviacion, 0.0);
    for (double q : {res.P50, res.P80, res.P90, res.P95}) EXPECT_EQ(q, pert);
    EXPECT_EQ(res.tiempos.front(), pert);
    EXPECT_EQ(res.tiempos.back(), pert);
    EXPECT_EQ(res.Ppert, 1.0);
    EXPECT_EQ(res.deseado, 4.5);
    EXPECT_EQ(res.Pdeseado, 0.0);
    // Ties mark both longest paths.
    EXPECT_EQ(Centro(res, a).criticidad, 1.0);
    EXPECT_EQ(Centro(res, b).criticidad, 1.0);
    EXPECT_EQ(Centro(res, c).criticidad, 1.0);
    EXPECT_EQ(Centro(res, d).criticidad, 0.0);
    for (const CentroPlazo& x : res.centros) EXPECT_EQ(x.crucialidad, 0.0) << x.Nombre;
    ASSERT_EQ(res.Histograma(20).size(), 1u);
    EXPECT_EQ(res.Histograma(20)[0].fraccion, 1.0);
}

TEST(PlazoCrucialidad, SeriesCentresCorrelateWithTheLeadTimeByTheirShareOfVariance) {
    // T = A + B independent: corr(A, T) = sd(A) / sd(T).
    RedPlazo r;
    const std::int16_t a = r.Centro("A", std::sqrt(3.0)), b = r.Centro("B", 2.0);
    const auto ma = MuestraUniforme(0, std::sqrt(12.0), kN, 21);  // sd 1
    const auto mb = MuestraExponencial(2.0, kN, 22);              // sd 2
    r.Muestra(a, ma);
    r.Muestra(b, mb);
    r.Conectar(RedPlazo::kInicio, a);
    r.Conectar(a, b);
    r.Conectar(b, RedPlazo::kFin);
    // A branch that never decides: at most 0.1 against at least A + B > 0.
    const std::int16_t c = r.Centro("C", 0.05);
    r.Muestra(c, MuestraUniforme(0, 0.1, kN, 23));
    r.Conectar(RedPlazo::kInicio, c);
    r.Conectar(c, RedPlazo::kFin);
    const ResultadoPlazo res = Plazo(r);

    const double va = MomentosDe(ma).varianza, vb = MomentosDe(mb).varianza;
    const double tol = 5 / std::sqrt(kMd);
    EXPECT_NEAR(Centro(res, a).crucialidad, std::sqrt(va / (va + vb)), tol);
    EXPECT_NEAR(Centro(res, b).crucialidad, std::sqrt(vb / (va + vb)), tol);
    EXPECT_NEAR(Centro(res, a).crucialidad, 1 / std::sqrt(5.0), tol + 0.01);
    EXPECT_NEAR(Centro(res, c).crucialidad, 0.0, tol);
    EXPECT_LT(Centro(res, c).criticidad, 1e-3);
}

}  // namespace
}  // namespace vortena
