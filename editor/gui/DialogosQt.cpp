#include "editor/gui/DialogosQt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

namespace vortena {

namespace {

QMessageBox::Icon IconoQt(Icono i) {
    switch (i) {
        case Icono::Critico:
            return QMessageBox::Critical;
        case Icono::Exclamacion:
            return QMessageBox::Warning;
        case Icono::Informacion:
            return QMessageBox::Information;
        case Icono::Ninguno:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

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

QString TextoMensaje(const std::string& texto) {
    QString t = QString::fromStdString(texto);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

Respuesta DialogosQt::Mostrar(const std::string& texto, const std::string& titulo, Botones botones,
                              Icono icono) {
    QMessageBox caja(IconoQt(icono), QString::fromStdString(titulo), TextoMensaje(texto),
                     QMessageBox::NoButton, padre_);
    if (botones == Botones::Aceptar) {
        QPushButton* aceptar = caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        caja.setDefaultButton(aceptar);
        caja.setEscapeButton(aceptar);
        caja.exec();
        return Respuesta::Aceptar;
    }
    QPushButton* si = caja.addButton(QString::fromUtf8("Sí"), QMessageBox::YesRole);
    QPushButton* no = caja.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancelar = nullptr;
    if (botones == Botones::SiNoCancelar)
        cancelar = caja.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    caja.setDefaultButton(si);
    // Escape and the close button take the escape button: Cancelar when the
    // question has one, otherwise No.
    caja.setEscapeButton(cancelar != nullptr ? cancelar : no);
    caja.exec();
    if (caja.clickedButton() == si) return Respuesta::Si;
    if (caja.clickedButton() == no) return Respuesta::No;
    return cancelar != nullptr ? Respuesta::Cancelar : Respuesta::No;
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
