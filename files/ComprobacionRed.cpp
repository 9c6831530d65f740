#include "files/ComprobacionRed.h"

#include <cstdint>
#include <vector>

namespace vortena {
namespace {

std::string Nodo(int k) { return "nodo " + std::to_string(k); }
std::string Conexion(int k) { return "conexión " + std::to_string(k); }

std::optional<std::string> ProblemaEnListas(const Red& red) {
    const int nodos = red.Centros.Count();
    const int conexiones = red.Conexiones.Count();
    std::vector<int> comoEntrada(static_cast<std::size_t>(conexiones) + 1, 0);
    std::vector<int> comoSalida(static_cast<std::size_t>(conexiones) + 1, 0);

    for (int k = 1; k <= nodos; ++k) {
        const CentroProductivo& c = red.Centros(k);
        if (c.posicion != k) return Nodo(k) + " con posición " + std::to_string(c.posicion);
        if (c.tamEE < -1 || c.tamSE < -1) return Nodo(k) + ": tamaño de lista negativo";
        for (int i = 0; i <= c.tamEE; ++i) {
            const int p = c.Entrada(i);
            if (!red.Conexiones.Existe(p)) return Nodo(k) + ": entrada " + Conexion(p) + " inexistente";
            if (red.Conexiones(p).CentroFin != k)
                return Nodo(k) + ": " + Conexion(p) + " no llega a este nodo";
            ++comoEntrada[static_cast<std::size_t>(p)];
        }
        for (int i = 0; i <= c.tamSE; ++i) {
            const int p = c.SalidaLista(i);
            if (!red.Conexiones.Existe(p)) return Nodo(k) + ": salida " + Conexion(p) + " inexistente";
            if (red.Conexiones(p).CentroInicio != k)
                return Nodo(k) + ": " + Conexion(p) + " no sale de este nodo";
            ++comoSalida[static_cast<std::size_t>(p)];
        }
    }
    for (int k = 1; k <= conexiones; ++k) {
        const linea& l = red.Conexiones(k);
        if (l.posicion != k) return Conexion(k) + " con posición " + std::to_string(l.posicion);
        if (!red.Centros.Existe(l.CentroInicio) || !red.Centros.Existe(l.CentroFin))
            return Conexion(k) + " une nodos inexistentes";
        // Together with the checks above: listed once by each of its two ends.
        if (comoEntrada[static_cast<std::size_t>(k)] != 1 || comoSalida[static_cast<std::size_t>(k)] != 1)
            return Conexion(k) + " no figura exactamente una vez en cada lista";
    }
    return std::nullopt;
}

// Kahn's algorithm over the connections; what it cannot peel off is a cycle.
bool TieneCiclo(const Red& red) {
    const int nodos = red.Centros.Count();
    std::vector<int> pendientes(static_cast<std::size_t>(nodos) + 1, 0);
    for (const linea& l : red.Conexiones) ++pendientes[static_cast<std::size_t>(l.CentroFin)];
    std::vector<int> listos;
    for (int k = 1; k <= nodos; ++k)
        if (pendientes[static_cast<std::size_t>(k)] == 0) listos.push_back(k);
    int vistos = 0;
    while (!listos.empty()) {
        const int k = listos.back();
        listos.pop_back();
        ++vistos;
        const CentroProductivo& c = red.Centros(k);
        for (int i = 0; i <= c.tamSE; ++i) {
            const int fin = red.Conexiones(c.SalidaLista(i)).CentroFin;
            if (--pendientes[static_cast<std::size_t>(fin)] == 0) listos.push_back(fin);
        }
    }
    return vistos != nodos;
}

}  // namespace

std::optional<std::string> ProblemaEnRed(const Red& red) {
    if (!red.Centros.Existe(red.NodoInicio)) return "nodo de inicio inexistente";
    if (!red.Centros.Existe(red.NodoFin)) return "nodo de fin inexistente";
    if (auto p = ProblemaEnListas(red)) return p;
    if (TieneCiclo(red)) return "las conexiones forman un ciclo";
    return std::nullopt;
}

}  // namespace vortena
