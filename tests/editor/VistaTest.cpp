// Picking a connection near its line, and the utilisation colouring.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BancoEditor.h"
#include "editor/Utilizacion.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {
namespace {

linea Linea(float x1, float y1, float x2, float y2) {
    linea l;
    l.x1 = x1;
    l.y1 = y1;
    l.x2 = x2;
    l.y2 = y2;
    return l;
}

TEST(ConexionCerca, MideEnEscuadraNoEnVertical) {
    // A steep line: 1000 right, 3000 down. The point 60 units to its side
    // (square to it) is 190 units away measured vertically.
    const linea l = Linea(0, 0, 1000, 3000);
    const double n = std::hypot(1000.0, 3000.0);
    const float px = static_cast<float>(500 + 60 * 3000 / n);
    const float py = static_cast<float>(1500 - 60 * 1000 / n);
    EXPECT_FALSE(PuntoEnConexion(l, px, py));
    EXPECT_TRUE(PuntoCercaDeConexion(l, px, py, 61));
    EXPECT_FALSE(PuntoCercaDeConexion(l, px, py, 59));
}

TEST(ConexionCerca, NoPasaDeLosExtremosSalvoLaFlecha) {
    const linea l = Linea(1000, 1000, 3000, 1000);
    EXPECT_FALSE(PuntoCercaDeConexion(l, 900, 1000, 60));   // before the start
    EXPECT_TRUE(PuntoCercaDeConexion(l, 3140, 1040, 60));   // over the arrowhead
    EXPECT_FALSE(PuntoCercaDeConexion(l, 3220, 1000, 60));  // past the arrowhead
    // A vertical connection is never picked, as with the band test.
    EXPECT_FALSE(PuntoCercaDeConexion(Linea(1000, 0, 1000, 3000), 1000, 1500, 60));
}

TEST_F(BancoEditor, LaToleranciaEligeLaConexionSoloSiSeDa) {
    ed.DiagramaInicial();
    // 55 units below connection 2 (level at y 1500): outside its band.
    ed.SeleccionarEnPunto(6000, 1555);
    EXPECT_FALSE(red.HaySeleccion);
    ed.SeleccionarEnPunto(6000, 1555, 60);
    EXPECT_TRUE(red.HaySeleccion);
    EXPECT_EQ(red.ConexionActual, 2);
    // A node still takes precedence over a nearby connection.
    ed.SeleccionarEnPunto(4050, 1500, 60);
    EXPECT_EQ(red.CentroActual, 2);
}

TEST(Utilizacion, EscalaDeVerdeARojo) {
    const Color verde = ColorUtilizacion(0), amarillo = ColorUtilizacion(0.5),
                rojo = ColorUtilizacion(1);
    EXPECT_GT(verde.g, verde.r);
    EXPECT_GT(rojo.r, rojo.g);
    EXPECT_GT(amarillo.r, 200);
    EXPECT_GT(amarillo.g, 200);
    // Every step up the scale is redder (red over green); nothing beyond the ends.
    const auto rojez = [](Color c) { return int{c.r} - int{c.g}; };
    for (double u = 0.0; u < 0.99; u += 0.05)
        EXPECT_LT(rojez(ColorUtilizacion(u)), rojez(ColorUtilizacion(u + 0.05))) << u;
    EXPECT_EQ(ColorUtilizacion(1.7), rojo);
    EXPECT_EQ(ColorUtilizacion(-0.3), verde);
    EXPECT_EQ(ColorUtilizacion(std::numeric_limits<double>::quiet_NaN()), verde);
}

TEST(Utilizacion, RellenaSoloLosCentrosConSuLeyenda) {
    Red red;
    ConstructorRed r(red);
    const auto inicio = r.Inicio();
    const auto a = r.Centro("A");
    const auto b = r.Centro("B");
    const auto fin = r.Fin();
    red.Centros(a).Trafico = 0.0;
    red.Centros(b).Trafico = 0.95;
    red.ResultadosAlDia = true;
    const Sombreado s = SombreadoUtilizacion(red, Regional::Espanol());
    EXPECT_EQ(s.relleno.size(), 2u);
    EXPECT_EQ(s.relleno.count(inicio), 0u);
    EXPECT_EQ(s.relleno.count(fin), 0u);
    EXPECT_EQ(s.relleno.at(a), ColorUtilizacion(0.0));
    EXPECT_EQ(s.relleno.at(b), ColorUtilizacion(0.95));
    EXPECT_EQ(s.tituloLeyenda, "Utilización");
    ASSERT_EQ(s.leyenda.size(), 5u);
    EXPECT_EQ(s.leyenda.front().second, "0 %");
    EXPECT_EQ(s.leyenda.back().second, "100 % o más");
    EXPECT_EQ(s.leyenda.back().first, ColorUtilizacion(1.0));

    // Stale figures: one grey for every centre, and a legend that says so.
    red.ResultadosAlDia = false;
    const Sombreado g = SombreadoUtilizacion(red, Regional::Espanol());
    EXPECT_EQ(g.relleno.at(a), g.relleno.at(b));
    EXPECT_NE(g.relleno.at(b), ColorUtilizacion(0.95));
    ASSERT_EQ(g.leyenda.size(), 1u);
    EXPECT_EQ(g.leyenda.front().second, "sin calcular (Ctrl+E)");
}

}  // namespace
}  // namespace vortena::prueba
