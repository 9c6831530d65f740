#include "widgets/CajaMensaje.h"

#include <QMessageBox>
#include <QPushButton>

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

}  // namespace

QString TextoMensaje(const std::string& texto) {
    QString t = QString::fromStdString(texto);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

Respuesta MostrarCaja(QWidget* padre, const std::string& texto, const std::string& titulo,
                      Botones botones, Icono icono) {
    QMessageBox caja(IconoQt(icono), QString::fromStdString(titulo), TextoMensaje(texto),
                     QMessageBox::NoButton, padre);
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

}  // namespace vortena
