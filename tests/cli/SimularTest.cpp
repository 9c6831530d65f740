// The "simular" step run as a process: its columns, its determinism, its
// unstable centres and its refusals of bad options.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "files/ArchivoRed.h"
#include "files/PruebaArchivos.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

const std::string kEjemplos = std::string(VORTENA_SOURCE_DIR) + "/examples/";

struct Corrida {
    int estado;
    std::string salida, errores;
};

class Simular : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    Corrida Ejecutar(const std::string& args) {
        const std::string cmd = "env LC_ALL=de_DE.UTF-8 '" + std::string(VORTENA_CALC) + "' " +
                                args + " >'" + (dir / "out") + "' 2>'" + (dir / "err") + "'";
        const int r = std::system(cmd.c_str());
        return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, prueba::LeerArchivo(dir / "out"),
                prueba::LeerArchivo(dir / "err")};
    }
};

std::vector<std::vector<std::string>> Filas(const std::string& texto) {
    std::vector<std::vector<std::string>> filas;
    std::istringstream in(texto);
    std::string linea;
    while (std::getline(in, linea)) {
        if (linea.rfind("# ", 0) == 0) continue;  // the run's facts, read by Hechos
        std::vector<std::string> campos;
        std::size_t desde = 0;
        for (;;) {
            const std::size_t tab = linea.find('\t', desde);
            campos.push_back(linea.substr(desde, tab - desde));
            if (tab == std::string::npos) break;
            desde = tab + 1;
        }
        filas.push_back(campos);
    }
    return filas;
}

TEST_F(Simular, DentroDeLaLineaAnadeLaVariabilidadDeLlegadasVista) {
    const Corrida c = Ejecutar("'" + kEjemplos +
                               "cadena.vtq' simular --linea --replicas 3 --clientes 4000 "
                               "--calentamiento 400");
    ASSERT_EQ(c.estado, 0) << c.errores;
    ASSERT_EQ(c.salida.rfind("# replicas 3\n# clientes 4000\n# calentamiento 400\n", 0), 0u)
        << c.salida;
    const auto filas = Filas(c.salida.substr(c.salida.find("posicion")));
    ASSERT_GT(filas.size(), 8u);
    EXPECT_EQ(filas[0], (std::vector<std::string>{"posicion", "Nombre", "medida", "analitico",
                                                  "simulado", "semiancho", "dentro"}));
    // Per centre the seven measures, then CVllegadas.
    const char* medidas[] = {"Rho", "P0", "Pn", "Lq", "L", "Wq", "W", "CVllegadas"};
    for (std::size_t i = 1; i < filas.size(); ++i) {
        ASSERT_EQ(filas[i].size(), 7u);
        EXPECT_EQ(filas[i][2], medidas[(i - 1) % 8]);
        EXPECT_EQ(filas[i][1], filas[1 + (i - 1) / 8 * 8][1]);
    }
    EXPECT_EQ((filas.size() - 1) % 8, 0u);
    // A switch takes no value: the next word is still read as a step.
    EXPECT_EQ(Ejecutar("'" + kEjemplos + "cadena.vtq' simular --linea=1").estado, 2);
}

std::vector<std::string> Hechos(const std::string& texto) {
    std::vector<std::string> hechos;
    std::istringstream in(texto);
    std::string linea;
    while (std::getline(in, linea) && linea.rfind("# ", 0) == 0) hechos.push_back(linea);
    return hechos;
}

bool Tiene(const std::vector<std::string>& hechos, const std::string& linea) {
    return std::find(hechos.begin(), hechos.end(), linea) != hechos.end();
}

TEST_F(Simular, UnaLineaPorMedidaConDentroCoherente) {
    const Corrida c = Ejecutar(
        "'" + kEjemplos + "cadena.vtq' simular --replicas 3 --clientes 5000 --calentamiento 500");
    ASSERT_EQ(c.estado, 0) << c.errores;
    EXPECT_EQ(c.errores, "");  // standard error is not a terminal: no progress
    const auto filas = Filas(c.salida);
    ASSERT_GE(filas.size(), 8u);
    EXPECT_EQ(filas[0], (std::vector<std::string>{"posicion", "Nombre", "medida", "analitico",
                                                  "simulado", "semiancho", "dentro"}));
    EXPECT_EQ((filas.size() - 1) % 10, 0u);
    const char* medidas[] = {"Rho", "P0", "Pn", "Lq", "L", "Wq", "W", "W50", "W90", "W95"};
    for (std::size_t i = 1; i < filas.size(); ++i) {
        const auto& f = filas[i];
        ASSERT_EQ(f.size(), 7u);
        EXPECT_EQ(f[2], medidas[(i - 1) % 10]);
        EXPECT_EQ(f[1], filas[1 + (i - 1) / 10 * 10][1]);
        // "." whatever the locale (German here), read back exactly.
        EXPECT_EQ(f[4].find(','), std::string::npos);
        const double s = std::strtod(f[4].c_str(), nullptr), h = std::strtod(f[5].c_str(), nullptr);
        EXPECT_GE(h, 0.0);
        EXPECT_GT(s, 0.0) << f[1] << " " << f[2];
        EXPECT_TRUE(f[6] == "1" || f[6] == "0" || f[6] == "nd") << f[6];
        // The chain's centres are exponential: exact M/M/s quantiles.
        if (f[2][0] == 'W' && f[2].size() == 3) {
            EXPECT_NE(f[3], "nd");
        }
    }
}

TEST_F(Simular, LosHechosDeLaCorridaVanAntesDelEncabezado) {
    const Corrida c = Ejecutar("'" + kEjemplos +
                               "cadena.vtq' simular --replicas 3 --clientes 2000 "
                               "--calentamiento auto --tolerancia 0,05");
    ASSERT_EQ(c.estado, 0) << c.errores;
    const auto hechos = Hechos(c.salida);
    EXPECT_TRUE(Tiene(hechos, "# replicas 3"));
    EXPECT_TRUE(Tiene(hechos, "# clientes 2000"));
    EXPECT_TRUE(Tiene(hechos, "# tolerancia 0.05"));
    const auto filas = Filas(c.salida);
    ASSERT_EQ(filas[0][0], "posicion");
    // One cut per centre when it is chosen automatically.
    std::size_t cortes = 0;
    for (const auto& h : hechos) cortes += h.rfind("# calentamiento ", 0) == 0;
    EXPECT_EQ(cortes, (filas.size() - 1) / 10);

    // A precision that 20 customers cannot reach says which measures missed.
    const Corrida p = Ejecutar("'" + kEjemplos +
                               "cadena.vtq' simular --precision 0,0001 --clientes 20 "
                               "--calentamiento 0");
    ASSERT_EQ(p.estado, 0) << p.errores;
    bool falta = false;
    for (const auto& h : Hechos(p.salida)) falta |= h.rfind("# precision no alcanzada: ", 0) == 0;
    EXPECT_TRUE(falta);
    EXPECT_NE(Hechos(p.salida), Hechos(Ejecutar("'" + kEjemplos +
                                                "cadena.vtq' simular --replicas 1000 --clientes 20 "
                                                "--calentamiento 0")
                                           .salida));
}

TEST_F(Simular, CentroRedimensionadoLoDiceYMuestraSusServidores) {
    Red red;
    prueba::ConstructorRed b(red);
    const auto ini = b.Inicio();
    const auto lleno = b.Centro("lleno", 3.0, 1.0);  // one server, three arrive per service
    const auto fin = b.Fin();
    b.Conectar(ini, lleno);
    b.Conectar(lleno, fin);
    red.NodoInicio = ini;
    red.NodoFin = fin;
    prueba::DocumentoFalso doc;
    const std::string ruta = dir / "lleno.vtq";
    GuardarRed(red, ruta, Regional::Espanol(), doc);
    const Corrida c = Ejecutar("'" + ruta + "' simular --replicas 2 --clientes 1000");
    ASSERT_EQ(c.estado, 0) << c.errores;
    EXPECT_NE(c.errores.find("El número de Servidores mínimos es:"), std::string::npos);
    EXPECT_NE(c.errores.find("lleno"), std::string::npos);
    EXPECT_TRUE(Tiene(Hechos(c.salida), "# servidores lleno 4"));
}

TEST_F(Simular, ElAnaliticoEsElDeMedidasTrasCalcular) {
    const Corrida sim =
        Ejecutar("'" + kEjemplos + "cadena.vtq' simular --replicas 2 --clientes 1000");
    const Corrida med = Ejecutar("'" + kEjemplos + "cadena.vtq' calcular medidas");
    ASSERT_EQ(sim.estado, 0);
    ASSERT_EQ(med.estado, 0);
    const auto s = Filas(sim.salida), m = Filas(med.salida);
    // medidas: posicion Nombre Lamda Mu Servidores Rho Trafico P0 Pn Lq L W Wq.
    for (std::size_t i = 1; i < s.size(); ++i) {
        for (const auto& fila : m) {
            if (fila[0] != s[i][0]) continue;
            const std::string& medida = s[i][2];
            if (medida.size() == 3) continue;  // W50, W90, W95: not in medidas
            const int col = medida == "Rho"  ? 5
                            : medida == "P0" ? 7
                            : medida == "Pn" ? 8
                            : medida == "Lq" ? 9
                            : medida == "L"  ? 10
                            : medida == "W"  ? 11
                                             : 12;
            EXPECT_EQ(s[i][3], fila[static_cast<std::size_t>(col)]) << s[i][1] << " " << medida;
        }
    }
}

TEST_F(Simular, MismaSalidaConUnoODosHilosYOtraConOtraSemilla) {
    const std::string base =
        "'" + kEjemplos + "cadena.vtq' simular --replicas 4 --clientes 3000 --calentamiento auto";
    const Corrida uno = Ejecutar(base + " --hilos 1");
    const Corrida dos = Ejecutar(base + " --hilos 2");
    ASSERT_EQ(uno.estado, 0);
    EXPECT_EQ(uno.salida, dos.salida);
    EXPECT_NE(Ejecutar(base + " --semilla 2").salida, uno.salida);
    EXPECT_EQ(Ejecutar(base + " --semilla 1 --hilos 2").salida, uno.salida);
}

TEST_F(Simular, CentroInestableEnUnaLinea) {
    Red red;
    prueba::ConstructorRed b(red);
    const auto ini = b.Inicio();
    const auto roto = b.Centro("roto", 1.0, 0.0);
    const auto bien = b.Centro("bien", 1.0, 2.0);
    const auto fin = b.Fin();
    b.Conectar(ini, roto);
    b.Conectar(roto, bien);
    b.Conectar(bien, fin);
    red.NodoInicio = ini;
    red.NodoFin = fin;
    prueba::DocumentoFalso doc;
    const std::string ruta = dir / "inestable.vtq";
    GuardarRed(red, ruta, Regional::Espanol(), doc);
    const Corrida c = Ejecutar("'" + ruta + "' simular --replicas 2 --clientes 1000");
    ASSERT_EQ(c.estado, 0) << c.errores;
    const auto filas = Filas(c.salida);
    ASSERT_EQ(filas.size(), 1u + 1u + 10u);
    EXPECT_EQ(filas[1], (std::vector<std::string>{"2", "roto", "inestable", "", "", "", ""}));
    EXPECT_EQ(filas[2][1], "bien");
}

class OpcionMala : public Simular,
                   public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(OpcionMala, SaleConDosNombrandolaYNoEscribeNada) {
    const auto [opciones, nombre] = GetParam();
    const Corrida c = Ejecutar("'" + kEjemplos + "cadena.vtq' simular " + opciones);
    EXPECT_EQ(c.estado, 2);
    EXPECT_EQ(c.salida, "");
    const std::string primera = c.errores.substr(0, c.errores.find('\n'));
    EXPECT_NE(primera.find(nombre), std::string::npos) << primera;
}

INSTANTIATE_TEST_SUITE_P(
    Opciones, OpcionMala,
    ::testing::Values(std::pair{"--replicas 1", "--replicas"},
                      std::pair{"--replicas 2,5", "--replicas"},
                      std::pair{"--precision 0", "--precision"},
                      std::pair{"--replicas 5 --precision 0,1", "--precision"},
                      std::pair{"--clientes 0", "--clientes"},
                      std::pair{"--calentamiento nunca", "--calentamiento"},
                      std::pair{"--semilla -1", "--semilla"}, std::pair{"--hilos 0", "--hilos"},
                      std::pair{"--distribucion normal", "--distribucion"},
                      std::pair{"--volar 3", "--volar"},
                      std::pair{"--replicas 3 --replicas 4", "--replicas"},
                      std::pair{"--tolerancia -0,1", "--tolerancia"},
                      std::pair{"--replicas 1000 --clientes 2000000", "--clientes"}));

}  // namespace
}  // namespace vortena
