#include <QApplication>
#include <QDir>

#include "launcher/Escritorio.h"
#include "launcher/Form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vortena::lanzador::EscritorioSistema escritorio;
    vortena::lanzador::Form1 ventana(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()), escritorio);
    ventana.show();
    return app.exec();
}
