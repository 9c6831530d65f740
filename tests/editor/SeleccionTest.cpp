// Hit tests of the select tool, and giving the selection back its look.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BancoEditor.h"

namespace vortena::prueba {
namespace {

using namespace trazo;
using ::testing::ElementsAre;

struct Clic {
    float x, y;
    int centro, conexion;
    friend void PrintTo(const Clic& c, std::ostream* os) {
        *os << "(" << c.x << ", " << c.y << ")";
    }
};

class Seleccion : public BancoEditor, public ::testing::WithParamInterface<Clic> {};

// On the new network: centre 2 is (4000, 1000)-(5000, 2000), connection 2
// runs level from (5000, 1500) to (8340, 1500), the end node starts at 8500.
TEST_P(Seleccion, EnLaRedNueva) {
    ed.DiagramaInicial();
    const Clic& k = GetParam();
    ed.SeleccionarEnPunto(k.x, k.y);
    EXPECT_EQ(red.CentroActual, k.centro);
    EXPECT_EQ(red.ConexionActual, k.conexion);
    EXPECT_EQ(red.HaySeleccion, k.centro != 0 || k.conexion != 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, Seleccion,
                         ::testing::Values(
                             // Borders are outside the box.
                             Clic{4000, 1300, 0, 0}, Clic{4500, 1000, 0, 0}, Clic{4500, 2000, 0, 0},
                             Clic{4000.5f, 1000.5f, 2, 0}, Clic{4999.5f, 1999.5f, 2, 0},
                             // The right border at middle height is where connection 2 starts.
                             Clic{5000, 1500, 0, 2},
                             // The band is 50 units either side, both edges included.
                             Clic{6000, 1550, 0, 2}, Clic{6000, 1450, 0, 2}, Clic{6000, 1551, 0, 0},
                             Clic{6000, 1449, 0, 0},
                             // It reaches 75 units past the end anchor, half the arrowhead.
                             Clic{8415, 1500, 0, 2}, Clic{8416, 1500, 0, 0},
                             // The start node, and nothing at all.
                             Clic{1000, 1500, 1, 0}, Clic{20000, 20000, 0, 0}));

TEST_F(BancoEditor, ConexionVerticalNuncaSeSelecciona) {
    const auto a = Centro(4000, 3000);
    const auto b = Centro(5160, 5000);  // end anchor right under the start anchor
    const auto c = Centro(5161, 8000);  // one unit off vertical
    Unir(a, b);
    Unir(a, c);
    ASSERT_EQ(red.Conexiones(1).x1, red.Conexiones(1).x2);
    for (float y : {4000.0f, 4500.0f, 5000.0f, 5400.0f}) {
        ed.SeleccionarEnPunto(5000, y);
        EXPECT_EQ(red.ConexionActual, 0) << y;
    }
    // Near the start both lines pass through the point; only the steep one
    // (connection 2) can take it.
    ed.SeleccionarEnPunto(5000, 3520);
    EXPECT_EQ(red.ConexionActual, 2);
}

TEST_F(BancoEditor, ConexionDeDerechaAIzquierdaSoloHastaSetentaYCincoPasadoElFin) {
    // End anchor 50 units left of the start anchor: hit only where
    // x1 <= x <= x2 + 75, a strip 25 units wide.
    const auto a = Centro(4000, 1000);
    const auto b = Centro(5110, 3000);
    Unir(a, b);
    const linea l = red.Conexiones(1);
    ASSERT_EQ(l.x2, l.x1 - 50);
    auto yEn = [&](float x) { return l.y1 + (x - l.x1) * (l.y2 - l.y1) / (l.x2 - l.x1); };
    const std::pair<float, int> casos[] = {{5000, 1}, {5010, 1}, {5025, 1}, {5026, 0}};
    for (auto [x, conexion] : casos) {
        ed.SeleccionarEnPunto(x, yEn(x));
        EXPECT_EQ(red.ConexionActual, conexion) << x;
    }

    // Further left than 75 units it can never be hit.
    const auto c = Centro(8000, 6000);
    const auto d = Centro(2000, 6000);
    Unir(c, d);
    for (float x : {1850.0f, 1900.0f, 3500.0f, 5000.0f, 7000.0f, 9000.0f}) {
        ed.SeleccionarEnPunto(x, 6500);
        EXPECT_EQ(red.ConexionActual, 0) << x;
    }
}

// The band edges are compared after rounding to single precision: on a line
// rising 1 unit in 100, the edge at x = 5001 is 1550.01 in double precision
// but 1550.01001 once rounded, so the float 1550.01f is inside.
TEST_F(BancoEditor, BordeDeLaBandaEnPrecisionSimple) {
    ed.DiagramaInicial();
    const auto e = Centro(5260, 1001);
    Unir(2, e);
    ASSERT_EQ(red.Conexiones(3).x2, 5100);
    ASSERT_EQ(red.Conexiones(3).y2, 1501);
    ed.SeleccionarEnPunto(5001, 1550.01f);
    EXPECT_EQ(red.ConexionActual, 3);
    ed.SeleccionarEnPunto(5001, 1550.02f);
    EXPECT_EQ(red.ConexionActual, 0);
}

TEST_F(BancoEditor, ElNodoGanaALaConexionYLaDejaComoEstaba) {
    ed.DiagramaInicial();
    const auto a = Centro(2000, 5000);
    const auto b = Centro(9000, 5000);
    Unir(a, b);
    ed.SeleccionarEnPunto(5000, 5500);
    ASSERT_EQ(red.ConexionActual, 3);
    const auto c = Centro(6000, 5000);  // a box over the line
    ed.SeleccionarEnPunto(6500, 5500);
    EXPECT_EQ(red.CentroActual, c);
    EXPECT_EQ(red.ConexionActual, 3);
}

TEST_F(BancoEditor, SeleccionarPintaEnAzul) {
    ed.DiagramaInicial();
    sup.Olvidar();
    ed.SeleccionarEnPunto(9000, 1500);
    EXPECT_THAT(sup.trazos, ElementsAre(Rectangulo(8500, 1150, 9500, 1850, kBlanco, 3, true),
                                        Rectangulo(8500, 1150, 9500, 1850, kAzul, 3, false),
                                        Texto(8865, 1150 + 505 / 3.0f, "FIN"),
                                        Texto(8685, 1150 + 505 / 1.5f, "20[u/t]")));
    sup.Olvidar();
    ed.SeleccionarEnPunto(3000, 1500);
    EXPECT_THAT(sup.trazos, ElementsAre(Linea(1500, 1500, 3840, 1500, kAzul, 1),
                                        Imagen(Dibujo::Flecha, 3840, 1425, 150, 150),
                                        Texto(2670, 1500, " 1 ")));
    EXPECT_EQ(red.CentroActual, 0);
}

TEST_F(BancoEditor, QuitarSeleccionDevuelveElAspectoNormal) {
    ed.DiagramaInicial();
    red.MostrarCriticos = true;
    red.ResultadosAlDia = true;
    red.Centros(2).indFlotamiento = 0;
    red.Centros(2).TempranoWH = red.Centros(2).tardioWH = true;
    Seleccionar(2);
    sup.Olvidar();
    ed.QuitarSeleccion();
    // Erased, labelled, then outlined by the full-redraw rule.
    EXPECT_EQ(sup.trazos.front(), Rectangulo(4000, 1000, 5000, 2000, kBlanco, 3, true));
    EXPECT_EQ(sup.trazos.back(), Rectangulo(4000, 1000, 5000, 2000, kRojo, 3, false));
    EXPECT_EQ(sup.Textos().size(), 4u);
    EXPECT_EQ(red.CentroActual, 2);
    EXPECT_TRUE(red.HaySeleccion);

    ed.SeleccionarEnPunto(3000, 1500);
    sup.Olvidar();
    ed.QuitarSeleccion();
    EXPECT_THAT(sup.trazos, ElementsAre(Linea(1500, 1500, 3840, 1500, kNegro, 1),
                                        Imagen(Dibujo::Flecha, 3840, 1425, 150, 150),
                                        Texto(2670, 1500, " 1 ")));
    EXPECT_EQ(red.ConexionActual, 0);
    EXPECT_TRUE(red.HaySeleccion);
}

// After the network is replaced the selection may name records that are gone.
TEST_F(BancoEditor, SeleccionSinRegistroNoSeDibuja) {
    ed.DiagramaInicial();
    red.CentroActual = 9;
    red.ConexionActual = 7;
    sup.Olvidar();
    ed.QuitarSeleccion();
    EXPECT_TRUE(sup.trazos.empty());
    EXPECT_EQ(red.ConexionActual, 0);
}

}  // namespace
}  // namespace vortena::prueba
