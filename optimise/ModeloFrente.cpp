#include "optimise/ModeloFrente.h"

#include <limits>

#include "compute/CopiaRed.h"
#include "compute/Pert.h"
#include "optimise/CentrosGen.h"
#include "optimise/GenCadena.h"
#include "optimise/MensajesOptimizacion.h"

namespace vortena {

namespace {

constexpr const char* kPrefijoFallo = "No se puede buscar el frente costo–tiempo: ";

// The computation the genetic search runs before it opens: every centre,
// then the PERT. The reason of a failure, or an empty text.
std::string CalcularComoGenetica(Red& copia, MensajesCallados& callados) {
    copia.ErrorCalculo = false;
    for (CentroProductivo& c : copia.Centros) {
        if (!c.EsCentro()) continue;
        callados.textos.clear();
        c.Calculos(copia.ErrorCalculo, callados);
        if (copia.ErrorCalculo) {
            const std::string motivo =
                callados.textos.empty() ? kTextoDesbordamiento : callados.textos.back();
            return "el centro «" + c.Nombre + "» no se puede calcular (" + motivo + ").";
        }
    }
    if (CalcularPERT(copia, copia.NodoInicio, copia.NodoFin) == 0)
        return std::string(kTextoCentrosInvalidos) + ".";
    return {};
}

bool HuboDesbordamiento(const MensajesCallados& m) {
    for (const std::string& t : m.textos)
        if (t == kTextoDesbordamiento) return true;
    return false;
}

}  // namespace

std::optional<std::uint64_t> ModeloFrente::Combinaciones() const {
    constexpr std::uint64_t kTope = std::uint64_t{1} << 62;
    std::uint64_t n = 1;
    const auto base = static_cast<std::uint64_t>(extra_ + 1);
    for (std::size_t k = 0; k < genes_.size(); ++k) {
        if (n > kTope / base) return std::nullopt;
        n *= base;
    }
    return n;
}

std::vector<std::int16_t> ModeloFrente::Servidores(std::span<const std::uint8_t> digitos) const {
    std::vector<std::int16_t> s(genes_.size());
    for (std::size_t k = 0; k < genes_.size(); ++k)
        s[k] = static_cast<std::int16_t>(genes_[k].minimo + digitos[k]);
    return s;
}

// The sums and the comparisons are those of CalculaFitness and
// CalcularTemprano, in the same order, so the doubles come out identical.
EvaluacionFrente ModeloFrente::Evaluar(std::span<const std::uint8_t> digitos,
                                       std::vector<double>& valores) const {
    const std::size_t ancho = static_cast<std::size_t>(extra_) + 1;
    EvaluacionFrente r;
    double costo = 0;
    for (std::size_t k = 0; k < genes_.size(); ++k) {
        const std::size_t i = k * ancho + digitos[k];
        if (!valido_[i]) return r;
        costo = costo + espera_[i];
        costo = costo + servidores_[i];
    }
    valores.resize(iniciales_.size());
    for (std::size_t s = 0; s < iniciales_.size(); ++s) {
        const Inicial& ini = iniciales_[s];
        valores[s] = ini.gen < 0 ? ini.fijo
                                 : w_[static_cast<std::size_t>(ini.gen) * ancho +
                                      digitos[static_cast<std::size_t>(ini.gen)]];
    }
    double fin = 0;
    for (const Paso& p : pasos_) {
        double temprano = 0;
        for (std::uint32_t e = 0; e < p.nEntradas; ++e) {
            const double t = valores[indices_[p.entradas + e]];
            if (t > temprano) temprano = t;
        }
        if (p.esFin) fin = temprano;
        for (std::uint32_t e = 0; e < p.nSalidas; ++e) {
            double& v = valores[indices_[p.salidas + e]];
            v = p.esInicio ? 0.0 : v + temprano;
        }
    }
    r.costo = costo;
    r.tiempo = fin;
    r.valida = true;
    return r;
}

std::optional<ModeloFrente> PrepararFrente(const Red& red, int extra, Mensajes& mensajes) {
    Red copia = CopiarRed(red);
    MensajesCallados callados;
    if (const std::string fallo = CalcularComoGenetica(copia, callados); !fallo.empty()) {
        mensajes.Mostrar(kPrefijoFallo + fallo, kTituloPrograma, Botones::Aceptar, Icono::Critico);
        return std::nullopt;
    }

    ModeloFrente m;
    m.extra_ = extra < 0 ? 0 : (extra > kExtraFrenteMax ? kExtraFrenteMax : extra);
    const std::vector<std::int16_t> centros = CentrosGen(copia);
    std::vector<int> genDe(static_cast<std::size_t>(copia.Centros.Count()) + 1, -1);
    for (std::int16_t pos : centros) {
        CentroProductivo minimo = copia.Centros(pos);
        bool error = false;
        minimo.ServidoresMinimos(error);
        if (error) {
            const std::string motivo =
                "el centro «" + minimo.Nombre + "» no tiene un número de servidores estable.";
            mensajes.Mostrar(kPrefijoFallo + motivo, kTituloPrograma, Botones::Aceptar,
                             Icono::Critico);
            return std::nullopt;
        }
        genDe[static_cast<std::size_t>(pos)] = static_cast<int>(m.genes_.size());
        m.genes_.push_back({pos, minimo.Nombre, minimo.Servidores, copia.Centros(pos).Servidores});
    }

    const std::size_t ancho = static_cast<std::size_t>(m.extra_) + 1;
    const std::size_t celdas = m.genes_.size() * ancho;
    m.espera_.assign(celdas, 0);
    m.servidores_.assign(celdas, 0);
    m.w_.assign(celdas, 0);
    m.valido_.assign(celdas, 0);
    for (std::size_t k = 0; k < m.genes_.size(); ++k) {
        for (std::size_t d = 0; d < ancho; ++d) {
            const int s = m.genes_[k].minimo + static_cast<int>(d);
            if (s > std::numeric_limits<std::int16_t>::max()) continue;
            CentroProductivo c = copia.Centros(m.genes_[k].posicion);
            c.Servidores = static_cast<std::int16_t>(s);
            bool error = false;
            c.Calculos(error, callados);
            if (error) continue;
            const std::size_t i = k * ancho + d;
            m.espera_[i] = c.CtoEsperaCentro;
            m.servidores_[i] = c.CtoTotalServidores;
            m.w_[i] = c.W;
            m.valido_[i] = 1;
        }
    }

    // The forward pass visits nodes in an order that depends only on the
    // connections, so one walk of the counters records it for every count.
    const int nConexiones = copia.Conexiones.Count();
    std::vector<std::int32_t> ranura(static_cast<std::size_t>(nConexiones) + 1, -1);
    auto ranuraDe = [&](std::int16_t conexion) {
        std::int32_t& r = ranura[static_cast<std::size_t>(conexion)];
        if (r < 0) {
            r = static_cast<std::int32_t>(m.iniciales_.size());
            const CentroProductivo& s = copia.Centros(copia.Conexiones(conexion).CentroInicio);
            ModeloFrente::Inicial ini;
            if (s.posicion != copia.NodoInicio) {
                ini.gen = genDe[static_cast<std::size_t>(s.posicion)];
                if (ini.gen < 0) ini.fijo = s.W;
            }
            m.iniciales_.push_back(ini);
        }
        return static_cast<std::uint32_t>(r);
    };
    std::vector<int> pendientes(static_cast<std::size_t>(copia.Centros.Count()) + 1);
    for (const CentroProductivo& c : copia.Centros)
        pendientes[static_cast<std::size_t>(c.posicion)] = c.tamEE + 1;
    std::vector<std::int16_t> listos{copia.NodoInicio};
    for (std::size_t k = 0; k < listos.size(); ++k) {
        const CentroProductivo& c = copia.Centros(listos[k]);
        ModeloFrente::Paso p;
        p.esInicio = c.posicion == copia.NodoInicio;
        p.esFin = c.posicion == copia.NodoFin;
        p.entradas = static_cast<std::uint32_t>(m.indices_.size());
        for (int i = 0; i <= c.tamEE; ++i) m.indices_.push_back(ranuraDe(c.Entrada(i)));
        p.nEntradas = static_cast<std::uint32_t>(m.indices_.size()) - p.entradas;
        p.salidas = static_cast<std::uint32_t>(m.indices_.size());
        for (int i = 0; i <= c.tamSE; ++i) {
            const std::int16_t l = c.SalidaLista(i);
            m.indices_.push_back(ranuraDe(l));
            const std::int16_t destino = copia.Conexiones(l).CentroFin;
            if (--pendientes[static_cast<std::size_t>(destino)] == 0) listos.push_back(destino);
        }
        p.nSalidas = static_cast<std::uint32_t>(m.indices_.size()) - p.salidas;
        m.pasos_.push_back(p);
    }

    GenCadena actual;
    for (const ModeloFrente::Gen& g : m.genes_) actual.EL.Agregar(g.actual);
    actual.nEl = static_cast<std::int16_t>(m.genes_.size());
    callados.textos.clear();
    actual.CalculaFitness(copia, callados, centros, 0);
    m.actual_ = {actual.rOptimo, actual.rTiempo, !HuboDesbordamiento(callados)};
    return m;
}

EvaluacionFrente EvaluarComoGenetica(const Red& red, std::span<const std::int16_t> servidores) {
    Red copia = CopiarRed(red);
    MensajesCallados callados;
    if (!CalcularComoGenetica(copia, callados).empty()) return {};
    const std::vector<std::int16_t> centros = CentrosGen(copia);
    GenCadena g;
    for (std::size_t k = 0; k < centros.size(); ++k)
        g.EL.Agregar(k < servidores.size() ? servidores[k] : copia.Centros(centros[k]).Servidores);
    g.nEl = static_cast<std::int16_t>(centros.size());
    callados.textos.clear();
    g.CalculaFitness(copia, callados, centros, 0);
    return {g.rOptimo, g.rTiempo, !HuboDesbordamiento(callados)};
}

}  // namespace vortena
