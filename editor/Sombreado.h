#pragma once
// Per-centre information painted over the diagram while a results window is
// open (utilisation, simulation agreement, criticality): a fill colour for the
// box and a small coloured mark in its top-right corner. Several windows may
// each hold a layer; the editor keeps them by key and never stores them in the
// network.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editor/Superficie.h"

namespace vortena {

struct MarcaCentro {
    Color color;
    std::string texto;  // short, drawn beside the mark; may be empty
};

struct Sombreado {
    std::map<std::int16_t, Color> relleno;      // by centre position
    std::map<std::int16_t, MarcaCentro> marca;  // by centre position
    std::string tituloLeyenda;
    std::vector<std::pair<Color, std::string>> leyenda;  // colour swatch and its meaning
};

// Layers in the order they were set; a later layer's fill covers an earlier's.
class CapasSombreado {
public:
    void Poner(const std::string& clave, Sombreado s);
    void Quitar(const std::string& clave);
    bool Vacia() const { return capas_.empty(); }
    const std::vector<std::pair<std::string, Sombreado>>& Todas() const { return capas_; }
    // The fill of a centre, from the latest layer that has one.
    const Color* Relleno(std::int16_t posicion) const;

private:
    std::vector<std::pair<std::string, Sombreado>> capas_;
};

}  // namespace vortena
