// Propagation on networks whose path products leave the double range, and
// sums of equal shares that must add back up exactly.

#include <gtest/gtest.h>

#include <string>

#include "compute/Dimensionamiento.h"
#include "compute/Propagacion.h"
#include "model/ErrorAritmetico.h"
#include "support/ConstructorRed.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"

namespace vortena {
namespace {

using prueba::ConstructorRed;
using prueba::DocumentoFalso;

// INICIO -> C1 -> ... -> Cn -> FIN, every connection with `multiplicador`.
void Cadena(Red& red, int n, double multiplicador, double salida) {
    ConstructorRed b(red);
    std::int16_t anterior = b.Inicio();
    const std::int16_t primero = b.Centro("C1");
    b.Conectar(anterior, primero, multiplicador);
    anterior = primero;
    for (int i = 2; i <= n; ++i) {
        const std::int16_t c = b.Centro(std::string("C").append(std::to_string(i)));
        b.Conectar(anterior, c, multiplicador);
        anterior = c;
    }
    const std::int16_t fin = b.Fin(salida);
    b.Conectar(anterior, fin, multiplicador);
    red.NodoInicio = 1;
    red.NodoFin = fin;
}

TEST(PropagacionExtremos, LasCadenasLargasCancelanSusMultiplicadores) {
    struct Caso {
        int centros;
        double multiplicador;
    };
    for (const Caso caso : {Caso{400, 10.0}, Caso{30000, 0.97}, Caso{2000, 1e-3}}) {
        Red red;
        Cadena(red, caso.centros, caso.multiplicador, 20.0);
        DocumentoFalso doc;
        PropagarFlujo(red, doc);
        for (const CentroProductivo& c : red.Centros) {
            if (!c.EsCentro()) continue;
            ASSERT_NEAR(c.Lamda, 20.0, 1e-9) << caso.centros << " x " << caso.multiplicador;
            ASSERT_EQ(c.Servidores, 11);
        }
        for (const linea& l : red.Conexiones) ASSERT_TRUE(std::isfinite(l.multReal));
    }
}

TEST(PropagacionExtremos, UnaTasaQueDesbordaDejaLaRedComoEstaba) {
    // Two branches that almost cancel: A carries 2^52 times the output.
    Red red;
    ConstructorRed b(red);
    const auto inicio = b.Inicio();
    const auto a = b.Centro("A", 3.0, 2.0);
    const auto c = b.Centro("B", 3.0, 2.0);
    const auto fin = b.Fin(1e300);
    b.Conectar(inicio, a, 1.0);
    b.Conectar(inicio, c, -1.0);
    b.Conectar(a, fin, 1.0);
    b.Conectar(c, fin, 1.0 - 0x1p-52);
    DocumentoFalso doc;
    EXPECT_THROW(PropagarFlujo(red, doc), ErrorAritmetico);
    EXPECT_EQ(red.Centros(a).Lamda, 3.0);
    EXPECT_EQ(red.Centros(a).aux, 0.0);
    EXPECT_EQ(red.Conexiones(1).multReal, 0.0);
    EXPECT_TRUE(doc.llamadasBarra.empty());
}

// One centre feeding ten equal stations: their shares add back up to the
// whole, so the feeder's load is exactly 4 servers' worth and it needs 5.
TEST(PropagacionExtremos, DiezPartesIgualesSumanElTodo) {
    for (const double m : {0.1, 1.0, 0.3}) {
        Red red;
        ConstructorRed b(red);
        const auto inicio = b.Inicio();
        const auto a = b.Centro("A");
        const auto fin = b.Fin(8.0);
        b.Conectar(inicio, a);
        for (int i = 0; i < 10; ++i) {
            const auto s = b.Centro(std::string("S").append(std::to_string(i)));
            b.Conectar(a, s, m);
            b.Conectar(s, fin);
        }
        red.NodoInicio = inicio;
        red.NodoFin = fin;
        DocumentoFalso doc;
        PropagarFlujo(red, doc);
        // Exact where the shares are exact in binary; a few ulps off (and
        // still 5 servers) where they are not.
        if (m != 0.3)
            EXPECT_EQ(red.Centros(a).Lamda, 8.0) << m;
        else
            EXPECT_NEAR(red.Centros(a).Lamda, 8.0, 1e-14) << m;
        EXPECT_EQ(red.Centros(a).Servidores, 5) << m;

        prueba::MensajesGrabados msj;
        CalcularRed(red, msj, doc);
        EXPECT_NEAR(red.Centros(a).Lq, 2.2164, 1e-4) << m;
    }
}

// A file keeps 15 digits: 1/3 comes back as 0.333333333333333, which is
// still the exponential deviation of a rate of 3.
TEST(PropagacionExtremos, LaDesviacionGuardadaSigueSiendoExponencial) {
    Red red;
    ConstructorRed b(red);
    b.RedNueva();
    CentroProductivo& c = red.Centros(2);
    c.Lamda = 3.0;
    c.Desvlamda = 0.333333333333333;
    DocumentoFalso doc;
    PropagarFlujo(red, doc);
    EXPECT_EQ(c.Lamda, 20.0);
    EXPECT_DOUBLE_EQ(c.Desvlamda, 1.0 / 20.0);

    EXPECT_TRUE(EsDesviacionExponencial(0.333333333333333, 3.0));
    EXPECT_FALSE(EsDesviacionExponencial(0.3333, 3.0));
    EXPECT_FALSE(EsDesviacionExponencial(1.0, 0.0));
}

}  // namespace
}  // namespace vortena
