#pragma once
// Small networks and candidates for the optimisation tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "optimise/GenCadena.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {

// INICIO -> C1 -> ... -> Cn -> FIN, every centre exponential with the given
// service rate and server count, arrival rate 1.
inline void Cadena(Red& red, const std::vector<double>& mus,
                   const std::vector<int>& servidores = {}) {
    ConstructorRed b(red);
    std::int16_t previo = b.Inicio();
    for (std::size_t i = 0; i < mus.size(); ++i) {
        std::int16_t c = b.Centro(std::string("C").append(std::to_string(i + 1)), 1.0, mus[i]);
        b[c].ActDesvLamda();
        b[c].ActDesvMu();
        if (i < servidores.size()) b[c].Servidores = static_cast<std::int16_t>(servidores[i]);
        b.Conectar(previo, c);
        previo = c;
    }
    std::int16_t fin = b.Fin();
    b.Conectar(previo, fin);
    red.NodoInicio = 1;
    red.NodoFin = fin;
}

// Two parallel branches of `largo` centres each; service rates vary so the
// search has something to trade.
inline void Ramas(Red& red, int largo) {
    ConstructorRed b(red);
    std::int16_t inicio = b.Inicio();
    std::vector<std::int16_t> colas;
    for (int r = 0; r < 2; ++r) {
        std::int16_t previo = inicio;
        for (int i = 0; i < largo; ++i) {
            const double mu = 1.2 + 0.3 * ((i + 2 * r) % 5);
            std::int16_t c = b.Centro(std::string("R").append(std::to_string(r)) +
                                          std::string("_").append(std::to_string(i)),
                                      1.0, mu);
            b[c].ActDesvLamda();
            b[c].ActDesvMu();
            b.Conectar(previo, c);
            previo = c;
        }
        colas.push_back(previo);
    }
    std::int16_t fin = b.Fin();
    for (std::int16_t c : colas) b.Conectar(c, fin);
    red.NodoInicio = inicio;
    red.NodoFin = fin;
}

inline GenCadena Candidato(std::initializer_list<int> genes, std::initializer_list<int> minimos) {
    GenCadena g;
    for (int v : genes) g.EL.Agregar(static_cast<std::int16_t>(v));
    for (int v : minimos) g.FServidoresMinimos.Agregar(static_cast<std::int16_t>(v));
    g.nEl = static_cast<std::int16_t>(g.EL.Count());
    return g;
}

inline std::vector<std::int16_t> Servidores(const Red& red,
                                            const std::vector<std::int16_t>& centros) {
    std::vector<std::int16_t> s;
    for (std::int16_t p : centros) s.push_back(red.Centros(p).Servidores);
    return s;
}

}  // namespace vortena::prueba
