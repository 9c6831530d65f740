// The centre dialog's entry boxes: Enter runs the character test, the range
// test and the store, refills the box with its pattern and moves the focus;
// nothing is stored and nothing is marked after a refusal.

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>
#include <cmath>

#include "BancoPropiedades.h"
#include "dialogs/NodoCentro.h"

using namespace vortena;
using namespace vortena::prueba;

namespace {

const QString kCaracter = QStringLiteral("Valor numérico Incorrecto");

void Poner(CentroProductivo& c, const QString& caja, double v) {
    if (caja == QLatin1String("Lamda"))
        c.Lamda = v;
    else if (caja == QLatin1String("Mu"))
        c.Mu = v;
    else if (caja == QLatin1String("S"))
        c.Servidores = static_cast<std::int16_t>(v);
    else if (caja == QLatin1String("Probabilidad"))
        c.Probabilidad = v;
    else if (caja == QLatin1String("CostoEspera"))
        c.CostoEspera = v;
    else if (caja == QLatin1String("CostoServidor"))
        c.CostoCentro = v;
    else if (caja == QLatin1String("Desvlamda"))
        c.Desvlamda = v;
    else if (caja == QLatin1String("DesvMu"))
        c.DesvMu = v;
}

double Leer(const CentroProductivo& c, const QString& caja) {
    if (caja == QLatin1String("Lamda")) return c.Lamda;
    if (caja == QLatin1String("Mu")) return c.Mu;
    if (caja == QLatin1String("S")) return c.Servidores;
    if (caja == QLatin1String("Probabilidad")) return c.Probabilidad;
    if (caja == QLatin1String("CostoEspera")) return c.CostoEspera;
    if (caja == QLatin1String("CostoServidor")) return c.CostoCentro;
    if (caja == QLatin1String("Desvlamda")) return c.Desvlamda;
    if (caja == QLatin1String("DesvMu")) return c.DesvMu;
    return std::nan("");
}

// Brings the page that holds the box to the front, as the user does.
void IrA(QWidget* dialogo, QWidget* caja) {
    auto* pestanas = Hijo<QTabWidget>(dialogo, "Propiedades");
    for (int i = 0; i < pestanas->count(); ++i)
        if (pestanas->widget(i)->isAncestorOf(caja)) pestanas->setCurrentIndex(i);
}

}  // namespace

class NodoCentroEntradaPrueba : public QObject {
    Q_OBJECT
private slots:
    void entrada_data();
    void entrada();
    void desviacionSigueLaTasa_data();
    void desviacionSigueLaTasa();
    void nombre_data();
    void nombre();
    void descripcionAlSalir();
    void enterNoCierraElDialogo();
    void calcularTomaLoTecleado();
    void seleccionAlEntrarYOrdenDeTabulacion();
};

void NodoCentroEntradaPrueba::entrada_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<double>("inicial");  // NaN: the default centre's value
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QString>("mensaje");  // empty: accepted
    QTest::addColumn<QString>("textoCaja");
    QTest::addColumn<double>("guardado");
    QTest::addColumn<QString>("foco");
    const double def = std::nan("");
    const QString ok;

    // Rates: a refused number keeps its text, refused values refill "#0.0###".
    // clang-format off
    QTest::newRow("es Lamda punto") << "es" << "Lamda" << def << "2.5" << kCaracter << "2.5" << 1.0 << "Lamda";
    QTest::newRow("es Lamda miles") << "es" << "Lamda" << def << "1.000" << kCaracter << "1.000" << 1.0 << "Lamda";
    QTest::newRow("es Lamda vacía") << "es" << "Lamda" << def << "" << kCaracter << "" << 1.0 << "Lamda";
    QTest::newRow("es Lamda letras") << "es" << "Lamda" << def << "abc" << kCaracter << "abc" << 1.0 << "Lamda";
    QTest::newRow("es Lamda cero") << "es" << "Lamda" << def << "0" << "Velocidad de Arribo inválida" << "1,0" << 1.0 << "Lamda";
    QTest::newRow("es Lamda negativa") << "es" << "Lamda" << def << "-2" << "Velocidad de Arribo inválida" << "1,0" << 1.0 << "Lamda";
    QTest::newRow("es Lamda coma") << "es" << "Lamda" << def << "2,5" << ok << "2,5" << 2.5 << "Mu";
    QTest::newRow("es Lamda guardada cero") << "es" << "Lamda" << 0.0 << "3" << ok << "0,0" << 0.0 << "Mu";
    QTest::newRow("en Lamda punto") << "en" << "Lamda" << def << "2.5" << ok << "2.5" << 2.5 << "Mu";
    QTest::newRow("en Lamda miles") << "en" << "Lamda" << def << "1,000" << kCaracter << "1,000" << 1.0 << "Lamda";
    QTest::newRow("es Mu cero") << "es" << "Mu" << def << "0" << "Velocidad de Despacho inválida" << "2,0" << 2.0 << "Mu";
    QTest::newRow("es Mu letras") << "es" << "Mu" << def << "x" << kCaracter << "x" << 2.0 << "Mu";
    QTest::newRow("es Mu cinco decimales") << "es" << "Mu" << def << "3,123456" << ok << "3,12346" << 3.123456 << "S";
    QTest::newRow("en Mu fracción") << "en" << "Mu" << def << "0.5" << ok << "0.5" << 0.5 << "S";

    // Servers: whole numbers only; a value out of range moves the focus on.
    QTest::newRow("es S coma") << "es" << "S" << def << "2,5" << kCaracter << "2,5" << 1.0 << "S";
    QTest::newRow("es S punto") << "es" << "S" << def << "2.5" << kCaracter << "2.5" << 1.0 << "S";
    QTest::newRow("en S punto") << "en" << "S" << def << "2.5" << kCaracter << "2.5" << 1.0 << "S";
    QTest::newRow("en S coma") << "en" << "S" << def << "1,000" << kCaracter << "1,000" << 1.0 << "S";
    QTest::newRow("es S cero") << "es" << "S" << def << "0" << "Número de Servidores inválido" << "1" << 1.0 << "minimos";
    QTest::newRow("es S fracción en exponente") << "es" << "S" << def << "4E-1" << kCaracter << "4E-1" << 1.0 << "S";
    QTest::newRow("es S sin cabida") << "es" << "S" << def << "40000" << "Número de Servidores inválido" << "1" << 1.0 << "minimos";
    QTest::newRow("es S máximo") << "es" << "S" << def << "32767" << ok << "32767" << 32767.0 << "minimos";
    QTest::newRow("es S tres") << "es" << "S" << def << "3" << ok << "3" << 3.0 << "minimos";

    // Probability in (0, 1].
    QTest::newRow("es Prob uno") << "es" << "Probabilidad" << 0.9375 << "1" << ok << "1,00" << 1.0 << "calcProbabilidad";
    QTest::newRow("es Prob cero") << "es" << "Probabilidad" << 0.9375 << "0" << "Probabilidad inválida" << "0,9375" << 0.9375 << "Probabilidad";
    QTest::newRow("es Prob mayor") << "es" << "Probabilidad" << 0.9375 << "1,01" << "Probabilidad inválida" << "0,9375" << 0.9375 << "Probabilidad";
    QTest::newRow("es Prob letras") << "es" << "Probabilidad" << 0.9375 << "p" << kCaracter << "p" << 0.9375 << "Probabilidad";
    QTest::newRow("en Prob fracción") << "en" << "Probabilidad" << 0.9375 << "0.5" << ok << "0.50" << 0.5 << "calcProbabilidad";

    // Costs: waiting cost must be positive, a server may cost nothing.
    QTest::newRow("es Espera cero") << "es" << "CostoEspera" << def << "0" << "Costo de espera inválido" << "1,00" << 1.0 << "CostoEspera";
    QTest::newRow("es Espera") << "es" << "CostoEspera" << def << "2,5" << ok << "2,50" << 2.5 << "CostoServidor";
    QTest::newRow("es Servidor cero") << "es" << "CostoServidor" << def << "0" << ok << "0,00" << 0.0 << "optimo1";
    QTest::newRow("es Servidor negativo") << "es" << "CostoServidor" << def << "-1" << "Costo de Servidor inválido" << "10,00" << 10.0 << "CostoServidor";

    // Deviations: bounded by the stored rate, which is accepted itself.
    QTest::newRow("es DesvL igual tasa") << "es" << "Desvlamda" << def << "1" << ok << "1,00" << 1.0 << "DesvMu";
    QTest::newRow("es DesvL mayor") << "es" << "Desvlamda" << def << "1,5" << "Desviación de Lambda inválida" << "1,0" << 1.0 << "Desvlamda";
    QTest::newRow("es DesvL negativa") << "es" << "Desvlamda" << def << "-0,1" << "Desviación de Lambda inválida" << "1,0" << 1.0 << "Desvlamda";
    QTest::newRow("en DesvL fracción") << "en" << "Desvlamda" << def << "0.25" << ok << "0.25" << 0.25 << "DesvMu";
    QTest::newRow("es DesvMu igual tasa") << "es" << "DesvMu" << def << "2" << ok << "2,0" << 2.0 << "aceptar";
    QTest::newRow("es DesvMu cero") << "es" << "DesvMu" << def << "0" << ok << "0,0" << 0.0 << "aceptar";
    QTest::newRow("es DesvMu mayor") << "es" << "DesvMu" << def << "2,5" << "Desviación de Mu inválida" << "0,5" << 0.5 << "DesvMu";
    // clang-format on
}

void NodoCentroEntradaPrueba::entrada() {
    QFETCH(QString, loc);
    QFETCH(QString, caja);
    QFETCH(double, inicial);
    QFETCH(QString, tecleado);
    QFETCH(QString, mensaje);
    QFETCH(QString, textoCaja);
    QFETCH(double, guardado);
    QFETCH(QString, foco);

    BancoPropiedades b(RegionalDe(loc));
    if (!std::isnan(inicial)) Poner(b.centro(), caja, inicial);
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();

    auto* e = Hijo<QLineEdit>(&d, caja.toUtf8().constData());
    IrA(&d, e);
    Teclear(e, tecleado);
    Enter(e);

    if (mensaje.isEmpty()) {
        QCOMPARE(b.mensajes.vistos.size(), std::size_t{0});
    } else {
        QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
        const MensajeVisto& m = b.mensajes.vistos.front();
        const bool caracter = mensaje == kCaracter;
        // A refused number says why after the old text ("Use la coma decimal: 1,5").
        if (caracter)
            QVERIFY(QString::fromStdString(m.texto).startsWith(kCaracter + QStringLiteral(". ")));
        else
            QCOMPARE(QString::fromStdString(m.texto), mensaje);
        QCOMPARE(m.titulo, std::string(caracter ? "Ingreso de un caracter" : "Error"));
        QVERIFY(m.icono == (caracter ? Icono::Exclamacion : Icono::Critico));
        QVERIFY(m.botones == Botones::Aceptar);
    }
    QCOMPARE(e->text(), textoCaja);
    QCOMPARE(Leer(b.centro(), caja), guardado);
    QCOMPARE(Foco(&d), foco);
    QCOMPARE(b.Marcado(), mensaje.isEmpty());
    QVERIFY(d.isVisible());
}

void NodoCentroEntradaPrueba::desviacionSigueLaTasa_data() {
    QTest::addColumn<QString>("caja");
    QTest::addColumn<double>("tasa");
    QTest::addColumn<double>("desviacion");
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<double>("desviacionFinal");
    QTest::addColumn<QString>("cajaTrasCalcular");

    // clang-format off
    QTest::newRow("arribo por defecto") << "Lamda" << 1.0 << 1.0 << "4" << 0.25 << "0,25";
    QTest::newRow("arribo a mano") << "Lamda" << 1.0 << 0.8 << "4" << 0.8 << "0,8";
    // Compared as shown with four decimals: 0.33333 passes for 1/3.
    QTest::newRow("arribo igual a cuatro decimales") << "Lamda" << 3.0 << 0.33333 << "2" << 0.5 << "0,5";
    QTest::newRow("despacho por defecto") << "Mu" << 2.0 << 0.5 << "5" << 0.2 << "0,2";
    QTest::newRow("despacho a mano") << "Mu" << 2.0 << 0.3 << "5" << 0.3 << "0,3";
    // clang-format on
}

void NodoCentroEntradaPrueba::desviacionSigueLaTasa() {
    QFETCH(QString, caja);
    QFETCH(double, tasa);
    QFETCH(double, desviacion);
    QFETCH(QString, tecleado);
    QFETCH(double, desviacionFinal);
    QFETCH(QString, cajaTrasCalcular);

    BancoPropiedades b;
    const bool arribo = caja == QLatin1String("Lamda");
    CentroProductivo& c = b.centro();
    (arribo ? c.Lamda : c.Mu) = tasa;
    (arribo ? c.Desvlamda : c.DesvMu) = desviacion;
    if (arribo) c.Mu = 2 * tasa + 10;  // keeps every case stable with one server
    NodoCentro d(b.ctx);
    Mostrar(&d);
    auto* cajaDesv = Hijo<QLineEdit>(&d, arribo ? "Desvlamda" : "DesvMu");
    const QString antes = cajaDesv->text();

    Teclear(Hijo<QLineEdit>(&d, caja.toUtf8().constData()), tecleado);
    Enter(Hijo<QLineEdit>(&d, caja.toUtf8().constData()));
    QCOMPARE(arribo ? c.Desvlamda : c.DesvMu, desviacionFinal);
    QCOMPARE(cajaDesv->text(), antes);  // shown again only by the next MostrarDatos

    Clic(Hijo<QPushButton>(&d, "Aplicar"));
    QCOMPARE(cajaDesv->text(), cajaTrasCalcular);
}

void NodoCentroEntradaPrueba::nombre_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<bool>("rechazado");
    QTest::addColumn<QString>("guardado");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<bool>("marcado");

    // clang-format off
    QTest::newRow("doce") << "Abcdefghijkl" << false << "Abcdefghijkl" << "Lamda" << true;
    QTest::newRow("trece") << "Abcdefghijklm" << true << "Torno" << "Nombre" << false;
    // Characters, not bytes: twelve accented letters are 24 bytes.
    QTest::newRow("doce acentuadas") << "ÁÉÍÓÚÑáéíóúñ" << false << "ÁÉÍÓÚÑáéíóúñ" << "Lamda" << true;
    QTest::newRow("vacío") << "" << false << "" << "Lamda" << true;
    QTest::newRow("sin nombre") << "Sin nombre" << false << "Torno" << "Nombre" << false;
    QTest::newRow("sin nombre minúsculas") << "sin nombre" << false << "sin nombre" << "Lamda" << true;
    // clang-format on
}

void NodoCentroEntradaPrueba::nombre() {
    QFETCH(QString, tecleado);
    QFETCH(bool, rechazado);
    QFETCH(QString, guardado);
    QFETCH(QString, foco);
    QFETCH(bool, marcado);

    BancoPropiedades b;
    b.centro().Nombre = "Torno";
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    auto* nombre = Hijo<QLineEdit>(&d, "Nombre");
    Teclear(nombre, tecleado);
    Enter(nombre);

    QCOMPARE(QString::fromStdString(b.centro().Nombre), guardado);
    QCOMPARE(Foco(&d), foco);
    QCOMPARE(b.Marcado(), marcado);
    if (rechazado) {
        QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
        QCOMPARE(b.Mensaje(), std::string("El Formato del nombre es erróneo"));
        QCOMPARE(b.mensajes.vistos[0].titulo, std::string(kTituloVentana));
        QVERIFY(b.mensajes.vistos[0].icono == Icono::Exclamacion);
        QCOMPARE(nombre->text(), QStringLiteral("Torno"));
    } else {
        QVERIFY(b.mensajes.vistos.empty());
    }
}

// Stored as soon as the box loses the focus, and only a real change marks
// the document.
void NodoCentroEntradaPrueba::descripcionAlSalir() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    b.Olvidar();
    auto* desc = Hijo<QPlainTextEdit>(&d, "Descripcion");
    desc->setFocus(Qt::TabFocusReason);
    QTest::keyClick(desc, Qt::Key_Tab);  // Tab leaves the box, it types no tab
    QVERIFY(!b.Marcado());

    desc->setFocus(Qt::TabFocusReason);
    Escribir(desc, QStringLiteral("Línea 1"));
    QCOMPARE(b.centro().Descripción, std::string());
    QTest::keyClick(desc, Qt::Key_Tab);
    QCOMPARE(b.centro().Descripción, std::string("Línea 1"));
    QVERIFY(b.Marcado());
    QVERIFY(Foco(&d) != QLatin1String("Descripcion"));
}

// Enter belongs to the box: it never reaches the default button, whatever
// the procedure does.
void NodoCentroEntradaPrueba::enterNoCierraElDialogo() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    for (const char* caja : {"Nombre", "Lamda", "Mu", "S"}) {
        Enter(Hijo<QLineEdit>(&d, caja));
        QVERIFY2(d.isVisible(), caja);
    }
    Teclear(Hijo<QLineEdit>(&d, "Lamda"), QStringLiteral("abc"));
    Enter(Hijo<QLineEdit>(&d, "Lamda"));
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), 0);
}

// What is on the screen is what is computed: Calcular takes the typed text.
void NodoCentroEntradaPrueba::calcularTomaLoTecleado() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    auto* lamda = Hijo<QLineEdit>(&d, "Lamda");
    Teclear(lamda, QStringLiteral("1,5"));
    Clic(Hijo<QPushButton>(&d, "Aplicar"));
    QCOMPARE(lamda->text(), QStringLiteral("1,5"));
    QCOMPARE(b.centro().Lamda, 1.5);
}

void NodoCentroEntradaPrueba::seleccionAlEntrarYOrdenDeTabulacion() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    QCOMPARE(Foco(&d), QStringLiteral("Nombre"));
    const QStringList orden = {"Lamda",       "Mu",      "S",       "minimos", "optimo",
                               "Descripcion", "Aplicar", "aceptar", "cancelar"};
    for (const QString& siguiente : orden) {
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        QCOMPARE(Foco(&d), siguiente);
        if (auto* e = qobject_cast<QLineEdit*>(d.focusWidget()))
            QCOMPARE(e->selectedText(), e->text());
    }
    // The boxes of another page follow in order once it is in front.
    Hijo<QTabWidget>(&d, "Propiedades")->setCurrentIndex(4);
    Hijo<QLineEdit>(&d, "Desvlamda")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
    QCOMPARE(Foco(&d), QStringLiteral("DesvMu"));
    QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
    QCOMPARE(Foco(&d), QStringLiteral("Aplicar"));
}

QTEST_MAIN(NodoCentroEntradaPrueba)
#include "NodoCentroEntradaPrueba.moc"
