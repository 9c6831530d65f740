#include "model/Invariantes.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace vortena {

namespace {

std::string Num(int n) {
    return std::to_string(n);
}

// Walks one node list; counts how often each connection appears in it.
std::optional<std::string> RevisarLista(const Red& red, int nodo, int tam,
                                        const std::vector<std::int16_t>& lista, bool entrada,
                                        std::vector<int>& apariciones) {
    const std::string nombre = entrada ? "entradas" : "salidas";
    if (tam < -1) return "nodo " + Num(nodo) + ": tamaño de " + nombre + " " + Num(tam);
    if (static_cast<std::size_t>(tam + 1) > lista.size())
        return "nodo " + Num(nodo) + ": la lista de " + nombre + " tiene menos de " + Num(tam + 1) +
               " elementos";
    for (int i = 0; i <= tam; ++i) {
        const int c = lista[static_cast<std::size_t>(i)];
        if (!red.Conexiones.Existe(c))
            return "nodo " + Num(nodo) + ": " + nombre + " nombra la conexión inexistente " +
                   Num(c);
        const linea& l = red.Conexiones(c);
        const int extremo = entrada ? l.CentroFin : l.CentroInicio;
        if (extremo != nodo)
            return "nodo " + Num(nodo) + ": " + nombre + " nombra la conexión " + Num(c) +
                   " que no " + (entrada ? "entra en" : "sale de") + " él";
        ++apariciones[static_cast<std::size_t>(c)];
    }
    return std::nullopt;
}

// Called once the lists are known to agree with the connections: the
// nodes' own lists then give the graph, with nothing else to build.
bool HayCiclo(const Red& red) {
    const int nodos = red.Centros.Count();
    std::vector<int> entrantes(static_cast<std::size_t>(nodos) + 1, 0);
    std::vector<int> listos;
    listos.reserve(static_cast<std::size_t>(nodos));
    for (int n = 1; n <= nodos; ++n) {
        entrantes[static_cast<std::size_t>(n)] = red.Centros(n).tamEE + 1;
        if (red.Centros(n).tamEE < 0) listos.push_back(n);
    }
    // `listos` doubles as the queue: everything before `i` is placed.
    for (std::size_t i = 0; i < listos.size(); ++i) {
        const CentroProductivo& c = red.Centros(listos[i]);
        for (int k = 0; k <= c.tamSE; ++k) {
            const int m = red.Conexiones(c.SalidaLista(k)).CentroFin;
            if (--entrantes[static_cast<std::size_t>(m)] == 0) listos.push_back(m);
        }
    }
    return static_cast<int>(listos.size()) != nodos;
}

}  // namespace

std::optional<std::string> ComprobarInvariantes(const Red& red) {
    const int nodos = red.Centros.Count();
    const int conexiones = red.Conexiones.Count();
    for (int i = 1; i <= nodos; ++i)
        if (red.Centros(i).posicion != i)
            return "el nodo " + Num(i) + " tiene posicion " + Num(red.Centros(i).posicion);
    for (int j = 1; j <= conexiones; ++j)
        if (red.Conexiones(j).posicion != j)
            return "la conexión " + Num(j) + " tiene posicion " + Num(red.Conexiones(j).posicion);

    // Twin connections are rare: one sort tells whether any exist, and only
    // then the walk below names the first in file order.
    std::vector<std::uint32_t> claves;
    claves.reserve(static_cast<std::size_t>(conexiones));
    const auto clave = [](std::int16_t n) { return static_cast<std::uint32_t>(std::uint16_t(n)); };
    for (const linea& l : red.Conexiones)
        claves.push_back(clave(l.CentroInicio) << 16 | clave(l.CentroFin));
    std::sort(claves.begin(), claves.end());
    const bool hayGemelas = std::adjacent_find(claves.begin(), claves.end()) != claves.end();
    std::set<std::pair<int, int>> pares;
    for (int j = 1; j <= conexiones; ++j) {
        const linea& l = red.Conexiones(j);
        if (!red.Centros.Existe(l.CentroInicio) || !red.Centros.Existe(l.CentroFin))
            return "la conexión " + Num(j) + " une nodos inexistentes " + Num(l.CentroInicio) +
                   " → " + Num(l.CentroFin);
        if (hayGemelas && !pares.insert({l.CentroInicio, l.CentroFin}).second)
            return "dos conexiones unen " + Num(l.CentroInicio) + " → " + Num(l.CentroFin);
    }

    std::vector<int> enEntradas(static_cast<std::size_t>(conexiones) + 1, 0);
    std::vector<int> enSalidas(static_cast<std::size_t>(conexiones) + 1, 0);
    for (int i = 1; i <= nodos; ++i) {
        const CentroProductivo& c = red.Centros(i);
        if (auto e = RevisarLista(red, i, c.tamEE, c.ListaEntradas(), true, enEntradas)) return e;
        if (auto e = RevisarLista(red, i, c.tamSE, c.ListaSalidas(), false, enSalidas)) return e;
    }
    for (int j = 1; j <= conexiones; ++j) {
        if (enSalidas[static_cast<std::size_t>(j)] != 1)
            return "la conexión " + Num(j) + " figura " +
                   Num(enSalidas[static_cast<std::size_t>(j)]) +
                   " veces en las salidas de su origen";
        if (enEntradas[static_cast<std::size_t>(j)] != 1)
            return "la conexión " + Num(j) + " figura " +
                   Num(enEntradas[static_cast<std::size_t>(j)]) +
                   " veces en las entradas de su destino";
    }

    if (HayCiclo(red)) return "las conexiones forman un ciclo";
    if (!red.Centros.Existe(red.NodoInicio))
        return "NodoInicio " + Num(red.NodoInicio) + " no es un nodo";
    if (!red.Centros.Existe(red.NodoFin)) return "NodoFin " + Num(red.NodoFin) + " no es un nodo";
    return std::nullopt;
}

std::optional<std::string> ComprobarNodosExtremos(const Red& red) {
    int inicios = 0;
    int fines = 0;
    for (const CentroProductivo& c : red.Centros) {
        if (c.EsInicio()) ++inicios;
        if (c.EsFin()) ++fines;
    }
    if (inicios != 1) return "hay " + Num(inicios) + " nodos INICIO";
    if (fines != 1) return "hay " + Num(fines) + " nodos FIN";
    if (!red.Centros(1).EsInicio()) return "el nodo 1 no es INICIO";
    for (const linea& l : red.Conexiones) {
        if (!red.Centros.Existe(l.CentroInicio) || !red.Centros.Existe(l.CentroFin))
            return "la conexión " + Num(l.posicion) + " une nodos inexistentes";
        if (red.Centros(l.CentroInicio).EsFin())
            return "la conexión " + Num(l.posicion) + " sale de FIN";
        if (red.Centros(l.CentroFin).EsInicio())
            return "la conexión " + Num(l.posicion) + " entra en INICIO";
    }
    return std::nullopt;
}

std::optional<std::string> AvisoExtremosRepetidos(const Red& red) {
    std::string aviso;
    for (const char* nombre : {"INICIO", "FIN"}) {
        std::vector<int> posiciones;
        for (const CentroProductivo& c : red.Centros)
            if (c.Nombre == nombre) posiciones.push_back(c.posicion);
        if (posiciones.size() < 2) continue;
        std::string lista;
        for (std::size_t i = 0; i < posiciones.size(); ++i)
            lista += (i == 0 ? "" : i + 1 == posiciones.size() ? " y " : ", ") + Num(posiciones[i]);
        aviso += std::string(aviso.empty() ? "" : "\n") + "La red tiene " +
                 Num(static_cast<int>(posiciones.size())) + " nodos llamados «" + nombre +
                 "» (posiciones " + lista + "): " +
                 (std::string(nombre) == "FIN"
                      ? "los cálculos toman el caudal pedido del último."
                      : "los cálculos parten solo del que está en la posición 1.") +
                 " Deje un solo nodo «" + nombre + "» y cambie el nombre de los demás.";
    }
    if (aviso.empty()) return std::nullopt;
    return aviso;
}

}  // namespace vortena
