// Deleting nodes and connections: renumbering, lists, markers, refusals.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BancoEditor.h"

namespace vortena::prueba {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using P = std::pair<int, int>;

// New network plus Z (4) and Y (5):
//   1: 1->2  2: 2->3  3: 1->Y  4: Y->Z  5: 2->Z  6: Z->3  7: Y->3
class Borrado : public BancoEditor {
protected:
    void SetUp() override {
        ed.DiagramaInicial();
        z = Centro(6000, 3000);
        y = Centro(2000, 3000);
        Unir(1, y);
        Unir(y, z);
        Unir(2, z);
        Unir(z, 3);
        Unir(y, 3);
        ASSERT_THAT(msj.vistos, IsEmpty());
        ASSERT_EQ(red.Conexiones.Count(), 7);
    }
    std::int16_t z = 0, y = 0;
};

TEST_F(Borrado, CentroConDosEntradasYUnaSalida) {
    Seleccionar(z);
    sup.Olvidar();
    ed.EliminarSeleccion(1);
    // Cleared, then fully redrawn (which clears again).
    ASSERT_GE(sup.trazos.size(), 2u);
    EXPECT_EQ(sup.trazos[0].op, Op::Limpiar);
    EXPECT_EQ(sup.trazos[1].op, Op::Limpiar);
    EXPECT_EQ(sup.De(Op::Imagen).size(), 4u + 2u);  // arrowheads and markers

    EXPECT_EQ(red.Centros.Count(), 4);
    EXPECT_EQ(red.Centros(4).posicion, 4);
    EXPECT_EQ(red.Centros(4).x1, 2000);  // Y moved down one place
    EXPECT_THAT(Pares(), ElementsAre(P{1, 2}, P{2, 3}, P{1, 4}, P{4, 3}));
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(red.Conexiones(i).posicion, i);
    EXPECT_THAT(Salidas(1), ElementsAre(1, 3));
    EXPECT_THAT(Entradas(2), ElementsAre(1));
    EXPECT_THAT(Salidas(2), ElementsAre(2));
    EXPECT_THAT(Entradas(3), ElementsAre(2, 4));
    EXPECT_THAT(Entradas(4), ElementsAre(3));
    EXPECT_THAT(Salidas(4), ElementsAre(4));
    EXPECT_EQ(red.NodoInicio, 1);
    EXPECT_EQ(red.NodoFin, 3);
    EXPECT_EQ(red.CentroActual, 0);
    EXPECT_EQ(red.ConexionActual, 0);
    EXPECT_TRUE(red.HaySeleccion);
    ExpectSana();

    // Nothing is selected any more: a second Delete changes nothing.
    ed.EliminarSeleccion(1);
    EXPECT_EQ(red.Centros.Count(), 4);
    EXPECT_EQ(red.Conexiones.Count(), 4);
}

TEST_F(Borrado, ConexionSeleccionada) {
    ed.SeleccionarEnPunto(3200, 3500);  // on 4: Y -> Z
    ASSERT_EQ(red.ConexionActual, 4);
    ed.EliminarSeleccion(2);
    EXPECT_THAT(Pares(), ElementsAre(P{1, 2}, P{2, 3}, P{1, y}, P{2, z}, P{z, 3}, P{y, 3}));
    EXPECT_THAT(Salidas(y), ElementsAre(6));
    EXPECT_THAT(Entradas(z), ElementsAre(4));
    EXPECT_THAT(Salidas(z), ElementsAre(5));
    EXPECT_EQ(red.ConexionActual, 0);
    ExpectSana();
}

TEST_F(BancoEditor, InicioYFinNoSeEliminanPeroSeRedibuja) {
    ed.DiagramaInicial();
    for (std::int16_t p : {1, 3}) {
        msj.vistos.clear();
        red.CentroActual = p;
        sup.Olvidar();
        ed.EliminarSeleccion(1);
        ASSERT_EQ(msj.vistos.size(), 1u);
        EXPECT_EQ(msj.vistos[0].texto, "Nodo inválido para eliminacion");
        EXPECT_EQ(msj.vistos[0].titulo, "Vortena de Líneas de Producción");
        EXPECT_EQ(msj.vistos[0].botones, Botones::Aceptar);
        EXPECT_EQ(msj.vistos[0].icono, Icono::Critico);
        EXPECT_EQ(red.Centros.Count(), 3);
        EXPECT_EQ(red.Conexiones.Count(), 2);
        EXPECT_EQ(red.CentroActual, p);
        ASSERT_GE(sup.trazos.size(), 2u);
        EXPECT_EQ(sup.trazos[0].op, Op::Limpiar);
        EXPECT_EQ(sup.trazos[1].op, Op::Limpiar);
        EXPECT_EQ(sup.trazos.back(), trazo::Imagen(Dibujo::MarcaFin, 8500, 650));
    }
}

TEST_F(BancoEditor, BorrarElCentroDeLaRedNuevaDejaElFinEnDos) {
    ed.DiagramaInicial();
    Seleccionar(2);
    ed.EliminarSeleccion(1);
    EXPECT_EQ(red.Centros.Count(), 2);
    EXPECT_EQ(red.Centros(2).Nombre, "FIN");
    EXPECT_EQ(red.NodoFin, 2);
    EXPECT_EQ(red.Conexiones.Count(), 0);
    EXPECT_EQ(red.Centros(1).tamSE, -1);
    EXPECT_EQ(red.Centros(2).tamEE, -1);
    ExpectSana();
}

// The markers follow their node like every other position; a marker whose
// node is deleted returns to the start or end node.
struct Marcas {
    const char* nombre;
    int inicio, fin;  // before, on the network of the Borrado fixture
    int borrar;
    int inicioDespues, finDespues;
    friend void PrintTo(const Marcas& m, std::ostream* os) { *os << m.nombre; }
};

class Marcadores : public Borrado, public ::testing::WithParamInterface<Marcas> {};

TEST_P(Marcadores, SiguenSuNodo) {
    const Marcas& m = GetParam();
    red.NodoInicio = static_cast<std::int16_t>(m.inicio);
    red.NodoFin = static_cast<std::int16_t>(m.fin);
    red.CentroActual = static_cast<std::int16_t>(m.borrar);
    ed.EliminarSeleccion(1);
    EXPECT_EQ(red.NodoInicio, m.inicioDespues);
    EXPECT_EQ(red.NodoFin, m.finDespues);
    ExpectSana();
}

INSTANTIATE_TEST_SUITE_P(Casos, Marcadores,
                         ::testing::Values(Marcas{"EnSuSitio", 1, 3, 4, 1, 3},
                                           Marcas{"FinEnCentroPosterior", 1, 5, 4, 1, 4},
                                           Marcas{"FinEnCentroAnterior", 1, 2, 4, 1, 2},
                                           Marcas{"FinEnElBorrado", 1, 5, 5, 1, 3},
                                           Marcas{"InicioEnElBorrado", 4, 3, 4, 1, 3},
                                           Marcas{"InicioEnCentroPosterior", 5, 3, 2, 4, 2},
                                           Marcas{"AmbasEnElBorrado", 2, 2, 2, 1, 2}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(BancoEditor, MoverLlevaLasAnclasYRedibuja) {
    ed.DiagramaInicial();
    Seleccionar(2);
    sup.Olvidar();
    ed.MoverCentro(4200.5f, 3000);
    const CentroProductivo& c = red.Centros(2);
    EXPECT_EQ(std::vector<float>({c.x1, c.y1, c.x2, c.y2}),
              std::vector<float>({4200.5f, 3000, 5200.5f, 4000}));
    EXPECT_EQ(std::make_pair(red.Conexiones(1).x2, red.Conexiones(1).y2),
              std::make_pair(4040.5f, 3500.0f));
    EXPECT_EQ(std::make_pair(red.Conexiones(2).x1, red.Conexiones(2).y1),
              std::make_pair(5200.5f, 3500.0f));
    // The other ends stay put.
    EXPECT_EQ(std::make_pair(red.Conexiones(1).x1, red.Conexiones(1).y1),
              std::make_pair(1500.0f, 1500.0f));
    ASSERT_FALSE(sup.trazos.empty());
    EXPECT_EQ(sup.trazos[0].op, Op::Limpiar);

    // Start and end nodes keep their 700-unit height.
    red.CentroActual = 3;
    ed.MoverCentro(9000, 0);
    EXPECT_EQ(red.Centros(3).y2, 700);
    EXPECT_EQ(red.Conexiones(2).y2, 350);
    EXPECT_EQ(red.Conexiones(2).x2, 8840);
}

TEST_F(BancoEditor, DiagramaInicialDibujaYDejaElFinActual) {
    ed.DiagramaInicial();
    EXPECT_THAT(msj.vistos, IsEmpty());
    ASSERT_EQ(red.Centros.Count(), 3);
    EXPECT_EQ(red.Centros(1).Nombre, "INICIO");
    EXPECT_EQ(red.Centros(2).Nombre, "Sin nombre");
    EXPECT_EQ(red.Centros(3).Nombre, "FIN");
    EXPECT_EQ(red.Centros(3).Salida, 20);
    EXPECT_THAT(Pares(), ElementsAre(P{1, 2}, P{2, 3}));
    EXPECT_EQ(red.CentroActual, 3);
    EXPECT_EQ(red.NodoInicio, 1);
    EXPECT_EQ(red.NodoFin, 3);
    ExpectSana();
    // Each marker is painted as soon as its node is.
    const auto imagenes = sup.De(Op::Imagen);
    EXPECT_THAT(imagenes, ElementsAre(trazo::Imagen(Dibujo::MarcaInicio, 500, 650),
                                      trazo::Imagen(Dibujo::MarcaFin, 8500, 650),
                                      trazo::Imagen(Dibujo::Flecha, 3840, 1425, 150, 150),
                                      trazo::Imagen(Dibujo::Flecha, 8340, 1425, 150, 150)));
    EXPECT_EQ(sup.trazos[3], trazo::Imagen(Dibujo::MarcaInicio, 500, 650));
    EXPECT_EQ(sup.De(Op::Limpiar).size(), 0u);
}

}  // namespace
}  // namespace vortena::prueba
