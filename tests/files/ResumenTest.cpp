// The text report: exact layout in both locales, its rules, and a sizing
// failure that still leaves a whole report.

#include <gtest/gtest.h>

#include <algorithm>

#include "compute/Dimensionamiento.h"
#include "files/Codificacion.h"
#include "files/ErrorArchivo.h"
#include "files/PruebaArchivos.h"
#include "files/Resumen.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

const std::string kIgual(74, '=');

std::vector<std::string> Lineas(Red& red, const Regional& reg) {
    return prueba::PartirLineas(TextoResumen(red, reg), "\n");
}
const std::string kRaya(74, '_');

// The new network after the network computation, Spanish locale.
const std::vector<std::string> kNuevaEspanol = {
    "Vortena de Líneas de Producción: ",
    "",
    kIgual,
    "Centro Productivo:Sin nombre",
    "------ ----------",
    "  Velocidad de Arribo = 1,0 (Desviación Típica =1,0)",
    "  Velocidad de Despacho = 2,0 (Desviación Típica =0,5)",
    "  Servidores = 01 (Mínimos = 1 Óptimos = 1)",
    "  Costo por Esperar = $ 1,00",
    "  Costo de un Servidor = $ 10,00",
    kRaya,
    "  Rho = 0,50",
    "  Utilización = 0,50",
    "  Probabilidad de hallar vacío el Sistema = 0,5000",
    "  Probabilidad de tener que esperar = 0,5000",
    "  Largo esperado de la Cola = 0,5000",
    "  Número de Clientes esperado en el Sistema = 1,0000",
    "  Tiempo de espera en cola = 0,5000",
    "  Tiempo de espera en el Sistema = 1,0000",
    kRaya,
    "  Costo Total de Servidores = $ 10,00",
    "  Costo Total por tiempo en el Sistema = $ 1,00",
    "  Costo Total = $ 11,00",
    kRaya,
    "  Costo de Improductividad del Servidor = $ 5,00",
    "  Costo por espera en cola = $ 0,50",
    "  Costo por Improductividad = $ 5,50",
    kRaya,
    "  Tiempo Temprano = 1,0000",
    "  Tiempo Tardío = 1,0000",
    "  Índice de Flotamiento = 0,0000 (CRITICO)",
    kIgual,
    "RESUMEN",
    "-------",
    "  Salida del Sistema = 20,00",
    "  Costo de Servidores = $ 10,00",
    "  Costo por Tiempo en el Sistema = $ 1,00",
    "  Costo Total = $ 11,00",
    "  Costo de Improductividad de Servidores = $ 5,00",
    "  Costo por espera en Cola = $ 0,50",
    "  Costo Improductividad = $ 5,50"};

std::vector<std::string> EnIngles(std::vector<std::string> lineas) {
    for (auto& l : lineas) std::replace(l.begin(), l.end(), ',', '.');
    return lineas;
}

class Resumen : public ::testing::Test {
protected:
    Red red;
    prueba::MensajesGrabados msj;
    prueba::DocumentoFalso doc;
    prueba::CarpetaTemporal dir;

    void Calcular() {
        CalcularRed(red, msj, doc);
        ASSERT_TRUE(msj.vistos.empty()) << msj.vistos[0].texto;
    }
};

TEST_F(Resumen, NewNetworkLineByLineInBothLocales) {
    prueba::RedNueva(red);
    Calcular();
    for (const auto& [reg, esperado] : {std::pair{Regional::Espanol(), kNuevaEspanol},
                                        std::pair{Regional::Ingles(), EnIngles(kNuevaEspanol)}}) {
        const auto lineas = Lineas(red, reg);
        ASSERT_EQ(lineas.size(), esperado.size());
        for (std::size_t i = 0; i < lineas.size(); ++i) EXPECT_EQ(lineas[i], esperado[i]) << "línea " << i;
    }
}

TEST_F(Resumen, FileIsWindows1252WithCrLfAfterEveryLine) {
    prueba::RedNueva(red);
    Calcular();
    GenerarResumen(red, dir.ConSeparador(), Regional::Espanol());
    const std::string bytes = prueba::LeerArchivo(dir / "Resumen.txt");
    EXPECT_EQ(bytes.rfind("Vortena de L\xEDneas de Producci\xF3n: \r\n\r\n=", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 32), "Costo Improductividad = $ 5,50\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
              static_cast<long>(kNuevaEspanol.size()));
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"Resumen.txt"});
}

TEST_F(Resumen, OnlyStartAndEndGiveTheSummaryWithTheLaterOutput) {
    prueba::ConstructorRed b(red);
    b.Fin(12.5);
    b.Inicio();
    red.Centros(2).Salida = 3;
    const auto l = Lineas(red, Regional::Espanol());
    ASSERT_EQ(l.size(), 12u);
    EXPECT_EQ(l[2], kIgual);
    EXPECT_EQ(l[5], "  Salida del Sistema = 3,00");
    EXPECT_EQ(l[6], "  Costo de Servidores = $ 0,00");
    EXPECT_EQ(l[11], "  Costo Improductividad = $ 0,00");
}

TEST_F(Resumen, SizingIsReportedButTheServerCountIsRestored) {
    // λ = 9, μ = 2, costs 10 and 50: minimum 5, optimum 8, running with 12.
    prueba::ConstructorRed b(red);
    b.Inicio();
    const auto c = b.Centro("Prensa", 9, 2);
    b.Fin();
    b.Conectar(1, c);
    b.Conectar(c, 3);
    b[c].Servidores = 12;
    b[c].CostoEspera = 50;
    Calcular();
    const auto l = Lineas(red, Regional::Ingles());
    EXPECT_EQ(l[7], "  Servidores = 12 (Mínimos = 5 Óptimos = 8)");
    EXPECT_EQ(red.Centros(c).Servidores, 12);
}

TEST_F(Resumen, EarlyTimeIncludesTheCentresOwnTimeAndFloatDecidesCriticality) {
    // Two parallel centres: the short one has float, the long one none.
    prueba::ConstructorRed b(red);
    b.Inicio();
    const auto corto = b.Centro("Corto", 1, 4);
    const auto largo = b.Centro("Largo", 1, 2);
    b.Fin();
    b.Conectar(1, corto);
    b.Conectar(1, largo);
    b.Conectar(corto, 4);
    b.Conectar(largo, 4);
    red.NodoFin = 4;
    Calcular();
    const auto l = Lineas(red, Regional::Ingles());
    const std::size_t bloque = 29;  // lines per centre block
    EXPECT_EQ(l[2 + 26], "  Tiempo Temprano = " + Formato(red.Centros(corto).W, "#0.0000", Regional::Ingles()));
    EXPECT_TRUE(l[2 + 28].ends_with(" (NO CRITICO)")) << l[2 + 28];
    EXPECT_TRUE(l[2 + bloque + 28].ends_with("0000 (CRITICO)")) << l[2 + bloque + 28];

    red.Centros(largo).indFlotamiento = -0.5;
    const auto m = Lineas(red, Regional::Ingles());
    EXPECT_EQ(m[2 + bloque + 28], "  Índice de Flotamiento = -0.5000 (NO CRITICO)");
}

TEST_F(Resumen, SizingFailureStillWritesTheWholeReportAndKeepsTheCentre) {
    prueba::RedNueva(red);
    Calcular();
    const std::string ruta = dir / "Resumen.txt";
    prueba::EscribirArchivo(ruta, "informe anterior");
    red.Centros(2).Mu = 0;  // the minimum servers cannot be computed
    red.Centros(2).Servidores = 3;
    GenerarResumen(red, dir.ConSeparador(), Regional::Espanol());
    const auto l = prueba::PartirLineas(W1252AUtf8(prueba::LeerArchivo(ruta)));
    ASSERT_GT(l.size(), 8u);
    EXPECT_EQ(l[7], "  Servidores = 03 (Mínimos = no calculable Óptimos = no calculable)");
    EXPECT_EQ(l.back().rfind("  Costo Improductividad = ", 0), 0u);
    EXPECT_EQ(red.Centros(2).Servidores, 3);
    EXPECT_TRUE(red.ErrorCalculo);
    EXPECT_EQ(dir.Archivos(), std::vector<std::string>{"Resumen.txt"});
}

TEST_F(Resumen, UnwritableFolderIsReported) {
    prueba::RedNueva(red);
    EXPECT_THROW(GenerarResumen(red, dir / "no-existe/", Regional::Espanol()), ErrorArchivo);
}

}  // namespace
}  // namespace vortena
