#pragma once
// The layered network the benchmarks share: INICIO feeding every centre of
// the first layer, each centre joined to `enlaces` centres of the next layer,
// every centre of the last layer feeding FIN. Its number of paths grows as
// enlaces^capas, so only computations linear in its size finish on it.

#include <algorithm>
#include <cstdint>

#include "model/Red.h"

namespace vortena {

inline Red RedEnCapas(int capas = 100, int ancho = 100, int enlaces = 3) {
    Red red;
    enlaces = std::clamp(enlaces, 1, ancho);
    red.Centros.Reservar(capas * ancho + 2);
    red.Conexiones.Reservar((capas - 1) * ancho * enlaces + 2 * ancho);

    auto nodo = [&](const char* nombre, int columna, int fila, bool centro) -> CentroProductivo& {
        CentroProductivo& c = red.Centros.Agregar();
        if (centro) c.predeterminado();
        c.Nombre = nombre;
        c.posicion = static_cast<std::int16_t>(red.Centros.Count());
        c.x1 = 500.0f + 1500.0f * static_cast<float>(columna);
        c.x2 = c.x1 + 1000.0f;
        c.y1 = 500.0f + 1200.0f * static_cast<float>(fila);
        c.y2 = c.y1 + (centro ? 1000.0f : 700.0f);
        c.tamEE = -1;
        c.tamSE = -1;
        return c;
    };
    auto conectar = [&](std::int16_t desde, std::int16_t hasta) {
        CentroProductivo& a = red.Centros(desde);
        CentroProductivo& b = red.Centros(hasta);
        linea& l = red.Conexiones.Agregar();
        l.posicion = static_cast<std::int16_t>(red.Conexiones.Count());
        l.CentroInicio = desde;
        l.CentroFin = hasta;
        l.multiplicador = 1.0;
        l.x1 = a.x2;
        l.y1 = a.y1 + (a.y2 - a.y1) / 2;
        l.x2 = b.x1 - 160;
        l.y2 = b.y1 + (b.y2 - b.y1) / 2;
        a.AgregarSalida(l.posicion);
        b.AgregarEntrada(l.posicion);
    };

    nodo("INICIO", 0, ancho / 2, false);
    for (int k = 0; k < capas; ++k)
        for (int j = 0; j < ancho; ++j) nodo("Sin nombre", k + 1, j, true);
    CentroProductivo& fin = nodo("FIN", capas + 1, ancho / 2, false);
    fin.Salida = 20.0;

    // Centre j of layer k (0-based) sits at position 2 + k*ancho + j.
    auto centro = [&](int k, int j) { return static_cast<std::int16_t>(2 + k * ancho + j); };
    for (int j = 0; j < ancho; ++j) conectar(1, centro(0, j));
    for (int k = 0; k + 1 < capas; ++k)
        for (int j = 0; j < ancho; ++j)
            for (int d = 0; d < enlaces; ++d)
                conectar(centro(k, j), centro(k + 1, (j + d) % ancho));
    for (int j = 0; j < ancho; ++j) conectar(centro(capas - 1, j), fin.posicion);

    red.NodoInicio = 1;
    red.NodoFin = fin.posicion;
    return red;
}

}  // namespace vortena
