#include "widgets/VentanaHerramienta.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QWidget>

namespace vortena {

void ComoVentanaDeHerramienta(QWidget& ventana, QWidget& principal) {
    const bool visible = ventana.isVisible();
    if (ventana.parentWidget() != &principal) ventana.setParent(&principal);
    ventana.setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    if (visible) ventana.show();
    // The same actions, not copies: their entries and enabled state follow
    // the document wherever the keys are pressed.
    for (const char* nombre : {"mnDeshacer", "mnRehacer"})
        if (auto* a = principal.findChild<QAction*>(QString::fromLatin1(nombre)))
            ventana.addAction(a);
}

namespace {

// While a tool window is active Qt matches window shortcuts against its main
// window, so an F1 action here would lose to the main window's "Contenido".
// Claiming F1 before the shortcut map sees it keeps it for this window.
class TeclaAyuda : public QObject {
public:
    TeclaAyuda(QWidget& ventana, std::function<void()> abrir)
        : QObject(&ventana), abrir_(std::move(abrir)) {
        setObjectName(QStringLiteral("ayudaF1"));
        ventana.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress)
            return QObject::eventFilter(objeto, e);
        auto* tecla = static_cast<QKeyEvent*>(e);
        if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier) return false;
        e->accept();
        if (e->type() == QEvent::KeyPress) abrir_();
        return true;
    }

private:
    std::function<void()> abrir_;
};

}  // namespace

QPushButton* BotonAyuda(QWidget& ventana, std::function<void()> abrir) {
    new TeclaAyuda(ventana, abrir);
    auto* boton = new QPushButton(QStringLiteral("Ayuda"), &ventana);
    boton->setObjectName(QStringLiteral("btAyuda"));
    boton->setAutoDefault(false);
    QObject::connect(boton, &QPushButton::clicked, &ventana, std::move(abrir));
    return boton;
}

}  // namespace vortena
