// The connection rules and messages, and the anchors of a new connection.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BancoEditor.h"
#include "bench/RedEnCapas.h"
#include "editor/Geometria.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* M1 = "El Nodo de Final no puede iniciar una conexión";
constexpr const char* M2 = "El Nodo de Inicio no puede Finalizar una conexión";
constexpr const char* M3 = "Intenta vincular nuevamente dos Centros Productivos";
constexpr const char* M4 = "La conexión que intenta realizar produce un ciclo";

struct Punto {
    float x, y;
};
// Points in the new network plus one centre D at (4000, 3000).
constexpr Punto I{1000, 1500}, C{4500, 1500}, F{9000, 1500}, D{4500, 3500}, Nada{20000, 20000};

struct Intento {
    const char* nombre;
    std::vector<std::pair<Punto, Punto>> antes;  // connections made first
    Punto desde, hasta;
    std::vector<std::string> mensajes;
    bool agrega;
    friend void PrintTo(const Intento& i, std::ostream* os) { *os << i.nombre; }
};

class Reglas : public BancoEditor, public ::testing::WithParamInterface<Intento> {};

TEST_P(Reglas, MensajesYResultado) {
    const Intento& k = GetParam();
    ed.DiagramaInicial();
    Centro(4000, 3000);
    for (auto [a, b] : k.antes) ed.ConectarCentros(a.x, a.y, b.x, b.y, 1);
    ASSERT_THAT(msj.vistos, IsEmpty());
    const int antes = red.Conexiones.Count();

    ed.ConectarCentros(k.desde.x, k.desde.y, k.hasta.x, k.hasta.y, 1);

    EXPECT_EQ(msj.Textos(), k.mensajes);
    for (const MensajeVisto& m : msj.vistos) {
        EXPECT_EQ(m.titulo, "Vortena de líneas de Producción");
        EXPECT_EQ(m.botones, Botones::Aceptar);
        EXPECT_EQ(m.icono, Icono::Critico);
    }
    EXPECT_EQ(red.Conexiones.Count(), antes + (k.agrega ? 1 : 0));
    ExpectSana();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Reglas,
    ::testing::Values(Intento{"MismoNodo", {}, C, C, {}, false},
                      Intento{"FinHaciaVacio", {}, F, Nada, {M1}, false},
                      Intento{"FinHaciaCentro", {}, F, D, {M1}, false},
                      Intento{"CentroHaciaInicio", {}, D, I, {M2}, false},
                      Intento{"VacioHaciaInicio", {}, Nada, I, {M2}, false},
                      // Messages come in the order of the scan: the start node is first.
                      Intento{"FinHaciaInicio", {}, F, I, {M2, M1}, false},
                      Intento{"VacioHaciaCentro", {}, Nada, D, {}, false},
                      Intento{"CentroHaciaVacio", {}, D, Nada, {}, false},
                      Intento{"Nueva", {}, I, D, {}, true},
                      Intento{"Duplicada", {}, I, C, {M3}, false},
                      Intento{"InversaEsCiclo", {{C, D}}, D, C, {M4}, false},
                      Intento{"ParaleloSinCiclo", {{I, D}}, D, C, {}, true}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Where boxes overlap the last node in the collection decides, and so does
// whether it may start or end a connection.
TEST_F(BancoEditor, NodosSuperpuestosDecideElUltimo) {
    ed.DiagramaInicial();
    const auto e = Centro(4000, 3000);
    // An end node over centre e, and a start node over centre 2.
    ed.ColocarCentro(4200, 3200, 3);
    ed.ColocarCentro(4200, 1200, 2);
    ed.ConectarCentros(4500, 3500, 4500, 1500, 1);
    EXPECT_EQ(msj.Textos(), (std::vector<std::string>{M1, M2}));
    EXPECT_EQ(red.Conexiones.Count(), 2);
    EXPECT_EQ(red.Centros(e).tamSE, -1);

    // Outside the overlap the centres still connect.
    msj.vistos.clear();
    ed.ConectarCentros(4100, 3900, 4100, 1900, 1);
    EXPECT_THAT(msj.vistos, IsEmpty());
    EXPECT_EQ(Pares().back(), std::make_pair(int(e), 2));
}

TEST_F(BancoEditor, UnCicloEnCadenaSeAvisaUnaSolaVez) {
    ed.DiagramaInicial();
    const auto a = Centro(1000, 4000);
    const auto b = Centro(3000, 4000);
    const auto c = Centro(5000, 4000);
    Unir(a, b);
    Unir(b, c);
    Unir(c, a);
    EXPECT_EQ(msj.Textos(), std::vector<std::string>{M4});
    EXPECT_EQ(red.Conexiones.Count(), 4);
}

// Many paths lead back to the start of the new connection: the search still
// answers once and at once.
TEST(Ciclo, RedDensaEnCapasUnMensaje) {
    Red red = RedEnCapas(40, 12, 3);
    SuperficieGrabada sup;
    MensajesGrabados msj;
    Editor ed(red, sup, msj, Regional::Ingles());
    const auto primero = static_cast<std::int16_t>(2);
    const auto ultimo = static_cast<std::int16_t>(2 + 39 * 12);
    EXPECT_TRUE(ed.ProduceCiclo(ultimo, primero));
    EXPECT_EQ(msj.Textos(), std::vector<std::string>{M4});
    msj.vistos.clear();
    // Same layer: neither reaches the other.
    EXPECT_FALSE(ed.ProduceCiclo(3, primero));
    EXPECT_THAT(msj.vistos, IsEmpty());
}

// A chain longer than any call stack would allow for one frame per node.
TEST(Ciclo, CadenaMuyLargaSinRecursion) {
    Red red;
    ConstructorRed cr(red);
    constexpr int n = 30000;
    cr.Inicio();
    for (int i = 2; i <= n; ++i) {
        cr.Nodo("c");
        cr.Conectar(static_cast<std::int16_t>(i - 1), static_cast<std::int16_t>(i));
    }
    SuperficieGrabada sup;
    MensajesGrabados msj;
    Editor ed(red, sup, msj, Regional::Ingles());
    EXPECT_TRUE(ed.ProduceCiclo(n, 2));
    EXPECT_FALSE(ed.ProduceCiclo(2, n));
    EXPECT_EQ(msj.Textos(), std::vector<std::string>{M4});
}

TEST_F(BancoEditor, AnclasYListasDeUnaConexionNueva) {
    ed.DiagramaInicial();
    const auto d = Centro(4000, 3000);
    sup.Olvidar();
    ed.ConectarCentros(I.x, I.y, D.x, D.y, 2);
    ASSERT_EQ(red.Conexiones.Count(), 3);
    const linea& l = red.Conexiones(3);
    EXPECT_EQ(l.posicion, 3);
    EXPECT_EQ(l.CentroInicio, 1);
    EXPECT_EQ(l.CentroFin, d);
    EXPECT_EQ(l.multiplicador, 1.0);
    // Middle of the start node's right edge; 160 left of the end node.
    EXPECT_EQ(std::make_pair(l.x1, l.y1), std::make_pair(1500.0f, 1500.0f));
    EXPECT_EQ(std::make_pair(l.x2, l.y2), std::make_pair(3840.0f, 3500.0f));
    EXPECT_THAT(Salidas(1), ElementsAre(1, 3));
    EXPECT_THAT(Entradas(d), ElementsAre(3));
    // Drawn at once in the colour of the mode.
    ASSERT_FALSE(sup.trazos.empty());
    EXPECT_EQ(sup.trazos[0], trazo::Linea(1500, 1500, 3840, 3500, kAzul, 1));
}

// Positions are 16-bit: the collections stop at 32767 records instead of
// handing out a wrapped, negative position.
TEST(Limites, NiNodosNiConexionesPasanDe32767) {
    Red red;
    ConstructorRed cr(red);
    // 257 nodes have 32896 forward pairs; join them in order up to the limit.
    for (int i = 1; i <= 257; ++i) cr.Nodo("c");
    for (int a = 1; a <= 257 && red.Conexiones.Count() < 32767; ++a)
        for (int b = a + 1; b <= 257 && red.Conexiones.Count() < 32767; ++b)
            cr.Conectar(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b));
    SuperficieGrabada sup;
    MensajesGrabados msj;
    Editor ed(red, sup, msj, Regional::Ingles());
    // The last pair (256, 257) is still free.
    ASSERT_FALSE(ed.ExisteConexion(256, 257));
    const CentroProductivo& a = red.Centros(256);
    const CentroProductivo& b = red.Centros(257);
    ed.ConectarCentros(a.x1 + 1, a.y1 + 1, b.x1 + 1, b.y1 + 1, 1);
    EXPECT_EQ(red.Conexiones.Count(), 32767);
    EXPECT_EQ(red.Centros(256).tamSE, -1);

    while (red.Centros.Count() < 32767)
        red.Centros.Agregar().posicion = static_cast<std::int16_t>(red.Centros.Count());
    ed.ColocarCentro(0, 0, 1);
    EXPECT_EQ(red.Centros.Count(), 32767);
    EXPECT_EQ(red.CentroActual, 0);
    EXPECT_TRUE(sup.trazos.empty());
}

TEST(Geometria, MitadDeAltoRedondeaAParYTrunca) {
    const std::pair<float, int> casos[] = {{700, 350},    {1000, 500},   {701, 350}, {699.5f, 350},
                                           {700.5f, 350}, {701.5f, 351}, {0, 0},     {3, 1}};
    for (auto [alto, mitad] : casos) {
        CentroProductivo c;
        c.y1 = 100;
        c.y2 = 100 + alto;
        EXPECT_EQ(MitadAlto(c), mitad) << alto;
    }
}

}  // namespace
}  // namespace vortena::prueba
