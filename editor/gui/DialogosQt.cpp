#include "editor/gui/DialogosQt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

#include "widgets/CajaMensaje.h"

namespace vortena {

namespace {

std::optional<std::string> Elegido(const QString& nombre) {
    if (nombre.isEmpty()) return std::nullopt;
    return nombre.toStdString();
}

}  // namespace

QString FiltroQt(const std::string& filtro) {
    const QStringList partes = QString::fromStdString(filtro).split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        const QString descripcion = partes[i].trimmed();
        const QString patron = partes[i + 1].trimmed();
        if (descripcion.isEmpty() && patron.isEmpty()) continue;
        if (patron.isEmpty() || descripcion.contains(QLatin1Char('(') + patron + QLatin1Char(')')))
            filtros << descripcion;
        else
            filtros << QStringLiteral("%1 (%2)").arg(descripcion, patron);
    }
    return filtros.join(QStringLiteral(";;"));
}

Respuesta DialogosQt::Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                              Icono icono) {
    return MostrarCaja(padre_, texto, titulo, botones, icono);
}

std::optional<std::string> DialogosQt::NombreAbrir(const std::string& filtro) {
    return Elegido(
        QFileDialog::getOpenFileName(padre_, QStringLiteral("Abrir"), QString(), FiltroQt(filtro)));
}

std::optional<std::string> DialogosQt::NombreGuardar(const std::string& filtro,
                                                     const std::string& propuesto) {
    QString inicio = QString::fromStdString(propuesto);
    if (!inicio.isEmpty() && QFileInfo(inicio).isRelative())
        inicio = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                     .filePath(inicio);
    // The save command asks its own overwrite question.
    return Elegido(QFileDialog::getSaveFileName(padre_, QStringLiteral("Guardar como"), inicio,
                                                FiltroQt(filtro), nullptr,
                                                QFileDialog::DontConfirmOverwrite));
}

DialogosQt::DialogosQt(QWidget* padre) : padre_(padre) {}
DialogosQt::~DialogosQt() = default;

void DialogosQt::ConfigurarImpresora() {
    if (!impresora_) impresora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialogo(impresora_.get(), padre_);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    aceptada_ = dialogo.exec() == QDialog::Accepted;
}

QPrinter* DialogosQt::TomarImpresora() {
    const bool aceptada = aceptada_;
    aceptada_ = false;
    return aceptada ? impresora_.get() : nullptr;
}

}  // namespace vortena
