#include "widgets/GuardarSalida.h"

#include <QBuffer>
#include <QPixmap>
#include <QWidget>
#include <string_view>

#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"

namespace vortena {

std::string ArchivoRedDe(const QWidget* ventana) {
    for (const QWidget* w = ventana; w != nullptr; w = w->parentWidget())
        if (const auto* doc = dynamic_cast<const Documento*>(w)) return ArchivoAbierto(*doc);
    return {};
}

QByteArray BytesPng(const QPixmap& imagen) {
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    imagen.save(&b, "PNG");
    return datos;
}

QString GuardarDesde(const QWidget* ventana, const QString& ruta, const QByteArray& datos) {
    if (datos.isEmpty()) return QStringLiteral("no se pudo preparar el contenido de ") + ruta;
    try {
        EscribirAtomico(ruta.toStdString(),
                        std::string_view(datos.constData(), static_cast<std::size_t>(datos.size())),
                        ArchivoRedDe(ventana));
    } catch (const ErrorArchivo& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

}  // namespace vortena
