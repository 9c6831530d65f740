// The property dialogs opened from the real main window by a right-click
// with the select tool: the right dialog for each kind of element, modal,
// and an edit made in it reaches the store and the status bar.

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "BancoPropiedades.h"
#include "VentanaDePrueba.h"

using namespace vortena;
using namespace vortena::prueba;

namespace {

// Runs `accion` on the modal dialog once it is up, then makes sure it is gone.
void CuandoModal(std::function<void(QWidget*)> accion, QString& nombre, QString& titulo) {
    auto* reloj = new QTimer;
    reloj->setInterval(10);
    int intentos = 0;
    QObject::connect(reloj, &QTimer::timeout, [=, &nombre, &titulo]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++intentos < 300) return;
        reloj->stop();
        reloj->deleteLater();
        if (!modal) return;
        nombre = modal->objectName();
        titulo = modal->windowTitle();
        accion(modal);
        if (modal->isVisible()) modal->close();
    });
    reloj->start();
}

}  // namespace

class NodoCentroVentanaPrueba : public QObject {
    Q_OBJECT
private slots:
    void propiedades_data();
    void propiedades();
    void nodoDeInicioSinDialogo();
};

void NodoCentroVentanaPrueba::propiedades_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("dialogo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<std::function<double(Red&)>>("valor");
    QTest::addColumn<double>("esperado");

    // clang-format off
    QTest::newRow("centro") << 4500.f << 1500.f << "NodoCentro" << "Propiedades del Centro Productivo"
                            << "Lamda" << "1,5"
                            << std::function<double(Red&)>([](Red& r) { return r.Centros(2).Lamda; })
                            << 1.5;
    QTest::newRow("nodo final") << 9000.f << 1500.f << "NodoFinal" << "Propiedades del Nodo Final"
                                << "Salida" << "50"
                                << std::function<double(Red&)>([](Red& r) { return r.Centros(3).Salida; })
                                << 50.0;
    QTest::newRow("conexión") << 3000.f << 1500.f << "Arco" << "Propiedades de la Conexión"
                              << "multiplicador" << "2"
                              << std::function<double(Red&)>([](Red& r) { return r.Conexiones(1).multiplicador; })
                              << 2.0;
    // clang-format on
}

void NodoCentroVentanaPrueba::propiedades() {
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, dialogo);
    QFETCH(QString, titulo);
    QFETCH(QString, caja);
    QFETCH(QString, tecleado);
    QFETCH(std::function<double(Red&)>, valor);
    QFETCH(double, esperado);

    VentanaDePrueba v;
    v.ventana->PonerRegional(Regional::Espanol());
    v.ventana->ACTBarraEstado(false);
    const double original = valor(v.red);
    QString visto, tituloVisto;
    bool modal = false;
    CuandoModal(
        [&](QWidget* d) {
            modal = d->isModal();
            auto* e = Hijo<QLineEdit>(d, caja.toUtf8().constData());
            Teclear(e, tecleado);
            Enter(e);
            if (d->isVisible()) QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
        },
        visto, tituloVisto);
    v.Clic(x, y, Qt::RightButton);

    QCOMPARE(visto, dialogo);
    QCOMPARE(tituloVisto, titulo);
    QVERIFY(modal);
    QCOMPARE(valor(v.red), esperado);
    QCOMPARE(v.Panel(1), QStringLiteral("Modificado"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The dialog, from opening to closing, is one step: Ctrl+Z takes the
    // value back and, the document being as saved again, the mark too.
    QVERIFY(v.Accion("mnDeshacer")->text().startsWith(QStringLiteral("Deshacer Propiedades de ")));
    v.ventana->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(v.ventana.get()));
    v.fondo()->setFocus();
    QTest::keyClick(v.fondo(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(valor(v.red), original);
    QCOMPARE(v.Panel(1), QString());
}

void NodoCentroVentanaPrueba::nodoDeInicioSinDialogo() {
    VentanaDePrueba v;
    v.Clic(900, 1500, Qt::RightButton);
    QCOMPARE(v.Ultimo(), std::string("Nodo de Inicio"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(NodoCentroVentanaPrueba)
#include "NodoCentroVentanaPrueba.moc"
