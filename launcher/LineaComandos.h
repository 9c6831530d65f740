#pragma once
// The command line with which "Ingresar" opens the index in the browser.

#include <QString>

namespace vortena::lanzador {

// The browser the command line names, with the trailing blank that lies
// inside its quotes.
inline const QString kNavegador =
    QStringLiteral("c:\\Archivos de programa\\Internet Explorer\\Iexplore.exe ");

// The index beside the launcher: the folder, a separator unless it already
// ends with one (the folder's own kind of separator), then "index.html".
QString RutaIndice(const QString& carpeta);

// The quoted browser, one blank, and the index path unquoted.
QString LineaComandos(const QString& carpeta);

}  // namespace vortena::lanzador
