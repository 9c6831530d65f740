// The end-node dialog: the output shown on opening, the Enter check, and the
// write-back on Aceptar only, and the redraw however the dialog closes.

#include <QLabel>
#include <QtTest>

#include "BancoPropiedades.h"
#include "dialogs/NodoFinal.h"

using namespace vortena;
using namespace vortena::prueba;

class NodoFinalPrueba : public QObject {
    Q_OBJECT
private slots:
    void salida_data();
    void salida();
    void apariencia();
};

void NodoFinalPrueba::salida_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<double>("inicial");
    QTest::addColumn<QString>("textoInicial");
    QTest::addColumn<bool>("teclear");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("cierre");  // after Enter, if still open
    QTest::addColumn<bool>("rechazo");    // Enter refused: the typed text stays, with the focus
    QTest::addColumn<double>("guardado");
    QTest::addColumn<bool>("marcado");

    const double tercio = 1.0 / 3.0;
    // clang-format off
    QTest::newRow("es abre sin patrón") << "es" << 12.5 << "12,5" << false << "" << false << "aceptar" << false << 12.5 << false;
    QTest::newRow("en abre sin patrón") << "en" << 12.5 << "12.5" << false << "" << false << "cancelar" << false << 12.5 << false;
    QTest::newRow("tercio sin editar") << "es" << tercio << "0,333333333333333" << false << "" << false << "cierre" << false << tercio << false;
    QTest::newRow("Enter cero") << "es" << 20.0 << "20" << true << "0" << true << "" << false << 0.0 << true;
    QTest::newRow("Enter negativa") << "es" << 20.0 << "20" << true << "-3" << true << "cancelar" << true << 20.0 << false;
    QTest::newRow("es Enter punto") << "es" << 20.0 << "20" << true << "1.5" << true << "cancelar" << true << 20.0 << false;
    QTest::newRow("es Cancelar con punto") << "es" << 20.0 << "20" << true << "1.5" << false << "cancelar" << false << 20.0 << false;
    QTest::newRow("en Enter punto") << "en" << 20.0 << "20" << true << "1.5" << true << "" << false << 1.5 << true;
    QTest::newRow("en Enter miles") << "en" << 20.0 << "20" << true << "1,5" << true << "cancelar" << true << 20.0 << false;
    QTest::newRow("es Enter coma") << "es" << 20.0 << "20" << true << "2,5" << true << "" << false << 2.5 << true;
    QTest::newRow("Enter vacía") << "es" << 20.0 << "20" << true << "" << true << "cancelar" << true << 20.0 << false;
    QTest::newRow("cierra vacía") << "es" << 20.0 << "20" << true << "" << false << "cierre" << false << 20.0 << false;
    QTest::newRow("Aceptar guarda") << "es" << 20.0 << "20" << true << "30" << false << "aceptar" << false << 30.0 << true;
    QTest::newRow("Cancelar deja") << "es" << 20.0 << "20" << true << "30" << false << "cancelar" << false << 20.0 << false;
    QTest::newRow("Escape deja") << "es" << 20.0 << "20" << true << "30" << false << "escape" << false << 20.0 << false;
    QTest::newRow("caja de cierre deja") << "es" << 20.0 << "20" << true << "30" << false << "cierre" << false << 20.0 << false;
    // clang-format on
}

void NodoFinalPrueba::salida() {
    QFETCH(QString, loc);
    QFETCH(double, inicial);
    QFETCH(QString, textoInicial);
    QFETCH(bool, teclear);
    QFETCH(QString, tecleado);
    QFETCH(bool, enter);
    QFETCH(QString, cierre);
    QFETCH(bool, rechazo);
    QFETCH(double, guardado);
    QFETCH(bool, marcado);

    BancoPropiedades b(RegionalDe(loc));
    b.red.CentroActual = 3;
    b.fin().Salida = inicial;
    NodoFinal d(b.ctx);
    Mostrar(&d);
    auto* caja = Hijo<QLineEdit>(&d, "Salida");
    QCOMPARE(caja->text(), textoInicial);
    QCOMPARE(caja->selectedText(), textoInicial);

    if (teclear) Teclear(caja, tecleado);
    if (enter) {
        Enter(caja);
        if (!rechazo) {
            QVERIFY(!d.isVisible());
            QVERIFY(b.mensajes.vistos.empty());
        } else {
            QVERIFY(d.isVisible());
            QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
            QCOMPARE(b.Mensaje().rfind("Valor numérico Incorrecto. ", 0), 0u);
            QCOMPARE(b.mensajes.vistos[0].titulo, std::string("Ingreso de un caracter"));
            QVERIFY(b.mensajes.vistos[0].icono == Icono::Exclamacion);
            // The typed text stays to be mended, with the focus.
            QCOMPARE(caja->text(), tecleado);
            QVERIFY(caja->hasFocus());
            QCOMPARE(b.fin().Salida, inicial);
        }
    }
    Cerrar(&d, cierre);
    QVERIFY(!d.isVisible());
    QCOMPARE(b.fin().Salida, guardado);
    QCOMPARE(b.Marcado(), marcado);

    // The end node is redrawn, black, with the output as stored (a value
    // too wide for the box would be drawn in its compact form).
    const CentroProductivo& f = b.fin();
    QVERIFY(b.sup.trazos.size() >= 2);
    QVERIFY(b.sup.De(Op::Rectangulo).back() ==
            trazo::Rectangulo(f.x1, f.y1, f.x2, f.y2, kNegro, 3, false));
    const std::string g = TextoGeneral(guardado, b.reg);
    if (g.size() <= 6) QCOMPARE(b.sup.Textos().back(), g + "[u/t]");
}

void NodoFinalPrueba::apariencia() {
    BancoPropiedades b;
    b.red.CentroActual = 3;
    NodoFinal d(b.ctx);
    Mostrar(&d);
    QCOMPARE(d.windowTitle(), QStringLiteral("Propiedades del Nodo Final"));
    QCOMPARE(Hijo<QLabel>(&d, "Titulo")->text(),
             QStringLiteral("Salida de Productos por Unidad de Tiempo"));
    QCOMPARE(Foco(&d), QStringLiteral("Salida"));
}

QTEST_MAIN(NodoFinalPrueba)
#include "NodoFinalPrueba.moc"
