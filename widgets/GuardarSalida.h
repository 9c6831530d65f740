#pragma once
// Files a window writes (pictures, tables, the diagram) go through the same
// safe writer as the network, with its refusals: a read-only file, a folder,
// and the open network's own file under any name.

#include <QByteArray>
#include <QString>
#include <string>

class QPixmap;
class QWidget;

namespace vortena {

// The open network's file as `ventana` sees it: that of the document window
// it belongs to. Empty when there is none or it has no file yet.
std::string ArchivoRedDe(const QWidget* ventana);

// The picture as the bytes of a PNG file.
QByteArray BytesPng(const QPixmap& imagen);

// Writes `datos` to `ruta`; empty when written, otherwise the reason, naming
// the file and what the system said.
QString GuardarDesde(const QWidget* ventana, const QString& ruta, const QByteArray& datos);

}  // namespace vortena
