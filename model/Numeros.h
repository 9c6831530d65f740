#pragma once
// Every conversion between numbers and text goes through here. The regional
// settings are a value passed in, never read from the process locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vortena {

struct Regional {
    char decimal = ',';
    char grupo = '.';

    static Regional Espanol() { return {',', '.'}; }
    static Regional Ingles() { return {'.', ','}; }
    // Derived from LC_ALL / LC_NUMERIC / LANG values such as "es_AR.UTF-8":
    // "," for Spanish, German, French, Italian and Portuguese, "." otherwise.
    static Regional DesdeNombreLocale(std::string_view nombre);
    bool operator==(const Regional&) const = default;
};

// Display pattern: '0' required digit, '#' optional digit, one '.' as the
// decimal point of the pattern, any other character literal ("$ #0.00").
// Decimals are rounded half away from zero as the value reads in decimal; a
// value that rounds to zero carries no minus sign; no grouping.
std::string Formato(double valor, std::string_view patron, const Regional& reg);

// General text: shortest form with at most 15 significant digits, no trailing
// zeros, no separator for whole values. Exponent form ("1E+15", "1,5E-05")
// when the decimal exponent is >= 15 or < -4... see Numeros.cpp for the rule.
std::string TextoGeneral(double valor, const Regional& reg);
// The same with at most 7 significant digits (single-precision values).
std::string TextoGeneralSimple(float valor, const Regional& reg);
// General text with the sign position: a leading blank for non-negative values.
std::string TextoConSigno(double valor, const Regional& reg);

// Locale-aware parse of a whole text: optional blanks around, optional sign,
// digits with group separators in the integer part, the locale's decimal
// separator, optional exponent. std::nullopt when it is not a number.
std::optional<double> LeerNumero(std::string_view texto, const Regional& reg);

// Parse of a file value: both ',' and '.' are read as the decimal separator,
// no grouping accepted. std::nullopt when it is not a number.
std::optional<double> LeerNumeroArchivo(std::string_view texto);

// Prefix parse: leading blanks skipped, '.' is always the decimal point,
// reading stops at the first character that cannot continue a number;
// 0 for an empty or non-numeric text.
double Val(std::string_view texto);

// Round half to even to a 16-bit integer; throws ErrorAritmetico when the
// value is NaN or outside -32768..32767.
std::int16_t AEntero16(double valor);

// Round half to even (no range check) for values known to fit.
double RedondearPar(double valor);

}  // namespace vortena
