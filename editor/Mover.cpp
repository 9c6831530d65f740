#include "editor/Editor.h"
#include "editor/Geometria.h"

namespace vortena {

void Editor::MoverCentro(float x, float y) {
    if (!red_.Centros.Existe(red_.CentroActual)) return;
    CentroProductivo& c = red_.Centros(red_.CentroActual);
    // The release point becomes the top-left corner; the grab offset is not kept.
    c.x1 = x;
    c.x2 = x + kAnchoNodo;
    c.y1 = y;
    c.y2 = y + AltoNodo(c);
    for (int i = 0; i <= c.tamEE; ++i) AnclarFin(red_.Conexiones(c.Entrada(i)), c);
    for (int i = 0; i <= c.tamSE; ++i) AnclarInicio(red_.Conexiones(c.SalidaLista(i)), c);
    RedibujarTodo();
}

}  // namespace vortena
