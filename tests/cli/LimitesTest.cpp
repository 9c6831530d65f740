// The batch tool at the edges of the machine and of its input: threads the
// system refuses, more threads than processors, amounts of work past their
// bound, names that would break a table, a file with two end nodes.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/Calc.h"
#include "files/PruebaArchivos.h"

namespace vortena {
namespace {

const std::string kCadena = std::string(VORTENA_SOURCE_DIR) + "/examples/cadena.vtq";

struct Corrida {
    int estado;
    std::string salida, errores;
};

Corrida Calc(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int estado = calc::EjecutarCalc(args, "C", out, err);
    return {estado, out.str(), err.str()};
}

// cadena.vtq with one line replaced by another.
std::string CadenaCon(const prueba::CarpetaTemporal& dir, const std::string& linea,
                      const std::string& nueva) {
    std::string texto = prueba::LeerArchivo(kCadena);
    // The examples end their lines with CR LF.
    std::size_t i = texto.find("\n" + linea + "\r\n");
    if (i == std::string::npos) i = texto.find("\n" + linea + "\n");
    EXPECT_NE(i, std::string::npos) << linea;
    texto.replace(i + 1, linea.size(), nueva);
    const std::string ruta = dir / "red.vtq";
    prueba::EscribirArchivo(ruta, texto);
    return ruta;
}

TEST(Limites, AThreadTheSystemRefusesIsAMessageAndExitOne) {
    if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one processor: no second thread";
    prueba::CarpetaTemporal dir;
    // One process allowed to the user: the program runs, its first extra
    // thread is refused. Root is exempt from the limit, so the run drops to
    // an unprivileged user first.
    const std::string usuario =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    for (const std::string paso : {"simular --replicas 4 --clientes 2000", "pareto --extra 20"}) {
        const std::string cmd = "ASAN_OPTIONS=detect_leaks=0 " + usuario +
                                "bash -c 'ulimit -u 1 && exec \"" + VORTENA_CALC + "\" \"" +
                                kCadena + "\" " + paso + " --hilos 2' >'" + (dir / "out") +
                                "' 2>'" + (dir / "err") + "'";
        const int r = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(r)) << paso << ": ended by signal " << WTERMSIG(r);
        EXPECT_EQ(WEXITSTATUS(r), 1) << paso;
        EXPECT_EQ(prueba::LeerArchivo(dir / "out"), "") << paso;
        EXPECT_NE(prueba::LeerArchivo(dir / "err").find("no pudo iniciar sus hilos de cálculo"),
                  std::string::npos)
            << paso << ": " << prueba::LeerArchivo(dir / "err");
    }
}

TEST(Limites, ThreadsBeyondTheProcessorsAreCutWithANote) {
    const Corrida c =
        Calc({kCadena, "simular", "--replicas", "3", "--clientes", "2000", "--hilos", "1024"});
    EXPECT_EQ(c.estado, 0) << c.errores;
    EXPECT_NE(c.errores.find("se pidieron 1024 hilos y hay " +
                             std::to_string(std::max(1u, std::thread::hardware_concurrency())) +
                             " procesadores"),
              std::string::npos)
        << c.errores;
    EXPECT_NE(c.salida, "");
}

TEST(Limites, OptimizarIterationsHaveAMaximum) {
    const Corrida c = Calc({kCadena, "optimizar", "--iteraciones", "1e12"});
    EXPECT_EQ(c.estado, calc::kSalidaUso);
    EXPECT_NE(c.errores.find("--iteraciones espera un número mayor que 0 y no mayor que 1000000"),
              std::string::npos)
        << c.errores;
    EXPECT_EQ(c.salida, "");
}

TEST(Limites, OptimizarKeepsItsColumnsWhateverTheNames) {
    prueba::CarpetaTemporal dir;
    const Corrida c = Calc({CadenaCon(dir, "Corte", "Cor\tte"), "optimizar", "--iteraciones", "3"});
    ASSERT_EQ(c.estado, 0) << c.errores;
    std::istringstream lineas(c.salida);
    std::string linea;
    std::getline(lineas, linea);  // cost and time
    int filas = 0;
    while (std::getline(lineas, linea)) {
        ++filas;
        EXPECT_EQ(std::count(linea.begin(), linea.end(), '\t'), 2) << linea;
        EXPECT_EQ(linea.find('\r'), std::string::npos);
    }
    EXPECT_EQ(filas, 4);
    EXPECT_NE(c.salida.find("\tCor te\t"), std::string::npos) << c.salida;
}

TEST(Limites, TwoEndNodesAreReportedWithTheirPositions) {
    prueba::CarpetaTemporal dir;
    const Corrida c = Calc({CadenaCon(dir, "Embalaje", "FIN"), "medidas"});
    EXPECT_EQ(c.estado, calc::kSalidaError);
    EXPECT_NE(c.errores.find("La red tiene 2 nodos llamados «FIN» (posiciones 5 y 6)"),
              std::string::npos)
        << c.errores;
    EXPECT_NE(c.salida, "");  // a warning: the steps still run
    EXPECT_EQ(Calc({kCadena, "medidas"}).errores, "");
}

}  // namespace
}  // namespace vortena
