#pragma once
// The diagram outside the window: drawn again as vectors, cropped to the
// part of the canvas the network uses, into a picture file (PNG, SVG, PDF)
// or onto a printer page, scaled to fit and centred.

#include <QRectF>
#include <QString>
#include <string>

#include "editor/Sombreado.h"
#include "model/Numeros.h"
#include "model/Red.h"

class QImage;
class QPainter;
class QPrinter;

namespace vortena {

// The canvas area, in twips, that holds every node, its marks and every
// connection, with a margin.
QRectF LimitesDiagrama(const Red& red);

// Draws the diagram into `destino` (painter units), keeping its proportions.
void PintarDiagrama(QPainter& pintor, const QRectF& destino, Red& red, const Regional& reg,
                    const CapasSombreado& capas);

// The diagram as a picture, cropped as the exported files are; `escala`
// times the canvas resolution.
QImage ImagenDiagrama(Red& red, const Regional& reg, const CapasSombreado& capas, qreal escala);

// The format follows the extension (.png, .svg or .pdf; any other name gets
// ".png" added). Returns the path written; throws ErrorArchivo, with the
// reason, when the file could not be written or is `archivoRed` (the open
// network's file).
QString ExportarDiagrama(const QString& ruta, Red& red, const Regional& reg,
                         const CapasSombreado& capas, const std::string& archivoRed = {});

// One page with the diagram fitted inside the printable area.
bool ImprimirDiagrama(QPrinter& impresora, Red& red, const Regional& reg,
                      const CapasSombreado& capas);

}  // namespace vortena
