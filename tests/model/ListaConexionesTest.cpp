// The list protocol through which every walk reads a node's connections.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "model/CentroProductivo.h"
#include "model/ErrorAritmetico.h"

namespace vortena {
namespace {

// Reads a list back through the protocol, from 0 to the tam read first.
std::vector<double> Salidas(CentroProductivo& c) {
    std::vector<double> v;
    const int tam = c.tamSE;
    for (int i = 0; i <= tam; ++i) {
        c.indice = static_cast<std::int16_t>(i);
        c.FExtraer();
        v.push_back(c.valor);
    }
    return v;
}
std::vector<double> Entradas(CentroProductivo& c) {
    std::vector<double> v;
    const int tam = c.tamEE;
    for (int i = 0; i <= tam; ++i) {
        c.indice = static_cast<std::int16_t>(i);
        c.IExtraer();
        v.push_back(c.valor);
    }
    return v;
}

TEST(ListaConexiones, VaciaNoVisitaNada) {
    CentroProductivo c;
    EXPECT_EQ(c.tamEE, -1);
    EXPECT_EQ(c.tamSE, -1);
    EXPECT_TRUE(Salidas(c).empty());
    EXPECT_TRUE(Entradas(c).empty());
}

TEST(ListaConexiones, AgregarYLeerPorElProtocolo) {
    CentroProductivo c;
    // Appending by hand, exactly as the editor and the reader do.
    for (std::int16_t p : {4, 9, 2}) {
        c.tamSE = static_cast<std::int16_t>(c.tamSE + 1);
        c.indice = c.tamSE;
        c.valor = p;
        c.dimNFin(c.tamSE);
        c.FInsertar();
    }
    c.AgregarEntrada(7);
    c.AgregarEntrada(1);
    EXPECT_EQ(Salidas(c), (std::vector<double>{4, 9, 2}));
    EXPECT_EQ(Entradas(c), (std::vector<double>{7, 1}));
    EXPECT_EQ(c.SalidaLista(1), 9);
    EXPECT_EQ(c.Entrada(1), 1);
    // The two lists are separate.
    EXPECT_EQ(c.tamSE, 2);
    EXPECT_EQ(c.tamEE, 1);
}

TEST(ListaConexiones, RedimensionarConservaLoQueCabe) {
    CentroProductivo c;
    c.AgregarSalida(5);
    c.AgregarSalida(6);
    c.dimNFin(4);
    EXPECT_EQ(c.ListaSalidas(), (std::vector<std::int16_t>{5, 6, 0, 0, 0}));
    c.dimNFin(0);
    EXPECT_EQ(c.ListaSalidas(), (std::vector<std::int16_t>{5}));
    c.dimNFin(-1);
    EXPECT_TRUE(c.ListaSalidas().empty());
}

struct CasoValor {
    double valor;
    std::int16_t guardado;
};
class InsertarRedondea : public ::testing::TestWithParam<CasoValor> {};

TEST_P(InsertarRedondea, MitadAlPar) {
    CentroProductivo c;
    c.dimNInicio(0);
    c.indice = 0;
    c.valor = GetParam().valor;
    c.IInsertar();
    EXPECT_EQ(c.Entrada(0), GetParam().guardado);
}

INSTANTIATE_TEST_SUITE_P(ListaConexiones, InsertarRedondea,
                         ::testing::Values(CasoValor{2.5, 2}, CasoValor{3.5, 4}, CasoValor{3.4, 3},
                                           CasoValor{32767, 32767}));

TEST(ListaConexiones, ValoresEIndicesInvalidosNoTocanLaLista) {
    CentroProductivo c;
    c.AgregarSalida(8);
    c.indice = 0;
    c.valor = 40000;
    EXPECT_THROW(c.FInsertar(), ErrorAritmetico);
    EXPECT_EQ(c.SalidaLista(0), 8);
    c.valor = 1;
    for (std::int16_t i : {-1, 1}) {
        c.indice = i;
        EXPECT_THROW(c.FInsertar(), std::out_of_range) << i;
        EXPECT_THROW(c.FExtraer(), std::out_of_range) << i;
        EXPECT_THROW(c.IExtraer(), std::out_of_range) << i;
    }
    EXPECT_EQ(c.ListaSalidas(), (std::vector<std::int16_t>{8}));
}

}  // namespace
}  // namespace vortena
