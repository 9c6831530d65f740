#include "widgets/VentanaHerramienta.h"

#include <QAction>
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

QPushButton* BotonAyuda(QWidget& ventana, std::function<void()> abrir) {
    auto* f1 = new QAction(&ventana);
    f1->setObjectName(QStringLiteral("ayudaF1"));
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    f1->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(f1, &QAction::triggered, &ventana, abrir);
    ventana.addAction(f1);
    auto* boton = new QPushButton(QStringLiteral("Ayuda"), &ventana);
    boton->setObjectName(QStringLiteral("btAyuda"));
    boton->setAutoDefault(false);
    QObject::connect(boton, &QPushButton::clicked, &ventana, std::move(abrir));
    return boton;
}

}  // namespace vortena
