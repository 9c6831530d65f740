#include "dialogs/Propiedades.h"

#include "dialogs/Arco.h"
#include "dialogs/NodoCentro.h"
#include "dialogs/NodoFinal.h"

namespace vortena {

void AbrirNodoCentro(const ContextoPropiedades& ctx, QWidget* padre) {
    if (!ctx.red.Centros.Existe(ctx.red.CentroActual)) return;
    NodoCentro dialogo(ctx, padre);
    dialogo.exec();
}

void AbrirNodoFinal(const ContextoPropiedades& ctx, QWidget* padre) {
    if (!ctx.red.Centros.Existe(ctx.red.CentroActual)) return;
    NodoFinal dialogo(ctx, padre);
    dialogo.exec();
}

void AbrirArco(const ContextoPropiedades& ctx, QWidget* padre) {
    if (!ctx.red.Conexiones.Existe(ctx.red.ConexionActual)) return;
    Arco dialogo(ctx, padre);
    dialogo.exec();
}

}  // namespace vortena
