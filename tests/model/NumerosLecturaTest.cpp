#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "NumerosRegion.h"
#include "model/ErrorAritmetico.h"
#include "model/Numeros.h"

namespace vortena::prueba {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class Lectura : public PorRegion {};

struct CasoLectura {
    const char* texto;  // Spanish separators
    double esperado;
};

TEST_P(Lectura, LeerNumeroAceptaElFormatoRegional) {
    const Regional reg = GetParam();
    const CasoLectura casos[] = {
        {"2", 2},
        {" 2,5 ", 2.5},
        {"\t7\t", 7},
        {"-2,5", -2.5},
        {"+3", 3},
        {",5", 0.5},
        {"5,", 5},
        {"00012", 12},
        {"1,5E-05", 1.5e-5},
        {"1e3", 1000},
        {"1E+15", 1e15},
        {"-1,5e+2", -150},
        {"1E-400", 0},  // underflow reads as zero
        {"0E99999", 0},
        {"12,50000000000000000000000000000000000000000000000000000000000000000001", 12.5},
    };
    for (const auto& c : casos) {
        const std::string texto = EnRegion(c.texto, reg);
        EXPECT_EQ(LeerNumero(texto, reg), std::optional<double>(c.esperado)) << texto;
    }
}

TEST_P(Lectura, LeerNumeroRechazaLoQueNoEsNumero) {
    const Regional reg = GetParam();
    const char* textos[] = {
        "",
        "   ",
        "-",
        "+",
        ",",
        "-,",
        "abc",
        "12abc",
        "1,2,3",
        "1,2.3",
        ".5",
        "1.",
        "1..5",
        "1 5",
        "1E",
        "1E+",
        "E5",
        "1,5E",
        "--1",
        "+-1",
        "1E400",
        "-1E400",
        "Inf",
        "NaN",
        "0x10",
        "1e5,5",
        "1,5 x",
        "2-",
        "1.,5",
        // The group separator is never skipped: "1.5" is not 15.
        "1.5",
        "1.234,5",
        "1.234.567",
        "1.5e5",
        "1 000",
    };
    for (const char* t : textos) {
        const std::string texto = EnRegion(t, reg);
        EXPECT_EQ(LeerNumero(texto, reg), std::nullopt) << '"' << texto << '"';
    }
}

// The refusal names the expected form, never the other separator's value.
TEST_P(Lectura, MotivoNoNumeroNombraLaFormaEsperada) {
    const Regional reg = GetParam();
    const std::string uso =
        reg.decimal == ',' ? "Use la coma decimal: 1,5" : "Use el punto decimal: 1.5";
    for (const char* t : {"1.5", "0.05", "1.5e5", "1.234,5", "-2.5", ".5"})
        EXPECT_EQ(MotivoNoNumero(EnRegion(t, reg), reg), uso) << t;
    EXPECT_EQ(MotivoNoNumero(EnRegion("1,5e5", reg), reg), "");
    EXPECT_EQ(MotivoNoNumero("  ", reg), "Escriba un número.");
    EXPECT_EQ(MotivoNoNumero("1E400", reg), "«1E400» está fuera del rango de los números.");
    EXPECT_EQ(MotivoNoNumero(" abc ", reg),
              EnRegion("«abc» no es un número; escriba por ejemplo 1,5 o 2,5E-3", reg) + ".");
}

TEST_P(Lectura, LeerAdmisibleCompruebaElRangoYSuDescripcion) {
    const Regional reg = GetParam();
    const Admisible replicas = Admisible::Entero(2, 1000);
    const Admisible tiempo = Admisible::Positivo();
    const Admisible fraccion{0, 1, true, true, false, 1};
    const Admisible poblacion{8, 10000, false, false, true, 4};
    EXPECT_EQ(LeerAdmisible(EnRegion("1,5e2", reg), replicas, reg).valor, 150);
    EXPECT_EQ(LeerAdmisible(EnRegion("0,05", reg), fraccion, reg).valor, 0.05);
    EXPECT_EQ(LeerAdmisible("12", poblacion, reg).valor, 12);
    const struct {
        const char* texto;
        const Admisible& admite;
        const char* motivo;
    } refusados[] = {
        {"1,5", replicas, "Debe ser un entero de 2 a 1000."},
        {"1001", replicas, "Debe ser un entero de 2 a 1000."},
        {"-1", tiempo, "Debe ser un número mayor que 0."},
        {"0", tiempo, "Debe ser un número mayor que 0."},
        {"1", fraccion, "Debe ser un número mayor que 0 y menor que 1."},
        {"10", poblacion, "Debe ser un múltiplo de 4 de 8 a 10000."},
    };
    for (const auto& r : refusados) {
        const vortena::Lectura l = LeerAdmisible(EnRegion(r.texto, reg), r.admite, reg);
        EXPECT_EQ(l.valor, std::nullopt) << r.texto;
        // The sentence's own full stop is no decimal separator.
        const std::string motivo(r.motivo);
        EXPECT_EQ(l.motivo, EnRegion(motivo.substr(0, motivo.size() - 1), reg) + ".") << r.texto;
    }
    EXPECT_EQ(LeerAdmisible(EnRegion("0.05", reg), fraccion, reg).motivo,
              MotivoNoNumero(EnRegion("0.05", reg), reg));
    EXPECT_EQ(Admisible{}.Describir(reg), "un número");
    EXPECT_EQ((Admisible{0, 5, false, true, false, 1}.Describir(reg)),
              "un número no menor que 0 y menor que 5");
}

TEST(LeerNumeroArchivo, AceptaComaOPuntoSinAgrupar) {
    const CasoLectura validos[] = {
        {"0,5", 0.5}, {"0.5", 0.5},        {" 2 ", 2},          {"-3", -3},
        {"7\r", 7},   {"1,5E-05", 1.5e-5}, {"1.5e-05", 1.5e-5}, {"1440", 1440},
    };
    for (const auto& c : validos)
        EXPECT_EQ(LeerNumeroArchivo(c.texto), std::optional<double>(c.esperado)) << c.texto;

    const char* invalidos[] = {"1.234,5", "1,234.5", "1.2.3", "1,2,3", "", "x", "1E400", "1 000"};
    for (const char* t : invalidos) EXPECT_EQ(LeerNumeroArchivo(t), std::nullopt) << t;
}

TEST(Val, LeeElPrefijoNumerico) {
    const CasoLectura casos[] = {
        {"", 0},         {"abc", 0},        {"-", 0},      {".", 0},      {"12abc", 12},
        {"3.7.1", 3.7},  {",5", 0},         {"1,5", 1},    {"  -2", -2},  {"\t8", 8},
        {"+4", 4},       {".5", 0.5},       {"-.5", -0.5}, {"1E3", 1000}, {"1e-2x", 0.01},
        {"1E", 1},       {"2E+", 2},        {"5 6", 5},    {"12|34", 12}, {"e5", 0},
        {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0},
    };
    for (const auto& c : casos) EXPECT_EQ(Val(c.texto), c.esperado) << '"' << c.texto << '"';
}

TEST(AEntero16, RedondeaAlParYRechazaLoQueNoCabe) {
    const struct {
        double valor;
        std::int16_t esperado;
    } casos[] = {
        {2.5, 2},         {3.5, 4},           {-2.5, -2},
        {-3.5, -4},       {0.5, 0},           {1.5, 2},
        {2.4999999, 2},   {2.5000001, 3},     {-0.4, 0},
        {32767, 32767},   {32767.49, 32767},  {32766.5, 32766},
        {-32768, -32768}, {-32768.5, -32768}, {0.49999999999999994, 0},
    };
    for (const auto& c : casos) EXPECT_EQ(AEntero16(c.valor), c.esperado) << c.valor;

    const double fuera[] = {32767.5, 32768, -32768.5001, -32769, 1e300, std::nan(""), kInf, -kInf};
    for (double v : fuera) EXPECT_THROW(AEntero16(v), ErrorAritmetico) << v;
}

TEST(RedondearPar, EmpatesAlParSinDesbordar) {
    const struct {
        double valor;
        double esperado;
    } casos[] = {
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {2.5, 2},
        {0.49999999999999994, 0},
        {4503599627370495.5, 4503599627370496.0},
        {4503599627370497.0, 4503599627370497.0},
        {1e300, 1e300},
        {-7.2, -7},
    };
    for (const auto& c : casos) EXPECT_EQ(RedondearPar(c.valor), c.esperado) << c.valor;
    EXPECT_TRUE(std::isnan(RedondearPar(std::nan(""))));
    EXPECT_EQ(RedondearPar(kInf), kInf);
}

TEST(Regional, DesdeNombreLocale) {
    const struct {
        const char* nombre;
        char decimal;
    } casos[] = {
        {"es_AR.UTF-8", ','}, {"de_DE", ','},   {"fr", ','},     {"it_IT", ','},
        {"pt_BR", ','},       {"es", ','},      {"ES_es", ','},  {"es-AR", ','},
        {"de_AT@euro", ','},  {"C", '.'},       {"POSIX", '.'},  {"", '.'},
        {"en_US", '.'},       {"C.UTF-8", '.'}, {"est_EE", '.'}, {"e", '.'},
        {"ja_JP.UTF-8", '.'},
    };
    for (const auto& c : casos) {
        const Regional r = Regional::DesdeNombreLocale(c.nombre);
        EXPECT_EQ(r.decimal, c.decimal) << c.nombre;
        EXPECT_EQ(r.grupo, c.decimal == ',' ? '.' : ',') << c.nombre;
    }
}

// A value shown in an entry box reads back under the same setting.
TEST_P(Lectura, LoMostradoSeReleeEnLaMismaRegion) {
    const Regional reg = GetParam();
    const double valores[] = {0, 1, 2.5, 1.0 / 3, 123456.789, -0.00004, 1e20, 20};
    for (double v : valores) {
        const std::string texto = Formato(v, "#0.0####", reg);
        const std::optional<double> leido = LeerNumero(texto, reg);
        ASSERT_TRUE(leido.has_value()) << texto;
        EXPECT_NEAR(*leido, v, 5e-6 * std::max(1.0, std::fabs(v))) << texto;
    }
}

INSTANTIATE_TEST_SUITE_P(Regiones, Lectura,
                         ::testing::Values(Regional::Espanol(), Regional::Ingles()), NombreRegion);

}  // namespace
}  // namespace vortena::prueba
