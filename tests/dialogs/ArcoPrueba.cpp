// The connection dialog: the joined centres, the multiplier shown with two
// decimals, the Enter check, and on closing the erasure of the old label,
// the write-back and the full redraw.

#include <QLabel>
#include <QtTest>

#include "BancoPropiedades.h"
#include "dialogs/Arco.h"

using namespace vortena;
using namespace vortena::prueba;

class ArcoPrueba : public QObject {
    Q_OBJECT
private slots:
    void multiplicador_data();
    void multiplicador();
    void nodosQueConecta();
};

void ArcoPrueba::multiplicador_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<double>("inicial");
    QTest::addColumn<QString>("textoInicial");
    QTest::addColumn<bool>("teclear");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("cierre");
    QTest::addColumn<bool>("rechazo");  // Enter refused: the typed text stays, with the focus
    QTest::addColumn<double>("guardado");
    QTest::addColumn<bool>("borrado");  // the old label was wiped and a value stored
    QTest::addColumn<bool>("marcado");

    // clang-format off
    QTest::newRow("es sin cambio") << "es" << 1.0 << "1,00" << false << "" << false << "cancelar" << false << 1.0 << false << false;
    // The shown text is accepted back where "." is the decimal separator.
    QTest::newRow("en sin cambio") << "en" << 1.0 << "1.00" << false << "" << false << "aceptar" << false << 1.0 << true << false;
    QTest::newRow("en Enter sobre lo mostrado") << "en" << 2.5 << "2.50" << false << "" << true << "" << false << 2.5 << true << false;
    QTest::newRow("redondeo a dos decimales") << "es" << 0.333 << "0,33" << false << "" << false << "aceptar" << false << 0.33 << true << true;
    QTest::newRow("caja de cierre sin redondeo") << "es" << 0.333 << "0,33" << false << "" << false << "cierre" << false << 0.333 << false << false;
    QTest::newRow("es Enter punto") << "es" << 1.0 << "1,00" << true << "1.5" << true << "cancelar" << true << 1.0 << false << false;
    QTest::newRow("es Cancelar con punto") << "es" << 1.0 << "1,00" << true << "1.5" << false << "cancelar" << false << 1.0 << false << false;
    QTest::newRow("es Enter coma") << "es" << 1.0 << "1,00" << true << "1,5" << true << "" << false << 1.5 << true << true;
    QTest::newRow("en Enter punto") << "en" << 1.0 << "1.00" << true << "1.5" << true << "" << false << 1.5 << true << true;
    QTest::newRow("en Enter miles") << "en" << 1.0 << "1.00" << true << "1,5" << true << "escape" << true << 1.0 << false << false;
    QTest::newRow("Enter cero") << "es" << 1.0 << "1,00" << true << "0" << true << "" << false << 0.0 << true << true;
    QTest::newRow("Enter negativo") << "es" << 1.0 << "1,00" << true << "-2" << true << "cancelar" << true << 1.0 << false << false;
    QTest::newRow("Enter vacía") << "es" << 1.0 << "1,00" << true << "" << true << "cancelar" << true << 1.0 << false << false;
    QTest::newRow("cierra vacía") << "es" << 1.0 << "1,00" << true << "" << false << "cierre" << false << 1.0 << false << false;
    QTest::newRow("Aceptar guarda") << "es" << 1.0 << "1,00" << true << "3" << false << "aceptar" << false << 3.0 << true << true;
    QTest::newRow("Cancelar deja") << "es" << 1.0 << "1,00" << true << "3" << false << "cancelar" << false << 1.0 << false << false;
    QTest::newRow("Escape deja") << "es" << 1.0 << "1,00" << true << "3" << false << "escape" << false << 1.0 << false << false;
    QTest::newRow("caja de cierre deja") << "es" << 1.0 << "1,00" << true << "3" << false << "cierre" << false << 1.0 << false << false;
    // clang-format on
}

void ArcoPrueba::multiplicador() {
    QFETCH(QString, loc);
    QFETCH(double, inicial);
    QFETCH(QString, textoInicial);
    QFETCH(bool, teclear);
    QFETCH(QString, tecleado);
    QFETCH(bool, enter);
    QFETCH(QString, cierre);
    QFETCH(bool, rechazo);
    QFETCH(double, guardado);
    QFETCH(bool, borrado);
    QFETCH(bool, marcado);

    BancoPropiedades b(RegionalDe(loc));
    b.red.CentroActual = 0;
    b.red.ConexionActual = 1;
    linea& con = b.red.Conexiones(1);
    con.multiplicador = inicial;
    Arco d(b.ctx);
    Mostrar(&d);
    auto* caja = Hijo<QLineEdit>(&d, "multiplicador");
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
            if (loc == QStringLiteral("es") && tecleado == QStringLiteral("1.5"))
                QCOMPARE(b.Mensaje(),
                         std::string("Valor numérico Incorrecto. Use la coma decimal: 1,5"));
            QCOMPARE(b.mensajes.vistos[0].titulo, std::string("Ingreso de un caracter"));
            // The typed text stays to be mended, with the focus.
            QCOMPARE(caja->text(), tecleado);
            QVERIFY(caja->hasFocus());
        }
    }
    Cerrar(&d, cierre);
    QVERIFY(!d.isVisible());
    QCOMPARE(con.multiplicador, guardado);
    QCOMPARE(b.Marcado(), marcado);

    // First the white box over the old label at the line's midpoint, as
    // wide and high as the old value's text, then the full redraw.
    QVERIFY(!b.sup.trazos.empty());
    const std::string viejo = TextoGeneral(inicial, b.reg);
    const float x = (con.x2 - con.x1) / 2 + con.x1;
    const float y = (con.y2 - con.y1) / 2 + con.y1;
    const Trazo borrar = trazo::Rectangulo(
        x, y, x + SuperficieGrabada::kAnchoCaracter * SuperficieGrabada::Caracteres(viejo),
        y + SuperficieGrabada::kAlto, kBlanco, 1, true);
    const bool primeroBorra = b.sup.trazos.front() == borrar;
    QCOMPARE(primeroBorra, borrado);
    QVERIFY(b.sup.trazos[borrado ? 1 : 0] == trazo::Limpiar());
}

void ArcoPrueba::nodosQueConecta() {
    BancoPropiedades b;
    b.red.Centros(2).Nombre = "Torno";
    b.red.ConexionActual = 2;
    Arco d(b.ctx);
    Mostrar(&d);
    QCOMPARE(d.windowTitle(), QStringLiteral("Propiedades de la Conexión"));
    auto* inicio = Hijo<QLineEdit>(&d, "inicio");
    auto* fin = Hijo<QLineEdit>(&d, "fin");
    QCOMPARE(inicio->text(), QStringLiteral("Torno"));
    QCOMPARE(fin->text(), QStringLiteral("FIN"));
    for (QLineEdit* e : {inicio, fin}) {
        QVERIFY(e->isReadOnly());
        QCOMPARE(e->palette().color(QPalette::Base), QColor(192, 192, 192));
    }
    QCOMPARE(Hijo<QLabel>(&d, "Titulo")->text(), QStringLiteral("Multiplicardor"));
    QCOMPARE(Foco(&d), QStringLiteral("multiplicador"));
}

QTEST_MAIN(ArcoPrueba)
#include "ArcoPrueba.moc"
