#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <string>

#include "compute/Propagacion.h"
#include "compute/Variabilidad.h"
#include "model/Historial.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;
using prueba::DocumentoFalso;
using prueba::MensajesGrabados;

// A centre with rate `lamda`, `servidores` servers of rate `mu`, and the
// arrival and service coefficients of variation ca and cs.
std::int16_t Centro(ConstructorRed& b, const std::string& nombre, double lamda, double mu,
                    int servidores, double ca, double cs) {
    const std::int16_t p = b.Centro(nombre, lamda, mu);
    b[p].Servidores = static_cast<std::int16_t>(servidores);
    b[p].Desvlamda = ca / lamda;
    b[p].DesvMu = cs / mu;
    return p;
}

double CvLlegadas(const CentroProductivo& c) {
    return c.Desvlamda * c.Lamda;
}

std::map<std::string, double> Desviaciones(const Red& red) {
    std::map<std::string, double> m;
    for (const CentroProductivo& c : red.Centros) m[c.Nombre] = c.Desvlamda;
    return m;
}

class Variabilidad : public ::testing::Test {
protected:
    Red red;
    ConstructorRed b{red};
    DocumentoFalso doc;
    MensajesGrabados mensajes;

    bool Propagar() { return PropagarVariabilidad(red, mensajes, doc, Regional::Espanol()); }
    // Connects the nodes one after the other, multipliers 1.
    void Cadena(std::initializer_list<std::int16_t> nodos) {
        for (auto it = nodos.begin(); it + 1 != nodos.end(); ++it) b.Conectar(*it, *(it + 1));
    }
};

TEST(Ecuaciones, DepartureSplitAndHandValues) {
    // Poisson in, exponential service: Poisson out, whatever the servers.
    for (int s : {1, 3, 7}) EXPECT_DOUBLE_EQ(CuadradoSalida(1.0, 1.0, 0.9, s), 1.0) << s;
    // An idle station passes its arrivals on; a saturated one its services.
    EXPECT_DOUBLE_EQ(CuadradoSalida(0.3, 2.0, 0.0, 1), 0.3);
    EXPECT_DOUBLE_EQ(CuadradoSalida(0.3, 2.0, 1.0, 1), 2.0);
    // 1 + (1 - 0.5625)(0.25 - 1) + 0.5625 (0.5 - 1) / 2 = 0.53125.
    EXPECT_DOUBLE_EQ(CuadradoSalida(0.25, 0.5, 0.75, 4), 0.53125);
    // Random routing of share p makes a stream more Poisson.
    EXPECT_DOUBLE_EQ(CuadradoRama(0.36, 0.3), 0.808);
    EXPECT_DOUBLE_EQ(CuadradoRama(0.36, 1.0), 0.36);
}

TEST_F(Variabilidad, TandemPassesTheSmoothedStreamDown) {
    const auto i = b.Inicio();
    // Constant service at u = 0.5: cd² = 1 - 0.25 = 0.75.
    const auto a = Centro(b, "A", 1, 2, 1, 1.0, 0.0);
    // Exponential at u = 0.8: cd² = 1 + 0.36 (0.75 - 1) = 0.91.
    const auto m = Centro(b, "B", 1, 1.25, 1, 0.4, 1.0);
    const auto c = Centro(b, "C", 1, 4, 1, 2.0, 1.0);
    const auto f = b.Fin(1);
    Cadena({i, a, m, c, f});

    ASSERT_TRUE(Propagar());
    EXPECT_TRUE(mensajes.vistos.empty()) << mensajes.Textos().front();
    EXPECT_DOUBLE_EQ(CvLlegadas(b[a]), 1.0);  // fed by INICIO: as typed
    EXPECT_NEAR(CvLlegadas(b[m]), std::sqrt(0.75), 1e-14);
    EXPECT_NEAR(CvLlegadas(b[c]), std::sqrt(0.91), 1e-14);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
}

TEST_F(Variabilidad, MultiServerStationUsesItsServerCount) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 3, 1, 4, 0.5, std::sqrt(0.5));
    const auto m = Centro(b, "B", 3, 1, 5, 1.0, 1.0);
    const auto f = b.Fin(3);
    Cadena({i, a, m, f});
    ASSERT_TRUE(Propagar());
    EXPECT_NEAR(CvLlegadas(b[m]), std::sqrt(0.53125), 1e-14);
    EXPECT_NEAR(b[m].Desvlamda, std::sqrt(0.53125) / 3, 1e-14);
}

TEST_F(Variabilidad, SplitSharesComeFromTheLinesFlows) {
    // Equal multipliers out of A, but B's output counts twice at FIN: the
    // propagation sends B two thirds of A's output, C one third. The end
    // node's Salida plays no part in the shares (left at 0 here).
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 10, 12.5, 1, 1.0, 0.0);  // cd² = 1 - 0.64 = 0.36
    const auto x = Centro(b, "B", 20.0 / 3, 10, 1, 1.0, 1.0);
    const auto y = Centro(b, "C", 10.0 / 3, 10, 1, 1.0, 1.0);
    const auto f = b.Fin(0);
    b.Conectar(i, a);
    b.Conectar(a, x);
    b.Conectar(a, y);
    b.Conectar(x, f, 2.0);
    b.Conectar(y, f);
    ASSERT_TRUE(Propagar());
    EXPECT_NEAR(CvLlegadas(b[x]), std::sqrt(2.0 / 3 * 0.36 + 1.0 / 3), 1e-14);
    EXPECT_NEAR(CvLlegadas(b[y]), std::sqrt(1.0 / 3 * 0.36 + 2.0 / 3), 1e-14);
}

TEST_F(Variabilidad, MergeWeighsEachStreamByItsFlowAndKeepsTypedFeeders) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 4, 5, 1, 1.0, 0.0);   // cd² = 0.36
    const auto m = Centro(b, "B", 6, 10, 1, 1.0, 2.0);  // cd² = 1 + 0.36·3 = 2.08
    const auto c = Centro(b, "C", 10, 20, 1, 1.0, 1.0);
    // Fed by INICIO and by C: what enters the line is typed, so it stays.
    const auto d = Centro(b, "D", 12, 20, 1, 0.25, 1.0);
    const auto f = b.Fin(12);
    b.Conectar(i, a, 0.4);
    b.Conectar(i, m, 0.6);
    b.Conectar(a, c);
    b.Conectar(m, c);
    b.Conectar(c, d);
    b.Conectar(i, d, 0.2);
    b.Conectar(d, f);
    const auto antes = Desviaciones(red);

    ASSERT_TRUE(Propagar());
    EXPECT_NEAR(CvLlegadas(b[c]), std::sqrt(0.4 * 0.36 + 0.6 * 2.08), 1e-14);
    for (const char* n : {"A", "B", "D"}) EXPECT_EQ(Desviaciones(red).at(n), antes.at(n)) << n;
}

TEST_F(Variabilidad, RunningItTwiceChangesNothingAndMarksNothing) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 2, 3, 1, 1.0, 0.2);
    const auto x = Centro(b, "B", 1, 1.5, 2, 1.0, 0.7);
    const auto y = Centro(b, "C", 1, 4, 1, 1.0, 1.3);
    const auto z = Centro(b, "D", 2, 2.5, 1, 1.0, 0.5);
    const auto f = b.Fin(2);
    b.Conectar(i, a);
    b.Conectar(a, x, 0.5);
    b.Conectar(a, y, 0.5);
    b.Conectar(x, z);
    b.Conectar(y, z);
    b.Conectar(z, f);
    ASSERT_TRUE(Propagar());
    const auto primera = Desviaciones(red);
    ASSERT_NE(primera.at("D"), 0.5);
    ASSERT_TRUE(Propagar());
    EXPECT_EQ(Desviaciones(red), primera);
    EXPECT_EQ(doc.llamadasBarra, std::vector<bool>{true});
    EXPECT_TRUE(mensajes.vistos.empty());
}

TEST_F(Variabilidad, AnExponentialLineAsAFileKeepsItIsNoChange) {
    // 1/3 and 1/8 with the 15 digits a file keeps.
    const auto i = b.Inicio();
    const auto a = b.Centro("A", 8, 3), x = b.Centro("B", 8, 3), f = b.Fin(8);
    for (auto c : {a, x}) {
        b[c].Servidores = 3;
        b[c].Desvlamda = 0.125;
        b[c].DesvMu = 0.333333333333333;
    }
    Cadena({i, a, x, f});
    ASSERT_TRUE(Propagar());
    EXPECT_EQ(b[x].Desvlamda, 0.125);
    EXPECT_TRUE(doc.llamadasBarra.empty());
}

TEST_F(Variabilidad, SaturatedCentreStopsItNamedAndNothingChanges) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "Torno", 2, 3, 1, 1.0, 0.0);
    const auto x = Centro(b, "Fresa", 2, 1, 2, 1.0, 1.0);  // λ = s·μ
    const auto y = Centro(b, "Pintura", 2, 3, 1, 1.0, 1.0);
    const auto f = b.Fin(2);
    Cadena({i, a, x, y, f});
    const auto antes = Desviaciones(red);

    EXPECT_FALSE(Propagar());
    ASSERT_EQ(mensajes.vistos.size(), 1u);
    EXPECT_EQ(mensajes.vistos[0].texto,
              "No se puede propagar la variabilidad: el centro Fresa llega a su capacidad o la "
              "supera (λ = 2, s·μ = 2, utilización 1). Ningún centro cambió.");
    EXPECT_EQ(mensajes.vistos[0].icono, Icono::Exclamacion);
    EXPECT_EQ(Desviaciones(red), antes);
    EXPECT_TRUE(doc.llamadasBarra.empty());

    // A saturated feeder fed by INICIO stops it too: its departures are
    // what the next centre would be given.
    b[x].Servidores = 3;
    b[a].Mu = 1.5;
    EXPECT_FALSE(Propagar());
    EXPECT_NE(mensajes.vistos.back().texto.find("el centro Torno"), std::string::npos);
    EXPECT_EQ(Desviaciones(red), antes);
}

TEST_F(Variabilidad, RatesNotFollowingTheLineAreNamedButUsed) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 5, 10, 1, 1.0, 0.0);
    const auto x = Centro(b, "B", 4, 10, 1, 1.0, 1.0);
    const auto f = b.Fin(5);
    Cadena({i, a, x, f});
    ASSERT_TRUE(Propagar());
    ASSERT_EQ(mensajes.vistos.size(), 1u);
    EXPECT_EQ(mensajes.vistos[0].icono, Icono::Informacion);
    EXPECT_NE(mensajes.vistos[0].texto.find("coinciden con el flujo de la línea: B."),
              std::string::npos)
        << mensajes.vistos[0].texto;
    // A at its own u = 0.5: cd² = 0.75, stored for B's own rate.
    EXPECT_NEAR(b[x].Desvlamda, std::sqrt(0.75) / 4, 1e-14);
}

TEST_F(Variabilidad, CentresOffTheLineAreLeftAlone) {
    b.RedNueva();  // INICIO -> Sin nombre -> FIN
    const auto z = Centro(b, "Z", 1, 2, 1, 3.0, 1.0);
    const auto y = Centro(b, "Y", 1, 2, 1, 3.0, 1.0);
    b.Conectar(1, z);
    b.Conectar(z, y);  // a branch that never reaches FIN
    const auto antes = Desviaciones(red);
    ASSERT_TRUE(Propagar());
    EXPECT_EQ(Desviaciones(red), antes);
    EXPECT_TRUE(doc.llamadasBarra.empty());

    // No route at all from INICIO to FIN.
    Red otra;
    ConstructorRed o(otra);
    o.Inicio();
    o.Centro("A");
    o.Fin();
    o.Conectar(1, 2);
    EXPECT_FALSE(PropagarVariabilidad(otra, mensajes, doc, Regional::Espanol()));
    EXPECT_EQ(mensajes.vistos.back().texto,
              "No se puede propagar la variabilidad: ningún centro recibe flujo de INICIO a FIN.");
}

TEST_F(Variabilidad, OneUndoableStepOnlyWhenSomethingChanged) {
    const auto i = b.Inicio();
    const auto a = Centro(b, "A", 1, 2, 1, 1.0, 0.0);
    const auto x = Centro(b, "B", 1, 2, 1, 1.0, 1.0);
    const auto f = b.Fin(1);
    Cadena({i, a, x, f});
    Historial h;
    const double antes = b[x].Desvlamda;
    EXPECT_TRUE(EnUnPaso(h, red, kAccionVariabilidad, [&] { Propagar(); }));
    EXPECT_EQ(h.AccionDeshacer(), "Propagar variabilidad");
    const double despues = b[x].Desvlamda;
    EXPECT_NE(despues, antes);
    EXPECT_FALSE(EnUnPaso(h, red, kAccionVariabilidad, [&] { Propagar(); }));
    EXPECT_EQ(h.Pasos(), 1u);
    ASSERT_TRUE(h.Deshacer(red));
    EXPECT_EQ(b[x].Desvlamda, antes);
    ASSERT_TRUE(h.Rehacer(red));
    EXPECT_EQ(b[x].Desvlamda, despues);
}

TEST(FlujoConexiones, EachConnectionCarriesItsShareOfTheEndNodesOutput) {
    // Merge C of A and B, where B also feeds FIN directly (PropagarFlujo
    // gives A 16, B 8, C and D 20).
    Red red;
    ConstructorRed b(red);
    auto i = b.Inicio(), a = b.Centro("A"), bb = b.Centro("B"), c = b.Centro("C"),
         d = b.Centro("D"), f = b.Fin(24);
    const auto ia = b.Conectar(i, a, 0.8), ib = b.Conectar(i, bb, 0.2), bc = b.Conectar(bb, c),
               bf = b.Conectar(bb, f), ac = b.Conectar(a, c), cd = b.Conectar(c, d),
               df = b.Conectar(d, f);
    const double multReal = red.Conexiones(ia).multReal;
    const double lamda = red.Centros(a).Lamda;
    const std::vector<double> flujo = FlujoConexiones(red, 24);
    ASSERT_EQ(flujo.size(), 8u);
    const std::map<std::int16_t, double> esperado{{ia, 16}, {ib, 8},  {bc, 4}, {bf, 4},
                                                  {ac, 16}, {cd, 20}, {df, 20}};
    for (const auto& [k, v] : esperado) EXPECT_NEAR(flujo[static_cast<std::size_t>(k)], v, 1e-12);
    EXPECT_EQ(red.Conexiones(ia).multReal, multReal);
    EXPECT_EQ(red.Centros(a).Lamda, lamda);
}

}  // namespace
}  // namespace vortena
