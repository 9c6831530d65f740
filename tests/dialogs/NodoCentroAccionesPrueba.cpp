// The centre dialog's buttons and its closing: sizing, "cal." and "...",
// the PERT page, Aceptar's write-back with its refusals, Cancelar keeping
// accepted entries, and the blue redraw however the dialog closes.

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>

#include "BancoPropiedades.h"
#include "dialogs/NodoCentro.h"

using namespace vortena;
using namespace vortena::prueba;

namespace {

// The blue outline of the centre's box that the closing redraw paints.
bool ContornoAzul(const BancoPropiedades& b) {
    const CentroProductivo& c = const_cast<BancoPropiedades&>(b).centro();
    for (const Trazo& t : b.sup.De(Op::Rectangulo))
        if (!t.relleno && t.color == kAzul && t.x1 == c.x1 && t.y1 == c.y1 && t.x2 == c.x2 &&
            t.y2 == c.y2)
            return true;
    return false;
}

QString Texto(QWidget* d, const char* caja) {
    return Hijo<QLineEdit>(d, caja)->text();
}

}  // namespace

class NodoCentroAccionesPrueba : public QObject {
    Q_OBJECT
private slots:
    void pert_data();
    void pert();
    void cierre_data();
    void cierre();
    void cancelarConservaLoAceptado();
    void aceptarTomaLoTecleado_data();
    void aceptarTomaLoTecleado();
    void aceptarRechazaLoQueNoEsNumero_data();
    void aceptarRechazaLoQueNoEsNumero();
    void aceptarMarcaSoloCambios();
    void dimensionar_data();
    void dimensionar();
    void optimoDesbordadoAvisa();
    void calcularProbabilidad();
    void tablaDeEstados();
};

void NodoCentroAccionesPrueba::pert_data() {
    QTest::addColumn<bool>("temprano");
    QTest::addColumn<bool>("tardio");
    QTest::addColumn<double>("flotamiento");
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<QStringList>("cajas");       // TTemprano, TTardio, Flotamiento
    QTest::addColumn<QList<double>>("escritos");  // tmpoTemprano, tmpoTardio, indFlotamiento

    // Early time 2.00004 and late 5.123456 with W = 1 (the default centre).
    // clang-format off
    QTest::newRow("crítico") << true << true << 0.0 << "CRITICO"
                             << QStringList{"3,0000", "5,1235", "0,0000"}
                             << QList<double>{2.0, 5.1235, 0.0};
    QTest::newRow("no crítico") << true << true << 0.25 << "NO CRITICO"
                                << QStringList{"3,0000", "5,1235", "0,2500"}
                                << QList<double>{2.0, 5.1235, 0.25};
    QTest::newRow("sin pasada hacia atrás") << true << false << 0.0 << "NO PARTICIPA DEL PERT"
                                            << QStringList{"N/A", "N/A", "N/A"}
                                            << QList<double>{-2, -1, -1};
    QTest::newRow("fuera del PERT") << false << false << 0.0 << "NO PARTICIPA DEL PERT"
                                    << QStringList{"N/A", "N/A", "N/A"}
                                    << QList<double>{-2, -1, -1};
    // clang-format on
}

void NodoCentroAccionesPrueba::pert() {
    QFETCH(bool, temprano);
    QFETCH(bool, tardio);
    QFETCH(double, flotamiento);
    QFETCH(QString, etiqueta);
    QFETCH(QStringList, cajas);
    QFETCH(QList<double>, escritos);

    BancoPropiedades b;
    CentroProductivo& c = b.centro();
    c.TempranoWH = temprano;
    c.tardioWH = tardio;
    c.tmpoTemprano = 2.00004;
    c.tmpoTardio = 5.123456;
    c.indFlotamiento = flotamiento;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    Hijo<QTabWidget>(&d, "Propiedades")->setCurrentIndex(3);

    QCOMPARE(Hijo<QLabel>(&d, "lblPert")->text(), etiqueta);
    QCOMPARE((QStringList{Texto(&d, "TTemprano"), Texto(&d, "TTardio"), Texto(&d, "Flotamiento")}),
             cajas);

    Clic(Hijo<QPushButton>(&d, "aceptar"));
    QVERIFY(!d.isVisible());
    QCOMPARE(c.tmpoTemprano, escritos[0]);
    QCOMPARE(c.tmpoTardio, escritos[1]);
    QCOMPARE(c.indFlotamiento, escritos[2]);
}

void NodoCentroAccionesPrueba::cierre_data() {
    QTest::addColumn<std::function<void(QDialog*)>>("cerrar");
    // clang-format off
    QTest::newRow("Aceptar") << std::function<void(QDialog*)>(
        [](QDialog* d) { Clic(Hijo<QPushButton>(d, "aceptar")); });
    QTest::newRow("Cancelar") << std::function<void(QDialog*)>(
        [](QDialog* d) { Clic(Hijo<QPushButton>(d, "cancelar")); });
    QTest::newRow("Escape") << std::function<void(QDialog*)>(
        [](QDialog* d) { QTest::keyClick(d->focusWidget(), Qt::Key_Escape); });
    QTest::newRow("caja de cierre") << std::function<void(QDialog*)>([](QDialog* d) { d->close(); });
    QTest::newRow("Enter sobre Aceptar") << std::function<void(QDialog*)>([](QDialog* d) {
        auto* desv = Hijo<QLineEdit>(d, "DesvMu");
        Hijo<QTabWidget>(d, "Propiedades")->setCurrentIndex(4);
        Teclear(desv, QStringLiteral("0,5"));
        Enter(desv);  // accepted: the focus goes to Aceptar
        QVERIFY(d->isVisible());
        Enter(d->focusWidget());
    });
    // clang-format on
}

void NodoCentroAccionesPrueba::cierre() {
    QFETCH(std::function<void(QDialog*)>, cerrar);
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    cerrar(&d);
    QVERIFY(!d.isVisible());
    QVERIFY(ContornoAzul(b));
}

void NodoCentroAccionesPrueba::cancelarConservaLoAceptado() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    Teclear(Hijo<QLineEdit>(&d, "Lamda"), QStringLiteral("1,5"));
    Enter(Hijo<QLineEdit>(&d, "Lamda"));
    Teclear(Hijo<QLineEdit>(&d, "Mu"), QStringLiteral("9"));  // no Enter: dropped
    Clic(Hijo<QPushButton>(&d, "cancelar"));
    QCOMPARE(b.centro().Lamda, 1.5);
    QCOMPARE(b.centro().Mu, 2.0);
    QVERIFY(b.doc.Modificado);
}

// Text changed without Enter is taken by Aceptar, with Enter's checks (the
// refusals are in EntradaConfirmadaPrueba).
void NodoCentroAccionesPrueba::aceptarTomaLoTecleado_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<QString>("lamda");
    QTest::addColumn<QString>("servidores");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<double>("lamdaGuardada");
    QTest::addColumn<int>("servidoresGuardados");

    // clang-format off
    QTest::newRow("es fracción") << "es" << "2,5" << "2" << "Torno" << 2.5 << 2;
    QTest::newRow("en fracción") << "en" << "2.5" << "32767" << "Torno" << 2.5 << 32767;
    // clang-format on
}

void NodoCentroAccionesPrueba::aceptarTomaLoTecleado() {
    QFETCH(QString, loc);
    QFETCH(QString, lamda);
    QFETCH(QString, servidores);
    QFETCH(QString, nombre);
    QFETCH(double, lamdaGuardada);
    QFETCH(int, servidoresGuardados);

    BancoPropiedades b(RegionalDe(loc));
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    Teclear(Hijo<QLineEdit>(&d, "Lamda"), lamda);
    Teclear(Hijo<QLineEdit>(&d, "S"), servidores);
    Teclear(Hijo<QLineEdit>(&d, "Nombre"), nombre);
    Clic(Hijo<QPushButton>(&d, "aceptar"));

    QVERIFY(!d.isVisible());
    QVERIFY(b.mensajes.vistos.empty());
    QCOMPARE(b.centro().Lamda, lamdaGuardada);
    QCOMPARE(int(b.centro().Servidores), servidoresGuardados);
    QCOMPARE(QString::fromStdString(b.centro().Nombre), nombre);
    QVERIFY(b.Marcado());
}

void NodoCentroAccionesPrueba::aceptarRechazaLoQueNoEsNumero_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("titulo");

    const QString caracter = QStringLiteral("Valor numérico Incorrecto");
    const QString tituloCaracter = QStringLiteral("Ingreso de un caracter");
    // clang-format off
    QTest::newRow("letras en Mu") << "es" << "Mu" << "abc" << caracter << tituloCaracter;
    QTest::newRow("vacía en CostoServidor") << "es" << "CostoServidor" << "" << caracter << tituloCaracter;
    QTest::newRow("miles en Probabilidad") << "es" << "Probabilidad" << "0.5" << caracter << tituloCaracter;
    QTest::newRow("en miles en Mu") << "en" << "Mu" << "1,5" << caracter << tituloCaracter;
    QTest::newRow("servidores decimales") << "en" << "S" << "2.5" << caracter << tituloCaracter;
    QTest::newRow("servidores sin cabida") << "es" << "S" << "40000" << "Número de Servidores inválido" << "Error";
    QTest::newRow("servidores muy negativos") << "es" << "S" << "-40000" << "Número de Servidores inválido" << "Error";
    // clang-format on
}

// A box that cannot be written keeps the dialog open with the focus in it,
// on its own page, and Aceptar writes nothing; the boxes left before it were
// taken when the focus left them.
void NodoCentroAccionesPrueba::aceptarRechazaLoQueNoEsNumero() {
    QFETCH(QString, loc);
    QFETCH(QString, caja);
    QFETCH(QString, texto);
    QFETCH(QString, mensaje);
    QFETCH(QString, titulo);

    BancoPropiedades b(RegionalDe(loc));
    b.centro().TempranoWH = b.centro().tardioWH = true;
    b.centro().tmpoTardio = 7;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    auto* pestanas = Hijo<QTabWidget>(&d, "Propiedades");
    Teclear(Hijo<QLineEdit>(&d, "Lamda"), QStringLiteral("3"));
    Teclear(Hijo<QLineEdit>(&d, "Nombre"), QStringLiteral("Otro"));
    Teclear(Hijo<QLineEdit>(&d, caja.toUtf8().constData()), texto);
    pestanas->setCurrentIndex(3);
    Hijo<QPushButton>(&d, "aceptar")->setFocus();
    Clic(Hijo<QPushButton>(&d, "aceptar"));

    QVERIFY(d.isVisible());
    QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(b.mensajes.vistos[0].texto).startsWith(mensaje));
    QCOMPARE(QString::fromStdString(b.mensajes.vistos[0].titulo), titulo);
    QCOMPARE(Foco(&d), caja);
    QVERIFY(pestanas->currentWidget()->isAncestorOf(d.focusWidget()));
    QCOMPARE(b.centro().Lamda, 3.0);
    QCOMPARE(b.centro().Nombre, std::string("Otro"));
    QCOMPARE(b.centro().tmpoTardio, 7.0);
}

// The PERT fields are derived: writing them back is no edit of the document.
void NodoCentroAccionesPrueba::aceptarMarcaSoloCambios() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    Clic(Hijo<QPushButton>(&d, "aceptar"));
    QVERIFY(!d.isVisible());
    QCOMPARE(b.centro().tmpoTardio, -1.0);
    QVERIFY(!b.Marcado());
}

void NodoCentroAccionesPrueba::dimensionar_data() {
    QTest::addColumn<QString>("boton");
    QTest::addColumn<double>("costoEspera");
    QTest::addColumn<int>("servidores");
    QTest::addColumn<QString>("foco");

    // lambda 9, mu 2, server cost 10, starting from 7 servers.
    // clang-format off
    QTest::newRow("mínimos") << "minimos" << 1.0 << 5 << "Lamda";
    QTest::newRow("óptimo") << "optimo" << 1.0 << 5 << "Lamda";
    QTest::newRow("óptimo espera cara") << "optimo" << 50.0 << 8 << "Lamda";
    QTest::newRow("óptimo económicas") << "optimo1" << 50.0 << 8 << "CostoEspera";
    // clang-format on
}

void NodoCentroAccionesPrueba::dimensionar() {
    QFETCH(QString, boton);
    QFETCH(double, costoEspera);
    QFETCH(int, servidores);
    QFETCH(QString, foco);

    BancoPropiedades b;
    CentroProductivo& c = b.centro();
    c.Lamda = 9;
    c.Mu = 2;
    c.Servidores = 7;
    c.CostoEspera = costoEspera;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    auto* pestanas = Hijo<QTabWidget>(&d, "Propiedades");
    if (boton == QLatin1String("optimo1")) pestanas->setCurrentIndex(2);
    Clic(Hijo<QPushButton>(&d, boton.toUtf8().constData()));

    QCOMPARE(int(c.Servidores), servidores);
    QCOMPARE(Texto(&d, "S"), QString::number(servidores));
    QCOMPARE(Foco(&d), foco);
    QVERIFY(b.Marcado());
    QVERIFY(b.mensajes.vistos.empty());
}

void NodoCentroAccionesPrueba::optimoDesbordadoAvisa() {
    BancoPropiedades b;
    b.centro().CostoEspera = 0;  // the marginal analysis divides by it
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    Clic(Hijo<QPushButton>(&d, "optimo"));
    QVERIFY(d.isVisible());
    QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
    QCOMPARE(b.Mensaje(), std::string("Error por Desbordamiento"));
    QCOMPARE(b.mensajes.vistos[0].titulo, std::string(kTituloPrograma));
    QVERIFY(b.mensajes.vistos[0].icono == Icono::Exclamacion);
    QVERIFY(b.red.ErrorCalculo);
    QCOMPARE(int(b.centro().Servidores), 1);
    QVERIFY(!b.Marcado());
}

// An accepted probability changes nothing shown until "cal." recomputes.
void NodoCentroAccionesPrueba::calcularProbabilidad() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    Hijo<QTabWidget>(&d, "Propiedades")->setCurrentIndex(1);
    QCOMPARE(Texto(&d, "MaximaCola"), QStringLiteral("4"));
    auto* prob = Hijo<QLineEdit>(&d, "Probabilidad");
    Teclear(prob, QStringLiteral("0,999"));
    Enter(prob);
    QCOMPARE(Texto(&d, "MaximaCola"), QStringLiteral("4"));
    QCOMPARE(Foco(&d), QStringLiteral("calcProbabilidad"));

    CentroProductivo esperado = b.centro();
    bool error = false;
    MensajesGrabados m;
    esperado.Calculos(error, m);
    Clic(Hijo<QPushButton>(&d, "calcProbabilidad"));
    QCOMPARE(Texto(&d, "MaximaCola"), QString::number(esperado.MaximaCola));
    QVERIFY(esperado.MaximaCola > 4);
    QCOMPARE(Foco(&d), QStringLiteral("maxCola"));
}

// "..." opens the table modally for the same centre; the focus then returns
// to the probability box.
void NodoCentroAccionesPrueba::tablaDeEstados() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    Hijo<QTabWidget>(&d, "Propiedades")->setCurrentIndex(1);
    int filas = -1;
    QString titulo;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        titulo = modal->objectName();
        if (auto* grid = modal->findChild<QTableWidget*>(QStringLiteral("Pestados")))
            filas = grid->rowCount();
        Clic(Hijo<QPushButton>(modal, "aceptar"));
    });
    Clic(Hijo<QPushButton>(&d, "maxCola"));
    QCOMPARE(titulo, QStringLiteral("ProbEstados"));
    QCOMPARE(filas, 15);
    QCOMPARE(Foco(&d), QStringLiteral("Probabilidad"));
    QVERIFY(d.isVisible());
}

QTEST_MAIN(NodoCentroAccionesPrueba)
#include "NodoCentroAccionesPrueba.moc"
