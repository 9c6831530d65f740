#pragma once
// The steps of vortena-calc, one table that drives both the parsing of the
// command line and the usage text. A new step is one more row.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/Opciones.h"
#include "model/Documento.h"
#include "model/Mensajes.h"
#include "model/Numeros.h"
#include "model/Red.h"
#include "optimise/FuenteAleatoria.h"

namespace vortena::calc {

struct EntornoCalc {
    Red& red;
    Mensajes& mensajes;
    Documento& doc;
    Regional regional;
    std::ostream& salida;   // standard output
    FuenteAleatoria& azar;  // the run's one random source
};

// Opciones: no "=" argument; the "--name value" pairs that follow the step
// are its argument, one "--name=value" line each.
enum class Argumento { Ninguno, Opcional, Obligatorio, Opciones };

struct Paso {
    std::string_view nombre;  // as typed, before any "="
    Argumento argumento;
    std::string_view uso;    // first column of the usage text
    std::string_view ayuda;  // second column; "\n" continues it on the next line
    // Runs the step; `arg` is empty when none was given. False when a file
    // could not be written: the step has shown why and the run ends there.
    bool (*ejecutar)(EntornoCalc& e, const std::string& arg);
    // Opciones: the options the step takes, checked by LeerOpciones before
    // any step runs and listed in the usage text.
    std::span<const Opcion> opciones{};
    // What no single option can say (a limit on several together): the
    // usage error, checked with the options before any step runs.
    std::optional<std::string> (*comprobar)(const OpcionesLeidas&, const Regional&) = nullptr;
};

std::span<const Paso> Pasos();

// The usage text, built from the table.
std::string TextoUso();

}  // namespace vortena::calc
