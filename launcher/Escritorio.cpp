#include "launcher/Escritorio.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace vortena::lanzador {

bool EscritorioSistema::Existe(const QString& archivo) {
    return QFileInfo(archivo).isFile();
}

bool EscritorioSistema::Ejecutar(const QString& lineaComandos) {
    // A quoted program followed by one blank and the document, which is a
    // single argument however many blanks it holds.
    if (!lineaComandos.startsWith(u'"')) return false;
    const qsizetype cierre = lineaComandos.indexOf(u'"', 1);
    if (cierre < 0) return false;
    const QString programa = lineaComandos.mid(1, cierre - 1).trimmed();
    const QString documento = lineaComandos.mid(cierre + 2);
    QProcess proceso;
    proceso.setProgram(programa);
    if (!documento.isEmpty()) proceso.setArguments({documento});
    return proceso.startDetached();
}

bool EscritorioSistema::Abrir(const QString& documento) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(documento));
}

void EscritorioSistema::Avisar(const QString& texto) {
    QMessageBox caja(QMessageBox::Warning, QStringLiteral("Vortena de Líneas de Producción"), texto,
                     QMessageBox::NoButton);
    caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    caja.exec();
}

}  // namespace vortena::lanzador
