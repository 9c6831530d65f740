#include "compute/Variabilidad.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "compute/OrdenTopologico.h"
#include "compute/Propagacion.h"
#include "model/ErrorAritmetico.h"

namespace vortena {
namespace {

std::size_t Ix(std::int16_t posicion) {
    return static_cast<std::size_t>(posicion);
}

double Cuadrado(double x) {
    return Multiplicar(x, x);
}

bool Distintas(double a, double b, double relativa) {
    return std::abs(a - b) > relativa * std::max(std::abs(a), std::abs(b));
}

double SalidaRequerida(const Red& red) {
    double salida = 0;
    for (const CentroProductivo& c : red.Centros)
        if (c.EsFin()) salida = c.Salida;
    return salida;
}

std::string Lista(const Red& red, const std::vector<std::int16_t>& centros) {
    constexpr std::size_t kMaximo = 10;
    std::string t;
    for (std::size_t i = 0; i < centros.size() && i < kMaximo; ++i)
        t += (i == 0 ? "" : ", ") + red.Centros(centros[i]).Nombre;
    if (centros.size() > kMaximo) t += " y " + std::to_string(centros.size() - kMaximo) + " más";
    return t;
}

}  // namespace

double CuadradoSalida(double ca2, double cs2, double u, int servidores) {
    const double u2 = u * u;
    return Finito(1.0 + (1.0 - u2) * (ca2 - 1.0) +
                  u2 * (cs2 - 1.0) / std::sqrt(static_cast<double>(servidores)));
}

double CuadradoRama(double cd2, double parte) {
    return Finito(parte * cd2 + 1.0 - parte);
}

Variabilidad CalcularVariabilidad(const Red& red) {
    const std::size_t nodos = static_cast<std::size_t>(red.Centros.Count()) + 1;
    Variabilidad r;
    r.cArribo.assign(nodos, 0.0);
    r.calculado.assign(nodos, 0);

    // Shares and weights are ratios of flows, so a unit output gives them
    // even when the end node's Salida is still 0.
    const std::vector<double> flujo = FlujoConexiones(red, 1.0);
    std::vector<double> entra(nodos, 0.0), sale(nodos, 0.0);
    for (int k = 1; k <= red.Conexiones.Count(); ++k) {
        const linea& l = red.Conexiones(k);
        const double f = flujo[static_cast<std::size_t>(k)];
        entra[Ix(l.CentroFin)] += f;
        sale[Ix(l.CentroInicio)] += f;
    }
    const double salida = SalidaRequerida(red);

    std::vector<double> salida2(nodos, 1.0);  // squared departure coefficient
    for (const std::int16_t v : OrdenTopologico(red)) {
        const CentroProductivo& c = red.Centros(v);
        if (!c.EsCentro() || !(entra[Ix(v)] > 0)) continue;
        r.hayLinea = true;
        // Rates typed by hand or rounded in a file still follow the line.
        if (Distintas(c.Lamda, entra[Ix(v)] * salida, 1e-9)) r.distintos.push_back(v);

        bool desdeInicio = false;
        double llegada2 = 0;
        for (int i = 0; i <= c.tamEE; ++i) {
            const auto k = static_cast<std::size_t>(c.Entrada(i));
            const std::int16_t desde = red.Conexiones(static_cast<int>(k)).CentroInicio;
            const CentroProductivo& x = red.Centros(desde);
            if (x.EsInicio()) {
                desdeInicio = true;
                continue;
            }
            if (!(flujo[k] > 0)) continue;
            // A stream leaving anything but a centre (a mis-drawn FIN) is
            // taken as Poisson.
            const double rama =
                x.EsCentro() ? CuadradoRama(salida2[Ix(desde)], flujo[k] / sale[Ix(desde)]) : 1.0;
            llegada2 += flujo[k] / entra[Ix(v)] * rama;
        }
        if (desdeInicio) {
            llegada2 = Cuadrado(c.Desvlamda * c.Lamda);
        } else if (c.Lamda > 0) {
            r.calculado[Ix(v)] = 1;
            r.cArribo[Ix(v)] = Finito(std::sqrt(Finito(llegada2)));
        }

        double u = 0;
        if (c.Lamda > 0) {
            const double capacidad = c.Servidores * c.Mu;
            if (!(c.Lamda < capacidad)) {
                r.saturado = v;
                r.utilizacion = capacidad > 0 ? c.Lamda / capacidad : 0;
                return r;
            }
            u = c.Lamda / capacidad;
        }
        salida2[Ix(v)] =
            CuadradoSalida(llegada2, Cuadrado(c.DesvMu * c.Mu), u, std::max<int>(1, c.Servidores));
    }
    return r;
}

bool PropagarVariabilidad(Red& red, Mensajes& mensajes, Documento& doc, const Regional& reg) {
    const auto avisar = [&](const std::string& texto) {
        mensajes.Mostrar(texto, kTituloPrograma, Botones::Aceptar, Icono::Exclamacion);
        return false;
    };
    // Every new deviation is computed before the network is touched, so a
    // stop leaves it as it was.
    Variabilidad v;
    std::vector<std::pair<int, double>> nuevas;
    try {
        v = CalcularVariabilidad(red);
        if (v.saturado == 0)
            for (int i = 1; i <= red.Centros.Count(); ++i)
                if (v.calculado[static_cast<std::size_t>(i)])
                    nuevas.emplace_back(
                        i, Dividir(v.cArribo[static_cast<std::size_t>(i)], red.Centros(i).Lamda));
    } catch (const ErrorAritmetico&) {
        return avisar(kTextoDesbordamiento);
    }
    if (v.saturado != 0) {
        const CentroProductivo& c = red.Centros(v.saturado);
        std::string texto =
            "No se puede propagar la variabilidad: el centro " + c.Nombre +
            " llega a su capacidad o la supera (λ = " + Formato(c.Lamda, "#0.###", reg) +
            ", s·μ = " + Formato(c.Servidores * c.Mu, "#0.###", reg);
        if (v.utilizacion > 0) texto += ", utilización " + Formato(v.utilizacion, "#0.###", reg);
        return avisar(texto + "). Ningún centro cambió.");
    }
    if (!v.hayLinea)
        return avisar(
            "No se puede propagar la variabilidad: ningún centro recibe flujo de INICIO a FIN.");

    bool cambio = false;
    for (const auto& [posicion, desviacion] : nuevas) {
        CentroProductivo& c = red.Centros(posicion);
        // Deviations read from a file carry 15 digits: an exponential line
        // gives back its own values up to that, which is no change.
        if (!Distintas(c.Desvlamda, desviacion, 1e-12)) continue;
        c.Desvlamda = desviacion;
        cambio = true;
    }
    if (cambio) doc.ACTBarraEstado(true);
    if (!v.distintos.empty())
        mensajes.Mostrar("Las tasas de llegada no coinciden con el flujo de la línea: " +
                             Lista(red, v.distintos) +
                             ". La variabilidad se calculó con la tasa de cada centro; "
                             "\"Propagar Lamda\" las iguala al flujo.",
                         kTituloPrograma, Botones::Aceptar, Icono::Informacion);
    return true;
}

}  // namespace vortena
