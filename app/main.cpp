#include <QApplication>

#include "dialogs/Inicio.h"
#include "dialogs/VentanasPrincipal.h"
#include "editor/gui/Captura.h"
#include "editor/gui/Principal.h"
#include "model/Red.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vortena"));

    // The one network store of the program, alive as long as the window.
    vortena::Red red;
    const QString carpeta = QCoreApplication::applicationDirPath();

    if (const auto captura = vortena::LeerOpcionesCaptura(QApplication::arguments()))
        return vortena::EjecutarCaptura(red, carpeta, *captura);

    vortena::Principal ventana(red, carpeta);
    vortena::InstalarVentanas(ventana);
    // The splash comes first; the main window takes over when it closes.
    vortena::Inicio inicio;
    QObject::connect(&inicio, &vortena::Inicio::cerrado, &ventana, &QWidget::show);
    inicio.show();
    return QApplication::exec();
}
