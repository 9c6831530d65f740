#pragma once
// Small random acyclic networks for the reference tests: INICIO at position
// 1, FIN and the centres at shuffled positions, connections drawn in a
// shuffled order, so collection order is never a topological order by luck.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/Red.h"
#include "support/ConstructorRed.h"

namespace vortena::prueba {

inline void RedAleatoria(Red& red, unsigned semilla) {
    std::mt19937 gen(semilla);
    auto uniforme = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(gen);
    };
    auto azar = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };

    const int centros = azar(1, 8);
    const int fin = centros + 1;                                  // rank of FIN; rank 0 is INICIO
    std::vector<int> rangoEn(static_cast<std::size_t>(fin) + 1);  // position - 1 -> rank
    for (int r = 0; r <= fin; ++r) rangoEn[static_cast<std::size_t>(r)] = r;
    std::shuffle(rangoEn.begin() + 1, rangoEn.end(), gen);

    ConstructorRed b(red);
    std::vector<std::int16_t> posicionDe(rangoEn.size());
    for (std::size_t i = 0; i < rangoEn.size(); ++i) {
        const int r = rangoEn[i];
        const std::string nombre = r == 0     ? "INICIO"
                                   : r == fin ? "FIN"
                                              : std::string("C").append(std::to_string(r));
        const std::int16_t p = b.Nodo(nombre);
        posicionDe[static_cast<std::size_t>(r)] = p;
        CentroProductivo& c = b[p];
        if (!c.EsCentro()) continue;
        c.Mu = uniforme(0.5, 5.0);
        c.W = uniforme(0.1, 3.0);
        switch (azar(0, 2)) {
            case 0:
                c.Lamda = uniforme(0.5, 5.0);
                c.Desvlamda = 1.0 / c.Lamda;
                break;  // exponential
            case 1:
                c.Lamda = uniforme(0.5, 5.0);
                c.Desvlamda = uniforme(0.1, 2.0);
                break;  // edited
            default:
                c.Lamda = 0;
                c.Desvlamda = uniforme(0.1, 2.0);
                break;
        }
        c.Servidores = static_cast<std::int16_t>(azar(1, 4));
    }
    b[posicionDe[static_cast<std::size_t>(fin)]].Salida = uniforme(1.0, 50.0);

    const double densidad = uniforme(0.2, 0.7);
    std::vector<std::pair<int, int>> enlaces;
    for (int a = 0; a < fin; ++a)
        for (int z = a + 1; z <= fin; ++z)
            if (uniforme(0, 1) < densidad) enlaces.emplace_back(a, z);
    std::shuffle(enlaces.begin(), enlaces.end(), gen);
    for (auto [a, z] : enlaces) {
        const double m = azar(0, 9) == 0 ? 0.0 : uniforme(0.1, 2.0);
        b.Conectar(posicionDe[static_cast<std::size_t>(a)], posicionDe[static_cast<std::size_t>(z)],
                   m);
    }
    red.NodoInicio = 1;
    red.NodoFin = posicionDe[static_cast<std::size_t>(fin)];
}

}  // namespace vortena::prueba
