// The "variabilidad" step: what it writes into the network and its exit codes.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Calc.h"
#include "cli/Pasos.h"
#include "files/ArchivoRed.h"
#include "files/PruebaArchivos.h"
#include "support/ConstructorRed.h"

namespace vortena {
namespace {

struct Corrida {
    int estado;
    std::string salida, errores;
};

Corrida Ejecutar(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int estado = calc::EjecutarCalc(args, "C", out, err);
    return {estado, out.str(), err.str()};
}

// Desvlamda of the node at `posicion` from a "medidas" table.
double Desvlamda(const std::string& medidas, int posicion) {
    for (const std::string& fila : prueba::PartirLineas(medidas, "\n")) {
        const auto campos = prueba::PartirLineas(fila, "\t");
        if (campos.size() > 18 && campos[0] == std::to_string(posicion))
            return std::stod(campos[18]);
    }
    return -1;
}

TEST(PasoVariabilidad, WritesTheDeviationsAndExitsWithOneOnASaturatedCentre) {
    prueba::CarpetaTemporal dir;
    Red red;
    prueba::ConstructorRed b(red);
    const auto i = b.Inicio(), a = b.Centro("Torno", 1, 2), m = b.Centro("Fresa", 1, 4),
               f = b.Fin(1);
    b[a].DesvMu = 0;  // constant service at u = 0.5: cd² = 0.75
    b.Conectar(i, a);
    b.Conectar(a, m);
    b.Conectar(m, f);
    const std::string ruta = dir / "tandem.vtq";
    prueba::EscribirArchivo(ruta, EscribirRed(red, Regional::Ingles()));

    const Corrida bien = Ejecutar({ruta, "variabilidad", "medidas"});
    EXPECT_EQ(bien.estado, 0) << bien.errores;
    EXPECT_EQ(bien.errores, "");
    EXPECT_NEAR(Desvlamda(bien.salida, m), std::sqrt(0.75), 1e-15);
    EXPECT_EQ(Desvlamda(bien.salida, a), 1.0);

    b[m].Mu = 0.5;
    prueba::EscribirArchivo(ruta, EscribirRed(red, Regional::Ingles()));
    const Corrida mal = Ejecutar({ruta, "variabilidad", "medidas"});
    EXPECT_EQ(mal.estado, 1);
    EXPECT_NE(mal.errores.find("el centro Fresa llega a su capacidad"), std::string::npos)
        << mal.errores;
    // The run goes on with the network unchanged.
    EXPECT_EQ(Desvlamda(mal.salida, m), 1.0);

    EXPECT_NE(calc::TextoUso().find("\n  variabilidad      PropagarVariabilidad"),
              std::string::npos);
}

}  // namespace
}  // namespace vortena
