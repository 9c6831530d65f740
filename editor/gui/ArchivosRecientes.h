#pragma once
// The most recently opened or saved network files, newest first, kept in the
// user's settings so they survive the session.

#include <QString>
#include <QStringList>

namespace vortena {

class ArchivosRecientes {
public:
    static constexpr qsizetype kMaximo = 8;

    QStringList Lista() const;
    // Puts `ruta` first (once), dropping the oldest beyond kMaximo.
    void Agregar(const QString& ruta);
    void Quitar(const QString& ruta);
};

}  // namespace vortena
