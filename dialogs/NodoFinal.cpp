#include "dialogs/NodoFinal.h"

#include <QGridLayout>
#include <QLabel>

#include "dialogs/CajaEntrada.h"

namespace vortena {

NodoFinal::NodoFinal(const ContextoPropiedades& ctx, QWidget* parent)
    : DialogoElemento(ctx, "NodoFinal", "Propiedades del Nodo Final", "Salida", parent) {
    Titulo = new QLabel(QStringLiteral("Salida de Productos por Unidad de Tiempo"), cuadro);
    Titulo->setObjectName(QStringLiteral("Titulo"));
    Titulo->setBuddy(caja_);
    caja_->setMinimumWidth(120);
    auto* g = new QGridLayout(cuadro);
    g->addWidget(Titulo, 0, 0);
    g->addWidget(caja_, 0, 1);
    g->setRowStretch(1, 1);

    mostrado_ = QString::fromStdString(TextoGeneral(Nodo().Salida, ctx_.regional));
    MostrarValor(mostrado_);
}

CentroProductivo& NodoFinal::Nodo() {
    return ctx_.red.Centros(ctx_.red.CentroActual);
}

void NodoFinal::AlCerrar() {
    if (!ctx_.red.Centros.Existe(ctx_.red.CentroActual)) return;
    CentroProductivo& nodo = Nodo();
    // The text as opened stands for the stored value itself, which its 15
    // digits would round (1/3), so only an edited text is read back.
    if (Aceptado() && caja_->text() != mostrado_) {
        // As Enter reads it: "1.5" typed by habit is no 15.
        if (const auto v = caja_->Leer().valor) {
            const double antes = nodo.Salida;
            nodo.Salida = *v;
            Registrar(antes, nodo.Salida);
        }
    }
    ctx_.editor.RedibujarNodoFin();
}

}  // namespace vortena
