// The main window's side of the cost–time front: opening its window and
// taking a chosen point into the network.

#include "editor/gui/Principal.h"
#include "optimise/AplicarFrente.h"
#include "optimise/Optimizacion.h"
#include "optimise/gui/IniciarOptimizacion.h"
#include "optimise/gui/VentanaFrente.h"
#include "widgets/VentanaHerramienta.h"

namespace vortena {

void Principal::OrdenFrenteCostoTiempo() {
    // One window at a time; a second command brings it forward.
    if (auto* abierta = findChild<VentanaFrente*>(QString(), Qt::FindDirectChildrenOnly)) {
        abierta->show();
        abierta->raise();
        abierta->activateWindow();
        return;
    }
    ContextoFrente ctx{red_, *dialogos_, regional_, std::nullopt, std::nullopt, {}, {}};
    const Optimizacion* genetica = OptimizacionGuardada(this, red_, *dialogos_);
    if (genetica && genetica->HuboCorrida()) {
        ctx.genetica =
            EvaluacionFrente{genetica->MejorCadena.rOptimo, genetica->MejorCadena.rTiempo, true};
        ctx.deseado = genetica->TiempoDeseado;
    }
    ctx.aplicar = [this](const ModeloFrente& modelo, const std::vector<std::int16_t>& servidores) {
        AplicarServidoresFrente(modelo, servidores);
    };
    ctx.ayuda = [this] { MostrarAyuda(QStringLiteral("frente.htm")); };
    auto* ventana = new VentanaFrente(std::move(ctx), this);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ComoVentanaDeHerramienta(*ventana, *this);
    connect(this, &Principal::documentoCambiado, ventana, &VentanaFrente::RevisarRed);
    ventana->show();
    ventana->Calcular();
}

void Principal::AplicarServidoresFrente(const ModeloFrente& modelo,
                                        const std::vector<std::int16_t>& servidores) {
    bool aplicado = false;
    Paso("Frente costo–tiempo",
         [&] { aplicado = AplicarServidores(red_, *dialogos_, *this, modelo, servidores); });
    if (aplicado) RedibujarTodo();
}

}  // namespace vortena
