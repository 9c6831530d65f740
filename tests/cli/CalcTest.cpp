// vortena-calc run as a process on the shipped examples: its outputs, its
// messages on standard error and its exit status.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <random>
#include <filesystem>
#include <sstream>

#include "cli/Calc.h"
#include "cli/Medidas.h"
#include "cli/Pasos.h"
#include "compute/Dimensionamiento.h"
#include "files/ArchivoRed.h"
#include "files/PruebaArchivos.h"
#include "files/Resumen.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

const std::string kEjemplos = std::string(VORTENA_SOURCE_DIR) + "/examples/";

struct Corrida {
    int estado;
    std::string salida;
    std::string errores;
};

class Calc : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;

    // Runs the tool with `args` (shell words) under the locale variables in
    // `entorno` (the others unset).
    Corrida Ejecutar(const std::string& args, const std::string& entorno = "LC_ALL=C") {
        const std::string cmd = "env -u LC_ALL -u LC_NUMERIC -u LANG " + entorno + " '" +
                                VORTENA_CALC + "' " + args + " >'" + (dir / "out") + "' 2>'" +
                                (dir / "err") + "'";
        const int r = std::system(cmd.c_str());
        return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, prueba::LeerArchivo(dir / "out"),
                prueba::LeerArchivo(dir / "err")};
    }
    static std::string Ejemplo(const std::string& nombre) { return "'" + kEjemplos + nombre + "'"; }
};

// The table's own 17-digit writer against the library's "%.17g" form:
// random magnitudes across and past its range, halfway cases (x.25 and x.75
// near 10^15 have an 18th digit of exactly 5), powers of ten and their
// neighbours, where the exponent estimate is off by one.
TEST(TextoExacto, IgualQueElFormatoDeDiecisieteCifras) {
    const auto referencia = [](double v) {
        char b[40];
        return std::string(b, std::to_chars(b, b + 40, v, std::chars_format::general, 17).ptr);
    };
    std::vector<double> casos;
    std::mt19937_64 azar(20261208);
    std::uniform_real_distribution<double> u(-14.0, 18.0);
    for (int i = 0; i < 300000; ++i) {
        const double v = std::pow(10.0, u(azar)) * (i % 2 ? -1 : 1);
        casos.push_back(v);
        casos.push_back(std::nextafter(v, 0.0));
    }
    for (int i = 0; i < 20000; ++i) {
        const double base = std::ldexp(static_cast<double>(azar() >> 13), -2);  // up to 2^49
        casos.push_back(base + 0.25);
        casos.push_back(base + 0.75);
    }
    for (int p = -12; p <= 17; ++p) {
        const double t = std::pow(10.0, p);
        for (double v : {t, std::nextafter(t, 0.0), std::nextafter(t, 1e300)}) casos.push_back(v);
    }
    for (double v : {0.1, 1.0 / 3.0, 2.0 / 3.0, 1e-5, 9.9999999999999995e-5, 99999999999999984.0})
        casos.push_back(v);
    int fallos = 0;
    for (double v : casos)
        if (calc::TextoExacto(v) != referencia(v) && ++fallos <= 5)
            ADD_FAILURE() << referencia(v) << " escrito " << calc::TextoExacto(v);
    EXPECT_EQ(fallos, 0);
}

TEST_F(Calc, HelpPrintsTheUsage) {
    const Corrida c = Ejecutar("--help");
    EXPECT_EQ(c.estado, 0);
    EXPECT_EQ(c.salida, calc::TextoUso());
    EXPECT_EQ(c.salida.rfind("vortena-calc [--decimal ,|.] RED.vtq PASO [PASO…]\n", 0), 0u);
    EXPECT_NE(c.salida.find("\n  guardar=FILE      GuardarRed\n"), std::string::npos);
}

class UsoIncorrecto : public Calc, public ::testing::WithParamInterface<const char*> {};

TEST_P(UsoIncorrecto, ExitsWithTwoAndTheUsage) {
    const Corrida c = Ejecutar(GetParam());
    EXPECT_EQ(c.estado, 2);
    EXPECT_TRUE(c.salida.empty());
    EXPECT_NE(c.errores.find(calc::TextoUso()), std::string::npos) << c.errores;
}

INSTANTIATE_TEST_SUITE_P(Argumentos, UsoIncorrecto,
                         ::testing::Values("", "red.vtq", "red.vtq volar", "red.vtq guardar",
                                           "red.vtq guardar=", "red.vtq medidas=x",
                                           "--decimal red.vtq calcular",
                                           "--decimal x red.vtq calcular",
                                           "--rapido red.vtq calcular"));

TEST_F(Calc, UnreadableFileExitsWithOneAndTheOpenMessage) {
    const std::string ruta = dir / "malo.vtq";
    prueba::EscribirArchivo(ruta, "%\r\n1\r\n");
    for (const std::string& red : {ruta, dir / "no-existe.vtq"}) {
        const Corrida c = Ejecutar("'" + red + "' calcular");
        EXPECT_EQ(c.estado, 1);
        EXPECT_EQ(c.errores.rfind("Error de sistema: Error al abrir el archivo!!!\n", 0), 0u)
            << c.errores;
    }
}

class SobreEjemplos : public Calc, public ::testing::WithParamInterface<const char*> {};

TEST_P(SobreEjemplos, MeasuresMatchTheComputationInTheProgram) {
    const Corrida c = Ejecutar(Ejemplo(GetParam()) + " calcular medidas");
    ASSERT_EQ(c.estado, 0) << c.errores;
    EXPECT_TRUE(c.errores.empty()) << c.errores;

    Red red;
    prueba::DocumentoFalso doc;
    prueba::MensajesGrabados msj;
    AbrirRed(red, kEjemplos + GetParam(), doc);
    CalcularRed(red, msj, doc);

    const auto lineas = prueba::PartirLineas(c.salida, "\n");
    ASSERT_EQ(lineas.size(), static_cast<std::size_t>(red.Centros.Count()) + 1);
    EXPECT_EQ(c.salida.back(), '\n');
    for (int k = 1; k <= red.Centros.Count(); ++k) {
        std::vector<std::string> campos;
        std::istringstream fila(lineas[static_cast<std::size_t>(k)]);
        for (std::string campo; std::getline(fila, campo, '\t');) campos.push_back(campo);
        ASSERT_EQ(campos.size(), 26u);
        EXPECT_EQ(campos[1], red.Centros(k).Nombre);
        // W and tmpoTardio read back to the very same doubles.
        EXPECT_EQ(std::strtod(campos[11].c_str(), nullptr), red.Centros(k).W);
        EXPECT_EQ(std::strtod(campos[22].c_str(), nullptr), red.Centros(k).tmpoTardio);
        EXPECT_EQ(campos[24], red.Centros(k).TempranoWH ? "1" : "0");
    }
}

TEST_P(SobreEjemplos, ReportFileIsTheOneTheMenuWrites) {
    const Corrida c =
        Ejecutar("--decimal , " + Ejemplo(GetParam()) + " informe='" + (dir / "r.txt") + "'");
    ASSERT_EQ(c.estado, 0) << c.errores;

    Red red;
    prueba::DocumentoFalso doc;
    prueba::MensajesGrabados msj;
    AbrirRed(red, kEjemplos + GetParam(), doc);
    CalcularRed(red, msj, doc);
    GenerarResumen(red, dir.ConSeparador(), Regional::Espanol());
    EXPECT_EQ(prueba::LeerArchivo(dir / "r.txt"), prueba::LeerArchivo(dir / "Resumen.txt"));
}

TEST_P(SobreEjemplos, SavingWithTheirSeparatorGivesTheSameBytes) {
    const Corrida c =
        Ejecutar("--decimal , " + Ejemplo(GetParam()) + " guardar='" + (dir / "g.vtq") + "'");
    ASSERT_EQ(c.estado, 0) << c.errores;
    EXPECT_EQ(prueba::LeerArchivo(dir / "g.vtq"), prueba::LeerArchivo(kEjemplos + GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Archivos, SobreEjemplos,
                         ::testing::Values("nuevo.vtq", "cadena.vtq", "division-y-union.vtq",
                                           "planta-20-centros.vtq", "desviaciones.vtq"));

struct CasoSeparador {
    const char* nombre;
    const char* entorno;
    const char* opcion;
    const char* esperado;
};

class Separador : public Calc, public ::testing::WithParamInterface<CasoSeparador> {};

TEST_P(Separador, FollowsTheOptionOrElseTheLocale) {
    const Corrida c =
        Ejecutar(std::string(GetParam().opcion) + " " + Ejemplo("nuevo.vtq") + " informe",
                 GetParam().entorno);
    ASSERT_EQ(c.estado, 0) << c.errores;
    EXPECT_NE(c.salida.find(GetParam().esperado), std::string::npos) << c.salida;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Separador,
    ::testing::Values(
        CasoSeparador{"Lang", "LANG=es_AR.UTF-8", "", "Rho = 0,50\n"},
        CasoSeparador{"LcNumericAntesQueLang", "LC_NUMERIC=de_DE LANG=en_US", "", "Rho = 0,50\n"},
        CasoSeparador{"LcAllAntesQueTodo", "LC_ALL=C LC_NUMERIC=fr_FR", "", "Rho = 0.50\n"},
        CasoSeparador{"SinLocale", "", "", "Rho = 0.50\n"},
        CasoSeparador{"OpcionComa", "LANG=en_US.UTF-8", "--decimal ,", "Rho = 0,50\n"},
        CasoSeparador{"OpcionPunto", "LANG=es_ES.UTF-8", "--decimal .", "Rho = 0.50\n"}),
    [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Calc, StepsRunInTheOrderGiven) {
    const Corrida c = Ejecutar(Ejemplo("nuevo.vtq") + " medidas propagar calcular medidas");
    ASSERT_EQ(c.estado, 0) << c.errores;
    const auto lineas = prueba::PartirLineas(c.salida, "\n");
    ASSERT_EQ(lineas.size(), 8u);
    // The centre's row before and after: Lamda 1, W not yet computed; then
    // the propagated Lamda 20 with 11 servers.
    EXPECT_EQ(lineas[2].rfind("2\tSin nombre\t1\t2\t1\t0\t", 0), 0u) << lineas[2];
    EXPECT_EQ(lineas[6].rfind("2\tSin nombre\t20\t2\t11\t10\t", 0), 0u) << lineas[6];
}

TEST_F(Calc, MessagesGoToStandardErrorAndTheRunGoesOnButExitsWithOne) {
    Red red;
    prueba::RedNueva(red);
    red.NodoFin = 1;  // the PERT cannot reach it
    const std::string ruta = dir / "mala-pert.vtq";
    prueba::EscribirArchivo(ruta, EscribirRed(red, Regional::Ingles()));
    const Corrida c = Ejecutar("'" + ruta + "' calcular medidas");
    EXPECT_EQ(c.estado, 1);
    EXPECT_EQ(c.errores, "Vortena de líneas de Producción: Centros de inicio y/o Fin inválidos\n");
    EXPECT_EQ(prueba::PartirLineas(c.salida, "\n").size(), 4u);
}

TEST_F(Calc, AFailingCentreIsNamedAndTheExitIsOneButANoticeIsNoError) {
    Red red;
    prueba::RedNueva(red);
    red.Centros(2).Nombre = "Pintura";
    red.Centros(2).Mu = 0;
    const std::string ruta = dir / "mu-cero.vtq";
    prueba::EscribirArchivo(ruta, EscribirRed(red, Regional::Ingles()));
    const Corrida c = Ejecutar("'" + ruta + "' calcular");
    EXPECT_EQ(c.estado, 1);
    EXPECT_EQ(c.errores,
              "Vortena de líneas de Producción: Error por Desbordamiento\nCentro: Pintura\n");

    // Raising a centre to its minimum is a notice, not an error.
    red.Centros(2).Mu = 2;
    red.Centros(2).Lamda = 9;
    red.Centros(2).Servidores = 1;
    prueba::EscribirArchivo(ruta, EscribirRed(red, Regional::Ingles()));
    const Corrida bien = Ejecutar("'" + ruta + "' calcular");
    EXPECT_EQ(bien.estado, 0) << bien.errores;
    EXPECT_NE(bien.errores.find("Servidores"), std::string::npos);
}

TEST_F(Calc, UnwritableOutputsExitWithOne) {
    const Corrida g =
        Ejecutar(Ejemplo("nuevo.vtq") + " guardar='" + (dir / "no/g.vtq") + "' medidas");
    EXPECT_EQ(g.estado, 1);
    EXPECT_EQ(g.errores, "Error de sistema: Error Guardando!!!\nno se puede escribir " +
                             (dir / "no/g.vtq") + ": No such file or directory\n");
    EXPECT_TRUE(g.salida.empty());  // the run ended at the failing step

    const Corrida i = Ejecutar(Ejemplo("nuevo.vtq") + " informe='" + (dir / "no/r.txt") + "'");
    EXPECT_EQ(i.estado, 1);
    EXPECT_NE(i.errores.find("No se pudo escribir el resumen en " + dir / "no/r.txt"),
              std::string::npos)
        << i.errores;
}

// Every file the tool writes goes through the safe writer: the open
// network's own file and read-only files are refused, untouched, with the
// reason, whatever the step.
TEST_F(Calc, OutputsRefuseTheOpenNetworkAndReadOnlyFiles) {
    const std::string red = dir / "red.vtq";
    std::filesystem::copy_file(kEjemplos + "cadena.vtq", red);
    std::filesystem::create_symlink(red, dir / "enlace.txt");
    const std::string original = prueba::LeerArchivo(red);
    const std::string soloLectura = dir / "solo.txt";
    prueba::EscribirArchivo(soloLectura, "mío");
    ASSERT_EQ(::chmod(soloLectura.c_str(), 0444), 0);
    const std::string riesgo = " riesgo --replicas 2 --clientes 500 --calentamiento 50 --cdf ";
    const std::string redAbierta = " es el archivo de la red abierta; elija otro nombre";
    const struct {
        std::string pasos, error;
    } casos[] = {
        {" informe='" + red + "'",
         "No se pudo escribir el resumen en " + red + ": " + red + redAbierta + "."},
        {" informe='" + (dir / "enlace.txt") + "'", "No se pudo escribir el resumen en " +
                                                        (dir / "enlace.txt") + ": " +
                                                        (dir / "enlace.txt") + redAbierta + "."},
        {riesgo + "'" + red + "'",
         "No se pudo escribir la distribución en " + red + ": " + red + redAbierta + "."},
        {riesgo + "'" + soloLectura + "'", "No se pudo escribir la distribución en " + soloLectura +
                                               ": " + soloLectura + " es de solo lectura."},
        {" informe='" + soloLectura + "'", "No se pudo escribir el resumen en " + soloLectura +
                                               ": " + soloLectura + " es de solo lectura."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pasos);
        const Corrida r = Ejecutar("'" + red + "'" + c.pasos);
        EXPECT_EQ(r.estado, 1);
        EXPECT_NE(r.errores.find(c.error), std::string::npos) << r.errores;
        EXPECT_EQ(prueba::LeerArchivo(red), original);
        EXPECT_EQ(prueba::LeerArchivo(soloLectura), "mío");
    }
    // The network itself may be saved over its own file.
    EXPECT_EQ(Ejecutar("'" + red + "' guardar='" + red + "'").estado, 0);
    const Corrida g = Ejecutar("'" + red + "' guardar='" + soloLectura + "'");
    EXPECT_EQ(g.errores,
              "Error de sistema: Error Guardando!!!\n" + soloLectura + " es de solo lectura\n");
}

TEST_F(Calc, SavingSaysWhichNamesTheFileCannotHold) {
    // A file written elsewhere in UTF-8 may hold any character.
    Red red;
    prueba::RedNueva(red);
    red.Centros(2).Nombre = "Torno";
    std::string bytes = EscribirRed(red, Regional::Ingles());
    bytes.replace(bytes.find("Torno"), 5, "Torno ☃");
    prueba::EscribirArchivo(dir / "utf8.vtq", bytes);
    const Corrida c = Ejecutar("'" + (dir / "utf8.vtq") + "' guardar='" + (dir / "g.vtq") + "'");
    EXPECT_EQ(c.estado, 0);
    EXPECT_EQ(c.errores,
              "Guardar Archivo: El archivo no puede guardar algunos caracteres; estos textos se "
              "guardaron así:\nNombre: \"Torno ☃\" → \"Torno ?\"\n");
}

}  // namespace
}  // namespace vortena
