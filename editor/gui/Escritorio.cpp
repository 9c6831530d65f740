#include "editor/gui/Escritorio.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vortena {

namespace {

// The hidden picture options that take a value.
bool LlevaValor(const QString& opcion) {
    return opcion == QLatin1String("--captura") || opcion == QLatin1String("--abrir") ||
           opcion == QLatin1String("--tamano");
}

}  // namespace

QString ArchivoDeArgumentos(const QStringList& argumentos) {
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a.startsWith(QLatin1String("--"))) {
            if (LlevaValor(a)) ++i;
            continue;
        }
        if (a.isEmpty()) continue;
        return QFileInfo(a).absoluteFilePath();
    }
    return {};
}

bool CargarTraduccionesQt(QCoreApplication& app) {
    // Owned by the application, which keeps it for the program's life.
    auto* qt = new QTranslator(&app);
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                  QStringLiteral("_"), carpeta)) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

}  // namespace vortena
