// The command line of "Ingresar": quoted browser with its inner trailing
// blank, one blank, and the index path unquoted, with exactly one separator
// between the launcher's folder and "index.html".

#include <QtTest>

#include "launcher/LineaComandos.h"

using namespace vortena::lanzador;

class LineaComandosPrueba : public QObject {
    Q_OBJECT
private slots:
    void lineaComandos_data();
    void lineaComandos();
};

void LineaComandosPrueba::lineaComandos_data() {
    QTest::addColumn<QString>("carpeta");
    QTest::addColumn<QString>("ruta");

    QTest::newRow("raíz de unidad") << QStringLiteral("C:\\") << QStringLiteral("C:\\index.html");
    QTest::newRow("carpeta con blancos")
        << QStringLiteral("C:\\Mis Cursos\\Teoría de Colas")
        << QStringLiteral("C:\\Mis Cursos\\Teoría de Colas\\index.html");
    QTest::newRow("carpeta con separador final")
        << QStringLiteral("D:\\vortena\\") << QStringLiteral("D:\\vortena\\index.html");
    QTest::newRow("raíz unix") << QStringLiteral("/") << QStringLiteral("/index.html");
    QTest::newRow("carpeta unix con blancos")
        << QStringLiteral("/opt/mis programas/vortena")
        << QStringLiteral("/opt/mis programas/vortena/index.html");
}

void LineaComandosPrueba::lineaComandos() {
    QFETCH(QString, carpeta);
    QFETCH(QString, ruta);
    QCOMPARE(RutaIndice(carpeta), ruta);
    QCOMPARE(
        LineaComandos(carpeta),
        QStringLiteral("\"c:\\Archivos de programa\\Internet Explorer\\Iexplore.exe \" ") + ruta);
}

QTEST_GUILESS_MAIN(LineaComandosPrueba)
#include "LineaComandosPrueba.moc"
