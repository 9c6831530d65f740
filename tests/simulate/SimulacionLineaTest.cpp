// The line simulation against exact results: a tandem of M/M/1 centres (a
// product-form network: each centre M/M/1, the lead time a sum of
// independent exponentials), constant-time stations fed by Poisson arrivals
// (only the first waits), a split and merge of exponential centres (each
// centre M/M/s, the route shares those of the connections). Figures must lie
// within 2.5 of their own 95 % half-widths (plus the histogram's 0.4 % bins
// for the quantiles).

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <mutex>

#include "simulate/SimulacionLinea.h"
#include "support/ConstructorRed.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;
using sim::kDesviacion;
using sim::kMedia;
using sim::kP50;
using sim::kP80;
using sim::kP90;
using sim::kP95;
using sim::kPdeseado;
using sim::kPpert;
using sim::kProduccion;
using sim::kWip;

struct RedLinea {
    Red red;
    ConstructorRed b{red};
    std::int16_t inicio = b.Inicio();
    std::int16_t Centro(const std::string& nombre, double lamda, double mu, int servidores = 1,
                        double cvServicio = 1) {
        const std::int16_t p = b.Centro(nombre, lamda, mu);
        b[p].Servidores = static_cast<std::int16_t>(servidores);
        b[p].Desvlamda = 1 / lamda;
        b[p].DesvMu = cvServicio / mu;
        return p;
    }
    std::int16_t Fin(double salida) {
        const std::int16_t f = b.Fin(salida);
        red.NodoInicio = inicio;
        red.NodoFin = f;
        return f;
    }
};

// INICIO -> centres with rates `mus` -> FIN, arrival rate 1.
RedLinea Tandem(const std::vector<double>& mus, double cvServicio = 1) {
    RedLinea r;
    std::int16_t previo = r.inicio;
    for (std::size_t i = 0; i < mus.size(); ++i) {
        const std::int16_t c = r.Centro("C" + std::to_string(i + 1), 1, mus[i], 1, cvServicio);
        r.b.Conectar(previo, c);
        previo = c;
    }
    r.b.Conectar(previo, r.Fin(1));
    return r;
}

OpcionesSimulacion Opciones(std::uint64_t semilla = 1, int replicas = 10,
                            std::int64_t unidades = 20000) {
    OpcionesSimulacion o;
    o.replicas = replicas;
    o.clientes = unidades;
    o.calentamiento = 2000;
    o.semilla = semilla;
    o.hilos = 2;
    return o;
}

ResultadoLinea Simular(const Red& red, const OpcionesSimulacion& o,
                       std::optional<double> deseado = std::nullopt) {
    Trabajo t;
    return SimularLinea(red, o, deseado, t);
}

void Cerca(const Estimacion& e, double exacto, const std::string& que, double holgura = 0) {
    EXPECT_LE(std::fabs(e.valor - exacto), 2.5 * e.semiancho + holgura + 1e-12)
        << que << ": " << e.valor << " ± " << e.semiancho << " vs " << exacto;
}

// P(T > t) for a sum of independent exponentials with distinct rates.
double Supervivencia(const std::vector<double>& r, double t) {
    double s = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        double c = 1;
        for (std::size_t j = 0; j < r.size(); ++j)
            if (j != i) c *= r[j] / (r[j] - r[i]);
        s += c * std::exp(-r[i] * t);
    }
    return s;
}

double Cuantil(const std::vector<double>& r, double p) {
    double lo = 0, hi = 100;
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (lo + hi);
        (1 - Supervivencia(r, m) < p ? lo : hi) = m;
    }
    return 0.5 * (lo + hi);
}

TEST(SimulacionLinea, TandemOfMM1CentresIsProductForm) {
    const std::vector<double> mus = {2, 3, 4};
    const RedLinea r = Tandem(mus);
    const ResultadoLinea res = Simular(r.red, Opciones(), 3.0);
    ASSERT_EQ(res.centros.size(), 3u);
    const std::vector<double> tasas = {1, 2, 3};  // Mu - Lamda: each time in centre
    double media = 0, sumaL = 0;
    for (double x : tasas) media += 1 / x;
    for (std::size_t i = 0; i < 3; ++i) {
        const CentroLinea& c = res.centros[i];
        const double rho = 1 / mus[i], w = 1 / (mus[i] - 1);
        sumaL += w;
        Cerca(c.simulado[kRho], rho, c.Nombre + " Rho");
        Cerca(c.simulado[kP0], 1 - rho, c.Nombre + " P0");
        Cerca(c.simulado[kPn], rho, c.Nombre + " Pn");
        Cerca(c.simulado[kW], w, c.Nombre + " W");
        Cerca(c.simulado[kWq], w - 1 / mus[i], c.Nombre + " Wq");
        Cerca(c.simulado[kL], w, c.Nombre + " L");
        Cerca(c.simulado[kLq], rho * rho / (1 - rho), c.Nombre + " Lq");
        // Burke: an M/M/1 centre sends on a Poisson stream.
        Cerca(c.cvLlegadas, 1, c.Nombre + " CV");
        EXPECT_DOUBLE_EQ(c.paso.valor, 1);
        Cerca(c.aporte, w / media, c.Nombre + " aporte");
        EXPECT_TRUE(c.recibe);
    }
    Cerca(res.linea[kMedia], media, "media");
    double var = 0;
    for (double x : tasas) var += 1 / (x * x);
    // A unit's times in the centres are independent: each correlates with
    // the lead time by its share of the deviation.
    for (std::size_t i = 0; i < 3; ++i)
        Cerca(res.centros[i].crucialidad, 1 / tasas[i] / std::sqrt(var), "crucialidad", 0.01);
    Cerca(res.linea[kDesviacion], std::sqrt(var), "desviacion");
    for (auto [m, p] :
         {std::pair{kP50, 0.5}, std::pair{kP80, 0.8}, std::pair{kP90, 0.9}, std::pair{kP95, 0.95}})
        Cerca(res.linea[m], Cuantil(tasas, p), NombreMedidaLinea(m), 0.004 * Cuantil(tasas, p));
    Cerca(res.linea[kPdeseado], 1 - Supervivencia(tasas, 3.0), "Pdeseado");
    EXPECT_NEAR(res.pert, media, 1e-12);
    Cerca(res.linea[kPpert], 1 - Supervivencia(tasas, media), "Ppert");
    Cerca(res.linea[kProduccion], 1, "produccion");
    Cerca(res.linea[kWip], sumaL, "wip");
    ASSERT_EQ(res.rutas.size(), 1u);
    EXPECT_EQ(res.rutas[0].centros, (std::vector<std::int16_t>{2, 3, 4}));
    EXPECT_DOUBLE_EQ(res.rutas[0].paso.valor, 1);
    Cerca(res.rutas[0].P90, Cuantil(tasas, 0.9), "ruta P90", 0.004 * Cuantil(tasas, 0.9));
    // The S-curve rises through the quantiles; the pooled distribution ends at 1.
    for (std::size_t i = 1; i < res.curva.size(); ++i)
        EXPECT_GE(res.curva[i].tiempo.valor, res.curva[i - 1].tiempo.valor);
    ASSERT_FALSE(res.distribucion.empty());
    EXPECT_LE(res.distribucion.size(), 1000u);
    EXPECT_EQ(res.distribucion.back().second, 1.0);
    EXPECT_EQ(res.replicas, 10);
}

TEST(SimulacionLinea, MeanLeadTimeCoversOverManySeeds) {
    // Short runs of a loaded tandem: the 95 % interval of the mean lead time
    // must cover the exact value on most seeds, not just one.
    const RedLinea r = Tandem({1.25, 2});
    const double exacto = 1 / 0.25 + 1 / 1.0;
    int cubre = 0;
    for (std::uint64_t s = 1; s <= 20; ++s) {
        const ResultadoLinea res = Simular(r.red, Opciones(s, 10, 4000));
        cubre += std::fabs(res.linea[kMedia].valor - exacto) <= res.linea[kMedia].semiancho;
    }
    EXPECT_GE(cubre, 16);
}

TEST(SimulacionLinea, PrecisionModeAndAutomaticWarmUpSayWhatTheyDid) {
    const RedLinea r = Tandem({1.25, 2});
    OpcionesSimulacion o = Opciones(3, 10, 2000);
    o.precision = 0.02;
    o.calentamientoAuto = true;
    const ResultadoLinea res = Simular(r.red, o);
    EXPECT_TRUE(res.sinPrecision.empty());
    for (int m : {sim::kMedia, sim::kP90, sim::kProduccion, sim::kWip})
        EXPECT_LE(res.linea[m].semiancho, 0.02 * res.linea[m].valor) << NombreMedidaLinea(m);
    Cerca(res.linea[kMedia], 5, "media");
    EXPECT_GE(res.replicas, 10);
    const std::string hechos = HechosCorrida(res);
    EXPECT_EQ(hechos.rfind("# replicas " + std::to_string(res.replicas) + "\n# clientes " +
                               std::to_string(res.clientes) + "\n# calentamiento " +
                               std::to_string(res.calentamiento) + " (auto)\n",
                           0),
              0u)
        << hechos;
}

TEST(SimulacionLinea, ConstantStationsFedByPoissonOnlyTheFirstWaits) {
    // Times 0.8, 0.5, 0.4: units leave the first at least 0.8 apart, so the
    // others never wait; the first is M/D/1 with Wq = lamda D^2 / (2 (1 - rho)).
    const RedLinea r = Tandem({1.25, 2, 2.5}, 0);
    const ResultadoLinea res = Simular(r.red, Opciones());
    const double wq = 0.64 / (2 * 0.2);
    Cerca(res.centros[0].simulado[kWq], wq, "Wq");
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(res.centros[i].simulado[kWq].valor, 0);
        EXPECT_EQ(res.centros[i].simulado[kPn].valor, 0);
        // An M/D/1 departure leaves the centre empty with probability
        // 1 - rho, so the gaps are D or D plus an exponential: CV^2 = 1 - rho^2.
        Cerca(res.centros[i].cvLlegadas, 0.6, "CV", 0.01);
        EXPECT_EQ(res.centros[i].crucialidad.valor, 0);  // its time never varies
        EXPECT_EQ(res.centros[i].esperaron, 0);          // no event: Pn, Lq, Wq are not judged
    }
    EXPECT_GT(res.centros[0].esperaron, 1000);
    Cerca(res.linea[kMedia], wq + 1.7, "media");
    // The lead time never goes below the sum of the service times.
    EXPECT_GE(res.curva.front().tiempo.valor, 1.7 * (1 - 0.004));
}

TEST(SimulacionLinea, SplitAndMergeOfExponentialCentres) {
    // INICIO -> A (M/M/2) -> B (30 %) or C (70 %) -> D -> FIN: a Jackson
    // network, every centre exact M/M/s at its own flow.
    RedLinea r;
    const std::int16_t a = r.Centro("A", 2, 1.5, 2);
    const std::int16_t b = r.Centro("B", 0.6, 1);
    const std::int16_t c = r.Centro("C", 1.4, 2);
    const std::int16_t d = r.Centro("D", 2, 3);
    r.b.Conectar(r.inicio, a);
    r.b.Conectar(a, b, 0.3);
    r.b.Conectar(a, c, 0.7);
    r.b.Conectar(b, d);
    r.b.Conectar(c, d);
    r.b.Conectar(d, r.Fin(2));
    const ResultadoLinea res = Simular(r.red, Opciones(7));
    EXPECT_TRUE(res.tasasDistintas.empty());
    // M/M/2 at lamda 2, mu 1.5: W from Erlang C.
    const double u = 2 / 1.5, p0 = 1 / (1 + u + u * u / 2 / (1 - u / 2));
    const double wA = (u * u / 2 * p0 * (u / 2) / ((1 - u / 2) * (1 - u / 2))) / 2 + 1 / 1.5;
    const double wB = 1 / 0.4, wC = 1 / 0.6, wD = 1.0;
    Cerca(res.centros[0].simulado[kW], wA, "A W");
    Cerca(res.centros[0].simulado[kP0], p0, "A P0");
    Cerca(res.centros[1].simulado[kW], wB, "B W");
    Cerca(res.centros[2].simulado[kW], wC, "C W");
    Cerca(res.centros[3].simulado[kW], wD, "D W");
    Cerca(res.centros[1].paso, 0.3, "paso B");
    Cerca(res.centros[2].paso, 0.7, "paso C");
    EXPECT_DOUBLE_EQ(res.centros[3].paso.valor, 1);
    Cerca(res.linea[kMedia], wA + 0.3 * wB + 0.7 * wC + wD, "media");
    Cerca(res.linea[kProduccion], 2, "produccion");
    ASSERT_EQ(res.rutas.size(), 2u);
    EXPECT_EQ(res.rutas[0].centros, (std::vector<std::int16_t>{a, c, d}));
    EXPECT_EQ(res.rutas[1].centros, (std::vector<std::int16_t>{a, b, d}));
    Cerca(res.rutas[0].paso, 0.7, "ruta C");
    Cerca(res.rutas[1].media, wA + wB + wD, "ruta B media");
    // Little's law for the line: units inside = output rate x lead time.
    Cerca(res.linea[kWip], 2 * (wA + 0.3 * wB + 0.7 * wC + wD), "wip");
}

TEST(SimulacionLinea, UnitsAreConserved) {
    RedLinea r;
    const std::int16_t a = r.Centro("A", 1, 3), b = r.Centro("B", 0.5, 2, 3),
                       c = r.Centro("C", 0.5, 1.2);
    r.b.Conectar(r.inicio, a);
    r.b.Conectar(r.inicio, b, 0.5);  // a second stream joins halfway
    r.b.Conectar(a, b, 0.5);
    r.b.Conectar(a, c, 0.5);
    r.b.Conectar(b, r.Fin(1.5));
    r.b.Conectar(c, 5);
    const sim::Linea linea = sim::ConstruirLinea(r.red);
    ASSERT_EQ(linea.fuentes.size(), 2u);
    sim::ReplicaLinea replica(linea);
    Trabajo t;
    sim::Control control(t, 1);
    for (std::uint64_t k = 0; k < 3; ++k) {
        sim::ParametrosReplicaLinea p;
        p.replica = k;
        p.calentamiento = 100 * k;
        p.unidades = 5000;
        const sim::ResultadoReplicaLinea res = replica.Ejecutar(p, control);
        EXPECT_GE(res.entradas, p.calentamiento + p.unidades);
        EXPECT_EQ(res.entradas, res.salidas + res.dentro);
        double paso = 0;
        for (const sim::MedidasRuta& m : res.rutas) paso += m.paso;
        EXPECT_DOUBLE_EQ(paso, 1);
        EXPECT_EQ(res.rutas.size(), 3u);
    }
}

TEST(SimulacionLinea, SameSeedSameFiguresOnAnyThreadCount) {
    RedLinea r;
    const std::int16_t a = r.Centro("A", 1, 1.5, 1, 0.5), b = r.Centro("B", 0.4, 1, 1, 2);
    const std::int16_t c = r.Centro("C", 0.6, 0.5, 2);
    r.b.Conectar(r.inicio, a);
    r.b.Conectar(a, b, 0.4);
    r.b.Conectar(a, c, 0.6);
    const std::int16_t fin = r.Fin(1);
    r.b.Conectar(b, fin);
    r.b.Conectar(c, fin);
    OpcionesSimulacion o = Opciones(11, 7, 3000);
    o.hilos = 1;
    const ResultadoLinea uno = Simular(r.red, o);
    for (int hilos : {2, 5}) {
        o.hilos = hilos;
        const ResultadoLinea otro = Simular(r.red, o);
        for (int m = 0; m < kNumMedidasLinea; ++m) {
            EXPECT_EQ(uno.linea[m].valor, otro.linea[m].valor) << NombreMedidaLinea(m);
            EXPECT_EQ(uno.linea[m].semiancho, otro.linea[m].semiancho);
        }
        for (std::size_t i = 0; i < uno.centros.size(); ++i) {
            for (int m = 0; m < kNumMedidas; ++m)
                EXPECT_EQ(uno.centros[i].simulado[m].valor, otro.centros[i].simulado[m].valor);
            EXPECT_EQ(uno.centros[i].crucialidad.valor, otro.centros[i].crucialidad.valor);
        }
        ASSERT_EQ(uno.rutas.size(), otro.rutas.size());
        for (std::size_t i = 0; i < uno.rutas.size(); ++i)
            EXPECT_EQ(uno.rutas[i].P95.valor, otro.rutas[i].P95.valor);
        EXPECT_EQ(uno.distribucion, otro.distribucion);
    }
    o.semilla = 12;
    EXPECT_NE(Simular(r.red, o).linea[kMedia].valor, uno.linea[kMedia].valor);
}

TEST(SimulacionLinea, CancelledWorkStopsAndReportsProgress) {
    const RedLinea r = Tandem({2, 3});
    Trabajo t;
    std::mutex cerrojo;  // progress comes from the worker threads
    double visto = 0;
    t.progreso = [&](double f) {
        std::lock_guard l(cerrojo);
        visto = std::max(visto, f);
        if (f > 0.2) t.Cancelar();
    };
    EXPECT_THROW(SimularLinea(r.red, Opciones(1, 10, 1'000'000), std::nullopt, t), Cancelado);
    EXPECT_GT(visto, 0.2);
    EXPECT_LT(visto, 0.5);

    Trabajo hecho;
    std::vector<double> avance;
    hecho.progreso = [&](double f) { avance.push_back(f); };
    SimularLinea(r.red, Opciones(1, 4, 2000), std::nullopt, hecho);
    ASSERT_FALSE(avance.empty());
    EXPECT_EQ(avance.back(), 1.0);
}

TEST(SimulacionLinea, RefusesUnstableCentresAndCyclesNamingThem) {
    RedLinea r = Tandem({2, 1});  // the second centre gets lamda 1 = its capacity
    try {
        Simular(r.red, Opciones());
        FAIL() << "an unstable centre was simulated";
    } catch (const ErrorLinea& e) {
        EXPECT_NE(std::string(e.what()).find("El centro C2 es inestable"), std::string::npos)
            << e.what();
    }
    RedLinea ciclo = Tandem({2, 3});
    ciclo.b.Conectar(3, 2);  // C2 -> C1, which the editor refuses
    try {
        Simular(ciclo.red, Opciones());
        FAIL() << "a cycle was simulated";
    } catch (const ErrorLinea& e) {
        EXPECT_NE(std::string(e.what()).find("ciclo (pasa por C1)"), std::string::npos) << e.what();
    }
}

TEST(SimulacionLinea, RatesTypedWithoutPropagatingAreNamedAndTheLineFlowsWin) {
    RedLinea r = Tandem({2, 3, 4});
    r.red.Centros(3).Lamda = 1.5;  // C2 edited by hand
    const ResultadoLinea res = Simular(r.red, Opciones(1, 4, 5000));
    EXPECT_EQ(res.tasasDistintas, std::vector<std::string>{"C2"});
    EXPECT_EQ(AvisoTasas(res.tasasDistintas),
              "Las tasas de llegada no coinciden con el flujo de la línea: C2");
    EXPECT_DOUBLE_EQ(res.centros[1].flujo, 1);
    Cerca(res.centros[1].simulado[kRho], 1 / 3.0, "Rho at the line's flow");
    EXPECT_EQ(r.red.Centros(3).Lamda, 1.5);  // the user's network is untouched
    std::vector<std::string> muchos;
    for (int i = 0; i < 12; ++i) muchos.push_back("X" + std::to_string(i));
    EXPECT_NE(AvisoTasas(muchos).find("X9 y 2 más"), std::string::npos);
}

}  // namespace
}  // namespace vortena
