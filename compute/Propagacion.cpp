#include "compute/Propagacion.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compute/OrdenTopologico.h"

namespace vortena {
namespace {

std::size_t Ix(std::int16_t posicion) {
    return static_cast<std::size_t>(posicion);
}

// Totals per node instead of one walk per path: each node's inflow is final
// once all its predecessors are done, which topological order guarantees.
// Using the total (not a connection's running multReal) keeps a merge from
// being counted again by every connection after it.
void PropagarAdelante(Red& red, const std::vector<std::int16_t>& orden) {
    std::vector<double> entrada(static_cast<std::size_t>(red.Centros.Count()) + 1, 0.0);
    std::vector<char> alcanzado(entrada.size(), 0);
    entrada[1] = 1.0;
    alcanzado[1] = 1;
    for (std::int16_t v : orden) {
        if (!alcanzado[Ix(v)]) continue;
        const CentroProductivo& c = red.Centros(v);
        const double flujo = entrada[Ix(v)];
        for (int i = 0; i <= c.tamSE; ++i) {
            linea& l = red.Conexiones(c.SalidaLista(i));
            l.multReal = l.multiplicador * flujo;
            entrada[Ix(l.CentroFin)] += l.multReal;
            alcanzado[Ix(l.CentroFin)] = 1;
        }
    }
}

// The rate a node receives over all paths is the sum of what each of its
// successors hands back, so one sweep in reverse topological order gives
// the per-path result. A node passes flow on only when its incoming multReal
// sums to more than 0; start nodes only count in that sum.
void PropagarAtras(Red& red, const std::vector<std::int16_t>& orden, std::int16_t fin,
                   double salida) {
    const std::size_t n = static_cast<std::size_t>(red.Centros.Count()) + 1;
    std::vector<double> total(n, 0.0);
    for (const linea& l : red.Conexiones) total[Ix(l.CentroFin)] += l.multReal;

    std::vector<double> flujo(n, 0.0);
    std::vector<char> visitado(n, 0);
    flujo[Ix(fin)] = salida;
    for (auto it = orden.rbegin(); it != orden.rend(); ++it) {
        const std::int16_t y = *it;
        if (y != fin && !visitado[Ix(y)]) continue;
        if (!(total[Ix(y)] > 0)) continue;
        const double porUnidad = flujo[Ix(y)] / total[Ix(y)];
        const CentroProductivo& c = red.Centros(y);
        for (int i = 0; i <= c.tamEE; ++i) {
            const linea& l = red.Conexiones(c.Entrada(i));
            if (red.Centros(l.CentroInicio).EsInicio()) continue;
            flujo[Ix(l.CentroInicio)] += l.multReal * porUnidad;
            visitado[Ix(l.CentroInicio)] = 1;
        }
    }

    for (CentroProductivo& x : red.Centros) {
        if (!visitado[Ix(x.posicion)]) continue;
        x.Lamda = flujo[Ix(x.posicion)];
        // An exponential arrival deviation follows the new rate. A centre that
        // received no flow keeps its deviation: 1/0 has no meaning here.
        if (x.aux != 0 && 1.0 / x.aux == x.Desvlamda) {
            const double inversa = 1.0 / x.Lamda;
            if (std::isfinite(inversa)) {
                x.Desvlamda = inversa;
                x.aux = x.Lamda;
            }
        }
        x.ServidoresMinimos(red.ErrorCalculo);
    }
}

}  // namespace

void PropagarFlujo(Red& red, Documento& doc) {
    std::int16_t fin = 0;
    double salida = 0;
    for (int i = 1; i <= red.Centros.Count(); ++i) {
        CentroProductivo& c = red.Centros(i);
        if (c.EsFin()) {
            fin = static_cast<std::int16_t>(i);
            salida = c.Salida;
        }
        c.aux = c.Lamda;
        c.Lamda = 0;
    }
    for (linea& l : red.Conexiones) l.multReal = 0;

    if (red.Centros.Count() > 0) {
        const std::vector<std::int16_t> orden = OrdenTopologico(red);
        PropagarAdelante(red, orden);
        if (fin != 0) PropagarAtras(red, orden, fin, salida);
    }
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
