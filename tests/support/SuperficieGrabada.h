#pragma once
// A drawing surface that records every call with its arguments, in order, so
// tests can check what the editor painted without a screen.
//
// Text metric (fixed, so label layouts are predictable): every character is
// 90 units wide and every text is 195 units high, the empty text included.
// Characters are counted as code points, so "µ" is one character.

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "editor/Superficie.h"

namespace vortena::prueba {

enum class Op { Limpiar, Linea, Rectangulo, Texto, Imagen };

struct Trazo {
    Op op = Op::Limpiar;
    // Linea and Rectangulo: the two end points or corners. Texto and Imagen:
    // (x1, y1) is the top-left corner; Imagen keeps its stretched size in
    // (x2, y2), 0 when drawn at its own size.
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color{};
    int grosor = 0;
    bool relleno = false;
    std::string texto;
    Dibujo dibujo = Dibujo::Flecha;

    // Coordinates agree to a thousandth of a unit: label positions are
    // computed with divisions such as (700 - H) / 1.5.
    bool operator==(const Trazo& o) const {
        auto cerca = [](float a, float b) { return std::fabs(a - b) <= 1e-3f; };
        return op == o.op && cerca(x1, o.x1) && cerca(y1, o.y1) && cerca(x2, o.x2) &&
               cerca(y2, o.y2) && color == o.color && grosor == o.grosor && relleno == o.relleno &&
               texto == o.texto && dibujo == o.dibujo;
    }
};

// Builders of expected calls.
namespace trazo {
inline Trazo Limpiar() {
    return {};
}
inline Trazo Linea(float x1, float y1, float x2, float y2, Color c, int grosor) {
    Trazo t;
    t.op = Op::Linea;
    t.x1 = x1, t.y1 = y1, t.x2 = x2, t.y2 = y2, t.color = c, t.grosor = grosor;
    return t;
}
inline Trazo Rectangulo(float x1, float y1, float x2, float y2, Color c, int grosor, bool relleno) {
    Trazo t = Linea(x1, y1, x2, y2, c, grosor);
    t.op = Op::Rectangulo;
    t.relleno = relleno;
    return t;
}
inline Trazo Texto(float x, float y, std::string texto) {
    Trazo t;
    t.op = Op::Texto;
    t.x1 = x, t.y1 = y, t.texto = std::move(texto);
    return t;
}
inline Trazo Imagen(Dibujo d, float x, float y, float ancho = 0, float alto = 0) {
    Trazo t;
    t.op = Op::Imagen;
    t.dibujo = d, t.x1 = x, t.y1 = y, t.x2 = ancho, t.y2 = alto;
    return t;
}
}  // namespace trazo

inline void PrintTo(const Trazo& t, std::ostream* os) {
    static const char* const ops[] = {"Limpiar", "Linea", "Rectangulo", "Texto", "Imagen"};
    *os << ops[static_cast<int>(t.op)];
    if (t.op == Op::Limpiar) return;
    *os << "(" << t.x1 << ", " << t.y1;
    if (t.op == Op::Texto) {
        *os << ", \"" << t.texto << "\")";
        return;
    }
    *os << ", " << t.x2 << ", " << t.y2;
    if (t.op == Op::Imagen) {
        *os << ", dibujo " << static_cast<int>(t.dibujo) << ")";
        return;
    }
    *os << ", rgb " << int(t.color.r) << "/" << int(t.color.g) << "/" << int(t.color.b)
        << ", grosor " << t.grosor << (t.relleno ? ", relleno)" : ")");
}

class SuperficieGrabada : public Superficie {
public:
    static constexpr float kAnchoCaracter = 90;
    static constexpr float kAlto = 195;

    std::vector<Trazo> trazos;

    void Limpiar() override { trazos.push_back(trazo::Limpiar()); }
    void Linea(float x1, float y1, float x2, float y2, Color color, int grosor) override {
        trazos.push_back(trazo::Linea(x1, y1, x2, y2, color, grosor));
    }
    void Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                    bool relleno) override {
        trazos.push_back(trazo::Rectangulo(x1, y1, x2, y2, color, grosor, relleno));
    }
    void Texto(float x, float y, const std::string& texto) override {
        trazos.push_back(trazo::Texto(x, y, texto));
    }
    float AnchoTexto(const std::string& texto) override {
        return kAnchoCaracter * static_cast<float>(Caracteres(texto));
    }
    float AltoTexto(const std::string&) override { return kAlto; }
    void Imagen(Dibujo dibujo, float x, float y, float ancho, float alto) override {
        trazos.push_back(trazo::Imagen(dibujo, x, y, ancho, alto));
    }

    // The texts drawn, in order.
    std::vector<std::string> Textos() const {
        std::vector<std::string> r;
        for (const Trazo& t : trazos)
            if (t.op == Op::Texto) r.push_back(t.texto);
        return r;
    }
    // The calls of one kind, in order.
    std::vector<Trazo> De(Op op) const {
        std::vector<Trazo> r;
        for (const Trazo& t : trazos)
            if (t.op == op) r.push_back(t);
        return r;
    }
    void Olvidar() { trazos.clear(); }

    static int Caracteres(const std::string& s) {
        int n = 0;
        for (unsigned char c : s) n += (c & 0xC0) != 0x80;
        return n;
    }
};

}  // namespace vortena::prueba
