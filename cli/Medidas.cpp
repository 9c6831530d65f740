#include "cli/Medidas.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vortena::calc {

namespace {

constexpr std::size_t kLargoExacto = 40;

// "%.17g" for 1e-11 <= v < 1e17, the range of nearly every figure of a
// table, in exact integer arithmetic: v = m * 2^e, and the 17 digits are
// m * 5^q * 2^(q + e) rounded half to even, q = 16 - exponent. m * 5^q stays
// below 2^117, so nothing is approximated; libstdc++'s general form with a
// precision costs about twice as much. Outside that range it returns null.
char* DiecisieteCifras(char* p, double v) {
    static constexpr std::uint64_t kCinco[] = {
        1ULL, 5ULL, 25ULL, 125ULL, 625ULL, 3125ULL, 15625ULL, 78125ULL, 390625ULL, 1953125ULL,
        9765625ULL, 48828125ULL, 244140625ULL, 1220703125ULL, 6103515625ULL, 30517578125ULL,
        152587890625ULL, 762939453125ULL, 3814697265625ULL, 19073486328125ULL,
        95367431640625ULL, 476837158203125ULL, 2384185791015625ULL, 11920928955078125ULL,
        59604644775390625ULL, 298023223876953125ULL, 1490116119384765625ULL,
        7450580596923828125ULL};
    constexpr std::uint64_t kMinimo = 10'000'000'000'000'000ULL;  // 10^16
    constexpr std::uint64_t kTope = 100'000'000'000'000'000ULL;   // 10^17
    __extension__ typedef unsigned __int128 U128;  // GCC and Clang both have it

    const bool negativo = std::signbit(v);
    const double a = std::fabs(v);
    if (!(a >= 1e-11 && a < 1e17)) return nullptr;
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const int exponenteBinario = static_cast<int>(bits >> 52);  // a is normal here
    const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int e = exponenteBinario - 1075;

    // The decimal exponent: from the binary one, low by at most one, then
    // one comparison (log10 would cost as much as the rest). 10^-k is not a
    // double, so a value next to a power of ten may still be off by one: the
    // loop below corrects that.
    static constexpr double kDiez[] = {1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5,
                                       1e-4,  1e-3,  1e-2,  1e-1, 1e0,  1e1,  1e2,  1e3,
                                       1e4,   1e5,   1e6,   1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12,  1e13,  1e14,  1e15, 1e16, 1e17};
    const int exponenteEntero = exponenteBinario - 1023;
    int k = static_cast<int>(std::floor(exponenteEntero * 0.30102999566398120));
    if (a >= kDiez[k + 13]) ++k;
    std::uint64_t n = 0;
    for (int intento = 0;; ++intento) {
        // A value a hair below a power of ten can bounce between two
        // exponents: the library's general form settles it.
        if (intento == 3) return nullptr;
        const int q = 16 - k;
        if (q < 0 || q > 27) return nullptr;
        const U128 x = static_cast<U128>(m) * kCinco[q];
        const int s = q + e;
        // The exponent is right when the exact product has 17 digits before
        // the point; rounding may then carry it to 10^17, and "%.17g" takes
        // the exponent after rounding, so that case moves up one.
        U128 r = 0;
        bool corto = false;
        if (s >= 0) {
            // x >= 2^52, so from s = 5 on the result is past 10^17.
            r = s >= 5 ? static_cast<U128>(kTope) : x << s;
            corto = r < kMinimo;
        } else if (-s >= 128) {
            corto = true;
        } else {
            const int d = -s;
            r = x >> d;
            corto = r < kMinimo;
            const U128 resto = x - (r << d);
            const U128 mitad = static_cast<U128>(1) << (d - 1);
            if (resto > mitad || (resto == mitad && (r & 1) != 0)) ++r;
        }
        if (corto) {
            --k;
        } else if (r >= kTope) {
            ++k;
        } else {
            n = static_cast<std::uint64_t>(r);
            break;
        }
    }

    // Exactly 17 digits (10^16 <= n < 10^17), written as two independent
    // halves of pairs so the divisions do not wait on each other.
    char cifras[17];
    const auto pares = [](char* fin, std::uint32_t x, int nPares) {
        static constexpr char kPares[] =
            "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
            "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
            "8081828384858687888990919293949596979899";
        for (int i = 0; i < nPares; ++i) {
            const std::uint32_t d = x % 100;
            x /= 100;
            fin -= 2;
            std::memcpy(fin, kPares + 2 * d, 2);
        }
        return x;
    };
    const auto alto = static_cast<std::uint32_t>(n / 100'000'000);  // 9 digits
    pares(cifras + 17, static_cast<std::uint32_t>(n % 100'000'000), 4);
    cifras[0] = static_cast<char>('0' + pares(cifras + 9, alto, 4));
    int largo = 17;
    while (largo > 1 && cifras[largo - 1] == '0') --largo;

    if (negativo) *p++ = '-';
    const auto copiar = [&p](const char* desde, int cuantos) {
        std::memcpy(p, desde, static_cast<std::size_t>(cuantos));
        p += cuantos;
    };
    if (k >= -4) {  // k < 17 here
        if (k < 0) {
            copiar("0.0000", 1 - k);
            copiar(cifras, largo);
        } else if (largo > k + 1) {
            copiar(cifras, k + 1);
            *p++ = '.';
            copiar(cifras + k + 1, largo - k - 1);
        } else {
            copiar(cifras, k + 1);  // the zeros stripped were part of it
        }
    } else {
        *p++ = cifras[0];
        if (largo > 1) {
            *p++ = '.';
            copiar(cifras + 1, largo - 1);
        }
        const int x = -k;
        const char exponente[] = {'e', '-', static_cast<char>('0' + x / 10),
                                  static_cast<char>('0' + x % 10)};
        copiar(exponente, 4);
    }
    return p;
}

// The general number texts of the program stop at 15 digits; a machine
// reader needs the round-trip form.
char* Exacto(char (&buf)[kLargoExacto], double v) {
    // Whole numbers print as their digits in that form too; they are a good
    // part of a table (counts, costs, zeros) and far cheaper this way.
    if (v == std::trunc(v) && std::fabs(v) < 1e15 && !(v == 0 && std::signbit(v)))
        return std::to_chars(buf, buf + kLargoExacto, static_cast<std::int64_t>(v)).ptr;
    if (char* fin = DiecisieteCifras(buf, v)) return fin;
    return std::to_chars(buf, buf + kLargoExacto, v, std::chars_format::general, 17).ptr;
}

}  // namespace

std::string TextoExacto(double v) {
    char buf[kLargoExacto];
    return std::string(buf, Exacto(buf, v));
}

namespace {

// The table is built in a small buffer handed to the stream in large
// pieces: field by field through the stream costs several times more than
// the conversions, and one buffer for the whole table would be fresh memory
// the size of the output.
class Tabla {
public:
    explicit Tabla(std::ostream& out) : out_(out) { t_.reserve(kPieza + 1024); }

    // Called at the end of each line; the table ends with Terminar().
    void Terminar() { Vaciar(); }
    void FinDeLinea() {
        t_ += '\n';
        if (t_.size() >= kPieza) Vaciar();
    }

    void Real(double v) {
        char buf[kLargoExacto];
        t_ += '\t';
        t_.append(buf, Exacto(buf, v));
    }
    void Entero(int v) {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        t_.append(buf, r.ptr);
    }
    // A name must not break the columns or the lines.
    void Celda(std::string_view s) {
        const std::size_t desde = t_.size();
        t_ += s;
        for (std::size_t i = desde; i < t_.size(); ++i)
            if (t_[i] == '\t' || t_[i] == '\n' || t_[i] == '\r') t_[i] = ' ';
    }
    void Caracter(char c) { t_ += c; }
    void Texto(std::string_view s) { t_ += s; }

private:
    static constexpr std::size_t kPieza = 64 * 1024;
    void Vaciar() {
        out_.write(t_.data(), static_cast<std::streamsize>(t_.size()));
        t_.clear();
    }
    std::ostream& out_;
    std::string t_;
};

}  // namespace

void EscribirMedidas(const Red& red, std::ostream& out) {
    Tabla t(out);
    t.Texto(
        "posicion\tNombre\tLamda\tMu\tServidores\tRho\tTrafico\tP0\tPn\tLq\tL\tW\tWq\t"
        "MaximaCola\tCtoEsperaCentro\tCtoTotalServidores\tCtoImproductividad\t"
        "CtoEsperaCola\tDesvlamda\tDesvMu\tSalida\ttmpoTemprano\ttmpoTardio\t"
        "indFlotamiento\tTempranoWH\ttardioWH");
    t.FinDeLinea();
    for (const CentroProductivo& c : red.Centros) {
        t.Entero(c.posicion);
        t.Caracter('\t');
        t.Celda(c.Nombre);
        t.Real(c.Lamda);
        t.Real(c.Mu);
        t.Caracter('\t');
        t.Entero(c.Servidores);
        for (double v : {c.Rho, c.Trafico, c.P0, c.Pn, c.Lq, c.L, c.W, c.Wq}) t.Real(v);
        t.Caracter('\t');
        t.Entero(c.MaximaCola);
        for (double v :
             {c.CtoEsperaCentro, c.CtoTotalServidores, c.CtoImproductividad, c.CtoEsperaCola,
              c.Desvlamda, c.DesvMu, c.Salida, c.tmpoTemprano, c.tmpoTardio, c.indFlotamiento})
            t.Real(v);
        t.Caracter('\t');
        t.Caracter(c.TempranoWH ? '1' : '0');
        t.Caracter('\t');
        t.Caracter(c.tardioWH ? '1' : '0');
        t.FinDeLinea();
    }
    t.Terminar();
}

std::string Celda(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace vortena::calc
