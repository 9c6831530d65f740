// The batch step "pareto": its lines and number format, the switch to
// NSGA-II, its determinism and its usage errors.

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
    std::string texto;
};

Salida Calc(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal", ","});
    std::ostringstream out, err;
    const int estado = calc::EjecutarCalc(args, "C", out, err);
    Salida s{estado, {}, err.str(), out.str()};
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

TEST(PasoPareto, ExactFrontWithHeaderAndPointsByCost) {
    const Salida s = Calc({kCadena, "pareto", "--extra", "4"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores, "");
    ASSERT_GE(s.lineas.size(), 5u);
    EXPECT_EQ(s.lineas[0], "metodo\texacto");
    const auto hv = Campos(s.lineas[1]);
    ASSERT_EQ(hv.size(), 2u);
    EXPECT_EQ(hv[0], "hipervolumen");
    EXPECT_GT(std::stod(hv[1]), 0);
    EXPECT_EQ(s.lineas[2], "costo\ttiempo\tCorte\tSoldadura\tPintura\tEmbalaje");
    double costo = -1, tiempo = 1e300;
    for (std::size_t i = 3; i < s.lineas.size(); ++i) {
        const auto c = Campos(s.lineas[i]);
        ASSERT_EQ(c.size(), 6u) << s.lineas[i];
        // "." whatever the regional settings, and enough digits to read back.
        EXPECT_EQ(c[0].find(','), std::string::npos);
        const double ci = std::stod(c[0]), ti = std::stod(c[1]);
        EXPECT_GT(ci, costo);
        EXPECT_LT(ti, tiempo);
        costo = ci;
        tiempo = ti;
        for (std::size_t k = 2; k < 6; ++k) EXPECT_GE(std::stoi(c[k]), 1);
    }
}

TEST(PasoPareto, ManyCombinationsGoToNsga2AndRepeatWithTheSeed) {
    // 41^4 combinations: beyond the exact limit.
    const std::vector<std::string> base = {kCadena,       "pareto", "--extra",        "40",
                                           "--poblacion", "16",     "--generaciones", "10"};
    auto con = [&](std::vector<std::string> mas) {
        auto a = base;
        a.insert(a.end(), mas.begin(), mas.end());
        return Calc(a);
    };
    const Salida a = con({"--hilos", "1"});
    const Salida b = con({"--hilos", "3"});
    ASSERT_EQ(a.estado, 0) << a.errores;
    EXPECT_EQ(a.lineas[0], "metodo\taproximado");
    EXPECT_EQ(a.texto, b.texto);
    EXPECT_NE(a.texto, con({"--semilla", "9"}).texto);
}

TEST(PasoPareto, BadOptionsNameTheOptionExitTwoAndPrintNothing) {
    for (const std::vector<std::string>& opciones : {std::vector<std::string>{"--extra", "101"},
                                                     {"--extra", "x"},
                                                     {"--poblacion", "10"},
                                                     {"--generaciones", "0"},
                                                     {"--semilla", "-1"},
                                                     {"--hilos", "0"},
                                                     {"--rapido", "1"},
                                                     {"--extra", "2", "--extra", "3"}}) {
        std::vector<std::string> args = {kCadena, "pareto"};
        args.insert(args.end(), opciones.begin(), opciones.end());
        const Salida s = Calc(args);
        EXPECT_EQ(s.estado, 2) << opciones[0];
        EXPECT_EQ(s.texto, "") << opciones[0];
        const std::string primera = s.errores.substr(0, s.errores.find('\n'));
        EXPECT_NE(primera.find(opciones[0]), std::string::npos) << primera;
    }
}

}  // namespace
}  // namespace vortena
