// The store checks: a sound network passes, and each kind of damage is found.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/Invariantes.h"

namespace vortena {
namespace {

std::int16_t Nodo(Red& red, const std::string& nombre) {
    CentroProductivo& c = red.Centros.Agregar();
    if (nombre != "INICIO" && nombre != "FIN") c.predeterminado();
    c.Nombre = nombre;
    c.posicion = static_cast<std::int16_t>(red.Centros.Count());
    return c.posicion;
}

std::int16_t Conectar(Red& red, std::int16_t desde, std::int16_t hasta) {
    linea& l = red.Conexiones.Agregar();
    l.posicion = static_cast<std::int16_t>(red.Conexiones.Count());
    l.CentroInicio = desde;
    l.CentroFin = hasta;
    red.Centros(desde).AgregarSalida(l.posicion);
    red.Centros(hasta).AgregarEntrada(l.posicion);
    return l.posicion;
}

// INICIO(1) -> A(2) -> FIN(3), INICIO -> B(4) -> FIN, A -> B.
void Diamante(Red& red) {
    Nodo(red, "INICIO");
    Nodo(red, "A");
    Nodo(red, "FIN");
    Nodo(red, "B");
    Conectar(red, 1, 2);
    Conectar(red, 2, 3);
    Conectar(red, 1, 4);
    Conectar(red, 4, 3);
    Conectar(red, 2, 4);
    red.NodoInicio = 1;
    red.NodoFin = 3;
}

TEST(Invariantes, RedSanaNoDaError) {
    Red red;
    Diamante(red);
    EXPECT_EQ(ComprobarInvariantes(red), std::nullopt);
    EXPECT_EQ(ComprobarNodosExtremos(red), std::nullopt);
}

TEST(Invariantes, NodoSinConexiones) {
    Red red;
    Diamante(red);
    Nodo(red, "suelto");
    EXPECT_EQ(ComprobarInvariantes(red), std::nullopt);
}

struct Dano {
    const char* nombre;
    std::function<void(Red&)> hacer;
};
class DanoEstructural : public ::testing::TestWithParam<Dano> {};

TEST_P(DanoEstructural, SeDetecta) {
    Red red;
    Diamante(red);
    GetParam().hacer(red);
    EXPECT_NE(ComprobarInvariantes(red), std::nullopt);
}

void PonerSalida(CentroProductivo& c, int i, int conexion) {
    c.indice = static_cast<std::int16_t>(i);
    c.valor = conexion;
    c.FInsertar();
}

INSTANTIATE_TEST_SUITE_P(
    Invariantes, DanoEstructural,
    ::testing::Values(Dano{"posicion_de_nodo", [](Red& r) { r.Centros(2).posicion = 3; }},
                      Dano{"posicion_de_conexion", [](Red& r) { r.Conexiones(5).posicion = 1; }},
                      Dano{"destino_inexistente", [](Red& r) { r.Conexiones(4).CentroFin = 9; }},
                      Dano{"origen_cero", [](Red& r) { r.Conexiones(1).CentroInicio = 0; }},
                      // Connection 5 (A -> B) said to start at INICIO: the lists disagree.
                      Dano{"origen_cambiado", [](Red& r) { r.Conexiones(5).CentroInicio = 1; }},
                      Dano{"falta_en_salidas",
                           [](Red& r) {
                               r.Centros(2).tamSE =
                                   static_cast<std::int16_t>(r.Centros(2).tamSE - 1);
                           }},
                      Dano{"falta_en_entradas", [](Red& r) { r.Centros(3).tamEE = 0; }},
                      Dano{"repetida_en_salidas", [](Red& r) { PonerSalida(r.Centros(2), 1, 2); }},
                      Dano{"salida_ajena", [](Red& r) { r.Centros(4).AgregarSalida(1); }},
                      Dano{"salida_inexistente", [](Red& r) { r.Centros(4).AgregarSalida(6); }},
                      Dano{"tam_mas_alla_de_la_lista", [](Red& r) { r.Centros(4).tamSE = 5; }},
                      Dano{"tam_negativo", [](Red& r) { r.Centros(4).tamEE = -2; }},
                      Dano{"par_repetido", [](Red& r) { Conectar(r, 2, 3); }},
                      Dano{"ciclo", [](Red& r) { Conectar(r, 4, 2); }},
                      Dano{"bucle", [](Red& r) { Conectar(r, 4, 4); }},
                      Dano{"nodo_inicio_invalido", [](Red& r) { r.NodoInicio = 0; }},
                      Dano{"nodo_fin_invalido", [](Red& r) { r.NodoFin = 5; }}),
    [](const auto& info) { return std::string(info.param.nombre); });

class DanoDeNombres : public ::testing::TestWithParam<Dano> {};

TEST_P(DanoDeNombres, SeDetecta) {
    Red red;
    Diamante(red);
    GetParam().hacer(red);
    EXPECT_NE(ComprobarNodosExtremos(red), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Invariantes, DanoDeNombres,
    ::testing::Values(Dano{"dos_fin", [](Red& r) { r.Centros(4).Nombre = "FIN"; }},
                      Dano{"sin_inicio", [](Red& r) { r.Centros(1).Nombre = "X"; }},
                      Dano{"inicio_fuera_del_primer_lugar",
                           [](Red& r) {
                               r.Centros(1).Nombre = "X";
                               r.Centros(2).Nombre = "INICIO";
                           }},
                      Dano{"sale_de_fin", [](Red& r) { Conectar(r, 3, 4); }},
                      Dano{"entra_en_inicio", [](Red& r) { Conectar(r, 2, 1); }}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace vortena
