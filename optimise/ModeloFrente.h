#pragma once
// What the cost–time search evaluates. Each gene centre's cost terms and W
// depend only on its own server count, so they are computed once per count;
// the line's forward PERT pass is recorded once as a fixed replay over the
// connections it walks. A combination then costs a few table look-ups and
// one pass over a small array, and gives bit for bit what
// GenCadena::CalculaFitness gives on the network.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Mensajes.h"
#include "model/Red.h"

namespace vortena {

struct EvaluacionFrente {
    double costo = 0;
    double tiempo = 0;
    bool valida = false;  // false when some count fails to compute
};

class ModeloFrente {
public:
    struct Gen {
        std::int16_t posicion = 0;
        std::string nombre;
        std::int16_t minimo = 0;  // the minimum stable count
        std::int16_t actual = 0;  // the count the network has now
    };

    const std::vector<Gen>& genes() const { return genes_; }
    // E: gene k takes minimo + 0..E servers.
    int extra() const { return extra_; }
    // (E + 1)^n; nullopt when it passes 2^62.
    std::optional<std::uint64_t> Combinaciones() const;

    // The network as it is now, evaluated as the genetic search would.
    EvaluacionFrente actual() const { return actual_; }

    // digitos[k] in 0..E: gene k takes minimo + digitos[k] servers.
    // `valores` is scratch space the caller keeps between calls.
    EvaluacionFrente Evaluar(std::span<const std::uint8_t> digitos,
                             std::vector<double>& valores) const;

    std::vector<std::int16_t> Servidores(std::span<const std::uint8_t> digitos) const;

    // Rough work of one evaluation, in table look-ups and connection steps.
    std::size_t Tamano() const { return genes_.size() + iniciales_.size() + indices_.size(); }

private:
    friend std::optional<ModeloFrente> PrepararFrente(const Red&, int, Mensajes&);

    // Where a connection's value starts before the forward pass.
    struct Inicial {
        std::int32_t gen = -1;  // W of this gene's count, or...
        double fijo = 0;        // ...this value
    };
    struct Paso {
        std::uint32_t entradas = 0, salidas = 0;  // ranges in indices_
        std::uint32_t nEntradas = 0, nSalidas = 0;
        bool esInicio = false, esFin = false;
    };

    std::vector<Gen> genes_;
    int extra_ = 0;
    EvaluacionFrente actual_;
    // Per gene, per count offset: [k * (E + 1) + d].
    std::vector<double> espera_, servidores_, w_;
    std::vector<std::uint8_t> valido_;
    std::vector<Inicial> iniciales_;  // one per connection slot
    std::vector<Paso> pasos_;         // the forward pass, node by node
    std::vector<std::uint32_t> indices_;
};

inline constexpr int kExtraFrenteMax = 100;

// Computes a copy of `red` as the genetic search does before its run and
// builds the tables for counts minimo..minimo + extra. A network that does
// not compute, or whose PERT never reaches its end node, is told through
// `mensajes` (one box, naming the reason) and gives nullopt. `red` is not
// changed and no other box appears.
std::optional<ModeloFrente> PrepararFrente(const Red& red, int extra, Mensajes& mensajes);

// The genetic search's own evaluation: a copy of `red`, computed as the
// search computes it, with gene k (in CentrosGen order) at servidores[k],
// through GenCadena::CalculaFitness.
EvaluacionFrente EvaluarComoGenetica(const Red& red, std::span<const std::int16_t> servidores);

}  // namespace vortena
