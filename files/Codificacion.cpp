#include "files/Codificacion.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <optional>

namespace vortena {
namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> kAlto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AgregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (c >> 6)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        s.push_back(static_cast<char>(0xE0 | (c >> 12)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xF0 | (c >> 18)));
        s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::optional<char> Byte1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kAlto.size(); ++i)
        if (kAlto[i] == c) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

char A1252(char32_t c) {
    return Byte1252(c).value_or('?');
}

// Length of the valid UTF-8 sequence at the start of `s`, 0 when invalid.
std::size_t Secuencia(std::string_view s, char32_t& c) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = b(0);
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    std::size_t n = 0;
    char32_t minimo = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, c = b0 & 0x1F, minimo = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, c = b0 & 0x0F, minimo = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, c = b0 & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i) & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::string Utf8A1252(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t c = 0;
        const std::size_t n = Secuencia(utf8, c);
        if (n == 0) {
            r.push_back('?');
            utf8.remove_prefix(1);
        } else {
            r.push_back(A1252(c));
            utf8.remove_prefix(n);
        }
    }
    return r;
}

std::string W1252AUtf8(std::string_view bytes) {
    std::string r;
    r.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            r.push_back(ch);
        else if (b < 0xA0)
            AgregarUtf8(r, kAlto[b - 0x80]);
        else
            AgregarUtf8(r, b);
    }
    return r;
}

bool EsUtf8Valido(std::string_view bytes) {
    while (!bytes.empty()) {
        // ASCII runs are the common case: eight bytes at a time.
        std::uint64_t ocho = 0;
        if (bytes.size() >= sizeof ocho) {
            std::memcpy(&ocho, bytes.data(), sizeof ocho);
            if ((ocho & 0x8080808080808080ULL) == 0) {
                bytes.remove_prefix(sizeof ocho);
                continue;
            }
        }
        if (static_cast<unsigned char>(bytes.front()) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        char32_t c = 0;
        const std::size_t n = Secuencia(bytes, c);
        if (n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::optional<char32_t> PrimerCaracterNo1252(std::string_view utf8) {
    while (!utf8.empty()) {
        char32_t c = 0;
        const std::size_t n = Secuencia(utf8, c);
        if (n == 0) return char32_t{0xFFFD};
        if (!Byte1252(c)) return c;
        utf8.remove_prefix(n);
    }
    return std::nullopt;
}

std::string CaracterUtf8(char32_t c) {
    std::string s;
    AgregarUtf8(s, c);
    return s;
}

std::string DecodificarArchivo(std::string_view bytes) {
    std::string almacen;
    const std::string_view texto = DecodificarArchivo(bytes, almacen);
    return texto.data() == almacen.data() ? std::move(almacen) : std::string(texto);
}

std::string_view DecodificarArchivo(std::string_view bytes, std::string& almacen) {
    if (EsUtf8Valido(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return bytes;
    }
    almacen = W1252AUtf8(bytes);
    return almacen;
}

}  // namespace vortena
