#include "model/Numeros.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "model/ErrorAritmetico.h"

namespace vortena {

namespace {

// ---------------------------------------------------------------------------
// Writing

constexpr int kDigitosDoble = 15;
constexpr int kDigitosSimple = 7;

// A non-negative finite value rounded to a number of significant decimal
// digits: value = d[0].d[1]d[2]... x 10^exponente. Zero is "0" with exponent 0.
struct Decimal {
    std::array<char, 20> d{};
    int n = 0;  // digits held in d
    int exponente = 0;
};

Decimal Descomponer(double a, int digitos) {
    // "d.dddddde+XXX" fits easily: 1 + 1 + 16 + 1 + 1 + 3.
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, digitos - 1);
    Decimal dec;
    const char* p = buf;
    dec.d[dec.n++] = *p++;
    if (p < r.ptr && *p == '.') ++p;
    while (p < r.ptr && *p != 'e') dec.d[dec.n++] = *p++;
    ++p;  // 'e'
    bool negativo = *p == '-';
    ++p;
    int e = 0;
    while (p < r.ptr) e = e * 10 + (*p++ - '0');
    dec.exponente = negativo ? -e : e;
    return dec;
}

void AgregarNoFinito(std::string& s, double v) {
    if (std::isnan(v)) {
        s += "NaN";
    } else {
        s += v < 0 ? "-Inf" : "Inf";
    }
}

// Shortest text of a value rounded to `digitos` significant digits; exponent
// form when the rounded value's decimal exponent is >= `digitos` or <= -5.
std::string General(double v, int digitos, char separador) {
    std::string s;
    if (!std::isfinite(v)) {
        AgregarNoFinito(s, v);
        return s;
    }
    if (v == 0.0) return "0";
    if (v < 0) s += '-';
    Decimal dec = Descomponer(std::fabs(v), digitos);
    int n = dec.n;
    while (n > 1 && dec.d[n - 1] == '0') --n;
    const int e = dec.exponente;
    if (e >= digitos || e <= -5) {
        s += dec.d[0];
        if (n > 1) {
            s += separador;
            s.append(dec.d.data() + 1, n - 1);
        }
        s += 'E';
        s += e < 0 ? '-' : '+';
        const int ae = e < 0 ? -e : e;
        if (ae < 10) s += '0';
        char buf[8];
        auto r = std::to_chars(buf, buf + sizeof buf, ae);
        s.append(buf, r.ptr);
    } else if (e >= 0) {
        const int enteros = e + 1;
        for (int i = 0; i < enteros; ++i) s += i < n ? dec.d[i] : '0';
        if (n > enteros) {
            s += separador;
            s.append(dec.d.data() + enteros, n - enteros);
        }
    } else {
        s += '0';
        s += separador;
        s.append(-e - 1, '0');
        s.append(dec.d.data(), n);
    }
    return s;
}

// The parts of a display pattern. Only '0', '#' and the first '.' of the
// digit run are special; literal text may stand before and after it.
struct Patron {
    std::string_view prefijo;
    std::string_view sufijo;
    int enterosMinimos = 0;
    int decimalesMinimos = 0;
    int decimalesMaximos = 0;
    bool tieneDigitos = false;
};

bool EsMarcador(char c) {
    return c == '0' || c == '#';
}

Patron Analizar(std::string_view patron) {
    Patron p;
    std::size_t inicio = 0;
    while (inicio < patron.size() && !EsMarcador(patron[inicio]) &&
           !(patron[inicio] == '.' && inicio + 1 < patron.size() && EsMarcador(patron[inicio + 1])))
        ++inicio;
    p.prefijo = patron.substr(0, inicio);
    // A '0' forces its own position and every one to its right, so "0#"
    // shows two integer digits ("06") and "#0" one.
    std::size_t i = inicio;
    int desdePrimerCero = 0;
    while (i < patron.size() && EsMarcador(patron[i])) {
        if (patron[i] == '0' || desdePrimerCero > 0) ++desdePrimerCero;
        p.tieneDigitos = true;
        ++i;
    }
    p.enterosMinimos = desdePrimerCero;
    if (i < patron.size() && patron[i] == '.') {
        std::size_t j = i + 1;
        int marcadores = 0;
        // Likewise a decimal '0' forces every position to its left.
        while (j < patron.size() && EsMarcador(patron[j])) {
            ++marcadores;
            if (patron[j] == '0') p.decimalesMinimos = marcadores;
            ++j;
        }
        // A point followed by no placeholder is literal text.
        if (marcadores > 0) {
            p.decimalesMaximos = marcadores;
            p.tieneDigitos = true;
            i = j;
        }
    }
    p.sufijo = patron.substr(i);
    return p;
}

}  // namespace

std::string Formato(double valor, std::string_view patron, const Regional& reg) {
    if (patron.empty()) return TextoGeneral(valor, reg);
    const Patron p = Analizar(patron);
    if (!p.tieneDigitos) return std::string(patron);
    std::string s;
    if (!std::isfinite(valor)) {
        AgregarNoFinito(s, valor);
        return s;
    }

    // Round the 15-digit decimal text, not the binary value, so 2.675 reads
    // as 2.675 and its half goes up.
    Decimal dec = Descomponer(std::fabs(valor), kDigitosDoble);
    int puntos = dec.exponente + 1;  // digits before the point
    const int guardar = puntos + p.decimalesMaximos;
    int n = dec.n;
    if (guardar < 0) {
        n = 0;
    } else if (guardar < dec.n) {
        const bool sube = dec.d[guardar] >= '5';
        n = guardar;
        if (sube) {
            int k = n - 1;
            while (k >= 0 && dec.d[k] == '9') dec.d[k--] = '0';
            if (k >= 0) {
                ++dec.d[k];
            } else {
                // Carry out of the first digit: 99.96 -> 100.0.
                for (int m = n; m > 0; --m) dec.d[m] = dec.d[m - 1];
                dec.d[0] = '1';
                ++n;
                ++puntos;
            }
        }
    }
    auto digito = [&](int idx) { return idx >= 0 && idx < n ? dec.d[idx] : '0'; };

    bool cero = true;
    for (int i = 0; i < n; ++i) cero = cero && dec.d[i] == '0';

    int primero = 0;  // first significant integer digit
    while (primero < puntos && digito(primero) == '0') ++primero;
    const int enteros = puntos - primero;
    int decimales = p.decimalesMaximos;
    while (decimales > p.decimalesMinimos && digito(puntos + decimales - 1) == '0') --decimales;

    const int largoEnteros = std::max({enteros, p.enterosMinimos, 0});
    s.reserve(p.prefijo.size() + p.sufijo.size() + 2 + static_cast<std::size_t>(largoEnteros) +
              static_cast<std::size_t>(decimales));
    if (valor < 0 && !cero) s += '-';
    s += p.prefijo;
    if (enteros < p.enterosMinimos) s.append(largoEnteros - std::max(enteros, 0), '0');
    for (int i = primero; i < puntos; ++i) s += digito(i);
    if (decimales > 0) {
        s += reg.decimal;
        for (int j = 0; j < decimales; ++j) s += digito(puntos + j);
    }
    s += p.sufijo;
    return s;
}

std::string TextoGeneral(double valor, const Regional& reg) {
    return General(valor, kDigitosDoble, reg.decimal);
}

std::string TextoGeneralSimple(float valor, const Regional& reg) {
    return General(static_cast<double>(valor), kDigitosSimple, reg.decimal);
}

std::string TextoConSigno(double valor, const Regional& reg) {
    std::string s = TextoGeneral(valor, reg);
    if (valor >= 0) s.insert(s.begin(), ' ');
    return s;
}

// ---------------------------------------------------------------------------
// Reading

namespace {

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

struct Reglas {
    char decimal;
    char decimalAlterno;  // equal to `decimal` when only one is accepted
    char grupo;           // '\0': no grouping
};

// The longest number at the start of a text, copied into `out` in the form
// std::from_chars reads ("123.45e-6", unsigned). Reading stops at the first
// character that cannot continue the number; an exponent mark counts only
// when digits follow it.
struct Escaneo {
    bool negativo = false;
    bool hayDigitos = false;
    // Decimal exponent of the leading significant digit, plus one, clamped:
    // tells an overflow from an underflow when from_chars refuses the range.
    long magnitud = 0;
    std::size_t fin = 0;
    std::size_t largo = 0;  // characters written to out
};

Escaneo Escanear(std::string_view t, const Reglas& r, char* out) {
    Escaneo e;
    std::size_t i = 0;
    std::size_t o = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) e.negativo = t[i++] == '-';
    long significativosEnteros = 0;
    long cerosFraccion = 0;
    bool haySignificativo = false;
    while (i < t.size()) {
        const char c = t[i];
        if (EsDigito(c)) {
            if (c != '0') haySignificativo = true;
            if (haySignificativo) ++significativosEnteros;
            out[o++] = c;
            e.hayDigitos = true;
            ++i;
        } else if (r.grupo != '\0' && c == r.grupo && c != r.decimal && e.hayDigitos &&
                   i + 1 < t.size() && EsDigito(t[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < t.size() && (t[i] == r.decimal || t[i] == r.decimalAlterno)) {
        out[o++] = '.';
        ++i;
        while (i < t.size() && EsDigito(t[i])) {
            if (t[i] != '0') haySignificativo = true;
            if (!haySignificativo) ++cerosFraccion;
            out[o++] = t[i++];
            e.hayDigitos = true;
        }
    }
    long exponente = 0;
    if (e.hayDigitos && i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegativo = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) expNegativo = t[j++] == '-';
        if (j < t.size() && EsDigito(t[j])) {
            out[o++] = 'e';
            if (expNegativo) out[o++] = '-';
            while (j < t.size() && EsDigito(t[j])) {
                if (exponente < 1'000'000) exponente = exponente * 10 + (t[j] - '0');
                out[o++] = t[j++];
            }
            if (expNegativo) exponente = -exponente;
            i = j;
        }
    }
    e.magnitud = (significativosEnteros > 0 ? significativosEnteros : -cerosFraccion) + exponente;
    e.fin = i;
    e.largo = o;
    return e;
}

// Converts what Escanear wrote; overflow gives an infinity, underflow zero.
double Convertir(const char* texto, const Escaneo& e) {
    double v = 0.0;
    auto r = std::from_chars(texto, texto + e.largo, v);
    if (r.ec == std::errc::result_out_of_range) {
        v = e.magnitud > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (r.ec != std::errc{}) {
        v = 0.0;
    }
    return e.negativo ? -v : v;
}

// Number texts are short; a longer one goes to the heap.
class Buffer {
public:
    explicit Buffer(std::size_t necesario) {
        if (necesario > sizeof pila_) monton_.resize(necesario);
    }
    char* data() { return monton_.empty() ? pila_ : monton_.data(); }

private:
    char pila_[64];
    std::string monton_;
};

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && EsBlanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && EsBlanco(t.back())) t.remove_suffix(1);
    return t;
}

// The texts a network file is mostly made of ("0", "1500", "-1", "0.95"):
// at most 15 digits, so the digits form an exact double and one division by
// an exact power of ten is the correctly rounded value, as from_chars gives.
// Returns through `v`, not an optional: the optional's copy on return stalls
// on store forwarding, and this runs once per line of a large file.
bool LecturaRapida(std::string_view t, const Reglas& r, double& v) {
    static constexpr double kPotencias[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negativo = !t.empty() && t[0] == '-';
    if (negativo) ++i;
    std::uint64_t digitos = 0;
    int cuenta = 0, decimales = 0;
    bool enFraccion = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (EsDigito(c)) {
            if (++cuenta > 15) return false;
            digitos = digitos * 10 + static_cast<std::uint64_t>(c - '0');
            if (enFraccion) ++decimales;
        } else if (!enFraccion && (c == r.decimal || c == r.decimalAlterno)) {
            enFraccion = true;
        } else {
            return false;
        }
    }
    if (cuenta == 0) return false;
    // Whole numbers, most of a file, skip the division.
    const double d = static_cast<double>(digitos);
    v = decimales == 0 ? d : d / kPotencias[decimales];
    if (negativo) v = -v;
    return true;
}

std::optional<double> LeerCompleto(std::string_view texto, const Reglas& r) {
    const std::string_view t = SinBlancos(texto);
    if (double v; LecturaRapida(t, r, v)) return v;
    Buffer buffer(t.size() + 1);
    const Escaneo e = Escanear(t, r, buffer.data());
    if (!e.hayDigitos || e.fin != t.size()) return std::nullopt;
    const double v = Convertir(buffer.data(), e);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> LeerNumero(std::string_view texto, const Regional& reg) {
    return LeerCompleto(texto, Reglas{reg.decimal, reg.decimal, '\0'});
}

std::string MotivoNoNumero(std::string_view texto, const Regional& reg) {
    if (LeerNumero(texto, reg)) return {};
    const std::string_view t = SinBlancos(texto);
    if (t.empty()) return "Escriba un número.";
    const char otro = reg.decimal == ',' ? '.' : ',';
    if (t.find(otro) != std::string_view::npos) {
        // The plain example, not the user's digits: "1.000" may have meant a
        // thousand as well as one.
        return reg.decimal == ',' ? "Use la coma decimal: 1,5" : "Use el punto decimal: 1.5";
    }
    Buffer buffer(t.size() + 1);
    const Escaneo e = Escanear(t, Reglas{reg.decimal, reg.decimal, '\0'}, buffer.data());
    if (e.hayDigitos && e.fin == t.size())
        return "«" + std::string(t) + "» está fuera del rango de los números.";
    return "«" + std::string(t) + "» no es un número; escriba por ejemplo 1" + reg.decimal +
           "5 o 2" + reg.decimal + "5E-3.";
}

bool Admisible::Admite(double v) const {
    if (!std::isfinite(v)) return false;
    if (minAbierto ? !(v > min) : !(v >= min)) return false;
    if (maxAbierto ? !(v < max) : !(v <= max)) return false;
    if (entero && (v != std::floor(v) || std::fmod(v, multiplo) != 0)) return false;
    return true;
}

namespace {

// A whole bound is written whole: 2^53 is no "9,00719925474099E+15".
std::string Limite(const Admisible& a, double v, const Regional& reg) {
    if (a.entero && std::fabs(v) <= 9007199254740992.0 && v == std::floor(v))
        return std::to_string(static_cast<long long>(v));
    return TextoGeneral(v, reg);
}

}  // namespace

std::string Admisible::Describir(const Regional& reg) const {
    std::string t = !entero        ? "un número"
                    : multiplo > 1 ? "un múltiplo de " + std::to_string(multiplo)
                                   : "un entero";
    const bool conMin = std::isfinite(min);
    const bool conMax = std::isfinite(max);
    if (conMin && conMax && !minAbierto && !maxAbierto)
        return t + " de " + Limite(*this, min, reg) + " a " + Limite(*this, max, reg);
    if (conMin) t += (minAbierto ? " mayor que " : " no menor que ") + Limite(*this, min, reg);
    if (conMin && conMax) t += " y";
    if (conMax) t += (maxAbierto ? " menor que " : " no mayor que ") + Limite(*this, max, reg);
    return t;
}

Lectura LeerAdmisible(std::string_view texto, const Admisible& admisible, const Regional& reg) {
    const auto v = LeerNumero(texto, reg);
    if (!v) return {std::nullopt, MotivoNoNumero(texto, reg)};
    if (!admisible.Admite(*v)) return {std::nullopt, "Debe ser " + admisible.Describir(reg) + "."};
    return {*v, {}};
}

std::optional<double> LeerNumeroArchivo(std::string_view texto) {
    return LeerCompleto(texto, Reglas{'.', ',', '\0'});
}

bool LeerEnteroCortoArchivo(std::string_view l, int& valor) {
    const bool negativo = !l.empty() && l[0] == '-';
    const std::size_t desde = negativo ? 1 : 0;
    if (l.size() == desde || l.size() - desde > 9) return false;
    int n = 0;
    for (std::size_t i = desde; i < l.size(); ++i) {
        const unsigned d = static_cast<unsigned char>(l[i]) - unsigned{'0'};
        if (d > 9) return false;
        n = n * 10 + static_cast<int>(d);
    }
    if (negativo && n == 0) return false;
    valor = negativo ? -n : n;
    return true;
}

double Val(std::string_view texto) {
    std::string_view t = texto;
    while (!t.empty() && EsBlanco(t.front())) t.remove_prefix(1);
    Buffer buffer(t.size() + 1);
    const Escaneo e = Escanear(t, Reglas{'.', '.', '\0'}, buffer.data());
    if (!e.hayDigitos) return 0.0;
    const double v = Convertir(buffer.data(), e);
    return v == 0.0 ? 0.0 : v;
}

double RedondearPar(double valor) {
    if (!std::isfinite(valor)) return valor;
    // Independent of the floating-point rounding mode; v - floor(v) is exact.
    const double piso = std::floor(valor);
    const double resto = valor - piso;
    if (resto < 0.5) return piso;
    if (resto > 0.5) return piso + 1.0;
    return std::fmod(piso, 2.0) == 0.0 ? piso : piso + 1.0;
}

std::int16_t AEntero16(double valor) {
    // Whole values in range, nearly every call, need no rounding.
    if (valor >= -32768.0 && valor <= 32767.0) {
        const auto entero = static_cast<std::int16_t>(valor);
        if (entero == valor) return entero;
    }
    if (std::isnan(valor)) throw ErrorAritmetico("conversión a entero de un valor no numérico");
    const double r = RedondearPar(valor);
    if (r < -32768.0 || r > 32767.0) throw ErrorAritmetico("desbordamiento de entero");
    return static_cast<std::int16_t>(r);
}

Regional Regional::DesdeNombreLocale(std::string_view nombre) {
    std::size_t fin = 0;
    while (fin < nombre.size() && nombre[fin] != '_' && nombre[fin] != '.' && nombre[fin] != '@' &&
           nombre[fin] != '-')
        ++fin;
    const std::string_view idioma = nombre.substr(0, fin);
    if (idioma.size() != 2) return Ingles();
    auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const char a = minuscula(idioma[0]);
    const char b = minuscula(idioma[1]);
    constexpr std::string_view kConComa[] = {"es", "de", "fr", "it", "pt"};
    for (std::string_view c : kConComa)
        if (c[0] == a && c[1] == b) return Espanol();
    return Ingles();
}

}  // namespace vortena
