#include "simulate/Linea.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

#include "compute/OrdenTopologico.h"
#include "compute/Propagacion.h"
#include "model/Documento.h"
#include "model/ErrorAritmetico.h"
#include "compute/CopiaRed.h"

namespace vortena {

std::string AvisoTasas(const std::vector<std::string>& nombres) {
    if (nombres.empty()) return {};
    constexpr std::size_t kMostrados = 10;
    std::string texto = "Las tasas de llegada no coinciden con el flujo de la línea: ";
    for (std::size_t i = 0; i < nombres.size() && i < kMostrados; ++i) {
        if (i > 0) texto += ", ";
        texto += nombres[i];
    }
    if (nombres.size() > kMostrados) {
        texto += " y ";
        texto += std::to_string(nombres.size() - kMostrados);
        texto += " más";
    }
    return texto;
}

namespace sim {
namespace {

std::size_t Ix(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

Linea ConstruirLinea(const Red& red) {
    const int n = red.Centros.Count();
    int inicios = 0, fines = 0;
    for (const CentroProductivo& c : red.Centros) {
        inicios += c.EsInicio() ? 1 : 0;
        fines += c.EsFin() ? 1 : 0;
    }
    if (inicios == 0 || fines == 0)
        throw ErrorLinea("La línea necesita un nodo INICIO y un nodo FIN para simularse");

    // The editor refuses cycles, but a file written elsewhere may hold one;
    // the order leaves out the nodes on or below it.
    const std::vector<std::int16_t> orden = OrdenTopologico(red);
    if (static_cast<int>(orden.size()) < n) {
        std::vector<char> ordenado(Ix(n) + 1, 0);
        for (std::int16_t v : orden) ordenado[Ix(v)] = 1;
        std::string nombre;
        for (int i = 1; i <= n && nombre.empty(); ++i)
            if (!ordenado[Ix(i)]) nombre = red.Centros(i).Nombre;
        throw ErrorLinea("La línea tiene un ciclo (pasa por " + nombre +
                         "): las unidades no tendrían salida y no se puede simular");
    }

    Red copia = CopiarRed(red);
    SinDocumento doc;
    try {
        PropagarFlujo(copia, doc);
    } catch (const ErrorAritmetico&) {
        throw ErrorLinea("El flujo de la línea desborda: no se puede simular");
    }

    // A connection's flow is its part of its end node's inflow times that
    // node's rate, which is how the propagation shares the rates back.
    std::vector<double> entrada(Ix(n) + 1, 0.0), flujoConexion(Ix(red.Conexiones.Count()) + 1, 0.0);
    for (int k = 1; k <= copia.Conexiones.Count(); ++k) {
        const linea& l = copia.Conexiones(k);
        if (copia.Centros.Existe(l.CentroFin) && l.multReal > 0)
            entrada[Ix(l.CentroFin)] += l.multReal;
    }
    for (int k = 1; k <= copia.Conexiones.Count(); ++k) {
        const linea& l = copia.Conexiones(k);
        if (!copia.Centros.Existe(l.CentroFin) || !(l.multReal > 0)) continue;
        const double parte = l.multReal / entrada[Ix(l.CentroFin)];
        const CentroProductivo& fin = copia.Centros(l.CentroFin);
        const double f = parte * (fin.EsFin() ? fin.Salida : fin.Lamda);
        flujoConexion[Ix(k)] = std::isfinite(f) && f > 0 ? f : 0.0;
    }

    Linea linea;
    linea.nodoDeCentro.assign(Ix(n), -1);
    for (std::int16_t v : orden) {
        const CentroProductivo& c = copia.Centros(v);
        if (!c.EsCentro() || !(c.Lamda > 0)) continue;
        const CentroProductivo& original = red.Centros(v);
        NodoLinea nodo;
        nodo.indice = v;
        nodo.posicion = c.posicion;
        nodo.servidores = original.Servidores;
        nodo.mu = original.Mu;
        nodo.desvMu = original.DesvMu;
        nodo.flujo = c.Lamda;
        if (!(nodo.mu > 0) || !std::isfinite(nodo.mu) || !(nodo.desvMu >= 0) ||
            !std::isfinite(nodo.desvMu))
            throw ErrorLinea("El centro " + c.Nombre +
                             " no tiene una tasa de servicio válida: no se puede simular");
        if (nodo.servidores < 1 || nodo.flujo >= nodo.servidores * nodo.mu)
            throw ErrorLinea("El centro " + c.Nombre +
                             " es inestable: la línea le envía tantas unidades como puede "
                             "atender o más, y su cola crecería sin límite");
        linea.nodoDeCentro[Ix(v) - 1] = static_cast<int>(linea.nodos.size());
        linea.nodos.push_back(std::move(nodo));
    }
    for (const NodoLinea& nodo : linea.nodos) {
        const CentroProductivo& c = red.Centros(nodo.indice);
        if (std::fabs(c.Lamda - nodo.flujo) > 1e-9 * nodo.flujo)
            linea.tasasDistintas.push_back(c.Nombre);
    }
    // Keep the collection order for the message.
    std::vector<std::string> distintas;
    for (const CentroProductivo& c : red.Centros)
        if (std::find(linea.tasasDistintas.begin(), linea.tasasDistintas.end(), c.Nombre) !=
            linea.tasasDistintas.end())
            distintas.push_back(c.Nombre);
    linea.tasasDistintas = std::move(distintas);

    // Where units go: the outgoing connections that carry flow, by share.
    const auto destino = [&](std::int16_t fin) -> std::optional<int> {
        if (!red.Centros.Existe(fin)) return std::nullopt;
        if (red.Centros(fin).EsFin()) return kFin;
        const int nodo = linea.nodoDeCentro[Ix(fin) - 1];
        if (nodo < 0) return std::nullopt;
        return nodo;
    };
    for (NodoLinea& nodo : linea.nodos) {
        const CentroProductivo& c = red.Centros(nodo.indice);
        double total = 0;
        std::vector<std::pair<int, double>> salidas;
        for (int i = 0; i <= c.tamSE; ++i) {
            const int k = c.SalidaLista(i);
            if (!red.Conexiones.Existe(k) || !(flujoConexion[Ix(k)] > 0)) continue;
            const auto d = destino(red.Conexiones(k).CentroFin);
            if (!d) continue;
            salidas.emplace_back(*d, flujoConexion[Ix(k)]);
            total += flujoConexion[Ix(k)];
        }
        if (salidas.empty()) salidas.emplace_back(kFin, total = 1);
        double acumulada = 0;
        for (const auto& [d, f] : salidas) {
            acumulada += f;
            nodo.destinos.push_back(d);
            nodo.acumulada.push_back(acumulada / total);
        }
        nodo.acumulada.back() = 1;
        nodo.bitsRuta = salidas.size() > 1 ? std::bit_width(salidas.size() - 1) : 0;
    }
    for (const CentroProductivo& c : red.Centros) {
        if (!c.EsInicio()) continue;
        for (int i = 0; i <= c.tamSE; ++i) {
            const int k = c.SalidaLista(i);
            if (!red.Conexiones.Existe(k) || !(flujoConexion[Ix(k)] > 0)) continue;
            const std::int16_t fin = red.Conexiones(k).CentroFin;
            const auto d = destino(fin);
            if (!d) continue;
            FuenteLinea f;
            f.destino = *d;
            f.tasa = flujoConexion[Ix(k)];
            const CentroProductivo& alimentado = red.Centros(fin);
            const double cv = alimentado.Desvlamda * alimentado.Lamda;
            f.cv = alimentado.EsCentro() && std::isfinite(cv) && cv >= 0 && alimentado.Lamda > 0
                       ? cv
                       : 1.0;
            linea.fuentes.push_back(f);
            linea.flujoTotal += f.tasa;
        }
    }
    if (linea.fuentes.empty() || !(linea.flujoTotal > 0))
        throw ErrorLinea(
            "Ninguna unidad llega a FIN desde INICIO: revise las conexiones y la "
            "salida de FIN");

    // Longest route in centres, for the per-unit records of visits.
    std::vector<int> largo(linea.nodos.size(), 0);
    for (const FuenteLinea& f : linea.fuentes)
        if (f.destino != kFin) largo[Ix(f.destino)] = std::max(largo[Ix(f.destino)], 1);
    for (std::size_t i = 0; i < linea.nodos.size(); ++i) {
        linea.caminoMax = std::max(linea.caminoMax, largo[i]);
        for (int d : linea.nodos[i].destinos)
            if (d != kFin) largo[Ix(d)] = std::max(largo[Ix(d)], largo[i] + 1);
    }
    return linea;
}

}  // namespace sim
}  // namespace vortena
