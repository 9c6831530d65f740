// The linear propagation against a literal walk of every path, on many small
// random acyclic networks.

#include <gtest/gtest.h>

#include <cmath>

#include "RedesAleatorias.h"
#include "compute/Propagacion.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

// One visit per path, as the propagation is defined, with the sound forward
// rule (each path carries its own product of multipliers).
void AdelantePorCamino(Red& red, std::int16_t pos, double mult) {
    CentroProductivo& c = red.Centros(pos);
    for (int i = 0; i <= c.tamSE; ++i) {
        linea& l = red.Conexiones(c.SalidaLista(i));
        const double incremento = l.multiplicador * mult;
        l.multReal += incremento;
        AdelantePorCamino(red, l.CentroFin, incremento);
    }
}

void AtrasPorCamino(Red& red, std::int16_t pos, double salida) {
    double total = 0;
    for (const linea& l : red.Conexiones)
        if (l.CentroFin == pos) total += l.multReal;
    if (total <= 0) return;
    salida /= total;
    for (const linea& l : red.Conexiones) {
        if (l.CentroFin != pos) continue;
        CentroProductivo& x = red.Centros(l.CentroInicio);
        if (x.EsInicio()) continue;
        const double t = l.multReal * salida;
        x.Lamda += t;
        if (x.aux != 0 && 1.0 / x.aux == x.Desvlamda && x.Lamda != 0) {
            x.Desvlamda = 1.0 / x.Lamda;
            x.aux = x.Lamda;
        }
        x.ServidoresMinimos(red.ErrorCalculo);
        AtrasPorCamino(red, x.posicion, t);
    }
}

void PropagarPorCamino(Red& red) {
    std::int16_t fin = 0;
    double salida = 0;
    for (CentroProductivo& c : red.Centros) {
        if (c.EsFin()) {
            fin = c.posicion;
            salida = c.Salida;
        }
        c.aux = c.Lamda;
        c.Lamda = 0;
    }
    for (linea& l : red.Conexiones) l.multReal = 0;
    AdelantePorCamino(red, 1, 1.0);
    AtrasPorCamino(red, fin, salida);
}

void CercaRelativo(double esperado, double obtenido, const char* campo, int pos) {
    EXPECT_LE(std::fabs(obtenido - esperado), 1e-9 * std::max(1.0, std::fabs(esperado)))
        << campo << " del nodo " << pos << ": " << obtenido << " frente a " << esperado;
}

TEST(FlujoReferencia, EqualsPerPathPropagationOnRandomNetworks) {
    for (unsigned semilla = 1; semilla <= 400; ++semilla) {
        SCOPED_TRACE(semilla);
        Red lineal, referencia;
        prueba::RedAleatoria(lineal, semilla);
        prueba::RedAleatoria(referencia, semilla);
        prueba::DocumentoFalso doc;
        PropagarFlujo(lineal, doc);
        PropagarPorCamino(referencia);
        for (int p = 1; p <= referencia.Centros.Count(); ++p) {
            const CentroProductivo& e = referencia.Centros(p);
            const CentroProductivo& o = lineal.Centros(p);
            CercaRelativo(e.Lamda, o.Lamda, "Lamda", p);
            CercaRelativo(e.aux, o.aux, "aux", p);
            CercaRelativo(e.Desvlamda, o.Desvlamda, "Desvlamda", p);
            EXPECT_EQ(e.Servidores, o.Servidores) << "Servidores del nodo " << p;
        }
        for (int k = 1; k <= referencia.Conexiones.Count(); ++k)
            CercaRelativo(referencia.Conexiones(k).multReal, lineal.Conexiones(k).multReal,
                          "multReal", k);
    }
}

}  // namespace
}  // namespace vortena
