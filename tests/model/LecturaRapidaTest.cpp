// The shortcuts that make a large file open fast must give exactly what the
// general paths give: numbers read as std::from_chars reads them, whole
// values converted as before, twin connections named as before.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "model/ErrorAritmetico.h"
#include "model/Invariantes.h"
#include "model/Numeros.h"

namespace vortena {
namespace {

double Referencia(const std::string& texto) {
    double v = 0;
    std::from_chars(texto.data(), texto.data() + texto.size(), v);
    return v;
}

TEST(LecturaRapida, IgualQueFromCharsEnTextosCortos) {
    std::mt19937_64 azar(20261207);
    for (int i = 0; i < 200000; ++i) {
        const int cifras = 1 + static_cast<int>(azar() % 15);
        std::string digitos;
        for (int k = 0; k < cifras; ++k) digitos += static_cast<char>('0' + azar() % 10);
        const int punto = static_cast<int>(azar() % (cifras + 1));
        std::string texto = digitos.substr(0, punto) + "." + digitos.substr(punto);
        if (punto == cifras) texto.pop_back();  // an integer
        const bool negativo = azar() % 2 == 0;
        const std::string conSigno = (negativo ? "-" : "") + texto;
        const double esperado = Referencia(texto) * (negativo ? -1 : 1);
        const auto leido = LeerNumeroArchivo(conSigno);
        ASSERT_TRUE(leido) << conSigno;
        ASSERT_EQ(*leido, esperado) << conSigno;
        std::string conComa = conSigno;
        if (const auto p = conComa.find('.'); p != std::string::npos) conComa[p] = ',';
        ASSERT_EQ(LeerNumeroArchivo(conComa), esperado) << conComa;
        ASSERT_EQ(LeerNumero(conComa, Regional::Espanol()), esperado) << conComa;
    }
}

TEST(LecturaRapida, CasosDeBorde) {
    EXPECT_EQ(LeerNumeroArchivo("1."), 1.0);
    EXPECT_EQ(LeerNumeroArchivo(".5"), 0.5);
    EXPECT_EQ(LeerNumeroArchivo(" 0,95 "), 0.95);
    const auto menosCero = LeerNumeroArchivo("-0");
    ASSERT_TRUE(menosCero);
    EXPECT_TRUE(std::signbit(*menosCero));
    // Beyond 15 digits the general path reads it, correctly rounded.
    EXPECT_EQ(LeerNumeroArchivo("1234567890123456789"), 1234567890123456789.0);
    EXPECT_EQ(LeerNumeroArchivo("0.1000000000000000055511151231257827"), 0.1);
    // Not numbers, whatever path looks at them.
    for (const char* t : {"", "-", ".", "1.2.3", "1,2.3", "12a", "--1", "1-"})
        EXPECT_EQ(LeerNumeroArchivo(t), std::nullopt) << t;
    // A group separator is never dropped silently: a grouped number is refused.
    EXPECT_EQ(LeerNumero("1.234,5", Regional::Espanol()), std::nullopt);
    EXPECT_EQ(LeerNumero("1,234.5", Regional::Ingles()), std::nullopt);
}

TEST(LecturaRapida, AEntero16ConValoresEnterosYNo) {
    EXPECT_EQ(AEntero16(-32768.0), -32768);
    EXPECT_EQ(AEntero16(32767.0), 32767);
    EXPECT_EQ(AEntero16(-0.0), 0);
    EXPECT_EQ(AEntero16(2.5), 2);
    EXPECT_EQ(AEntero16(-1.5), -2);
    EXPECT_THROW(AEntero16(32767.5), ErrorAritmetico);
    EXPECT_THROW(AEntero16(-32768.5 - 1), ErrorAritmetico);
    EXPECT_THROW(AEntero16(32768.0), ErrorAritmetico);
    EXPECT_THROW(AEntero16(NAN), ErrorAritmetico);
}

std::int16_t Nodo(Red& red, const std::string& nombre) {
    CentroProductivo& c = red.Centros.Agregar();
    if (nombre != "INICIO" && nombre != "FIN") c.predeterminado();
    c.Nombre = nombre;
    c.posicion = static_cast<std::int16_t>(red.Centros.Count());
    return c.posicion;
}

void Conectar(Red& red, std::int16_t desde, std::int16_t hasta) {
    linea& l = red.Conexiones.Agregar();
    l.posicion = static_cast<std::int16_t>(red.Conexiones.Count());
    l.CentroInicio = desde;
    l.CentroFin = hasta;
    red.Centros(desde).AgregarSalida(l.posicion);
    red.Centros(hasta).AgregarEntrada(l.posicion);
}

TEST(LecturaRapida, ConexionesGemelasNombraLaPrimeraEnOrden) {
    Red red;
    Nodo(red, "INICIO");
    Nodo(red, "A");
    Nodo(red, "B");
    Nodo(red, "FIN");
    Conectar(red, 1, 2);
    Conectar(red, 1, 3);
    Conectar(red, 3, 4);
    Conectar(red, 2, 4);
    EXPECT_EQ(ComprobarInvariantes(red), std::nullopt);
    // Two pairs doubled: the copy of 3 -> 4 (connection 5) comes before the
    // copy of 2 -> 4 (connection 6), and it is the one named.
    Conectar(red, 3, 4);
    Conectar(red, 2, 4);
    EXPECT_EQ(ComprobarInvariantes(red), "dos conexiones unen 3 → 4");
}

}  // namespace
}  // namespace vortena
