#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel etiqueta("Vortena de Líneas de Producción");
    etiqueta.show();
    return app.exec();
}
