#include "editor/Editor.h"

namespace vortena {

// The network of a new document: start node, one default centre and the end
// node, joined in a row, with both markers.
void Editor::DiagramaInicial() {
    ColocarCentro(500, 1150, 2);
    sup_.Imagen(Dibujo::MarcaInicio, 500, 650);
    ColocarCentro(4000, 1000, 1);
    ColocarCentro(8500, 1150, 3);
    sup_.Imagen(Dibujo::MarcaFin, 8500, 650);
    ConectarCentros(1000, 1500, 4500, 1500, 1);
    ConectarCentros(4500, 1500, 9000, 1500, 1);
    red_.NodoInicio = 1;
    red_.NodoFin = 3;
}

}  // namespace vortena
