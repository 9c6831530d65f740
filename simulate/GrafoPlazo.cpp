#include "simulate/GrafoPlazo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vortena {

int GrafoPlazo::NodosAleatorios() const {
    return static_cast<int>(std::count_if(muestra.begin(), muestra.end(),
                                          [](const double* m) { return m != nullptr; }));
}

namespace {

void ComprobarMuestra(const CentroProductivo& c, const std::vector<double>& m) {
    if (m.size() > std::numeric_limits<std::uint32_t>::max())
        throw ErrorPlazo("La muestra de " + c.Nombre + " es demasiado grande");
    for (double t : m)
        if (!std::isfinite(t) || t < 0)
            throw ErrorPlazo("La muestra de " + c.Nombre + " tiene un tiempo inválido");
}

// Forward pass order from the start node, as CalcularTemprano enters nodes.
std::vector<std::int16_t> Alcanzados(const Red& red) {
    const int n = red.Centros.Count();
    std::vector<int> pendientes(static_cast<std::size_t>(n) + 1, 0);
    for (const CentroProductivo& c : red.Centros)
        pendientes[static_cast<std::size_t>(c.posicion)] = c.tamEE + 1;
    std::vector<std::int16_t> orden{red.NodoInicio};
    for (std::size_t i = 0; i < orden.size(); ++i) {
        const CentroProductivo& c = red.Centros(orden[i]);
        for (int k = 0; k <= c.tamSE; ++k) {
            const std::int16_t t = red.Conexiones(c.SalidaLista(k)).CentroFin;
            // A connection back into the start node cannot delay it.
            if (t == red.NodoInicio) continue;
            if (--pendientes[static_cast<std::size_t>(t)] == 0) orden.push_back(t);
        }
    }
    return orden;
}

}  // namespace

GrafoPlazo ConstruirGrafoPlazo(const Red& red, const MuestrasCentros& muestras) {
    if (!red.Centros.Existe(red.NodoInicio) || !red.Centros.Existe(red.NodoFin) ||
        red.NodoInicio == red.NodoFin)
        throw ErrorPlazo("Centros de inicio y/o Fin inválidos");
    const std::vector<std::int16_t> alcanzados = Alcanzados(red);

    // Keep the reached nodes that lead to the end: walking the order
    // backwards, a node is kept when one of its successors is.
    const std::size_t n = static_cast<std::size_t>(red.Centros.Count()) + 1;
    std::vector<char> alcanzado(n, 0), conduce(n, 0);
    for (std::int16_t p : alcanzados) alcanzado[static_cast<std::size_t>(p)] = 1;
    if (!alcanzado[static_cast<std::size_t>(red.NodoFin)])
        throw ErrorPlazo("Centros de inicio y/o Fin inválidos");
    conduce[static_cast<std::size_t>(red.NodoFin)] = 1;
    std::vector<std::int16_t> orden;
    for (auto it = alcanzados.rbegin(); it != alcanzados.rend(); ++it) {
        const CentroProductivo& c = red.Centros(*it);
        if (c.posicion != red.NodoFin)
            for (int k = 0; k <= c.tamSE; ++k) {
                const std::int16_t t = red.Conexiones(c.SalidaLista(k)).CentroFin;
                if (conduce[static_cast<std::size_t>(t)] && t != red.NodoInicio) {
                    conduce[static_cast<std::size_t>(c.posicion)] = 1;
                    break;
                }
            }
        if (conduce[static_cast<std::size_t>(c.posicion)]) orden.push_back(c.posicion);
    }
    std::reverse(orden.begin(), orden.end());
    // The end node is reached after every node that leads to it, so it is
    // last; the start node is first because every other kept node descends
    // from it.

    std::vector<std::int32_t> indice(n, -1);
    for (std::size_t v = 0; v < orden.size(); ++v)
        indice[static_cast<std::size_t>(orden[v])] = static_cast<std::int32_t>(v);

    GrafoPlazo g;
    g.posicion = orden;
    g.inicioPred.reserve(orden.size() + 1);
    std::vector<double> fin(orden.size(), 0.0);
    for (std::size_t v = 0; v < orden.size(); ++v) {
        const CentroProductivo& c = red.Centros(orden[v]);
        g.inicioPred.push_back(static_cast<std::int32_t>(g.pred.size()));
        double inicio = 0;
        if (v > 0)
            for (int k = 0; k <= c.tamEE; ++k) {
                const std::int32_t u =
                    indice[static_cast<std::size_t>(red.Conexiones(c.Entrada(k)).CentroInicio)];
                if (u < 0) continue;
                g.pred.push_back(u);
                inicio = std::max(inicio, fin[static_cast<std::size_t>(u)]);
            }
        const bool extremo = v == 0 || v + 1 == orden.size();
        const std::size_t i = static_cast<std::size_t>(c.posicion) - 1;
        const std::vector<double>* m =
            !extremo && i < muestras.size() && !muestras[i].empty() ? &muestras[i] : nullptr;
        if (m) ComprobarMuestra(c, *m);
        g.muestra.push_back(m ? m->data() : nullptr);
        g.tamMuestra.push_back(m ? static_cast<std::uint32_t>(m->size()) : 0u);
        g.w.push_back(v == 0 ? 0.0 : c.W);
        // Same sum as the PERT's connection time W + early time.
        fin[v] = v == 0 ? 0.0 : c.W + inicio;
        if (v + 1 == orden.size()) g.pert = inicio;
    }
    g.inicioPred.push_back(static_cast<std::int32_t>(g.pred.size()));
    return g;
}

}  // namespace vortena
