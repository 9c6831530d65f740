#include "dialogs/DialogoElemento.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "dialogs/CajaEntrada.h"

namespace vortena {

DialogoElemento::DialogoElemento(const ContextoPropiedades& ctx, const char* nombre,
                                 const char* titulo, const char* nombreCaja, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QString::fromUtf8(nombre));
    setWindowTitle(QString::fromUtf8(titulo));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    opciones = new QTabWidget(this);
    opciones->setObjectName(QStringLiteral("opciones"));
    cuadro = new QWidget(opciones);
    cuadro->setObjectName(QStringLiteral("cuadro"));
    opciones->addTab(cuadro, QStringLiteral("Propiedades"));
    caja_ = new CajaEntrada(nombreCaja, cuadro);
    // An output or a multiplier below zero means nothing.
    caja_->Configurar(ctx_.regional, Admisible{0, std::numeric_limits<double>::infinity(), false,
                                               false, false, 1});

    aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("aceptar"));
    aceptar->setDefault(true);
    cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("cancelar"));
    // Aceptar checks the text as Enter does and stays open on a refusal.
    connect(aceptar, &QPushButton::clicked, this, &DialogoElemento::Enter);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(caja_, &CajaEntrada::enter, this, &DialogoElemento::Enter);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(opciones);
    todo->addLayout(botones);
    todo->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(caja_, aceptar);
    setTabOrder(aceptar, cancelar);
}

void DialogoElemento::MostrarValor(const QString& texto) {
    caja_->setText(texto);
    caja_->selectAll();
    caja_->setFocus(Qt::OtherFocusReason);
}

void DialogoElemento::Registrar(double antes, double nuevo) {
    if (antes != nuevo && !(std::isnan(antes) && std::isnan(nuevo))) ctx_.doc.ACTBarraEstado(true);
}

void DialogoElemento::Enter() {
    const Lectura l = caja_->Leer();
    if (l.valor) {
        accept();
        return;
    }
    ctx_.mensajes.Mostrar(TextoCaracter(l.motivo), kTituloCaracter, Botones::Aceptar,
                          Icono::Exclamacion);
    // The typed text stays to be mended, with the focus.
    caja_->Tomar();
}

void DialogoElemento::showEvent(QShowEvent* e) {
    cerrado_ = false;
    QDialog::showEvent(e);
}

void DialogoElemento::done(int resultado) {
    QDialog::done(resultado);
    if (cerrado_) return;
    cerrado_ = true;
    AlCerrar();
}

}  // namespace vortena
