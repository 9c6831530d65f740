#include "dialogs/Arrancador.h"

#include <QFileInfo>
#include <QProcess>

namespace vortena {

bool ArrancadorSistema::Existe(const QString& archivo) {
    return QFileInfo(archivo).isFile();
}

bool ArrancadorSistema::Arrancar(const QString& lineaComandos) {
    // A path with blanks that names a program as it stands is started as is;
    // anything else is split like a shell command line.
    if (QFileInfo(lineaComandos).isFile()) return QProcess::startDetached(lineaComandos, {});
    QStringList partes = QProcess::splitCommand(lineaComandos);
    if (partes.isEmpty()) return false;
    const QString programa = partes.takeFirst();
    return QProcess::startDetached(programa, partes);
}

}  // namespace vortena
