// What the canvas receives: geometry, colours, pen widths and order.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "BancoEditor.h"

namespace vortena::prueba {
namespace {

using namespace trazo;
using ::testing::ElementsAre;

class Dibujo_ : public BancoEditor {};

TEST_F(Dibujo_, RedibujarTodoPintaLaRedNuevaEnOrden) {
    ed.DiagramaInicial();
    sup.Olvidar();
    ed.RedibujarTodo();

    const std::vector<Trazo> esperado = {
        Limpiar(),
        // Start node: erased, green outline, name centred in a 700-high box.
        Rectangulo(500, 1150, 1500, 1850, kBlanco, 3, true),
        Rectangulo(500, 1150, 1500, 1850, kVerde, 3, false),
        Texto(730, 1150 + 505 / 2.0f, "INICIO"),
        // The default centre: separator under the name, then the three rows.
        Rectangulo(4000, 1000, 5000, 2000, kBlanco, 3, true),
        Rectangulo(4000, 1000, 5000, 2000, kNegro, 3, false),
        Linea(4000, 1195, 5000, 1195, kNegro, 3),
        Texto(4050, 1000, "Sin nombre"),
        Texto(4230, 1390, "l:1.00"),
        Texto(4230, 1585, "µ:2.00"),
        Texto(4365, 1780, "S:1"),
        // End node: name at a third, the output at two thirds of the free height.
        Rectangulo(8500, 1150, 9500, 1850, kBlanco, 3, true),
        Rectangulo(8500, 1150, 9500, 1850, kVerde, 3, false),
        Texto(8865, 1150 + 505 / 3.0f, "FIN"),
        Texto(8685, 1150 + 505 / 1.5f, "20[u/t]"),
        // Connections over the boxes, multiplier at the midpoint.
        Linea(1500, 1500, 3840, 1500, kNegro, 1),
        Imagen(Dibujo::Flecha, 3840, 1425, 150, 150),
        Texto(2670, 1500, " 1 "),
        Linea(5000, 1500, 8340, 1500, kNegro, 1),
        Imagen(Dibujo::Flecha, 8340, 1425, 150, 150),
        Texto(6670, 1500, " 1 "),
        // Markers last.
        Imagen(Dibujo::MarcaInicio, 500, 650),
        Imagen(Dibujo::MarcaFin, 8500, 650),
    };
    EXPECT_EQ(sup.trazos, esperado);
}

TEST_F(Dibujo_, UnNombreAnchoSeCentraYDesbordaLaCaja) {
    const auto p = Centro(2000, 2000);
    red.Centros(p).Nombre = "Pintura y secado";  // 16 characters, 1440 units
    sup.Olvidar();
    ed.DibujarTextoCentro(p, 1);
    ASSERT_GE(sup.trazos.size(), 2u);
    EXPECT_EQ(sup.trazos[1], Texto(2000 - 220, 2000, "Pintura y secado"));
}

TEST_F(Dibujo_, ContornoRojoSoloParaCriticosMientrasSeMuestran) {
    struct Caso {
        bool mostrar;
        double flotamiento;
        bool enPert;
        double tardio;
        Color color;
    };
    const Caso casos[] = {
        // A node the PERT never reached is not critical, whatever its float.
        {true, 0.0, false, 0, kNegro},
        {true, 0.0, true, 0, kRojo},
        {false, 0.0, true, 0, kNegro},
        {true, 0.000001, false, 0, kNegro},
        {true, 0.000001, true, 10, kNegro},
        // Rounding noise of summed times still counts as zero float.
        {true, 1e-13, true, 10, kRojo},
        {true, -1e-13, true, 10, kRojo},
    };
    const auto p = Centro(2000, 2000);
    for (const Caso& k : casos) {
        CentroProductivo& c = red.Centros(p);
        red.MostrarCriticos = k.mostrar;
        red.ResultadosAlDia = true;
        c.indFlotamiento = k.flotamiento;
        c.TempranoWH = c.tardioWH = k.enPert;
        c.tmpoTardio = k.tardio;
        sup.Olvidar();
        ed.RedibujarTodo();
        ASSERT_GE(sup.trazos.size(), 3u);
        EXPECT_EQ(sup.trazos[2].color, k.color)
            << "mostrar " << k.mostrar << " flotamiento " << k.flotamiento;
    }
}

TEST_F(Dibujo_, LosExtremosSiempreVerdesAunConFlotamientoCero) {
    ed.DiagramaInicial();
    red.MostrarCriticos = true;
    red.ResultadosAlDia = true;
    for (CentroProductivo& c : red.Centros) {
        c.indFlotamiento = 0;
        c.TempranoWH = c.tardioWH = true;
    }
    EXPECT_EQ(ed.ColorContorno(red.Centros(1)), kVerde);
    EXPECT_EQ(ed.ColorContorno(red.Centros(2)), kRojo);
    EXPECT_EQ(ed.ColorContorno(red.Centros(3)), kVerde);
}

// Floats of a network edited since its computation outline nothing.
TEST_F(Dibujo_, SinCalcularNadaEsCritico) {
    ed.DiagramaInicial();
    red.MostrarCriticos = true;
    red.Centros(2).indFlotamiento = 0;
    red.Centros(2).TempranoWH = red.Centros(2).tardioWH = true;
    red.ResultadosAlDia = false;
    EXPECT_EQ(ed.ColorContorno(red.Centros(2)), kNegro);
}

TEST_F(Dibujo_, ConexionDeDerechaAIzquierdaLlevaLaFlechaEnSuFin) {
    const auto a = Centro(8000, 3000);
    const auto b = Centro(2000, 3000);
    sup.Olvidar();
    Unir(a, b);
    ASSERT_TRUE(msj.vistos.empty());
    EXPECT_THAT(sup.trazos, ElementsAre(Linea(9000, 3500, 1840, 3500, kNegro, 1),
                                        Imagen(Dibujo::Flecha, 1840, 3425, 150, 150),
                                        Texto(5420, 3500, " 1 ")));
}

TEST_F(Dibujo_, ElMultiplicadorLlevaBlancoDeSignoYBlancoFinal) {
    const std::pair<double, std::string> casos[] = {
        {1, " 1 "}, {2.5, " 2.5 "}, {0, " 0 "}, {-1.25, "-1.25 "}, {0.1, " 0.1 "}};
    const auto a = Centro(1000, 1000);
    const auto b = Centro(4000, 2000);
    Unir(a, b);
    for (const auto& [valor, texto] : casos) {
        red.Conexiones(1).multiplicador = valor;
        sup.Olvidar();
        ed.DibujarConexion(1, kAzul);
        EXPECT_THAT(sup.trazos, ElementsAre(Linea(2000, 1500, 3840, 2500, kAzul, 1),
                                            Imagen(Dibujo::Flecha, 3840, 2425, 150, 150),
                                            Texto(2920, 2000, texto)));
    }
}

TEST_F(Dibujo_, AmbasMarcasEnUnNodoDejanLaDeFinEncima) {
    ed.DiagramaInicial();
    red.NodoInicio = red.NodoFin = 2;
    sup.Olvidar();
    ed.RedibujarTodo();
    const auto n = sup.trazos.size();
    ASSERT_GE(n, 2u);
    EXPECT_EQ(sup.trazos[n - 2], Imagen(Dibujo::MarcaInicio, 4000, 500));
    EXPECT_EQ(sup.trazos[n - 1], Imagen(Dibujo::MarcaFin, 4000, 500));
}

TEST_F(Dibujo_, RedibujarCentroContornoPorModoYEtiquetasDeCentro) {
    const std::pair<int, std::optional<Color>> casos[] = {
        {1, kNegro}, {2, kAzul}, {3, kRojo}, {0, std::nullopt}, {4, std::nullopt}};
    ed.DiagramaInicial();
    for (const auto& [modo, color] : casos) {
        sup.Olvidar();
        // Even the end node is labelled as a centre here.
        ed.RedibujarCentro(3, modo);
        ASSERT_FALSE(sup.trazos.empty());
        EXPECT_EQ(sup.trazos[0], Rectangulo(8500, 1150, 9500, 1850, kBlanco, 3, true));
        const auto rect = sup.De(Op::Rectangulo);
        if (color) {
            ASSERT_EQ(rect.size(), 2u) << modo;
            EXPECT_EQ(rect[1], Rectangulo(8500, 1150, 9500, 1850, *color, 3, false));
        } else {
            EXPECT_EQ(rect.size(), 1u) << modo;
        }
        EXPECT_THAT(sup.Textos(), ElementsAre("FIN", "l:0.00", "µ:0.00", "S:0")) << modo;
    }
}

TEST_F(Dibujo_, RedibujarNodoFinUsaElNodoActualConContornoNegro) {
    ed.DiagramaInicial();
    red.Centros(3).Salida = 7.5;
    red.CentroActual = 3;
    sup.Olvidar();
    ed.RedibujarNodoFin();
    EXPECT_THAT(sup.trazos, ElementsAre(Rectangulo(8500, 1150, 9500, 1850, kBlanco, 3, true),
                                        Rectangulo(8500, 1150, 9500, 1850, kNegro, 3, false),
                                        Texto(8865, 1150 + 505 / 3.0f, "FIN"),
                                        Texto(8640, 1150 + 505 / 1.5f, "7.5[u/t]")));
}

TEST_F(Dibujo_, CapasRellenanYMarcanSoloSusCentrosYSeQuitan) {
    ed.DiagramaInicial();
    Sombreado uso;
    uso.relleno[2] = Color{200, 0, 0};
    Sombreado encima;
    encima.relleno[2] = Color{0, 200, 0};
    encima.marca[2] = MarcaCentro{kRojo, "x"};
    ed.capas().Poner("uso", uso);
    ed.capas().Poner("sim", encima);
    sup.Olvidar();
    ed.RedibujarTodo();
    const auto rellenos = sup.De(Op::Rectangulo);
    // The later layer's fill wins; the start and end nodes stay white.
    EXPECT_EQ(rellenos[0].color, kBlanco);
    EXPECT_EQ(rellenos[2], Rectangulo(4000, 1000, 5000, 2000, Color{0, 200, 0}, 3, true));
    EXPECT_EQ(rellenos[4], Rectangulo(4820, 1030, 4970, 1180, kRojo, 1, true));

    ed.capas().Quitar("sim");
    ed.capas().Quitar("uso");
    sup.Olvidar();
    ed.RedibujarTodo();
    EXPECT_EQ(sup.De(Op::Rectangulo)[2].color, kBlanco);
    EXPECT_TRUE(ed.capas().Vacia());
}

}  // namespace
}  // namespace vortena::prueba
