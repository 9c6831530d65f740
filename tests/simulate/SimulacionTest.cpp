// The simulator against exact queueing results. Each figure must lie within
// two of its own 95 % half-widths of the closed form (fixed seeds), and the
// half-widths must be small enough for that to mean something.

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "model/Red.h"
#include "simulate/SimulacionCentros.h"
#include "support/ConstructorRed.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;

// INICIO -> centres in a row -> FIN.
struct Linea {
    Red red;
    ConstructorRed b{red};
    std::int16_t Centro(const std::string& nombre, double lamda, double desvLamda, double mu,
                        double desvMu, int servidores) {
        const std::int16_t p = b.Centro(nombre, lamda, mu);
        b[p].Desvlamda = desvLamda;
        b[p].DesvMu = desvMu;
        b[p].Servidores = static_cast<std::int16_t>(servidores);
        return p;
    }
    void Cerrar() {
        // Centres were added first; the end nodes after them keep the walk simple.
        const std::int16_t n = static_cast<std::int16_t>(red.Centros.Count());
        const std::int16_t ini = b.Inicio();
        const std::int16_t fin = b.Fin();
        std::int16_t previo = ini;
        for (std::int16_t p = 1; p <= n; ++p) {
            b.Conectar(previo, p);
            previo = p;
        }
        b.Conectar(previo, fin);
        red.NodoInicio = ini;
        red.NodoFin = fin;
    }
};

ResultadoSimulacion Simular(const Red& red, OpcionesSimulacion o) {
    Trabajo t;
    return SimularCentros(red, o, t);
}

void Cerca(const Estimacion& e, double exacto, double relMax, const char* que) {
    EXPECT_LE(std::fabs(e.valor - exacto), 2 * e.semiancho + 1e-12)
        << que << ": " << e.valor << " ± " << e.semiancho << " vs " << exacto;
    EXPECT_LE(e.semiancho, relMax * std::max(std::fabs(exacto), 1e-3))
        << que << " interval too wide";
}

// Erlang C and the M/M/s measures, written from the textbook formulas.
struct MMs {
    double rho, p0, pn, lq, l, wq, w;
    MMs(double lamda, double mu, int s) {
        const double a = lamda / mu;
        double suma = 0, termino = 1;
        for (int n = 0; n < s; ++n) {
            suma += termino;
            termino *= a / (n + 1);
        }
        const double ultimo = termino / (1 - a / s);  // a^s / s! / (1 - a/s)
        p0 = 1 / (suma + ultimo);
        pn = ultimo * p0;
        rho = a;
        lq = pn * (a / s) / (1 - a / s);
        wq = lq / lamda;
        w = wq + 1 / mu;
        l = lamda * w;
    }
};

TEST(Simulacion, MM1DentroDeSusIntervalosConCuantilesExactos) {
    Linea l;
    l.Centro("A", 1.0, 1.0, 2.0, 0.5, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 10;
    o.clientes = 200000;
    o.calentamiento = 5000;
    o.semilla = 17;
    const ResultadoSimulacion r = Simular(l.red, o);
    ASSERT_EQ(r.centros.size(), 1u);
    const ResultadoCentro& c = r.centros[0];
    ASSERT_FALSE(c.inestable);
    EXPECT_EQ(c.Nombre, "A");
    EXPECT_EQ(c.replicas, 10);
    EXPECT_EQ(c.calentamiento, 5000);
    const MMs e(1.0, 2.0, 1);
    Cerca(c.simulado[kRho], e.rho, 0.02, "Rho");
    Cerca(c.simulado[kP0], e.p0, 0.02, "P0");
    Cerca(c.simulado[kPn], e.pn, 0.02, "Pn");
    Cerca(c.simulado[kLq], e.lq, 0.05, "Lq");
    Cerca(c.simulado[kL], e.l, 0.05, "L");
    Cerca(c.simulado[kWq], e.wq, 0.05, "Wq");
    Cerca(c.simulado[kW], e.w, 0.05, "W");
    // The formula is exact for M/M/1: its figures are the analytic ones.
    EXPECT_NEAR(c.analitico[kW], e.w, 1e-12);
    EXPECT_NEAR(c.analitico[kPn], e.pn, 1e-12);
    // Time in an M/M/1 centre is exponential with rate mu - lambda.
    for (std::size_t q = 0; q < kProbCuantiles.size(); ++q) {
        Cerca(c.cuantiles[q], -std::log(1 - kProbCuantiles[q]) / (2.0 - 1.0), 0.05, "cuantil");
        EXPECT_NEAR(*c.cuantilesExactos[q], -std::log(1 - kProbCuantiles[q]), 1e-9);
    }
    EXPECT_TRUE(c.TodoDentro());
}

TEST(Simulacion, MMsConErlangC) {
    Linea l;
    l.Centro("cinco", 4.0, 0.25, 1.0, 1.0, 5);
    l.Cerrar();
    OpcionesSimulacion o;
    o.clientes = 200000;
    o.semilla = 5;
    o.hilos = 2;
    const ResultadoCentro c = Simular(l.red, o).centros.at(0);
    const MMs e(4.0, 1.0, 5);
    EXPECT_EQ(c.servidores, 5);
    Cerca(c.simulado[kRho], e.rho, 0.02, "Rho");
    Cerca(c.simulado[kP0], e.p0, 0.05, "P0");
    Cerca(c.simulado[kPn], e.pn, 0.03, "Pn");
    Cerca(c.simulado[kLq], e.lq, 0.06, "Lq");
    Cerca(c.simulado[kL], e.l, 0.03, "L");
    Cerca(c.simulado[kWq], e.wq, 0.06, "Wq");
    Cerca(c.simulado[kW], e.w, 0.03, "W");
    for (int m = 0; m < kNumMedidas; ++m) EXPECT_NEAR(c.analitico[m], c.analitico[m], 0);
    EXPECT_NEAR(c.analitico[kPn], e.pn, 1e-9);
    EXPECT_NEAR(c.analitico[kP0], e.p0, 1e-9);
}

TEST(Simulacion, DD1SinEspera) {
    Linea l;
    l.Centro("reloj", 1.0, 0.0, 2.0, 0.0, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 3;
    o.clientes = 10000;
    o.calentamiento = 0;
    const ResultadoCentro c = Simular(l.red, o).centros.at(0);
    EXPECT_EQ(c.simulado[kWq].valor, 0.0);
    EXPECT_EQ(c.simulado[kPn].valor, 0.0);
    EXPECT_EQ(c.simulado[kWq].semiancho, 0.0);
    EXPECT_NEAR(c.simulado[kW].valor, 0.5, 1e-12);
    EXPECT_NEAR(c.simulado[kRho].valor, 0.5, 1e-9);
    EXPECT_NEAR(c.simulado[kP0].valor, 0.5, 1e-9);
    EXPECT_NEAR(c.cuantiles[0].valor, 0.5, 0.5 * 0.004);
    // The formula's variability factor still predicts waiting here.
    EXPECT_GT(c.analitico[kWq], 0.0);
    EXPECT_FALSE(c.Dentro(kWq));
    EXPECT_FALSE(c.TodoDentro());
}

// Pollaczek-Khinchine: Wq = lambda E[S^2] / (2 (1 - rho)).
double PK(double lamda, double mu, double desvMu) {
    const double es2 = desvMu * desvMu + 1 / (mu * mu);
    return lamda * es2 / (2 * (1 - lamda / mu));
}

TEST(Simulacion, MD1YMG1SegunPollaczekKhinchine) {
    Linea l;
    l.Centro("MD1", 1.0, 1.0, 1.25, 0.0, 1);
    l.Centro("MG1 gamma", 1.0, 1.0, 1.25, 0.4, 1);
    l.Centro("MG1 cv 2", 0.5, 2.0, 1.0, 2.0, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 20;
    o.clientes = 200000;
    o.semilla = 23;
    const ResultadoSimulacion r = Simular(l.red, o);
    ASSERT_EQ(r.centros.size(), 3u);
    Cerca(r.centros[0].simulado[kWq], PK(1.0, 1.25, 0.0), 0.04, "M/D/1 Wq");
    Cerca(r.centros[1].simulado[kWq], PK(1.0, 1.25, 0.4), 0.04, "M/G/1 Wq");
    Cerca(r.centros[2].simulado[kWq], PK(0.5, 1.0, 2.0), 0.08, "M/G/1 cv 2 Wq");
    Cerca(r.centros[0].simulado[kP0], 1 - 1.0 / 1.25, 0.03, "M/D/1 P0");
    Cerca(r.centros[1].simulado[kPn], 1.0 / 1.25, 0.03, "M/G/1 Pn");

    o.distribucion = Distribucion::Lognormal;
    const ResultadoSimulacion ln = Simular(l.red, o);
    Cerca(ln.centros[1].simulado[kWq], PK(1.0, 1.25, 0.4), 0.04, "M/G/1 lognormal Wq");
    // Only the service time's shape changed: M/D/1 is the same run.
    EXPECT_EQ(ln.centros[0].simulado[kWq].valor, r.centros[0].simulado[kWq].valor);
}

TEST(Simulacion, MismosResultadosConCualquierNumeroDeHilos) {
    Linea l;
    l.Centro("A", 1.0, 0.6, 1.6, 0.3, 1);
    l.Centro("B", 3.0, 1.0 / 3, 1.0, 1.5, 4);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 7;
    o.clientes = 20000;
    o.calentamientoAuto = true;
    o.tamMuestra = 500;
    o.semilla = 99;
    o.hilos = 1;
    const ResultadoSimulacion uno = Simular(l.red, o);
    o.hilos = 3;
    const ResultadoSimulacion tres = Simular(l.red, o);
    const ResultadoSimulacion otraVez = Simular(l.red, o);
    for (const ResultadoSimulacion* r : {&tres, &otraVez}) {
        ASSERT_EQ(r->centros.size(), uno.centros.size());
        for (std::size_t i = 0; i < uno.centros.size(); ++i) {
            const ResultadoCentro &a = uno.centros[i], &b = r->centros[i];
            for (int m = 0; m < kNumMedidas; ++m) {
                EXPECT_EQ(a.simulado[m].valor, b.simulado[m].valor);
                EXPECT_EQ(a.simulado[m].semiancho, b.simulado[m].semiancho);
            }
            for (std::size_t q = 0; q < 3; ++q)
                EXPECT_EQ(a.cuantiles[q].valor, b.cuantiles[q].valor);
            EXPECT_EQ(a.calentamiento, b.calentamiento);
            EXPECT_EQ(a.muestra, b.muestra);
        }
    }
    o.semilla = 100;
    EXPECT_NE(Simular(l.red, o).centros[0].simulado[kW].valor, uno.centros[0].simulado[kW].valor);
}

TEST(Simulacion, MuestraUniformeDeTiemposEnElCentro) {
    Linea l;
    l.Centro("A", 1.0, 1.0, 2.0, 0.5, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 4;
    o.clientes = 50000;
    o.tamMuestra = 4000;
    const ResultadoSimulacion r = Simular(l.red, o);
    const std::vector<double>& m = r.centros[0].muestra;
    ASSERT_EQ(m.size(), 4000u);
    // Time in an M/M/1 centre is exponential with rate 1: mean 1, median ln 2.
    double suma = 0, bajoMediana = 0;
    for (double x : m) {
        suma += x;
        bajoMediana += x < std::log(2.0) ? 1 : 0;
    }
    // The sample mixes four replications, close in time within each: allow
    // for that correlation with a wider bound.
    EXPECT_NEAR(suma / m.size(), 1.0, 6 / std::sqrt(4000.0));
    EXPECT_NEAR(bajoMediana / m.size(), 0.5, 6 * 0.5 / std::sqrt(4000.0));
    // Asking for a sample changes none of the figures.
    o.tamMuestra = 0;
    const ResultadoSimulacion sin = Simular(l.red, o);
    EXPECT_TRUE(sin.centros[0].muestra.empty());
    EXPECT_EQ(sin.centros[0].simulado[kW].valor, r.centros[0].simulado[kW].valor);
}

TEST(Simulacion, CalentamientoAutomaticoCortaYMideIgual) {
    Linea l;
    l.Centro("cargado", 0.9, 1.0 / 0.9, 1.0, 1.0, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.replicas = 10;
    o.clientes = 200000;
    o.calentamientoAuto = true;
    const ResultadoCentro c = Simular(l.red, o).centros.at(0);
    EXPECT_GE(c.calentamiento, 0);
    EXPECT_LE(c.calentamiento, o.clientes / 2);
    const MMs e(0.9, 1.0, 1);
    Cerca(c.simulado[kW], e.w, 0.15, "W at rho 0.9");
}

TEST(Simulacion, PrecisionAnadeReplicasHastaAlcanzarla) {
    Linea l;
    l.Centro("A", 1.0, 1.0, 2.0, 0.5, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.precision = 0.02;
    o.clientes = 5000;
    o.calentamiento = 500;
    const ResultadoCentro c = Simular(l.red, o).centros.at(0);
    EXPECT_TRUE(c.sinPrecision.empty());
    EXPECT_GT(c.replicas, 10);  // one round of 10 is not enough at this N
    for (int m = 0; m < kNumMedidas; ++m)
        EXPECT_LE(c.simulado[m].semiancho, 0.02 * c.simulado[m].valor) << NombreMedida(m);
}

TEST(Simulacion, PrecisionInalcanzableSeDetieneEnElTope) {
    Linea l;
    l.Centro("A", 1.0, 1.0, 2.0, 0.5, 1);
    l.Cerrar();
    OpcionesSimulacion o;
    o.precision = 1e-6;
    o.clientes = 20;
    o.calentamiento = 0;
    const ResultadoCentro c = Simular(l.red, o).centros.at(0);
    EXPECT_LE(c.replicas, OpcionesSimulacion::kReplicasMax);
    EXPECT_LE(c.clientes, OpcionesSimulacion::kAlargueMax * o.clientes);
    EXPECT_FALSE(c.sinPrecision.empty());
    EXPECT_TRUE(c.AlgunPocoFiable());  // it gave up: no promise
}

}  // namespace
}  // namespace vortena
