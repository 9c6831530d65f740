#include "dialogs/VentanasPrincipal.h"

#include <QObject>
#include <QPointer>

#include "dialogs/AcercaDe.h"
#include "dialogs/Ayuda.h"
#include "dialogs/Propiedades.h"
#include "editor/gui/Principal.h"

namespace vortena {

namespace {

// The help viewer is a window of its own, not modal, one at a time; it goes
// with the main window (this object is the main window's child).
class VisorAyuda : public QObject {
public:
    explicit VisorAyuda(Principal& ventana) : QObject(&ventana), ventana_(ventana) {
        setObjectName(QStringLiteral("visorAyuda"));
    }
    ~VisorAyuda() override { delete ayuda_.data(); }

    // On `pagina` when one is given, else where it was (the start page when new).
    void Mostrar(const QString& pagina = {}) {
        // A second F1 brings the open viewer forward.
        if (ayuda_.isNull()) {
            ayuda_ = new Ayuda(ventana_.carpeta());
            ayuda_->setAttribute(Qt::WA_DeleteOnClose);
        }
        if (!pagina.isEmpty()) ayuda_->AbrirPagina(pagina);
        ayuda_->show();
        ayuda_->raise();
        ayuda_->activateWindow();
    }

private:
    Principal& ventana_;
    QPointer<Ayuda> ayuda_;
};

}  // namespace

void InstalarVentanas(Principal& v) {
    // The context is taken at each opening: the regional settings may change.
    auto contexto = [&v] {
        return ContextoPropiedades{v.red(), v.editor(), v.dialogos(), v, v.regional()};
    };
    auto* visor = new VisorAyuda(v);
    Principal::Ventanas ventanas;
    ventanas.nodoCentro = [&v, contexto] { AbrirNodoCentro(contexto(), &v); };
    ventanas.nodoFinal = [&v, contexto] { AbrirNodoFinal(contexto(), &v); };
    ventanas.arco = [&v, contexto] { AbrirArco(contexto(), &v); };
    ventanas.contenido = [visor] { visor->Mostrar(); };
    ventanas.pagina = [visor](const QString& pagina) { visor->Mostrar(pagina); };
    ventanas.acercaDe = [&v] {
        AcercaDe acerca(&v);
        acerca.exec();
    };
    v.PonerVentanas(std::move(ventanas));
}

}  // namespace vortena
