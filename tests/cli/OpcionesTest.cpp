// The one reader of the batch steps' options, on the steps' own tables: the
// values taken, the strict number rule in both locales, and every error text.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>

#include "cli/Calc.h"
#include "cli/PasoOptimizar.h"
#include "cli/PasoPareto.h"
#include "cli/PasoRiesgo.h"
#include "cli/Pasos.h"

namespace vortena::calc {
namespace {

// What LeerOpciones gives for "riesgo", as the text of its error or "".
std::string Error(const std::string& opciones, const Regional& reg) {
    const auto r = LeerOpciones("riesgo", kOpcionesRiesgo, opciones, reg);
    const auto* e = std::get_if<std::string>(&r);
    return e != nullptr ? *e : std::string();
}

TEST(Opciones, TakesTheValuesGivenAndLeavesTheRest) {
    const auto r = LeerOpciones("riesgo", kOpcionesRiesgo,
                                "--deseado=2,5\n--replicas=20\n--calentamiento=auto\n"
                                "--cdf=a b.txt\n--distribucion=lognormal",
                                Regional::Espanol());
    ASSERT_TRUE(std::holds_alternative<OpcionesLeidas>(r)) << std::get<std::string>(r);
    const auto& l = std::get<OpcionesLeidas>(r);
    std::optional<double> deseado;
    int replicas = 10;
    std::int64_t clientes = 7;
    l.Tomar("--deseado", deseado);
    l.Tomar("--replicas", replicas);
    l.Tomar("--clientes", clientes);
    EXPECT_EQ(deseado, 2.5);
    EXPECT_EQ(replicas, 20);
    EXPECT_EQ(clientes, 7);  // not given: untouched
    EXPECT_EQ(l.Texto("--cdf"), "a b.txt");
    EXPECT_EQ(l.Texto("--calentamiento"), "auto");
    const OpcionesSimulacion o = AjustesSimulacion(l);
    EXPECT_TRUE(o.calentamientoAuto);
    EXPECT_EQ(o.distribucion, Distribucion::Lognormal);
}

// The other locale's separator is never a group separator: "2.5" is not 25
// and "1,5" not 15, in either locale, and the text names the expected form.
TEST(Opciones, NumbersFollowTheStrictRuleInBothLocales) {
    const Regional es = Regional::Espanol(), en = Regional::Ingles();
    EXPECT_EQ(Error("--deseado=2,5", es), "");
    EXPECT_EQ(Error("--deseado=2.5", en), "");
    EXPECT_EQ(Error("--deseado=2.5", es),
              "--deseado espera un número mayor que 0; use la coma decimal: 1,5");
    EXPECT_EQ(Error("--deseado=2,5", en),
              "--deseado espera un número mayor que 0; use el punto decimal: 1.5");
    EXPECT_EQ(Error("--replicas=1,5", es), "--replicas espera un entero de 2 a 1000");
    EXPECT_EQ(Error("--replicas=1,5", en),
              "--replicas espera un entero de 2 a 1000; use el punto decimal: 1.5");
    EXPECT_EQ(Error("--clientes=1.000", es),
              "--clientes espera un entero de 1 a 1000000000; use la coma decimal: 1,5");
    // Exponents read the same way everywhere: 1,5e3 is a whole 1500.
    EXPECT_EQ(Error("--clientes=1,5e3", es), "");
    EXPECT_EQ(Error("--clientes=1.5e3", en), "");
    EXPECT_EQ(Error("--clientes=1,5e-3", es), "--clientes espera un entero de 1 a 1000000000");
    // A desired time that makes no sense, and words that are no number.
    EXPECT_EQ(Error("--deseado=-1", es), "--deseado espera un número mayor que 0");
    EXPECT_EQ(Error("--deseado=0", es), "--deseado espera un número mayor que 0");
    EXPECT_EQ(Error("--deseado=pronto", es), "--deseado espera un número mayor que 0");
    EXPECT_EQ(Error("--precision=1", es), "--precision espera un número mayor que 0 y menor que 1");
}

TEST(Opciones, ErrorTextsNameTheOptionAndWhatItTakes) {
    const Regional es = Regional::Espanol();
    EXPECT_EQ(Error("--volar=3", es), "opción desconocida --volar de riesgo");
    EXPECT_EQ(Error("--deseado=5\n--deseado=6", es), "--deseado repetida");
    EXPECT_EQ(Error("--replicas=5\n--precision=0,1", es), "--replicas y --precision no van juntas");
    EXPECT_EQ(Error("--calentamiento=nunca", es),
              "--calentamiento espera auto o un entero de 0 a 1000000000");
    EXPECT_EQ(Error("--distribucion=normal", es), "--distribucion espera gamma o lognormal");
    EXPECT_EQ(Error("--cdf=", es), "--cdf espera un nombre de archivo");
    EXPECT_EQ(Error("--semilla=-1", es), "--semilla espera un entero de 0 a 9007199254740992");

    const auto pareto = LeerOpciones("pareto", kOpcionesPareto, "--poblacion=10", es);
    EXPECT_EQ(std::get<std::string>(pareto), "--poblacion espera un múltiplo de 4 de 8 a 10000");
}

TEST(Opciones, UsageListsEveryOptionOfEveryStep) {
    const std::string uso = TextoUso();
    for (const Paso& p : Pasos())
        for (const Opcion& o : p.opciones) {
            if (o.clase == Clase::Retirada) continue;
            EXPECT_NE(uso.find(std::string(o.nombre) + ' '), std::string::npos) << o.nombre;
        }
    EXPECT_NE(uso.find("--replicas R            2..1000, default 10\n"), std::string::npos) << uso;
    EXPECT_NE(uso.find("--distribucion gamma|lognormal"), std::string::npos);
}

// Through the command line: a refused option is a usage error (exit 2)
// before any step runs, its text first, then the usage.
TEST(Opciones, ARefusedOptionEndsTheRunBeforeAnyStep) {
    std::ostringstream out, err;
    const int estado =
        EjecutarCalc({"--decimal", ",", "no-existe.vtq", "calcular", "riesgo", "--deseado", "2.5"},
                     "C", out, err);
    EXPECT_EQ(estado, 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind("vortena-calc: --deseado espera un número mayor que 0; use la "
                              "coma decimal: 1,5\n",
                              0),
              0u)
        << err.str();
}

}  // namespace
}  // namespace vortena::calc
