// Undo and redo in the main window: every change of the document runs as one
// step of the history, and the "Deshacer"/"Rehacer" entries name the step
// they would take back or do again.

#include <QAction>
#include <QKeySequence>

#include "editor/gui/ManejoLienzo.h"
#include "editor/gui/Principal.h"

namespace vortena {

namespace {

// An action's name in a menu caption: a "&" in a centre's name is no mnemonic.
QString EnMenu(const std::string& texto) {
    return QString::fromStdString(texto).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

void Principal::ConectarHistorial() {
    if (auto* rehacer = findChild<QAction*>(QStringLiteral("mnRehacer")))
        rehacer->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    ActualizarDeshacer();
}

void Principal::Paso(const std::string& accion, const std::function<void()>& cambio) {
    // The entries, the mark and the figures follow even when the action
    // fails half-way.
    struct AlSalir {
        Principal* p;
        bool alDia, enGuardado;
        ~AlSalir() { p->TrasCambio(alDia, enGuardado); }
    } alSalir{this, red_.ResultadosAlDia, historial_.EnGuardado()};
    EnUnPaso(historial_, red_, accion, cambio);
}

void Principal::TrasCambio(bool alDia, bool enGuardado) {
    ActualizarDeshacer();
    if (alDia != red_.ResultadosAlDia) {
        // The figures went stale (or current) after the action had drawn
        // and refreshed with the old flag: panel, colouring, outline.
        ACTBarraEstado(true);
        RedibujarConSeleccion();
    } else if (enGuardado != historial_.EnGuardado()) {
        ACTBarraEstado(true);
    }
}

void Principal::RedReemplazada() {
    historial_.Reiniciar();
    ActualizarDeshacer();
}

void Principal::OrdenDeshacer() {
    if (historial_.Deshacer(red_)) {
        // Positions may have shifted under the selection.
        red_.LimpiarSeleccion();
        RedibujarTodo();
        ACTBarraEstado(true);
    }
    ActualizarDeshacer();
}

void Principal::OrdenRehacer() {
    if (historial_.Rehacer(red_)) {
        red_.LimpiarSeleccion();
        RedibujarTodo();
        ACTBarraEstado(true);
    }
    ActualizarDeshacer();
}

void Principal::ActualizarDeshacer() {
    auto poner = [this](const char* nombre, const char* verbo, const std::string& accion) {
        auto* a = findChild<QAction*>(QString::fromLatin1(nombre));
        if (!a) return;
        QString texto = QString::fromUtf8(verbo);
        if (!accion.empty()) texto += QLatin1Char(' ') + EnMenu(accion);
        a->setText(texto);
        a->setToolTip(QString(texto).replace(QStringLiteral("&&"), QStringLiteral("&")));
        a->setEnabled(!accion.empty());
    };
    poner("mnDeshacer", "Deshacer", historial_.AccionDeshacer());
    poner("mnRehacer", "Rehacer", historial_.AccionRehacer());
}

void Principal::PonerVentanas(Ventanas ventanas) {
    ventanas_ = std::move(ventanas);
    // A property dialog is one step from opening to closing, named after the
    // record it opened on.
    auto comoPaso = [this](const std::function<void()>& abrir) -> std::function<void()> {
        if (!abrir) return {};
        return [this, abrir] {
            std::string nombre = "la conexión";
            if (red_.CentroActual != 0 && red_.Centros.Existe(red_.CentroActual))
                nombre = red_.Centros(red_.CentroActual).Nombre;
            Paso("Propiedades de " + nombre, abrir);
        };
    };
    lienzo_->AbrirNodoCentro = comoPaso(ventanas_.nodoCentro);
    lienzo_->AbrirNodoFinal = comoPaso(ventanas_.nodoFinal);
    lienzo_->AbrirArco = comoPaso(ventanas_.arco);
}

}  // namespace vortena
