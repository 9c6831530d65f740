#pragma once
// Cases are written once with the Spanish separators (decimal ',' and group
// '.') and run under both settings; under the English one the two marks swap.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "model/Numeros.h"

namespace vortena {
inline void PrintTo(const Regional& r, std::ostream* os) {
    *os << "decimal '" << r.decimal << "' grupo '" << r.grupo << "'";
}
}  // namespace vortena

namespace vortena::prueba {

inline std::string EnRegion(std::string_view espanol, const Regional& reg) {
    std::string s(espanol);
    if (reg == Regional::Espanol()) return s;
    for (char& c : s) {
        if (c == ',')
            c = '.';
        else if (c == '.')
            c = ',';
    }
    return s;
}

class PorRegion : public ::testing::TestWithParam<Regional> {};

inline std::string NombreRegion(const ::testing::TestParamInfo<Regional>& info) {
    return info.param.decimal == ',' ? "Coma" : "Punto";
}

}  // namespace vortena::prueba
