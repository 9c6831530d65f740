// The main window on the desktop: files opened by path (command line,
// recent files, examples), the recent-files entries and the examples
// submenu of "&Archivo", and the diagram exported as a picture.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "editor/gui/ArchivosRecientes.h"
#include "editor/gui/ExportarDiagrama.h"
#include "editor/gui/Principal.h"
#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/NombreExportar.h"

namespace vortena {

namespace {

constexpr const char* kFiltroGrafico =
    "Imagen PNG (*.png)|*.png|Dibujo SVG (*.svg)|*.svg|Documento PDF (*.pdf)|*.pdf|";
// Marks the menu entries rebuilt from the recent-files list.
constexpr const char* kPropiedadReciente = "vortenaReciente";

// "planta-20-centros.vtq" -> "Planta 20 centros".
QString NombreEjemplo(const QFileInfo& f) {
    QString n = f.completeBaseName();
    n.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
    if (!n.isEmpty()) n[0] = n[0].toUpper();
    return n;
}

// Menu text: an accelerator digit, then the file name; && keeps a literal &.
QString TextoReciente(int i, const QString& ruta) {
    QString nombre = QFileInfo(ruta).fileName();
    nombre.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(i).arg(nombre);
}

}  // namespace

QStringList Principal::Ejemplos() const {
    QDir carpeta(carpeta_);
    if (!carpeta.cd(QStringLiteral("examples"))) return {};
    QStringList rutas;
    for (const QFileInfo& f :
         carpeta.entryInfoList({QStringLiteral("*.vtq")}, QDir::Files | QDir::Readable, QDir::Name))
        rutas << f.absoluteFilePath();
    return rutas;
}

void Principal::CrearMenusEscritorio() {
    auto* archivo = menuBar()->findChild<QMenu*>(QStringLiteral("mnArchivo"));
    if (archivo == nullptr) return;

    menuEjemplos_ = new QMenu(QStringLiteral("Abrir ejemplo"), archivo);
    menuEjemplos_->setObjectName(QStringLiteral("mnEjemplos"));
    menuEjemplos_->menuAction()->setObjectName(QStringLiteral("mnAbrirEjemplo"));
    QAction* guardar = findChild<QAction*>(QStringLiteral("mnGuardar"));
    archivo->insertMenu(guardar, menuEjemplos_);
    connect(menuEjemplos_, &QMenu::aboutToShow, this, &Principal::LlenarEjemplos);
    LlenarEjemplos();

    // Another instance may have opened files meanwhile: read the list again.
    connect(archivo, &QMenu::aboutToShow, this, &Principal::LlenarRecientes);
    LlenarRecientes();
}

void Principal::LlenarEjemplos() {
    menuEjemplos_->clear();
    const QStringList ejemplos = Ejemplos();
    for (const QString& ruta : ejemplos) {
        const QFileInfo f(ruta);
        QAction* a = menuEjemplos_->addAction(NombreEjemplo(f));
        a->setObjectName(QStringLiteral("mnEjemplo_") + f.completeBaseName());
        a->setStatusTip(ruta);
        connect(a, &QAction::triggered, this, [this, ruta] { AbrirEjemplo(ruta); });
    }
    if (ejemplos.isEmpty())
        menuEjemplos_->addAction(QStringLiteral("(no hay ejemplos instalados)"))->setEnabled(false);
}

void Principal::LlenarRecientes() {
    auto* archivo = menuBar()->findChild<QMenu*>(QStringLiteral("mnArchivo"));
    if (archivo == nullptr) return;
    for (QAction* a : archivo->actions())
        if (a->property(kPropiedadReciente).toBool()) {
            // Later, not now: this may run inside the entry's own click.
            archivo->removeAction(a);
            a->setObjectName(QString());
            a->setProperty(kPropiedadReciente, false);
            a->deleteLater();
        }

    // The recent files stand just above "Salir", after a separator of their own.
    QAction* antes = findChild<QAction*>(QStringLiteral("mnSalir"));
    const QStringList lista = ArchivosRecientes().Lista();
    int i = 0;
    for (const QString& ruta : lista) {
        auto* a = new QAction(TextoReciente(++i, ruta), archivo);
        a->setObjectName(QStringLiteral("mnReciente%1").arg(i));
        a->setProperty(kPropiedadReciente, true);
        a->setStatusTip(ruta);
        a->setToolTip(ruta);
        connect(a, &QAction::triggered, this, [this, ruta] { AbrirRuta(ruta); });
        archivo->insertAction(antes, a);
    }
    if (!lista.isEmpty()) {
        QAction* sep = archivo->insertSeparator(antes);
        sep->setProperty(kPropiedadReciente, true);
    }
}

void Principal::RecordarArchivo() {
    if (Guardado) ArchivosRecientes().Agregar(QString::fromStdString(NombreArchivo));
    LlenarRecientes();
}

bool Principal::AbrirRuta(const QString& ruta) {
    ContextoDocumento ctx = Contexto();
    if (!AbrirArchivoEn(ctx, Modificado, ruta.toStdString())) {
        // A file that is gone leaves the list; one that exists stays (it may
        // be readable again once its disk or rights come back).
        if (!QFileInfo::exists(ruta)) {
            ArchivosRecientes().Quitar(ruta);
            LlenarRecientes();
        }
        return false;
    }
    RecordarArchivo();
    return true;
}

bool Principal::AbrirAlArrancar(const QString& ruta) {
    const bool marca = Modificado;
    Modificado = false;
    if (AbrirRuta(ruta)) return true;
    Modificado = marca;
    return false;
}

bool Principal::AbrirEjemplo(const QString& ruta) {
    ContextoDocumento ctx = Contexto();
    if (!AbrirArchivoEn(ctx, Modificado, ruta.toStdString())) return false;
    NombreArchivo = "Anónimo.vtq";
    Guardado = false;
    PonerTitulo(QFileInfo(ruta).fileName().toStdString() + " (ejemplo)" +
                std::string(kSufijoTituloAbierto));
    return true;
}

void Principal::OrdenExportarGrafico() {
    const std::optional<std::string> nombre =
        NombreExportar(*dialogos_, kFiltroGrafico, {".png", ".svg", ".pdf"});
    if (!nombre) return;
    try {
        ExportarDiagrama(QString::fromStdString(*nombre), red_, regional_, editor_->capas(),
                         ArchivoAbierto(*this));
    } catch (const ErrorArchivo& e) {
        dialogos_->Mostrar("No se pudo escribir el gráfico: " + std::string(e.what()) + ".",
                           kTituloVentana, Botones::Aceptar, Icono::Critico);
    }
}

}  // namespace vortena
