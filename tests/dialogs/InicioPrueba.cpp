// The splash hands over to the main window exactly once: on a click anywhere
// on it, or when its timer runs out, and never lets the program end between
// the two windows.

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "dialogs/Inicio.h"

using vortena::Inicio;

class InicioPrueba : public QObject {
    Q_OBJECT
private slots:
    void clicCierraAlInstante_data();
    void clicCierraAlInstante();
    void temporizadorEntregaLaVentana();
    void noSeCierraAntesDeTiempo();
    void elProgramaNoTerminaEnElRelevo();
};

void InicioPrueba::clicCierraAlInstante_data() {
    QTest::addColumn<QString>("destino");  // object clicked; empty for the window itself
    QTest::addColumn<int>("clics");
    QTest::newRow("ventana") << QString() << 1;
    QTest::newRow("título") << QStringLiteral("lblTítulo") << 1;
    QTest::newRow("encabezado") << QStringLiteral("imgEncabezado") << 1;
    QTest::newRow("dos clics") << QString() << 2;
}

void InicioPrueba::clicCierraAlInstante() {
    QFETCH(QString, destino);
    QFETCH(int, clics);
    Inicio inicio;
    QWidget principal;
    connect(&inicio, &Inicio::cerrado, &principal, &QWidget::show);
    QSignalSpy cerrado(&inicio, &Inicio::cerrado);
    inicio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&inicio));

    QWidget* blanco = destino.isEmpty() ? &inicio : inicio.findChild<QWidget*>(destino);
    QVERIFY(blanco);
    for (int i = 0; i < clics; ++i) QTest::mouseClick(blanco, Qt::LeftButton);

    QCOMPARE(cerrado.count(), 1);
    QVERIFY(!inicio.isVisible());
    QVERIFY(principal.isVisible());
    QVERIFY(!inicio.Tiempo.isActive());
}

void InicioPrueba::temporizadorEntregaLaVentana() {
    Inicio inicio;
    inicio.PonerIntervalo(20);
    QWidget principal;
    connect(&inicio, &Inicio::cerrado, &principal, &QWidget::show);
    QSignalSpy cerrado(&inicio, &Inicio::cerrado);
    inicio.show();

    QTRY_COMPARE(cerrado.count(), 1);
    QVERIFY(!inicio.isVisible());
    QVERIFY(principal.isVisible());
    QTest::qWait(60);  // a stray second timeout or close must not announce again
    inicio.close();
    QCOMPARE(cerrado.count(), 1);
}

void InicioPrueba::noSeCierraAntesDeTiempo() {
    Inicio inicio;
    QCOMPARE(inicio.Tiempo.interval(), Inicio::kIntervalo);
    QSignalSpy cerrado(&inicio, &Inicio::cerrado);
    inicio.show();
    QVERIFY(inicio.Tiempo.isActive());
    QTest::qWait(50);
    QVERIFY(inicio.isVisible());
    QCOMPARE(cerrado.count(), 0);
}

// Runs the real event loop: had the application quit when the splash closed,
// exec() would return before the main window is looked at.
void InicioPrueba::elProgramaNoTerminaEnElRelevo() {
    QWidget principal;
    Inicio inicio;
    connect(&inicio, &Inicio::cerrado, &principal, &QWidget::show);
    bool seguia = false;
    QTimer clic;
    clic.setSingleShot(true);
    connect(&clic, &QTimer::timeout, &inicio, [&] { QTest::mouseClick(&inicio, Qt::LeftButton); });
    QTimer mirar;
    mirar.setSingleShot(true);
    connect(&mirar, &QTimer::timeout, &principal, [&] {
        seguia = principal.isVisible();
        principal.close();  // the last window: ends exec()
    });
    QTimer tope;
    tope.setSingleShot(true);
    connect(&tope, &QTimer::timeout, qApp, &QCoreApplication::quit);

    inicio.show();
    clic.start(0);
    mirar.start(100);
    tope.start(10000);
    QApplication::exec();
    QVERIFY(seguia);
}

QTEST_MAIN(InicioPrueba)
#include "InicioPrueba.moc"
