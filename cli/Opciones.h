#pragma once
// The one reader of the options that follow a batch step ("simular
// --replicas 20 --semilla 3"). A step declares its options in a table, one
// row per option: name, kind, admitted values and help text. The reader does
// the rest the same way for every step: unknown and repeated options, values
// read through the number module's strict rule (the user's decimal separator
// only, never a group separator), ranges, the error texts and the usage
// lines. The step then only takes the values it was given:
//
//     constexpr Opcion kOpciones[] = {
//         {"--replicas", Clase::Numero, "R", Admisible::Entero(2, 1000), "default 10"},
//         {"--cdf", Clase::Texto, "FILE", {}, "where the distribution goes"},
//     };
//     auto leidas = LeerOpciones("riesgo", kOpciones, opciones, reg);
//     if (auto* error = std::get_if<std::string>(&leidas)) ...;
//     std::get<OpcionesLeidas>(leidas).Tomar("--replicas", o.replicas);
//
// The error texts name the option and what it admits: "--delta espera un
// entero de 1 a 8", "--deseado espera un número mayor que 0; use la coma
// decimal: 1,5", "opción desconocida --x de simular", "--delta repetida",
// "--replicas y --precision no van juntas".

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "model/Numeros.h"

namespace vortena::calc {

enum class Clase {
    Numero,       // read by LeerNumero, checked against `admite`
    Texto,        // any non-empty text (a file name)
    Palabra,      // one of the words of `palabras`
    Interruptor,  // a switch: given or not, no value
    Retirada,     // an option that no longer exists: refused with `ayuda` as the text
};

struct Opcion {
    std::string_view nombre;  // "--replicas"
    Clase clase = Clase::Numero;
    std::string_view valor;  // the value's name in the usage ("R", "FILE")
    Admisible admite{};      // Numero: the values admitted
    std::string_view ayuda;  // one line of usage ("default 10")
    // Palabra: the words, "|"-separated ("gamma|lognormal"). Numero: words
    // admitted besides a number ("auto").
    std::string_view palabras{};
    std::string_view excluye{};  // an option that may not be given with this one
};

// Joins the tables of two steps when one takes the other's options.
template <std::size_t A, std::size_t B>
constexpr std::array<Opcion, A + B> UnirOpciones(const std::array<Opcion, A>& a,
                                                 const std::array<Opcion, B>& b) {
    std::array<Opcion, A + B> r{};
    for (std::size_t i = 0; i < A; ++i) r[i] = a[i];
    for (std::size_t i = 0; i < B; ++i) r[A + i] = b[i];
    return r;
}

// The values given, by option name.
class OpcionesLeidas {
public:
    struct Valor {
        std::string_view nombre;
        std::string texto;             // as typed
        std::optional<double> numero;  // Numero options given a number
    };

    bool Tiene(std::string_view nombre) const { return Buscar(nombre) != nullptr; }
    // The typed text of an option, when given.
    std::optional<std::string> Texto(std::string_view nombre) const;
    // Sets `destino` when the option was given: a number converted to its
    // type, or for a text destination the typed text.
    template <class T>
    void Tomar(std::string_view nombre, T& destino) const {
        const Valor* v = Buscar(nombre);
        if (v == nullptr) return;
        if constexpr (std::is_same_v<T, std::string> ||
                      std::is_same_v<T, std::optional<std::string>>) {
            destino = v->texto;
        } else {
            if (v->numero) destino = static_cast<T>(*v->numero);
        }
    }

    std::vector<Valor> valores;

private:
    const Valor* Buscar(std::string_view nombre) const;
};

// Reads the "--name=value" lines the command line gathered after step
// `paso`. The values, or a usage error text.
std::variant<OpcionesLeidas, std::string> LeerOpciones(std::string_view paso,
                                                       std::span<const Opcion> tabla,
                                                       const std::string& opciones,
                                                       const Regional& reg);

// The usage lines of a table, one per option ("--replicas R" and its help),
// each starting with `sangria` blanks.
std::string UsoOpciones(std::span<const Opcion> tabla, std::size_t sangria);

}  // namespace vortena::calc
