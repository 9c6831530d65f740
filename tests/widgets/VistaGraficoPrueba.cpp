// The shared chart view: values under the mouse, labels no line crosses,
// round ticks written with the user's separator, and "Guardar imagen…"
// asking before it replaces a file, with its ".png" already on the name.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include "widgets/VistaGrafico.h"

using vortena::Regional;
using vortena::VistaGrafico;

namespace {

// A chart with a rising line through (0,0) .. (10,10) and a marker at (5,5).
struct Banco {
    VistaGrafico vista{Regional::Espanol(), nullptr};
    QLineSeries* linea = new QLineSeries;
    QScatterSeries* marca = new QScatterSeries;
    QValueAxis* x = new QValueAxis;
    QValueAxis* y = new QValueAxis;

    Banco() {
        for (int i = 0; i <= 10; ++i) linea->append(i, i);
        marca->append(5, 5);
        vista.chart()->addSeries(linea);
        vista.chart()->addSeries(marca);
        vista.chart()->addAxis(x, Qt::AlignBottom);
        vista.chart()->addAxis(y, Qt::AlignLeft);
        for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{linea, marca}) {
            s->attachAxis(x);
            s->attachAxis(y);
        }
        VistaGrafico::EjeRedondo(x, 0, 10);
        VistaGrafico::EjeRedondo(y, 0, 10);
        vista.resize(400, 300);
        vista.show();
        if (!QTest::qWaitForWindowExposed(&vista)) qWarning("gráfico no expuesto");
    }
    void Mover(QPoint p) { QTest::mouseMove(vista.viewport(), p); }
};

}  // namespace

class VistaGraficoPrueba : public QObject {
    Q_OBJECT

private slots:
    void valorBajoElRaton() {
        Banco b;
        b.vista.ValoresAlPasar(b.linea, [&](int i) {
            return QStringLiteral("punto %1 = %2").arg(i).arg(b.linea->at(i).y());
        });
        // Over the point of the line, a few pixels off: its value.
        b.Mover(b.vista.PixelDe({3, 3}, b.linea) + QPoint(3, -2));
        QCOMPARE(b.vista.valorMostrado(), QStringLiteral("punto 3 = 3"));
        b.Mover(b.vista.PixelDe({8, 8}, b.linea));
        QCOMPARE(b.vista.valorMostrado(), QStringLiteral("punto 8 = 8"));
        // Far from every point: nothing.
        b.Mover(b.vista.PixelDe({8, 2}, b.linea));
        QCOMPARE(b.vista.valorMostrado(), QString());
        // A hidden series tells nothing.
        b.linea->setVisible(false);
        b.Mover(b.vista.PixelDe({3, 3}, b.linea));
        QCOMPARE(b.vista.valorMostrado(), QString());
    }

    void etiquetaSinCruces() {
        Banco b;
        b.vista.Etiquetar(b.marca, 0, QStringLiteral("P50 = 5,0000"));
        QTest::qWait(50);
        const QRectF r = b.vista.RectanguloEtiqueta(0);
        QVERIFY(!r.isEmpty());
        // Beside its point, inside the plot, and no segment of the line in it.
        QChart* c = b.vista.chart();
        const QPointF punto = c->mapToScene(c->mapToPosition({5, 5}, b.marca));
        QVERIFY(!r.contains(punto));
        QVERIFY(QLineF(r.center(), punto).length() < r.width() + 30);
        QVERIFY(c->mapRectToScene(c->plotArea()).adjusted(-1, -1, 1, 1).contains(r));
        for (int i = 0; i < b.linea->count() - 1; ++i) {
            const QLineF s(c->mapToScene(c->mapToPosition(b.linea->at(i), b.linea)),
                           c->mapToScene(c->mapToPosition(b.linea->at(i + 1), b.linea)));
            for (double t = 0; t <= 1.0; t += 0.02) QVERIFY(!r.contains(s.pointAt(t)));
        }
        b.vista.QuitarEtiquetas();
        QVERIFY(b.vista.RectanguloEtiqueta(0).isEmpty());
    }

    void marcasRedondas() {
        QValueAxis eje;
        VistaGrafico::EjeRedondo(&eje, 0.613, 0.857, 6);
        // Steps of 0,05 from a multiple of it, labels with two decimals.
        QCOMPARE(eje.tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(eje.tickInterval(), 0.05);
        QCOMPARE(eje.min(), 0.6);
        QCOMPARE(eje.max(), 0.9);
        QCOMPARE(eje.labelFormat(), QStringLiteral("%.2f"));
        VistaGrafico::EjeRedondo(&eje, 0.613, 0.957, 6);
        QCOMPARE(eje.tickInterval(), 0.1);
        QCOMPARE(eje.max(), 1.0);
        QCOMPARE(eje.labelFormat(), QStringLiteral("%.1f"));
        VistaGrafico::EjeRedondo(&eje, 413.16, 469.66, 5);
        QCOMPARE(eje.tickInterval(), 20.0);
        QCOMPARE(eje.min(), 400.0);
        QCOMPARE(eje.max(), 480.0);
        QCOMPARE(eje.labelFormat(), QStringLiteral("%.0f"));
        // A flat line is opened around its value.
        VistaGrafico::EjeRedondo(&eje, 5, 5, 5);
        QVERIFY(eje.min() < 5 && eje.max() > 5);
        QCOMPARE(VistaGrafico::PasoRedondo(0.3, 6), 0.05);
        QCOMPARE(VistaGrafico::PasoMarcas(3, 6), 1.0);

        // The labels carry the user's decimal separator.
        Banco b;
        VistaGrafico::EjeRedondo(b.y, 0, 0.5, 5);
        const QImage con = b.vista.grab().toImage();
        QCOMPARE(b.vista.chart()->locale().decimalPoint(), QStringLiteral(","));
        QVERIFY(!con.isNull());
    }

    void guardarPreguntaAntesDeReemplazar() {
        Banco b;
        QTemporaryDir dir;
        const QString ruta = dir.filePath("grafico.png");
        QFile viejo(ruta);
        QVERIFY(viejo.open(QIODevice::WriteOnly));
        viejo.write("viejo");
        viejo.close();
        QStringList preguntas;
        bool reemplazar = false;
        b.vista.confirmarReemplazo = [&](QWidget*, const QString& r) {
            preguntas << r;
            return reemplazar;
        };
        // Typed without ".png": the check is on the file really written.
        b.vista.pedirNombre = [&](QWidget*) { return dir.filePath("grafico"); };
        b.vista.accionGuardar()->trigger();
        QCOMPARE(preguntas, QStringList{ruta});
        QCOMPARE(QFileInfo(ruta).size(), 5);
        reemplazar = true;
        b.vista.accionGuardar()->trigger();
        QCOMPARE(preguntas.size(), 2);
        QVERIFY(!QImage(ruta).isNull());
        // A new name asks nothing.
        b.vista.pedirNombre = [&](QWidget*) { return dir.filePath("otro.PNG"); };
        b.vista.accionGuardar()->trigger();
        QCOMPARE(preguntas.size(), 2);
        QVERIFY(!QImage(dir.filePath("otro.PNG")).isNull());
    }
};

QTEST_MAIN(VistaGraficoPrueba)
#include "VistaGraficoPrueba.moc"
