#pragma once
// What the program needs from the desktop it runs on: the file it was asked
// to open (a file manager passes it as an argument) and Qt's own dialogs
// speaking Spanish.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace vortena {

// The network file named on the command line, as an absolute path; empty
// when none is. Options (starting with "--") and their values are skipped.
QString ArchivoDeArgumentos(const QStringList& argumentos);

// Installs Qt's Spanish catalogues (file, print and colour dialogs, standard
// buttons) on the application. False when they are not installed.
bool CargarTraduccionesQt(QCoreApplication& app);

}  // namespace vortena
