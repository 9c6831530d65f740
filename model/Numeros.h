#pragma once
// Every conversion between numbers and text goes through here. The regional
// settings are a value passed in, never read from the process locale.

#include <cstdint>
#include <limits>
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
// Literal text stands before or after the run of digit placeholders.
// Integer part: at least as many digits as there are '0's before the point.
// Decimals: at most as many as placeholders after the point, at least as many
// as '0's there; trailing zeros beyond that are dropped, and so is the
// separator when no decimal remains ("#0.##": 3 -> "3", 3.5 -> "3,5").
// Rounding is half away from zero on the value's 15-digit decimal text, so
// 2.675 with "0.00" gives "2,68". A value that rounds to zero carries no
// minus sign; no grouping. NaN and infinities give "NaN", "Inf", "-Inf". An
// empty pattern gives TextoGeneral.
std::string Formato(double valor, std::string_view patron, const Regional& reg);

// General text: shortest form with at most 15 significant digits, no trailing
// zeros, no separator for whole values. Let e be the decimal exponent of the
// value after rounding to 15 digits (1234.5 has e = 3). Exponent form when
// e >= 15 or e <= -5: the shortest mantissa, "E", the sign and at least two
// digits ("1E+15", "1,5E-05"); plain form otherwise (99999999999999.9,
// 0,0001). 0 gives "0", NaN and infinities "NaN", "Inf", "-Inf".
std::string TextoGeneral(double valor, const Regional& reg);
// The same with at most 7 significant digits, exponent form when e >= 7 or
// e <= -5 ("1,234568E+07", "1000000").
std::string TextoGeneralSimple(float valor, const Regional& reg);
// General text with the sign position: a leading blank for non-negative values.
std::string TextoConSigno(double valor, const Regional& reg);

// The one rule for a number typed by the user (a window's field, a batch
// step's option): optional blanks around, optional sign, digits, the locale's
// decimal separator, optional exponent "E"/"e" with sign. The other separator
// is never read: in a Spanish locale "1.5" is refused rather than grouped into
// 15, since a separator typed by habit would silently scale the value.
// std::nullopt when it is not a number or its value overflows; an underflow
// reads as 0.
std::optional<double> LeerNumero(std::string_view texto, const Regional& reg);

// Why LeerNumero refuses a text, as one sentence for the user that names the
// expected form ("Use la coma decimal: 1,5"); empty when the text is a number.
std::string MotivoNoNumero(std::string_view texto, const Regional& reg);

// The values a setting admits: a range with open or closed ends, whole
// numbers only, or whole multiples of a step.
struct Admisible {
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
    bool minAbierto = false;
    bool maxAbierto = false;
    bool entero = false;
    int multiplo = 1;  // with `entero`: the value must be a multiple of it

    static constexpr Admisible Entero(double min, double max) {
        return {min, max, false, false, true, 1};
    }
    // A number strictly above `min` (a time, a rate).
    static constexpr Admisible Positivo(double min = 0) {
        return {min, std::numeric_limits<double>::infinity(), true, false, false, 1};
    }

    bool Admite(double v) const;
    // "un entero de 2 a 1000", "un número mayor que 0 y menor que 1",
    // "un múltiplo de 4 de 8 a 10000", "un número".
    std::string Describir(const Regional& reg) const;
};

// A typed value read by LeerNumero and checked against what the setting
// admits: the value, or the sentence telling the user why not ("Use la coma
// decimal: 1,5", "Debe ser un entero de 2 a 1000.").
struct Lectura {
    std::optional<double> valor;
    std::string motivo;
};
Lectura LeerAdmisible(std::string_view texto, const Admisible& admisible, const Regional& reg);

// Parse of a file value: both ',' and '.' are read as the decimal separator,
// no grouping accepted. std::nullopt when it is not a number.
std::optional<double> LeerNumeroArchivo(std::string_view texto);

// The shortcut for most lines of a network file: a whole number of at most
// nine digits with an optional '-', nothing else ("-0" excluded, it keeps its
// sign as a double). False for any other text, which LeerNumeroArchivo then
// reads; where this reads, the value is the one LeerNumeroArchivo gives.
bool LeerEnteroCortoArchivo(std::string_view texto, int& valor);

// Prefix parse: leading blanks skipped, optional sign, '.' is always the
// decimal point, optional exponent; reading stops at the first character that
// cannot continue a number ("12abc" -> 12, "3.7.1" -> 3.7, "1E" -> 1); 0 for
// an empty or non-numeric text. A value beyond the double range gives an
// infinity, which AEntero16 refuses.
double Val(std::string_view texto);

// Round half to even to a 16-bit integer; throws ErrorAritmetico when the
// value is NaN or outside -32768..32767.
std::int16_t AEntero16(double valor);

// Round half to even (no range check) for values known to fit.
double RedondearPar(double valor);

}  // namespace vortena
