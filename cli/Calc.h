#pragma once
// vortena-calc: opens a network file and applies the given steps in order,
// as the menu commands do, without a window.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/Numeros.h"

namespace vortena::calc {

inline constexpr int kSalidaBien = 0;
inline constexpr int kSalidaArchivo = 1;  // the file could not be read or written
inline constexpr int kSalidaError = 1;    // a step reported an error
inline constexpr int kSalidaUso = 2;      // wrong usage

// The locale name the regional settings follow by default: the first
// non-empty of LC_ALL, LC_NUMERIC and LANG (empty when none is set).
std::string LocaleDelEntorno();

// Runs the tool on the arguments that follow the program name. The default
// regional settings are those of `locale` (a name such as "es_AR.UTF-8").
int EjecutarCalc(const std::vector<std::string>& args, const std::string& locale, std::ostream& out,
                 std::ostream& err);

}  // namespace vortena::calc
