#include <QApplication>
#include <QTimer>

#include "dialogs/Inicio.h"
#include "dialogs/VentanasPrincipal.h"
#include "editor/gui/Captura.h"
#include "editor/gui/Escritorio.h"
#include "editor/gui/Principal.h"
#include "model/Red.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vortena"));
    QApplication::setOrganizationName(QStringLiteral("Vortena"));
    vortena::CargarTraduccionesQt(app);

    // The one network store of the program, alive as long as the window.
    vortena::Red red;
    const QString carpeta = QCoreApplication::applicationDirPath();

    if (const auto captura = vortena::LeerOpcionesCaptura(QApplication::arguments()))
        return vortena::EjecutarCaptura(red, carpeta, *captura);

    vortena::Principal ventana(red, carpeta);
    vortena::InstalarVentanas(ventana);
    if (vortena::PideMedirArranque(QApplication::arguments()))
        return vortena::MostrarHastaPrimerPintado(ventana);
    // `vortena RED.vtq` (a double-click in the file manager): the file opens
    // once the window is up, so a message about it has a window to sit on.
    const QString archivo = vortena::ArchivoDeArgumentos(QApplication::arguments());
    // The splash comes first; the main window takes over when it closes.
    vortena::Inicio inicio;
    QObject::connect(&inicio, &vortena::Inicio::cerrado, &ventana, [&ventana, archivo] {
        ventana.show();
        if (!archivo.isEmpty())
            QTimer::singleShot(0, &ventana,
                               [&ventana, archivo] { ventana.AbrirAlArrancar(archivo); });
    });
    inicio.show();
    return QApplication::exec();
}
