#include "optimise/gui/IniciarOptimizacion.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "optimise/FuenteAleatoria.h"
#include "optimise/Optimizacion.h"
#include "optimise/gui/OptimizacionVortena.h"
#include "optimise/gui/VentanaFrente.h"

namespace vortena {

namespace {

// The search state kept in the window's object tree.
class EstadoOptimizacion : public QObject {
public:
    EstadoOptimizacion(Red& red, Mensajes& mensajes, QObject* padre)
        : QObject(padre), red(&red), mensajes(&mensajes), opt(red, mensajes, azar) {
        setObjectName(QStringLiteral("estadoOptimizacion"));
    }
    Red* red;
    Mensajes* mensajes;
    FuenteAleatoria azar;  // seeded once, never again while the window lives
    Optimizacion opt;
};

}  // namespace

void IniciarOptimizacion(Optimizacion& opt, Documento& doc, Regional reg, QWidget* padre) {
    if (!opt.Abrir()) return;
    {
        OptimizacionVortena dialogo(opt, doc, reg, padre);
        // An open front window judges the result when its front is of this network.
        QPointer<VentanaFrente> frente =
            padre ? padre->findChild<VentanaFrente*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
        dialogo.juicioFrente = [frente](double costo, double tiempo) -> std::optional<std::string> {
            if (frente.isNull()) return std::nullopt;
            return frente->Juicio(costo, tiempo);
        };
        dialogo.exec();
    }
    opt.Cerrar();
}

const Optimizacion* OptimizacionGuardada(const QWidget* padre, const Red& red,
                                         const Mensajes& mensajes) {
    if (!padre) return nullptr;
    for (QObject* hijo : padre->children())
        if (auto* e = dynamic_cast<EstadoOptimizacion*>(hijo);
            e && e->red == &red && e->mensajes == &mensajes)
            return &e->opt;
    return nullptr;
}

void IniciarOptimizacion(Red& red, Mensajes& mensajes, Documento& doc, Regional reg,
                         QWidget* padre) {
    if (!padre) {
        FuenteAleatoria azar;
        Optimizacion opt(red, mensajes, azar);
        IniciarOptimizacion(opt, doc, reg, nullptr);
        return;
    }
    EstadoOptimizacion* estado = nullptr;
    for (QObject* hijo : padre->children())
        if (auto* e = dynamic_cast<EstadoOptimizacion*>(hijo);
            e && e->red == &red && e->mensajes == &mensajes)
            estado = e;
    if (!estado) estado = new EstadoOptimizacion(red, mensajes, padre);
    IniciarOptimizacion(estado->opt, doc, reg, padre);
}

}  // namespace vortena
