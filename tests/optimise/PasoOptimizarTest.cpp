// The batch step "optimizar": its output lines, its defaults, its usage
// errors, and the network it leaves for the steps after it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Calc.h"

namespace vortena {
namespace {

const std::string kCadena = std::string(VORTENA_SOURCE_DIR) + "/examples/cadena.vtq";

struct Salida {
    int estado;
    std::vector<std::string> lineas;
    std::string errores;
};

Salida Calc(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal", ","});
    std::ostringstream out, err;
    const int estado = calc::EjecutarCalc(args, "C", out, err);
    Salida s{estado, {}, err.str()};
    std::istringstream in(out.str());
    for (std::string l; std::getline(in, l);) s.lineas.push_back(l);
    return s;
}

std::vector<std::string> Campos(const std::string& linea) {
    std::vector<std::string> c;
    std::istringstream in(linea);
    for (std::string f; std::getline(in, f, '\t');) c.push_back(f);
    return c;
}

TEST(PasoOptimizar, ResultLineThenOneLinePerGeneCentre) {
    const Salida s = Calc({kCadena, "optimizar", "--iteraciones", "10"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores, "");
    ASSERT_EQ(s.lineas.size(), 5u);
    EXPECT_EQ(s.lineas[0].rfind(" Costo: ", 0), 0u);
    EXPECT_NE(s.lineas[0].find(" Tiempo: "), std::string::npos);
    const std::vector<std::string> nombres = {"Corte", "Soldadura", "Pintura", "Embalaje"};
    for (std::size_t k = 0; k < nombres.size(); ++k) {
        const auto c = Campos(s.lineas[k + 1]);
        ASSERT_EQ(c.size(), 3u) << s.lineas[k + 1];
        EXPECT_EQ(c[0], std::to_string(k + 2));
        EXPECT_EQ(c[1], nombres[k]);
        EXPECT_GE(std::stoi(c[2]), 1);
    }
}

TEST(PasoOptimizar, SameOutputOnEveryRunAndDefaultsAsTheDialog) {
    const Salida a = Calc({kCadena, "optimizar"});
    const Salida b = Calc({kCadena, "optimizar", "--habitantes", "5", "--delta=2", "--diversidad",
                           "74", "--iteraciones", "100"});
    ASSERT_EQ(a.estado, 0) << a.errores;
    EXPECT_EQ(a.lineas, b.lineas);
    EXPECT_NE(a.lineas, Calc({kCadena, "optimizar", "--delta", "5"}).lineas);
}

// The steps after it see the best candidate's counts.
TEST(PasoOptimizar, NetworkKeepsTheReportedCounts) {
    const Salida s = Calc({kCadena, "optimizar", "--iteraciones", "10", "medidas"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    ASSERT_GE(s.lineas.size(), 5u + 7u);
    const auto cabecera = Campos(s.lineas[5]);
    ASSERT_EQ(cabecera[4], "Servidores");
    for (std::size_t k = 1; k <= 4; ++k) {
        const auto gen = Campos(s.lineas[k]);
        const auto medida = Campos(s.lineas[5 + 1 + std::stoul(gen[0]) - 1]);
        EXPECT_EQ(medida[1], gen[1]);
        EXPECT_EQ(medida[4], gen[2]);
    }
}

TEST(PasoOptimizar, DesiredTimeTooSmallIsToldAndPrintsNothing) {
    const Salida s = Calc({kCadena, "optimizar", "--deseado", "0,001"});
    // Told on standard error, and the exit code says so.
    EXPECT_EQ(s.estado, 1);
    EXPECT_TRUE(s.lineas.empty());
    EXPECT_NE(s.errores.find("Error de Carga: El valor es demasiado pequeño"), std::string::npos);
}

TEST(PasoOptimizar, UsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> casos = {
        {{"--habitantes", "4"}, "--habitantes espera un entero de 5 a 50"},
        {{"--habitantes", "5,5"}, "--habitantes espera un entero de 5 a 50"},
        {{"--habitantes", "5.5"},
         "--habitantes espera un entero de 5 a 50; use la coma decimal: 1,5"},
        {{"--delta", "9"}, "--delta espera un entero de 1 a 8"},
        {{"--diversidad", "0"}, "--diversidad espera un entero de 1 a 100"},
        {{"--iteraciones", "0"},
         "--iteraciones espera un número mayor que 0 y no mayor que 1000000"},
        {{"--iteraciones", "x"},
         "--iteraciones espera un número mayor que 0 y no mayor que 1000000"},
        {{"--deseado", "pronto"}, "--deseado espera un número mayor que 0"},
        {{"--delta"}, "falta el valor de --delta"},
        {{"--delta", "2", "--delta", "3"}, "--delta repetida"},
        {{"--semilla", "3"}, "opción desconocida --semilla de optimizar"},
    };
    for (const auto& [opciones, motivo] : casos) {
        std::vector<std::string> args = {kCadena, "optimizar"};
        args.insert(args.end(), opciones.begin(), opciones.end());
        const Salida s = Calc(args);
        EXPECT_EQ(s.estado, 2) << motivo;
        EXPECT_EQ(s.errores.rfind("vortena-calc: " + motivo + "\n", 0), 0u) << s.errores;
        EXPECT_TRUE(s.lineas.empty());
    }
    EXPECT_EQ(Calc({kCadena, "optimizar=3"}).estado, 2);
}

}  // namespace
}  // namespace vortena
