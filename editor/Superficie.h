#pragma once
// The drawing surface of the canvas, in canvas units (twips, 15 per pixel).
// The window paints it with QPainter on a persistent image; tests record it.

#include <cstdint>
#include <string>

namespace vortena {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kBlanco{255, 255, 255};
inline constexpr Color kNegro{0, 0, 0};
inline constexpr Color kVerde{0, 128, 0};
inline constexpr Color kAzul{0, 0, 255};
inline constexpr Color kRojo{255, 0, 0};

enum class Dibujo { Flecha, MarcaInicio, MarcaFin };

class Superficie {
public:
    virtual ~Superficie() = default;
    // Clears the whole canvas to white.
    virtual void Limpiar() = 0;
    virtual void Linea(float x1, float y1, float x2, float y2, Color color, int grosor) = 0;
    // Outline (relleno false) or filled rectangle between two corners.
    virtual void Rectangulo(float x1, float y1, float x2, float y2, Color color, int grosor,
                            bool relleno) = 0;
    // Black text on a transparent background, top-left corner at (x, y).
    virtual void Texto(float x, float y, const std::string& texto) = 0;
    virtual float AnchoTexto(const std::string& texto) = 0;
    virtual float AltoTexto(const std::string& texto) = 0;
    // A picture with its top-left corner at (x, y); stretched to ancho x alto
    // when both are positive, otherwise at its own size.
    virtual void Imagen(Dibujo dibujo, float x, float y, float ancho = 0, float alto = 0) = 0;
};

}  // namespace vortena
