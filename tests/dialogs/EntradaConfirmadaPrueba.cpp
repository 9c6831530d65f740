// What is typed is what is computed: the centre dialog takes an entry when
// its box loses the focus and before Calcular and Aceptar, with Enter's
// checks; the end-node and connection dialogs refuse an invalid Aceptar;
// texts the network file cannot hold are refused where they are typed.

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "BancoPropiedades.h"
#include "dialogs/Arco.h"
#include "dialogs/NodoCentro.h"
#include "dialogs/NodoFinal.h"

using namespace vortena;
using namespace vortena::prueba;

class EntradaConfirmadaPrueba : public QObject {
    Q_OBJECT
private slots:
    // Leaving a box takes its entry, rate and exponential deviation together.
    void focoPerdidoConfirma() {
        BancoPropiedades b;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        b.Olvidar();
        Teclear(Hijo<QLineEdit>(&d, "Lamda"), QStringLiteral("1,5"));
        QTest::mouseClick(Hijo<QLineEdit>(&d, "S"), Qt::LeftButton);
        QCOMPARE(b.centro().Lamda, 1.5);
        QCOMPARE(b.centro().Desvlamda, 1 / 1.5);
        QVERIFY(b.Marcado());
        QVERIFY(b.mensajes.vistos.empty());
        QCOMPARE(Foco(&d), QStringLiteral("S"));  // the user's click stands
    }

    // Leaving a box with what Enter refuses gives Enter's message and keeps
    // the value.
    void focoPerdidoRechaza() {
        BancoPropiedades b;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        b.Olvidar();
        Teclear(Hijo<QLineEdit>(&d, "Mu"), QStringLiteral("0"));
        Hijo<QLineEdit>(&d, "Lamda")->setFocus(Qt::TabFocusReason);
        QCOMPARE(b.Mensaje(), std::string("Velocidad de Despacho inválida"));
        QCOMPARE(b.centro().Mu, 2.0);
        QCOMPARE(Foco(&d), QStringLiteral("Mu"));
    }

    // Calcular takes the typed rate first: the measures are those of the
    // text on the screen, deviations included.
    void calcularConfirmaAntes() {
        BancoPropiedades b;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        Teclear(Hijo<QLineEdit>(&d, "Lamda"), QStringLiteral("1,06"));
        Teclear(Hijo<QLineEdit>(&d, "Mu"), QStringLiteral("2"));
        Hijo<QPushButton>(&d, "Aplicar")->setFocus();  // as the keyboard reaches it
        Clic(Hijo<QPushButton>(&d, "Aplicar"));
        CentroProductivo esperado = b.centro();
        esperado.Lamda = 1.06;
        esperado.Desvlamda = 1 / 1.06;
        esperado.Mu = 2;
        esperado.DesvMu = 0.5;
        bool error = false;
        MensajesGrabados m;
        esperado.Calculos(error, m);
        QCOMPARE(b.centro().Lamda, 1.06);
        QCOMPARE(b.centro().Desvlamda, 1 / 1.06);
        QCOMPARE(b.centro().W, esperado.W);
    }

    void aceptarRechazaLoQueEnterRechaza_data() {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        // clang-format off
        QTest::newRow("μ cero") << "Mu" << "0" << "Velocidad de Despacho inválida";
        QTest::newRow("λ negativa") << "Lamda" << "-3" << "Velocidad de Arribo inválida";
        QTest::newRow("sin servidores") << "S" << "0" << "Número de Servidores inválido";
        QTest::newRow("probabilidad 2") << "Probabilidad" << "2" << "Probabilidad inválida";
        QTest::newRow("desviación mayor") << "DesvMu" << "9" << "Desviación de Mu inválida";
        QTest::newRow("nombre largo") << "Nombre" << "Nombre largo de más" << "El Formato del nombre es erróneo";
        // clang-format on
    }
    // The dialog stays open on the refused box, on its own page.
    void aceptarRechazaLoQueEnterRechaza() {
        QFETCH(QString, caja);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        BancoPropiedades b;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        const CentroProductivo antes = b.centro();
        b.Olvidar();
        Teclear(Hijo<QLineEdit>(&d, caja.toUtf8().constData()), texto);
        Hijo<QTabWidget>(&d, "Propiedades")->setCurrentIndex(3);
        Hijo<QPushButton>(&d, "aceptar")->setFocus();
        Clic(Hijo<QPushButton>(&d, "aceptar"));
        QVERIFY(d.isVisible());
        QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(b.Mensaje()), mensaje);
        QCOMPARE(Foco(&d), caja);
        QCOMPARE(b.centro().Mu, antes.Mu);
        QCOMPARE(b.centro().Lamda, antes.Lamda);
        QCOMPARE(b.centro().Servidores, antes.Servidores);
        QCOMPARE(b.centro().Nombre, antes.Nombre);
    }

    // A box the user left alone stands for the stored value, unrounded.
    void aceptarConservaLoNoTecleado() {
        BancoPropiedades b;
        b.centro().Lamda = 1.0 / 3.0;
        b.centro().Desvlamda = 1.0 / 3.0;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        Teclear(Hijo<QLineEdit>(&d, "Mu"), QStringLiteral("4"));
        Clic(Hijo<QPushButton>(&d, "aceptar"));
        QVERIFY(!d.isVisible());
        QCOMPARE(b.centro().Lamda, 1.0 / 3.0);
        QCOMPARE(b.centro().Mu, 4.0);
        QCOMPARE(b.centro().DesvMu, 0.25);  // Aceptar took it as Enter would
    }

    void caracteresQueElArchivoNoGuarda() {
        BancoPropiedades b;
        NodoCentro d(b.ctx);
        Mostrar(&d);
        b.Olvidar();
        auto* nombre = Hijo<QLineEdit>(&d, "Nombre");
        Teclear(nombre, QString::fromUtf8("Ωmega"));
        Enter(nombre);
        QCOMPARE(b.Mensaje(),
                 std::string("El carácter \"Ω\" no se puede guardar en el archivo de la red"));
        QCOMPARE(b.centro().Nombre, std::string("Sin nombre"));
        QCOMPARE(Foco(&d), QStringLiteral("Nombre"));

        Teclear(nombre, QString::fromUtf8("Prensa ñ €"));  // all in the code page
        Enter(nombre);
        QCOMPARE(b.centro().Nombre, std::string("Prensa ñ €"));

        auto* descripcion = Hijo<QPlainTextEdit>(&d, "Descripcion");
        descripcion->setFocus(Qt::TabFocusReason);
        descripcion->setPlainText(QString::fromUtf8("entra → sale"));
        b.Olvidar();
        Hijo<QLineEdit>(&d, "Lamda")->setFocus(Qt::TabFocusReason);
        QCOMPARE(b.Mensaje(),
                 std::string("El carácter \"→\" no se puede guardar en el archivo de la red"));
        QCOMPARE(b.centro().Descripción, std::string());
        Clic(Hijo<QPushButton>(&d, "aceptar"));
        QVERIFY(d.isVisible());
    }

    void elementoAceptarRechaza_data() {
        QTest::addColumn<bool>("conexion");
        QTest::addColumn<QString>("loc");
        QTest::addColumn<QString>("texto");
        QTest::newRow("fin, punto en es") << false << "es"
                                          << "1.5";
        QTest::newRow("fin, vacía") << false << "es"
                                    << "";
        QTest::newRow("conexión, punto en es") << true << "es"
                                               << "1.5";
        QTest::newRow("conexión, letras") << true << "en"
                                          << "x2";
    }
    void elementoAceptarRechaza() {
        QFETCH(bool, conexion);
        QFETCH(QString, loc);
        QFETCH(QString, texto);
        BancoPropiedades b(RegionalDe(loc));
        b.red.CentroActual = 3;
        b.red.ConexionActual = 1;
        std::unique_ptr<QDialog> d;
        if (conexion)
            d = std::make_unique<Arco>(b.ctx);
        else
            d = std::make_unique<NodoFinal>(b.ctx);
        Mostrar(d.get());
        const double salida = b.fin().Salida;
        const double multiplicador = b.red.Conexiones(1).multiplicador;
        auto* caja = Hijo<QLineEdit>(d.get(), conexion ? "multiplicador" : "Salida");
        Teclear(caja, texto);
        Clic(Hijo<QPushButton>(d.get(), "aceptar"));
        QVERIFY(d->isVisible());
        QCOMPARE(b.Mensaje().rfind("Valor numérico Incorrecto. ", 0), 0u);
        QCOMPARE(caja->text(), texto);
        QCOMPARE(b.fin().Salida, salida);
        QCOMPARE(b.red.Conexiones(1).multiplicador, multiplicador);
        // A valid text is then taken by Aceptar.
        Teclear(caja, QStringLiteral("3"));
        Clic(Hijo<QPushButton>(d.get(), "aceptar"));
        QVERIFY(!d->isVisible());
        QCOMPARE(conexion ? b.red.Conexiones(1).multiplicador : b.fin().Salida, 3.0);
    }
};

QTEST_MAIN(EntradaConfirmadaPrueba)
#include "EntradaConfirmadaPrueba.moc"
