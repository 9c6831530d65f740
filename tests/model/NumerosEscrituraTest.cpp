#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "NumerosRegion.h"
#include "model/Numeros.h"

namespace vortena::prueba {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class Escritura : public PorRegion {};

struct CasoFormato {
    double valor;
    const char* patron;
    const char* esperado;  // Spanish separators
};

// Roundings that differ between the binary value and its decimal reading,
// minimum digits, carries and the sign of values that round to zero.
const CasoFormato kFormatos[] = {
    {2.675, "0.00", "2,68"},
    {0.125, "0.00", "0,13"},
    {1.005, "0.00", "1,01"},
    {1.45, "0.0", "1,5"},
    {1.23455, "#0.0###", "1,2346"},
    {12.345, "$ #0.00", "$ 12,35"},
    {-12.345, "$ #0.00", "-$ 12,35"},
    {4, "$ #0.00", "$ 4,00"},
    {0.5, "#0", "1"},
    {1.5, "#0", "2"},
    {2.5, "#0", "3"},
    {-2.5, "#0", "-3"},
    {-0.5, "#0", "-1"},
    {0.3, "#0", "0"},
    {-0.3, "#0", "0"},
    {5, "0#", "05"},
    {0, "0#", "00"},
    {12, "0#", "12"},
    {3, "#0.##", "3"},
    {3.5, "#0.##", "3,5"},
    {3.004, "#0.##", "3"},
    {1, "#0.00##", "1,00"},
    {2.5, "#0.00##", "2,50"},
    {1.0 / 3, "#0.00##", "0,3333"},
    {2.0 / 3, "#0.00##", "0,6667"},
    {1e-16, "#0.0000", "0,0000"},
    {-1e-16, "#0.0000", "0,0000"},
    {-0.00004, "#0.0000", "0,0000"},
    {-0.00005, "#0.0000", "-0,0001"},
    {0.0, "#0.00", "0,00"},
    {-0.0, "#0.00", "0,00"},
    {123456.7, "0.0", "123456,7"},
    {99.96, "0.0", "100,0"},
    {9.995, "#0.00", "10,00"},
    {0.9999999999999994, "0.00", "1,00"},
    {1e20, "#0.00", "100000000000000000000,00"},
    {12345678.9, "#0.0000", "12345678,9000"},
    {1e15 + 0.25, "#0.0", "1000000000000000,0"},
    {0.05, "0.0#", "0,05"},
    {0.1, "0.0#", "0,1"},
    {20, "0.0#", "20,0"},
    {0.00001, "0.00000", "0,00001"},
    {0.000005, "0.00000", "0,00001"},
    {0.000004999, "0.00000", "0,00000"},
    {1.23456789, "#0.0####", "1,23457"},
    {1.2345, "#0.0###", "1,2345"},
    {7, "0.0##", "7,0"},
    {0.1234, "0.0##", "0,123"},
    {0.12351, "#0.0##", "0,124"},
    {0.33333, "#0.####", "0,3333"},
    {5e-324, "#0.0000", "0,0000"},
    {1e-300, "#0.00", "0,00"},
    {0.049, "0.0", "0,0"},
    {0.05, "0.0", "0,1"},
};

TEST_P(Escritura, FormatoRedondeaComoSeLeeEnDecimal) {
    const Regional reg = GetParam();
    for (const auto& c : kFormatos) {
        EXPECT_EQ(Formato(c.valor, c.patron, reg), EnRegion(c.esperado, reg))
            << c.valor << " con \"" << c.patron << "\"";
    }
}

TEST_P(Escritura, FormatoDeValoresEspeciales) {
    const Regional reg = GetParam();
    struct Caso {
        double valor;
        const char* patron;
        const char* esperado;
    };
    const Caso casos[] = {
        {std::nan(""), "#0.00", "NaN"},      {kInf, "#0.00", "Inf"},
        {-kInf, "$ #0.00", "-Inf"},          {2.5, "", "2,5"},  // empty pattern: general text
        {2.5, "sin dígitos", "sin dígitos"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Formato(c.valor, c.patron, reg), EnRegion(c.esperado, reg)) << c.esperado;

    const std::string enorme = Formato(-1e300, "#0.00", reg);
    ASSERT_EQ(enorme.size(), 1 + 301 + 3u);
    EXPECT_EQ(enorme.substr(0, 2), "-1");
    EXPECT_EQ(enorme.find_first_not_of('0', 2), 302u);
    EXPECT_EQ(enorme.substr(302), EnRegion(",00", reg));
}

struct CasoTexto {
    double valor;
    const char* esperado;  // Spanish separators
};

// Shortest forms, 15-digit rounding and both exponent thresholds (decimal
// exponent 15 and -5 of the rounded value).
const CasoTexto kGenerales[] = {
    {0, "0"},
    {-0.0, "0"},
    {2, "2"},
    {-2, "-2"},
    {100, "100"},
    {12.5, "12,5"},
    {0.5, "0,5"},
    {0.1 + 0.2, "0,3"},
    {1.0 / 3, "0,333333333333333"},
    {2.0 / 3, "0,666666666666667"},
    {-2.0 / 3, "-0,666666666666667"},
    {1e14, "100000000000000"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.4, "999999999999999"},
    {999999999999999.6, "1E+15"},
    {1e15, "1E+15"},
    {1.5e15, "1,5E+15"},
    {123456789012345678.0, "1,23456789012346E+17"},
    {0.0001, "0,0001"},
    {0.000123, "0,000123"},
    {0.00009999999999999999, "0,0001"},
    {0.00001, "1E-05"},
    {1.5e-5, "1,5E-05"},
    {-1.5e-5, "-1,5E-05"},
    {1e100, "1E+100"},
    {1e-100, "1E-100"},
    {5e-324, "4,94065645841247E-324"},
    {1.7976931348623157e308, "1,79769313486232E+308"},
    {std::nan(""), "NaN"},
    {kInf, "Inf"},
    {-kInf, "-Inf"},
};

TEST_P(Escritura, TextoGeneralMasCorto) {
    const Regional reg = GetParam();
    for (const auto& c : kGenerales)
        EXPECT_EQ(TextoGeneral(c.valor, reg), EnRegion(c.esperado, reg)) << c.esperado;
}

TEST_P(Escritura, TextoGeneralSimpleConSieteDigitos) {
    const Regional reg = GetParam();
    struct Caso {
        float valor;
        const char* esperado;
    };
    const Caso casos[] = {
        {0.0f, "0"},
        {0.1f, "0,1"},
        {-3.25f, "-3,25"},
        {1.0f / 3, "0,3333333"},
        {1234.5f, "1234,5"},
        {1440.0f, "1440"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {12345678.0f, "1,234568E+07"},
        {16777217.0f, "1,677722E+07"},
        {0.0001f, "0,0001"},
        {1e-5f, "1E-05"},
        {3.4028235e38f, "3,402823E+38"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoGeneralSimple(c.valor, reg), EnRegion(c.esperado, reg)) << c.esperado;
}

TEST_P(Escritura, TextoConSignoDejaBlancoAnteNoNegativos) {
    const Regional reg = GetParam();
    const CasoTexto casos[] = {
        {2, " 2"}, {-2, "-2"}, {0, " 0"}, {-0.0, " 0"}, {0.5, " 0,5"}, {-1.5e-5, "-1,5E-05"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoConSigno(c.valor, reg), EnRegion(c.esperado, reg)) << c.esperado;
}

// What the file writer writes, the reader reads back as the value rounded to
// 15 (7) significant digits, under either setting. The reference rounding
// goes through the C library, not through the module.
TEST_P(Escritura, TextoGeneralSeReleeComoElValorRedondeado) {
    const Regional reg = GetParam();
    std::mt19937_64 azar(20240611);
    std::uniform_real_distribution<double> mantisa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponente(-320, 300);
    char buf[64];
    for (int i = 0; i < 4000; ++i) {
        const double x = mantisa(azar) * std::pow(10.0, exponente(azar));
        std::snprintf(buf, sizeof buf, "%.14e", x);
        const double esperado = std::strtod(buf, nullptr);
        const std::string texto = TextoGeneral(x, reg);
        ASSERT_EQ(LeerNumero(texto, reg), esperado) << texto;
        ASSERT_EQ(LeerNumeroArchivo(texto), esperado) << texto;

        const float f = static_cast<float>(mantisa(azar) * std::pow(10.0, exponente(azar) % 38));
        std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(f));
        const std::string simple = TextoGeneralSimple(f, reg);
        ASSERT_EQ(LeerNumeroArchivo(simple), std::strtod(buf, nullptr)) << simple;
    }
}

INSTANTIATE_TEST_SUITE_P(Regiones, Escritura,
                         ::testing::Values(Regional::Espanol(), Regional::Ingles()), NombreRegion);

}  // namespace
}  // namespace vortena::prueba
