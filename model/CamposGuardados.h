#pragma once
// The fields of a node or connection record that a saved file holds, as the
// undo history reads and writes them: numbered numeric fields (floats,
// doubles and 16-bit integers, all exact in a double), and which of them
// name another record (so that a removal renumbers them). A node's name,
// description and connection lists are handled apart.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/CentroProductivo.h"
#include "model/linea.h"

namespace vortena {

// What a numeric field refers to: nothing, a node position or a connection
// position.
enum class Referencia : std::uint8_t { Ninguna, Centro, Conexion };

template <class T>
struct CamposGuardados;

template <>
struct CamposGuardados<CentroProductivo> {
    using C = CentroProductivo;
    static constexpr std::array<float C::*, 4> flotantes{&C::x1, &C::x2, &C::y1, &C::y2};
    static constexpr std::array<double C::*, 8> dobles{
        &C::Lamda,       &C::Mu,        &C::Probabilidad, &C::CostoEspera,
        &C::CostoCentro, &C::Desvlamda, &C::DesvMu,       &C::Salida};
    static constexpr std::array<std::int16_t C::*, 2> enteros{&C::Servidores, &C::posicion};
    static constexpr std::array<Referencia, 2> referencias{Referencia::Ninguna, Referencia::Centro};
};

template <>
struct CamposGuardados<linea> {
    using L = linea;
    static constexpr std::array<float L::*, 4> flotantes{&L::x1, &L::x2, &L::y1, &L::y2};
    static constexpr std::array<double L::*, 1> dobles{&L::multiplicador};
    static constexpr std::array<std::int16_t L::*, 3> enteros{&L::posicion, &L::CentroInicio,
                                                              &L::CentroFin};
    static constexpr std::array<Referencia, 3> referencias{Referencia::Conexion, Referencia::Centro,
                                                           Referencia::Centro};
};

// Numeric field `id` (floats first, then doubles, then integers).
template <class T>
struct Campo {
    using K = CamposGuardados<T>;
    static constexpr std::size_t kF = K::flotantes.size();
    static constexpr std::size_t kD = K::dobles.size();
    static constexpr std::size_t kCuantos = kF + kD + K::enteros.size();

    static double Leer(const T& r, std::size_t id) {
        if (id < kF) return r.*K::flotantes[id];
        if (id < kF + kD) return r.*K::dobles[id - kF];
        return r.*K::enteros[id - kF - kD];
    }
    static void Escribir(T& r, std::size_t id, double v) {
        if (id < kF)
            r.*K::flotantes[id] = static_cast<float>(v);
        else if (id < kF + kD)
            r.*K::dobles[id - kF] = v;
        else
            r.*K::enteros[id - kF - kD] = static_cast<std::int16_t>(v);
    }
    static Referencia Refiere(std::size_t id) {
        return id < kF + kD ? Referencia::Ninguna : K::referencias[id - kF - kD];
    }
};

}  // namespace vortena
