// The state-probability window: rows and patterns of the grid, the chart
// beside it, and the messages of a table that cannot be listed.

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include "BancoPropiedades.h"
#include "dialogs/GraficoEstados.h"
#include "dialogs/ProbEstados.h"

using namespace vortena;
using namespace vortena::prueba;

namespace {

// A chart value as a pixel of the chart's viewport.
QPoint Pixel(GraficoEstados* g, QPointF valor) {
    QChart* c = g->chart();
    return g->mapFromScene(c->mapToScene(c->mapToPosition(valor, c->series().front())));
}

}  // namespace

class ProbEstadosPrueba : public QObject {
    Q_OBJECT
private slots:
    void tabla_data();
    void tabla();
    void aceptarCierra();
    void graficoDeQtCharts();
    void guardarImagen();
};

void ProbEstadosPrueba::tabla_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<double>("lamda");
    QTest::addColumn<double>("mu");
    QTest::addColumn<int>("servidores");
    QTest::addColumn<int>("servidoresLuego");  // set after the computation; -1 keeps them
    QTest::addColumn<int>("filas");            // of the grid, the empty last one included
    QTest::addColumn<QString>("ultimoEstado");
    QTest::addColumn<QString>("ultimoValor");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("titulo");

    // P(n) = 0.5^(n+1): state 13 (0.000061) is the first below the threshold
    // and is listed because it lies beyond the one server.
    // clang-format off
    QTest::newRow("es por defecto") << "es" << 1.0 << 2.0 << 1 << -1 << 15 << "P( 13)" << "0,00006" << "" << "";
    QTest::newRow("en por defecto") << "en" << 1.0 << 2.0 << 1 << -1 << 15 << "P( 13)" << "0.00006" << "" << "";
    // rho 0.01 with 3 servers: P(2) is already negligible and is not listed.
    QTest::newRow("dentro de los servidores") << "es" << 0.02 << 2.0 << 3 << -1 << 3 << "P( 1)" << "0,00990" << "" << "";
    QTest::newRow("carga casi plena") << "es" << 1.999 << 2.0 << 1 << -1 << 0 << "" << ""
                                      << "La probabilidad es muy elevada" << "Calculo de Estados";
    QTest::newRow("sin servidores") << "es" << 1.0 << 2.0 << 1 << 0 << 0 << "" << ""
                                    << "Error por Desbordamiento" << kTituloPrograma;
    // clang-format on
}

void ProbEstadosPrueba::tabla() {
    QFETCH(QString, loc);
    QFETCH(double, lamda);
    QFETCH(double, mu);
    QFETCH(int, servidores);
    QFETCH(int, servidoresLuego);
    QFETCH(int, filas);
    QFETCH(QString, ultimoEstado);
    QFETCH(QString, ultimoValor);
    QFETCH(QString, mensaje);
    QFETCH(QString, titulo);

    BancoPropiedades b(RegionalDe(loc));
    CentroProductivo& c = b.centro();
    c.Lamda = lamda;
    c.Mu = mu;
    c.Servidores = static_cast<std::int16_t>(servidores);
    c.ActDesvLamda();
    c.ActDesvMu();
    c.Calculos(b.red.ErrorCalculo, b.mensajes);
    if (servidoresLuego >= 0) c.Servidores = static_cast<std::int16_t>(servidoresLuego);
    b.Olvidar();

    ProbEstados w(b.red, b.mensajes, b.reg);
    Mostrar(&w);
    auto* grid = Hijo<QTableWidget>(&w, "Pestados");
    auto* grafico = Hijo<GraficoEstados>(&w, "GraficoEstados");
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(grid->rowCount(), filas);
    QCOMPARE(grafico->probabilidades().size(), std::size_t(std::max(filas - 1, 0)));

    if (mensaje.isEmpty()) {
        QVERIFY(b.mensajes.vistos.empty());
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("P( 0)"));
        QCOMPARE(grid->item(filas - 2, 0)->text(), ultimoEstado);
        QCOMPARE(grid->item(filas - 2, 1)->text(), ultimoValor);
        QVERIFY(grid->item(filas - 1, 0) == nullptr);  // the last row stays empty
        QVERIFY(grid->item(filas - 1, 1) == nullptr);
        QCOMPARE(grid->columnWidth(0), 80);
        QCOMPARE(grid->columnWidth(1), 80);
    } else {
        QCOMPARE(b.mensajes.vistos.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(b.mensajes.vistos[0].texto), mensaje);
        QCOMPARE(QString::fromStdString(b.mensajes.vistos[0].titulo), titulo);
        QVERIFY(b.mensajes.vistos[0].botones == Botones::Aceptar);
    }
    QVERIFY(b.doc.llamadasBarra.empty());  // it never writes to the centre
}

void ProbEstadosPrueba::aceptarCierra() {
    BancoPropiedades b;
    ProbEstados w(b.red, b.mensajes, b.reg);
    Mostrar(&w);
    Clic(Hijo<QPushButton>(&w, "aceptar"));
    QVERIFY(!w.isVisible());
}

// One bar per listed state on a value axis titled "n (estado)", P(n) on the
// other axis, and the value of a bar under the mouse with the user's decimals.
void ProbEstadosPrueba::graficoDeQtCharts() {
    BancoPropiedades b(RegionalDe("es"));
    CentroProductivo& c = b.centro();
    c.Lamda = 1.0;
    c.Mu = 2.0;
    c.Servidores = 1;
    c.Calculos(b.red.ErrorCalculo, b.mensajes);
    ProbEstados w(b.red, b.mensajes, b.reg);
    Mostrar(&w);
    auto* grafico = Hijo<GraficoEstados>(&w, "GraficoEstados");
    QChart* chart = grafico->chart();
    const auto series = chart->series();
    QCOMPARE(series.size(), 1);
    auto* barras = qobject_cast<QBarSeries*>(series.front());
    QVERIFY(barras != nullptr);
    QCOMPARE(barras->barSets().front()->count(), 14);  // P(0) .. P(13)
    QCOMPARE(barras->barSets().front()->at(2), 0.125);

    const auto ejesX = chart->axes(Qt::Horizontal);
    const auto ejesY = chart->axes(Qt::Vertical);
    QCOMPARE(ejesX.size(), 1);
    QCOMPARE(ejesY.size(), 1);
    auto* x = qobject_cast<QValueAxis*>(ejesX.front());
    auto* y = qobject_cast<QValueAxis*>(ejesY.front());
    QCOMPARE(x->titleText(), QStringLiteral("n (estado)"));
    QCOMPARE(y->titleText(), QStringLiteral("P(n)"));
    // Every bar inside the axes, the tallest included.
    QVERIFY(x->min() < 0 && x->max() > 13);
    QVERIFY(y->min() == 0 && y->max() >= 0.5);

    QCOMPARE(grafico->TextoEstado(2), QStringLiteral("n = 2\nP(n) = 0,12500"));
    QCOMPARE(grafico->TextoEstado(14), QString());
    // The mouse over a bar's column, at any height, tells its value; between
    // two columns, nothing.
    QTest::mouseMove(grafico->viewport(), Pixel(grafico, {3, 0.01}));
    QCOMPARE(grafico->valorMostrado(), QStringLiteral("n = 3\nP(n) = 0,06250"));
    QTest::mouseMove(grafico->viewport(), Pixel(grafico, {0, 0.4}));
    QCOMPARE(grafico->valorMostrado(), QStringLiteral("n = 0\nP(n) = 0,50000"));
    QTest::mouseMove(grafico->viewport(), Pixel(grafico, {3.5, 0.01}));
    QCOMPARE(grafico->valorMostrado(), QString());
}

void ProbEstadosPrueba::guardarImagen() {
    BancoPropiedades b;
    b.centro().Calculos(b.red.ErrorCalculo, b.mensajes);
    ProbEstados w(b.red, b.mensajes, b.reg);
    Mostrar(&w);
    auto* grafico = Hijo<GraficoEstados>(&w, "GraficoEstados");
    QTemporaryDir dir;
    int pedidos = 0;
    QString nombre = dir.filePath("estados");  // ".png" is added
    grafico->pedirNombre = [&](QWidget*) {
        ++pedidos;
        return nombre;
    };
    auto* boton = Hijo<QPushButton>(&w, "botonGuardarImagen");
    QCOMPARE(boton->text(), QStringLiteral("Guardar imagen…"));
    Clic(boton);
    QCOMPARE(pedidos, 1);
    const QImage img(dir.filePath("estados.png"));
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), grafico->size() * grafico->devicePixelRatio());

    // A cancelled dialog writes nothing.
    nombre.clear();
    Clic(boton);
    QCOMPARE(pedidos, 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(b.mensajes.vistos.empty());
}

QTEST_MAIN(ProbEstadosPrueba)
#include "ProbEstadosPrueba.moc"
