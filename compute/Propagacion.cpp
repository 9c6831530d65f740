#include "compute/Propagacion.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compute/OrdenTopologico.h"
#include "compute/SumaCompensada.h"
#include "model/ErrorAritmetico.h"

namespace vortena {
namespace {

std::size_t Ix(std::int16_t posicion) {
    return static_cast<std::size_t>(posicion);
}

// mantisa · 2^exponente. The forward flows are products of multipliers along
// paths (10^400 on a long chain of 10s, 0.97^30000 on a long chain of 0.97s)
// although the rates they lead to are ordinary; powers of two scale exactly,
// so the shares come out bit for bit as the plain products would give them.
struct Escalado {
    double mantisa = 0;
    long exponente = 0;
};

Escalado Normalizar(double m, long e) {
    int k = 0;
    const double f = std::frexp(m, &k);
    if (f == 0) return {};
    return {f, e + k};
}

// A power of two that would leave the double's range gives 0 or the largest
// finite value: multReal is informative only, the shares never pass through it.
double Valor(const Escalado& x) {
    constexpr long kLimite = 2 * DBL_MAX_EXP;
    const long e =
        x.exponente > kLimite ? kLimite : (x.exponente < -kLimite ? -kLimite : x.exponente);
    const double v = std::ldexp(x.mantisa, static_cast<int>(e));
    if (std::isinf(v)) return std::copysign(DBL_MAX, v);
    return v;
}

// Forward pass, in topological order: each node's inflow is complete once all
// its predecessors are done. For every connection it leaves the share of its
// end node's inflow that it carries, which is all the backward pass needs.
struct Adelante {
    std::vector<Escalado> multReal;  // by connection
    std::vector<double> parte;       // by connection: multReal / inflow of its end node
    std::vector<char> recibe;        // by node: its inflow is positive
    std::vector<char> inicio;        // by node: a start node (read here, where the record is at hand)
};

Adelante PropagarAdelante(const Red& red, const std::vector<std::int16_t>& orden) {
    const std::size_t nodos = static_cast<std::size_t>(red.Centros.Count()) + 1;
    const std::size_t conexiones = static_cast<std::size_t>(red.Conexiones.Count()) + 1;
    Adelante a{std::vector<Escalado>(conexiones), std::vector<double>(conexiones, 0.0),
               std::vector<char>(nodos, 0), std::vector<char>(nodos, 0)};
    std::vector<double> relativos;
    for (std::int16_t v : orden) {
        const CentroProductivo& c = red.Centros(v);
        a.inicio[Ix(v)] = c.EsInicio() ? 1 : 0;
        Escalado entrada;
        if (v == 1) {
            entrada = {0.5, 1};
            a.recibe[Ix(v)] = 1;
        } else {
            // Bring the incoming flows to the largest one's scale, then sum
            // them as exactly as doubles allow so equal shares add up.
            long mayor = LONG_MIN;
            for (int i = 0; i <= c.tamEE; ++i) {
                const Escalado& m = a.multReal[static_cast<std::size_t>(c.Entrada(i))];
                if (m.mantisa != 0 && m.exponente > mayor) mayor = m.exponente;
            }
            if (mayor != LONG_MIN) {
                relativos.clear();
                SumaCompensada total;
                for (int i = 0; i <= c.tamEE; ++i) {
                    const Escalado& m = a.multReal[static_cast<std::size_t>(c.Entrada(i))];
                    const long d = m.exponente - mayor;
                    const double r = m.mantisa == 0 || d < -2 * DBL_MAX_EXP
                                         ? 0.0
                                         : std::ldexp(m.mantisa, static_cast<int>(d));
                    relativos.push_back(r);
                    total.Sumar(r);
                }
                const double t = total.Valor();
                // Only a positive inflow is shared back; a zero or negative
                // one still flows on, as the multipliers say.
                if (t > 0) {
                    a.recibe[Ix(v)] = 1;
                    for (int i = 0; i <= c.tamEE; ++i)
                        a.parte[static_cast<std::size_t>(c.Entrada(i))] =
                            Finito(relativos[static_cast<std::size_t>(i)] / t);
                }
                entrada = Normalizar(t, mayor);
            }
        }
        for (int i = 0; i <= c.tamSE; ++i) {
            const auto k = static_cast<std::size_t>(c.SalidaLista(i));
            a.multReal[k] =
                Normalizar(red.Conexiones(static_cast<int>(k)).multiplicador * entrada.mantisa,
                           entrada.exponente);
        }
    }
    return a;
}

// Backward pass, in reverse topological order: a node's rate is the sum of
// what each successor hands back through the connection's share. Start
// nodes only count in the shares.
// `porConexion`, when given, receives the flow each connection carries
// (those that leave the start node included).
std::vector<double> PropagarAtras(const Red& red, const std::vector<std::int16_t>& orden,
                                  const Adelante& a, std::int16_t fin, double salida,
                                  std::vector<char>& visitado,
                                  std::vector<double>* porConexion = nullptr) {
    const std::size_t n = static_cast<std::size_t>(red.Centros.Count()) + 1;
    std::vector<SumaCompensada> flujo(n);
    visitado.assign(n, 0);
    flujo[Ix(fin)].Sumar(salida);
    for (auto it = orden.rbegin(); it != orden.rend(); ++it) {
        const std::int16_t y = *it;
        if (y != fin && !visitado[Ix(y)]) continue;
        if (!a.recibe[Ix(y)]) continue;
        const double propio = Finito(flujo[Ix(y)].Valor());
        const CentroProductivo& c = red.Centros(y);
        for (int i = 0; i <= c.tamEE; ++i) {
            const auto k = static_cast<std::size_t>(c.Entrada(i));
            const linea& l = red.Conexiones(static_cast<int>(k));
            const double t = Multiplicar(a.parte[k], propio);
            if (porConexion != nullptr) (*porConexion)[k] += t;
            // A predecessor of a node in the order is in it too, so `inicio` is set.
            if (a.inicio[Ix(l.CentroInicio)]) continue;
            flujo[Ix(l.CentroInicio)].Sumar(t);
            visitado[Ix(l.CentroInicio)] = 1;
        }
    }
    std::vector<double> tasas(n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        if (visitado[i]) tasas[i] = Finito(flujo[i].Valor());
    return tasas;
}

// The last node named FIN, as the propagation has always taken it, and its
// required output.
std::int16_t NodoFin(const Red& red, double& salida) {
    std::int16_t fin = 0;
    salida = 0;
    for (int i = 1; i <= red.Centros.Count(); ++i) {
        const CentroProductivo& c = red.Centros(i);
        if (c.EsFin()) {
            fin = static_cast<std::int16_t>(i);
            salida = c.Salida;
        }
    }
    return fin;
}

}  // namespace

std::vector<double> FlujoConexiones(const Red& red, double salida) {
    std::vector<double> flujos(static_cast<std::size_t>(red.Conexiones.Count()) + 1, 0.0);
    double salidaFin = 0;
    const std::int16_t fin = NodoFin(red, salidaFin);
    if (fin == 0) return flujos;
    const std::vector<std::int16_t> orden = OrdenTopologico(red);
    const Adelante adelante = PropagarAdelante(red, orden);
    std::vector<char> visitado;
    PropagarAtras(red, orden, adelante, fin, salida, visitado, &flujos);
    return flujos;
}

void PropagarFlujo(Red& red, Documento& doc) {
    double salida = 0;
    const std::int16_t fin = NodoFin(red, salida);

    // Everything is computed before the network is touched, so a rate that
    // truly overflows leaves it as it was.
    Adelante adelante;
    std::vector<double> tasas;
    std::vector<char> visitado;
    if (red.Centros.Count() > 0) {
        const std::vector<std::int16_t> orden = OrdenTopologico(red);
        adelante = PropagarAdelante(red, orden);
        if (fin != 0) tasas = PropagarAtras(red, orden, adelante, fin, salida, visitado);
    }

    for (CentroProductivo& c : red.Centros) {
        c.aux = c.Lamda;
        c.Lamda = 0;
    }
    for (int k = 1; k <= red.Conexiones.Count(); ++k)
        red.Conexiones(k).multReal =
            adelante.multReal.empty() ? 0.0 : Valor(adelante.multReal[static_cast<std::size_t>(k)]);
    for (CentroProductivo& x : red.Centros) {
        if (visitado.empty() || !visitado[Ix(x.posicion)]) continue;
        x.Lamda = tasas[Ix(x.posicion)];
        // An exponential arrival deviation follows the new rate. A centre that
        // received no flow keeps its deviation: 1/0 has no meaning here.
        if (x.aux != 0 && EsDesviacionExponencial(x.Desvlamda, x.aux)) {
            const double inversa = 1.0 / x.Lamda;
            if (std::isfinite(inversa)) {
                x.Desvlamda = inversa;
                x.aux = x.Lamda;
            }
        }
        x.ServidoresMinimos(red.ErrorCalculo);
    }
    doc.ACTBarraEstado(true);
}

}  // namespace vortena
