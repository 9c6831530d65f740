#pragma once
// The pictures the canvas draws (arrowhead, start and end markers) and the
// icons of the tools and the toolbar, all painted here so they stay sharp at
// any size and need no image files.

#include <QIcon>
#include <QImage>
#include <QSize>

#include "editor/Superficie.h"

namespace vortena {

enum class Pictograma {
    Seleccionar,
    ColocarCentro,
    Conectar,
    MarcaInicio,
    MarcaFin,
    Nuevo,
    Abrir,
    Guardar,
    Imprimir,
    Propagar,
    ServidoresMinimos,
    ServidoresOptimos,
    Pert,
    OptimizacionTiempos,
    Salir,
    Deshacer,
    Rehacer,
};

// Size at which a canvas picture is drawn when it is not stretched.
QSize TamanoPropio(Dibujo dibujo);
// A canvas picture rendered at the given pixel size, transparent around it.
QImage ImagenDe(Dibujo dibujo, QSize tamano);
// An icon with sharp renderings at the usual sizes.
QIcon IconoDe(Pictograma p);

}  // namespace vortena
