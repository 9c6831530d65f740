// The launcher's buttons against a fake desktop: "Ingresar" starts the quoted
// browser when it exists and otherwise opens the index with the default
// browser; whatever happens the launcher ends. "Salir" only ends it.

#include <QPushButton>
#include <QtTest>

#include "launcher/Escritorio.h"
#include "launcher/Form1.h"
#include "launcher/LineaComandos.h"

using namespace vortena::lanzador;

namespace {

class EscritorioFalso : public Escritorio {
public:
    bool Existe(const QString& archivo) override {
        consultados << archivo;
        return existentes.contains(archivo);
    }
    bool Ejecutar(const QString& linea) override {
        ejecutadas << linea;
        return ejecutaBien;
    }
    bool Abrir(const QString& documento) override {
        abiertos << documento;
        return abreBien;
    }
    void Avisar(const QString& texto) override { avisos << texto; }

    QStringList existentes, consultados, ejecutadas, abiertos, avisos;
    bool ejecutaBien = true;
    bool abreBien = true;
};

const QString kCarpeta = QStringLiteral("/opt/mis programas/vortena");
const QString kIndice = QStringLiteral("/opt/mis programas/vortena/index.html");
const QString kNavegadorSinBlanco =
    QStringLiteral("c:\\Archivos de programa\\Internet Explorer\\Iexplore.exe");

void Pulsar(Form1& f, const char* boton) {
    auto* b = f.findChild<QPushButton*>(QString::fromLatin1(boton));
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

class Form1Prueba : public QObject {
    Q_OBJECT
private slots:
    void ingresar_data();
    void ingresar();
    void salir();
};

void Form1Prueba::ingresar_data() {
    QTest::addColumn<bool>("hayNavegador");
    QTest::addColumn<bool>("ejecutaBien");
    QTest::addColumn<bool>("abreBien");
    QTest::addColumn<int>("ejecutadas");
    QTest::addColumn<int>("abiertos");
    QTest::addColumn<int>("avisos");

    QTest::newRow("sin el navegador citado") << false << true << true << 0 << 1 << 0;
    QTest::newRow("con el navegador citado") << true << true << true << 1 << 0 << 0;
    QTest::newRow("el navegador citado no arranca") << true << false << true << 1 << 1 << 0;
    QTest::newRow("nada abre el índice") << false << true << false << 0 << 1 << 1;
}

void Form1Prueba::ingresar() {
    QFETCH(bool, hayNavegador);
    QFETCH(bool, ejecutaBien);
    QFETCH(bool, abreBien);
    QFETCH(int, ejecutadas);
    QFETCH(int, abiertos);
    QFETCH(int, avisos);

    EscritorioFalso escritorio;
    if (hayNavegador) escritorio.existentes << kNavegadorSinBlanco;
    escritorio.ejecutaBien = ejecutaBien;
    escritorio.abreBien = abreBien;
    Form1 f(kCarpeta, escritorio);
    f.show();
    Pulsar(f, "Command1");

    QCOMPARE(escritorio.consultados, QStringList{kNavegadorSinBlanco});
    QCOMPARE(escritorio.ejecutadas.size(), ejecutadas);
    for (const QString& l : escritorio.ejecutadas) QCOMPARE(l, LineaComandos(kCarpeta));
    QCOMPARE(escritorio.abiertos.size(), abiertos);
    for (const QString& d : escritorio.abiertos) QCOMPARE(d, kIndice);
    QCOMPARE(escritorio.avisos.size(), avisos);
    QVERIFY(!f.isVisible());  // the launcher ends in every case
}

void Form1Prueba::salir() {
    EscritorioFalso escritorio;
    Form1 f(kCarpeta, escritorio);
    f.show();
    Pulsar(f, "Command2");
    QVERIFY(!f.isVisible());
    QVERIFY(escritorio.ejecutadas.isEmpty());
    QVERIFY(escritorio.abiertos.isEmpty());
    QVERIFY(escritorio.avisos.isEmpty());
}

QTEST_MAIN(Form1Prueba)
#include "Form1Prueba.moc"
