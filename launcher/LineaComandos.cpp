#include "launcher/LineaComandos.h"

#include <QDir>

namespace vortena::lanzador {

QString RutaIndice(const QString& carpeta) {
    const QString indice = QStringLiteral("index.html");
    if (carpeta.endsWith(u'\\') || carpeta.endsWith(u'/')) return carpeta + indice;
    QChar separador = QDir::separator();
    if (carpeta.contains(u'\\')) {
        separador = u'\\';
    } else if (carpeta.contains(u'/')) {
        separador = u'/';
    }
    return carpeta + separador + indice;
}

QString LineaComandos(const QString& carpeta) {
    const QChar comillas(34);
    const QChar blanco(32);
    return comillas + kNavegador + comillas + blanco + RutaIndice(carpeta);
}

}  // namespace vortena::lanzador
