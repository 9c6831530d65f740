#include "editor/gui/ArchivosRecientes.h"

#include <QFileInfo>
#include <QSettings>

namespace vortena {

namespace {

const QString kClave = QStringLiteral("archivosRecientes");

QSettings Ajustes() {
    return QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
}

// One spelling per file, so "./a.vtq" and "/home/u/a.vtq" are one entry.
QString Normal(const QString& ruta) {
    return QFileInfo(ruta).absoluteFilePath();
}

void Escribir(const QStringList& lista) {
    QSettings s = Ajustes();
    s.setValue(kClave, lista);
}

}  // namespace

QStringList ArchivosRecientes::Lista() const {
    QStringList lista = Ajustes().value(kClave).toStringList();
    lista.removeAll(QString());
    if (lista.size() > kMaximo) lista.resize(kMaximo);
    return lista;
}

void ArchivosRecientes::Agregar(const QString& ruta) {
    const QString r = Normal(ruta);
    QStringList lista = Lista();
    lista.removeAll(r);
    lista.prepend(r);
    if (lista.size() > kMaximo) lista.resize(kMaximo);
    Escribir(lista);
}

void ArchivosRecientes::Quitar(const QString& ruta) {
    QStringList lista = Lista();
    if (lista.removeAll(Normal(ruta)) > 0) Escribir(lista);
}

}  // namespace vortena
