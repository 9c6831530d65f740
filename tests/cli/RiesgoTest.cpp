// The step "riesgo" run as a process: its keys and centre lines, its
// distribution file, determinism, and the options it refuses.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "cli/Medidas.h"
#include "compute/Dimensionamiento.h"
#include "files/ArchivoRed.h"
#include "files/PruebaArchivos.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

const std::string kCadena = std::string(VORTENA_SOURCE_DIR) + "/examples/cadena.vtq";
const std::string kCorta = " --replicas 3 --clientes 5000 --calentamiento 500";

// The lines, without the "# " lines that say what the run decided.
std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        if (l.rfind("# ", 0) != 0) v.push_back(l);
    return v;
}

class Riesgo : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    int estado = -1;
    std::string salida, errores;

    void Ejecutar(const std::string& opciones) {
        const std::string cmd = "env LC_ALL=C '" + std::string(VORTENA_CALC) + "' '" + kCadena +
                                "' riesgo" + opciones + " >'" + (dir / "out") + "' 2>'" +
                                (dir / "err") + "' </dev/null";
        const int r = std::system(cmd.c_str());
        estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
        salida = prueba::LeerArchivo(dir / "out");
        errores = prueba::LeerArchivo(dir / "err");
    }
};

TEST_F(Riesgo, PrintsTheLineFiguresThenTheCentreAndRouteTables) {
    Ejecutar(kCorta + " --cdf '" + (dir / "cdf.txt") + "'");
    ASSERT_EQ(estado, 0) << errores;
    EXPECT_EQ(errores, "");  // standard error is not a terminal: no progress
    const auto l = Lineas(salida);
    EXPECT_EQ(salida.rfind("# replicas 3\n# clientes 5000\n# calentamiento 500\n", 0), 0u)
        << salida;

    Red red;
    prueba::DocumentoFalso doc;
    prueba::MensajesGrabados msj;
    AbrirRed(red, kCadena, doc);
    CalcularRed(red, msj, doc);
    std::vector<const CentroProductivo*> centros;
    for (const CentroProductivo& c : red.Centros)
        if (c.EsCentro()) centros.push_back(&c);
    ASSERT_GT(l.size(), 15 + centros.size());

    EXPECT_EQ(l[0], "pert\t" + calc::TextoExacto(red.Centros(red.NodoFin).tmpoTemprano));
    EXPECT_EQ(l[1], "deseado" + l[0].substr(4));  // the PERT's time by default
    const char* claves[] = {"media", "desviacion", "P50",      "P80",        "P90",
                            "P95",   "Ppert",      "Pdeseado", "produccion", "wip"};
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string& f = l[2 + i];
        EXPECT_EQ(f.substr(0, f.find('\t')), claves[i]);
        EXPECT_EQ(std::count(f.begin(), f.end(), '\t'), 2) << f;  // value and half-width
    }
    EXPECT_EQ(l[8].substr(l[8].find('\t')), l[9].substr(l[9].find('\t')));  // Ppert = Pdeseado
    EXPECT_EQ(l[12], "replicas\t3");
    EXPECT_EQ(l[13], "posicion\tNombre\tpaso\taporte\tcrucialidad");
    for (std::size_t i = 0; i < centros.size(); ++i)
        EXPECT_EQ(l[14 + i].rfind(
                      std::to_string(centros[i]->posicion) + "\t" + centros[i]->Nombre + "\t", 0),
                  0u)
            << l[14 + i];
    const std::size_t r = 14 + centros.size();
    EXPECT_EQ(l[r], "");
    EXPECT_EQ(l[r + 1], "ruta\tpaso\tmedia\tP50\tP90\tP95\tcentros");
    ASSERT_GT(l.size(), r + 2);
    EXPECT_EQ(l[r + 2].rfind("1\t", 0), 0u);
    EXPECT_NE(l[r + 2].find('-'), std::string::npos) << l[r + 2];  // centre positions joined

    const auto cdf = Lineas(prueba::LeerArchivo(dir / "cdf.txt"));
    ASSERT_GT(cdf.size(), 100u);
    ASSERT_LE(cdf.size(), 1000u);
    double t0 = -1, p0 = 0;
    for (const std::string& s : cdf) {
        const double t = std::stod(s.substr(0, s.find('\t')));
        const double p = std::stod(s.substr(s.find('\t') + 1));
        EXPECT_GT(t, t0);
        EXPECT_GT(p, p0);
        t0 = t;
        p0 = p;
    }
    EXPECT_EQ(cdf.back().substr(cdf.back().find('\t')), "\t1");
}

TEST_F(Riesgo, SameSeedSameOutputWhateverTheThreadsAndTheDesiredTimeMoves) {
    Ejecutar(kCorta + " --semilla 9 --hilos 1");
    const std::string uno = salida;
    Ejecutar(kCorta + " --semilla 9 --hilos 3");
    EXPECT_EQ(salida, uno);
    Ejecutar(kCorta + " --semilla 10 --hilos 1");
    EXPECT_NE(salida, uno);
    Ejecutar(kCorta + " --deseado 1e9");
    EXPECT_NE(salida.find("\ndeseado\t1000000000\n"), std::string::npos) << salida;
    EXPECT_NE(salida.find("\nPdeseado\t1\t0\n"), std::string::npos) << salida;
}

TEST_F(Riesgo, TheRetiredSampleSizeIsRefusedInOneLine) {
    Ejecutar(" --muestras 1000");
    EXPECT_EQ(estado, 2);
    EXPECT_EQ(salida, "");
    EXPECT_EQ(errores.substr(0, errores.find('\n')),
              "vortena-calc: --muestras ya no existe: el plazo sale de simular la línea entera "
              "(use --clientes y --replicas)");
}

class RiesgoIncorrecto : public Riesgo, public ::testing::WithParamInterface<const char*> {};

TEST_P(RiesgoIncorrecto, ExitsWithTwoNamingTheOptionAndWritesNothing) {
    Ejecutar(std::string(" ") + GetParam() + " --cdf '" + (dir / "cdf.txt") + "'");
    EXPECT_EQ(estado, 2);
    EXPECT_EQ(salida, "");
    const std::string primera = errores.substr(0, errores.find('\n'));
    const std::string opcion = std::string(GetParam()).substr(0, std::string(GetParam()).find(' '));
    EXPECT_NE(primera.find(opcion), std::string::npos) << primera;
    EXPECT_FALSE(std::filesystem::exists(dir / "cdf.txt"));
}

INSTANTIATE_TEST_SUITE_P(Opciones, RiesgoIncorrecto,
                         ::testing::Values("--deseado x", "--deseado 0", "--replicas 1",
                                           "--precision 0", "--calentamiento menos",
                                           "--distribucion normal", "--hilos 0", "--semilla -1",
                                           "--otra 1", "--replicas 4 --precision 0.1"));

}  // namespace
}  // namespace vortena
