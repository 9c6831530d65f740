#include "editor/Caja.h"
#include "editor/Colores.h"
#include "editor/Editor.h"
#include "editor/Etiquetas.h"
#include "editor/Geometria.h"

namespace vortena {

namespace {

// Text centred across the box width (it may overflow on both sides).
void Centrado(Superficie& sup, const CentroProductivo& c, double y, const std::string& t) {
    const float x = c.x1 + (kAnchoNodo - sup.AnchoTexto(t)) / 2;
    sup.Texto(x, static_cast<float>(y), t);
}

}  // namespace

void Editor::FondoCaja(const CentroProductivo& c) {
    const Color* r = capas_.Relleno(c.posicion);
    sup_.Rectangulo(c.x1, c.y1, c.x2, c.y2, r ? *r : kBlanco, kGrosorCaja, true);
}

void Editor::MarcasCaja(const CentroProductivo& c) {
    // Marks of several layers stack leftwards from the top-right corner.
    constexpr float kLado = 150;
    float x = c.x2 - kLado - 30;
    for (const auto& [clave, capa] : capas_.Todas()) {
        auto m = capa.marca.find(c.posicion);
        if (m == capa.marca.end()) continue;
        sup_.Rectangulo(x, c.y1 + 30, x + kLado, c.y1 + 30 + kLado, m->second.color, 1, true);
        if (!m->second.texto.empty())
            sup_.Texto(x - sup_.AnchoTexto(m->second.texto), c.y1 + 15, m->second.texto);
        x -= kLado + 45;
    }
}

Color Editor::ColorContorno(const CentroProductivo& c) const {
    if (!c.EsCentro()) return kVerde;
    // Floats of a network changed since they were computed mark nothing.
    if (red_.MostrarCriticos && red_.ResultadosAlDia && EsCritico(c)) return kRojo;
    return kNegro;
}

void Editor::DibujarCaja(std::int16_t nodo, Color color) {
    const CentroProductivo& c = red_.Centros(nodo);
    FondoCaja(c);
    ContornoCaja(sup_, c, color);
}

void Editor::DibujarTextoCentro(std::int16_t posicion, std::uint8_t tipo) {
    const CentroProductivo& c = red_.Centros(posicion);
    const double y1 = c.y1;
    const double h = sup_.AltoTexto(c.Nombre);
    switch (tipo) {
        case 1: {
            const float ys = static_cast<float>(y1 + h);
            sup_.Linea(c.x1, ys, c.x1 + kAnchoNodo, ys, kNegro, kGrosorCaja);
            Centrado(sup_, c, y1, c.Nombre);
            Centrado(sup_, c, y1 + 2 * h, TextoFilaTasa(sup_, kPrefijoLamda, c.Lamda, reg_));
            Centrado(sup_, c, y1 + 3 * h, TextoFilaTasa(sup_, kPrefijoMu, c.Mu, reg_));
            Centrado(sup_, c, y1 + 4 * h, TextoFilaServidores(sup_, c.Servidores, reg_));
            MarcasCaja(c);
            break;
        }
        case 2:
            Centrado(sup_, c, y1 + (kAltoExtremo - h) / 2, c.Nombre);
            break;
        case 3:
            Centrado(sup_, c, y1 + (kAltoExtremo - h) / 3, c.Nombre);
            Centrado(sup_, c, y1 + (kAltoExtremo - h) / 1.5, TextoSalida(sup_, c.Salida, reg_));
            break;
        default:
            break;
    }
}

void Editor::DibujarConexion(std::int16_t conexion, Color color) {
    const linea& l = red_.Conexiones(conexion);
    sup_.Linea(l.x1, l.y1, l.x2, l.y2, color, kGrosorConexion);
    // The arrowhead always points right, whatever the direction of the line.
    sup_.Imagen(Dibujo::Flecha, l.x2, l.y2 - 75, 150, 150);
    sup_.Texto(l.x1 + (l.x2 - l.x1) / 2, l.y1 + (l.y2 - l.y1) / 2,
               TextoConSigno(l.multiplicador, reg_) + " ");
}

void Editor::RedibujarTodo() {
    sup_.Limpiar();
    for (int i = 1; i <= red_.Centros.Count(); ++i) {
        const auto p = static_cast<std::int16_t>(i);
        DibujarCaja(p, ColorContorno(red_.Centros(i)));
        DibujarTextoCentro(p, TipoNodo(red_.Centros(i)));
    }
    for (int i = 1; i <= red_.Conexiones.Count(); ++i)
        DibujarConexion(static_cast<std::int16_t>(i), kNegro);
    // A marker left on a position that no longer exists is simply not drawn.
    if (red_.Centros.Existe(red_.NodoInicio)) {
        const CentroProductivo& c = red_.Centros(red_.NodoInicio);
        sup_.Imagen(Dibujo::MarcaInicio, c.x1, c.y1 - 500);
    }
    if (red_.Centros.Existe(red_.NodoFin)) {
        const CentroProductivo& c = red_.Centros(red_.NodoFin);
        sup_.Imagen(Dibujo::MarcaFin, c.x1, c.y1 - 500);
    }
}

void Editor::RedibujarCentro(std::int16_t posicion, int modo) {
    const CentroProductivo& c = red_.Centros(posicion);
    FondoCaja(c);
    if (auto color = ColorDeModo(modo)) ContornoCaja(sup_, c, *color);
    DibujarTextoCentro(posicion, 1);
}

void Editor::RedibujarNodoFin() {
    if (!red_.Centros.Existe(red_.CentroActual)) return;
    const CentroProductivo& c = red_.Centros(red_.CentroActual);
    BorrarCaja(sup_, c);
    ContornoCaja(sup_, c, kNegro);
    DibujarTextoCentro(red_.CentroActual, 3);
}

}  // namespace vortena
