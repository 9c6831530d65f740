#pragma once
// One candidate of the genetic search: a server count per gene centre, with
// the candidate's cost, time, fitness and diversity.

#include <cstdint>
#include <span>

#include "model/Mensajes.h"
#include "model/Red.h"
#include "optimise/FuenteAleatoria.h"
#include "optimise/ListaGenes.h"

namespace vortena {

class GenCadena {
public:
    double Optimidad = 0;          // fitness; the population orders on it
    double Variancia = 0;          // sum of squared distances to the others
    std::int16_t NOptimidad = 0;   // rank weight of the fitness
    std::int16_t NVariancia = 0;   // rank weight of the diversity
    double rOptimo = 0;            // cost: servers plus time in the centres
    double rTiempo = 0;            // total time of the line
    std::int16_t nEl = 0;
    ListaGenes EL;                  // server count per gene centre
    ListaGenes FServidoresMinimos;  // minimum count per gene centre

    // Takes the current counts of the gene centres as genes and leaves each
    // centre at its minimum count, which becomes the gene's minimum. So the
    // first candidate built on a network keeps its counts, later ones get
    // the minimums.
    void Crear(Red& red, std::span<const std::int16_t> centros);

    // Every gene becomes the parent's plus 1 to delta servers.
    void mutar(const GenCadena& gs, std::int16_t delta, FuenteAleatoria& azar);

    // Uniform crossover: each gene from gs1 (draw ≤ 0.5) or gs2.
    void Mix(const GenCadena& gs1, const GenCadena& gs2, FuenteAleatoria& azar);

    // Computes the gene centres with this candidate's counts and the line's
    // PERT; leaves the network as this candidate sets it.
    void CalculaFitness(Red& red, Mensajes& mensajes, std::span<const std::int16_t> centros,
                        double TiempoDeseado);

    // Squared distance between the genes (no square root).
    double CalculaDistancia(const GenCadena& gs) const;
};

// Fitness of a candidate with total time t against the desired time T: any
// candidate faster than T ranks above every other, the rest by cheapness.
double Fitness(double t, double T, double costo);

}  // namespace vortena
