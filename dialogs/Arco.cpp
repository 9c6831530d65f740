#include "dialogs/Arco.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/CajaEntrada.h"

namespace vortena {

namespace {

QString NombreNodo(const Red& red, std::int16_t posicion) {
    return red.Centros.Existe(posicion) ? QString::fromStdString(red.Centros(posicion).Nombre)
                                        : QString();
}

}  // namespace

Arco::Arco(const ContextoPropiedades& ctx, QWidget* parent)
    : DialogoElemento(ctx, "Arco", "Propiedades de la Conexión", "multiplicador", parent) {
    const linea& c = Conexion();

    nodos = new QGroupBox(QStringLiteral("Nodos que conecta"), cuadro);
    nodos->setObjectName(QStringLiteral("nodos"));
    inicio = CajaLectura("inicio", nodos);
    fin = CajaLectura("fin", nodos);
    inicio->setText(NombreNodo(ctx_.red, c.CentroInicio));
    fin->setText(NombreNodo(ctx_.red, c.CentroFin));
    for (QLineEdit* e : {inicio, fin}) e->setMinimumWidth(140);
    auto* fn = new QFormLayout(nodos);
    fn->addRow(QStringLiteral("Inicio:"), inicio);
    fn->addRow(QStringLiteral("Final:"), fin);

    Titulo = new QLabel(QStringLiteral("Multiplicardor"), cuadro);
    Titulo->setObjectName(QStringLiteral("Titulo"));
    Titulo->setBuddy(caja_);
    caja_->setMinimumWidth(100);
    auto* fila = new QHBoxLayout;
    fila->addWidget(Titulo);
    fila->addWidget(caja_);
    fila->addStretch(1);

    auto* v = new QVBoxLayout(cuadro);
    v->addWidget(nodos);
    v->addLayout(fila);
    v->addStretch(1);

    MostrarValor(QString::fromStdString(Formato(c.multiplicador, "#0.00", ctx_.regional)));
}

linea& Arco::Conexion() {
    return ctx_.red.Conexiones(ctx_.red.ConexionActual);
}

void Arco::AlCerrar() {
    if (Aceptado() && ctx_.red.Conexiones.Existe(ctx_.red.ConexionActual)) {
        linea& c = Conexion();
        if (const auto v = caja_->Leer().valor) {
            // The old label is printed at the midpoint of the line; wipe it
            // before the multiplier changes.
            Superficie& sup = ctx_.editor.superficie();
            const std::string viejo = TextoGeneral(c.multiplicador, ctx_.regional);
            const float x = (c.x2 - c.x1) / 2 + c.x1;
            const float y = (c.y2 - c.y1) / 2 + c.y1;
            sup.Rectangulo(x, y, x + sup.AnchoTexto(viejo), y + sup.AltoTexto(viejo), kBlanco, 1,
                           true);
            const double antes = c.multiplicador;
            c.multiplicador = *v;
            Registrar(antes, c.multiplicador);
        }
    }
    ctx_.editor.RedibujarTodo();
}

}  // namespace vortena
