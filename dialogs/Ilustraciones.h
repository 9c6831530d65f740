#pragma once
// The pictures of the splash, the about box and the help viewer's toolbar,
// drawn in code so the programs carry no image files.

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vortena::ilustraciones {

// A small production line (start node, queueing centres, end node) on a
// dark-blue band: the splash's header.
QPixmap Encabezado(QSize tamano);
// The program's mark: units waiting in front of a server.
QPixmap Logo(int lado);
QIcon IconoAtras();
QIcon IconoAdelante();
QIcon IconoInicio();

}  // namespace vortena::ilustraciones
