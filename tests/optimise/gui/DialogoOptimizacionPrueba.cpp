// The optimisation dialog driven headless with mouse and key events: labels
// after moving the sliders, the messages, a short run to " 100 %", and the
// command that opens it.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <cmath>
#include <functional>

#include "model/Numeros.h"
#include "optimise/MensajesOptimizacion.h"
#include "optimise/Optimizacion.h"
#include "optimise/RedesOptimizacion.h"
#include "optimise/gui/GraficoConvergencia.h"
#include "optimise/gui/IniciarOptimizacion.h"
#include "optimise/gui/OptimizacionVortena.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"
#include "widgets/CampoNumerico.h"

namespace vortena {

namespace {

const Regional kReg = Regional::Espanol();

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A network, its opened search and the dialog on it, shown non-modally.
struct Banco {
    Red red;
    prueba::MensajesGrabados msj;
    prueba::DocumentoFalso doc;
    FuenteAleatoria azar;
    Optimizacion opt{red, msj, azar};
    std::unique_ptr<OptimizacionVortena> d;

    Banco() {
        prueba::Ramas(red, 4);
        if (!opt.Abrir()) qFatal("no se pudo abrir la optimización");
        d = std::make_unique<OptimizacionVortena>(opt, doc, kReg);
        d->show();
        if (!QTest::qWaitForWindowExposed(d.get())) qWarning("diálogo no expuesto");
    }
    void Escribir(QLineEdit* caja, const QString& texto) {
        caja->setFocus();
        caja->selectAll();
        QTest::keyClicks(caja, texto);
    }
    void Enter(QLineEdit* caja) { QTest::keyClick(caja, Qt::Key_Return); }
    void Iniciar() { QTest::mouseClick(d->iniciar, Qt::LeftButton); }
};

// Runs `accion` on the modal dialog as soon as it is up.
void AlAbrirse(const std::function<void(OptimizacionVortena*)>& accion) {
    QTimer::singleShot(0, [accion] {
        auto* d = qobject_cast<OptimizacionVortena*>(QApplication::activeModalWidget());
        if (!d) {
            QWidget* w = QApplication::activeModalWidget();
            if (w) w->close();
            return;
        }
        accion(d);
    });
}

}  // namespace

class DialogoOptimizacionPrueba : public QObject {
    Q_OBJECT
private slots:
    void controlesAlCargar() {
        Banco b;
        QCOMPARE(b.d->windowTitle(), QStringLiteral("Optimización Genética"));
        QCOMPARE(b.d->lblhabitantes->text(), QStringLiteral("Numero de Habitantes: 5"));
        QCOMPARE(b.d->lbldelta->text(), QStringLiteral("Delta de Mutación: 2"));
        QCOMPARE(b.d->delta->toolTip(),
                 QStringLiteral("La variancia  de la distribución uniforme de la Mutación"));
        QCOMPARE(b.d->habitantes->toolTip(),
                 QStringLiteral("Número de soluciones que utilizará el algoritmo genético"));
        QCOMPARE(b.d->DivVSOpt->toolTip(),
                 QStringLiteral("Determina si subsistirá el más Óptimo o el más Diverso"));
        QCOMPARE(b.d->Iteraciones->toolTip(), QStringLiteral("Número de Iteraciones por Solución"));
        QCOMPARE(b.d->lbliteraciones->text(), QStringLiteral("Número de interacciones:"));
        QCOMPARE(b.d->lbltmpodeseado->text(), QStringLiteral("Tiempo Deseado :"));
        QCOMPARE(b.d->Iteraciones->text(), QStringLiteral("100"));
        QCOMPARE(b.d->deseado->text(), Q(TextoGeneral(b.opt.TiempoActual, kReg)));
        QCOMPARE(b.d->lblminimotiempo->text(),
                 Q("El valor debe ser mayor a " + Formato(b.opt.TiempoMinimo, "#0.00", kReg)));
        QCOMPARE(b.d->iniciar->text(), QStringLiteral("Iniciar"));
        QCOMPARE(b.d->salir->text(), QStringLiteral("Cerrar"));
        QCOMPARE(b.d->contenedor->title(), QString());
        QCOMPARE(b.d->lblvalor->text(), QString());
        QCOMPARE(b.d->DivVSOpt->value(), 74);
        QCOMPARE(b.opt.ajustes.diversidad, std::int16_t{74});
    }

    void etiquetasAlMoverDeslizadores() {
        Banco b;
        b.d->habitantes->setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(b.d->habitantes, Qt::Key_Right);
        QCOMPARE(b.d->lblhabitantes->text(), QStringLiteral("Numero de Habitantes:  8"));
        QCOMPARE(b.opt.ajustes.habitantes, std::int16_t{8});
        QTest::keyClick(b.d->habitantes, Qt::Key_End);
        QCOMPARE(b.d->lblhabitantes->text(), QStringLiteral("Numero de Habitantes:  50"));

        b.d->delta->setFocus();
        QTest::keyClick(b.d->delta, Qt::Key_Left);
        QCOMPARE(b.d->lbldelta->text(), QStringLiteral("Delta de Mutación:  1"));
        QCOMPARE(b.opt.ajustes.delta, std::int16_t{1});

        b.d->DivVSOpt->setFocus();
        QTest::keyClick(b.d->DivVSOpt, Qt::Key_Home);
        QCOMPARE(b.opt.ajustes.diversidad, std::int16_t{1});
    }

    void iteracionesSeleccionaAlEnfocar() {
        Banco b;
        b.d->deseado->setFocus();
        QTest::mouseClick(b.d->Iteraciones, Qt::LeftButton);
        QTRY_COMPARE(b.d->Iteraciones->selectedText(), QStringLiteral("100"));
    }

    void iteracionesInvalidasConEnter_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("rechazado");
        QTest::newRow("cero") << "0" << true;
        QTest::newRow("negativo") << "-5" << true;
        QTest::newRow("letras") << "abc" << true;
        QTest::newRow("válido") << "25" << false;
    }
    void iteracionesInvalidasConEnter() {
        QFETCH(QString, texto);
        QFETCH(bool, rechazado);
        Banco b;
        b.Escribir(b.d->Iteraciones, texto);
        b.Enter(b.d->Iteraciones);
        QCOMPARE(b.d->Iteraciones->text(), rechazado ? QStringLiteral("100") : texto);
        QCOMPARE(b.msj.vistos.size(), std::size_t{rechazado ? 1u : 0u});
        if (rechazado) {
            QCOMPARE(Q(b.msj.vistos[0].texto),
                     QStringLiteral("El valor de iteracioes debe ser mayor que cero\r"
                                    "por lo tanto se cargará el valor por defecto (100)"));
            QCOMPARE(Q(b.msj.vistos[0].titulo), QStringLiteral("Error de Carga"));
            QVERIFY(b.msj.vistos[0].icono == Icono::Exclamacion);
        }
        QVERIFY(b.d->isVisible());  // Enter pressed no button
        QCOMPARE(b.d->lblvalor->text(), QString());
    }

    void iniciarRechaza_data() {
        QTest::addColumn<QString>("deseado");
        QTest::addColumn<QString>("iteraciones");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("tiempo pequeño") << "0,01"
                                        << "3"
                                        << "El valor es demasiado pequeño";
        QTest::newRow("tiempo no numérico") << "lento"
                                            << "3"
                                            << "El valor es demasiado pequeño";
        QTest::newRow("iteraciones cero sin Enter")
            << ""
            << "0"
            << "El valor de iteracioes debe ser mayor que cero\r"
               "por lo tanto se cargará el valor por defecto (100)";
        // The other decimal separator is named, and its text stays to be mended.
        QTest::newRow("tiempo con punto") << "0.5"
                                          << "3"
                                          << "Use la coma decimal: 1,5";
        QTest::newRow("iteraciones con punto") << ""
                                               << "1.000"
                                               << "Use la coma decimal: 1,5";
        QTest::newRow("iteraciones no numéricas")
            << ""
            << "muchas"
            << "El valor de iteracioes debe ser mayor que cero\r"
               "por lo tanto se cargará el valor por defecto (100)";
    }
    void iniciarRechaza() {
        QFETCH(QString, deseado);
        QFETCH(QString, iteraciones);
        QFETCH(QString, mensaje);
        Banco b;
        const auto antes = prueba::Servidores(b.red, b.opt.centrosGen());
        if (!deseado.isEmpty()) b.Escribir(b.d->deseado, deseado);
        b.Escribir(b.d->Iteraciones, iteraciones);
        b.Iniciar();
        QCOMPARE(b.msj.vistos.size(), std::size_t{1});
        QCOMPARE(Q(b.msj.vistos[0].texto), mensaje);
        QCOMPARE(Q(b.msj.vistos[0].titulo), QStringLiteral("Error de Carga"));
        QCOMPARE(b.d->contenedor->title(), QString());
        QCOMPARE(b.d->lblvalor->text(), QString());
        QVERIFY(!b.opt.HuboCorrida());
        QVERIFY(b.doc.llamadasBarra.empty());
        QVERIFY(prueba::Servidores(b.red, b.opt.centrosGen()) == antes);
        if (mensaje.startsWith(QStringLiteral("El valor de iteracioes")))
            QCOMPARE(b.d->Iteraciones->text(), QStringLiteral("100"));
        if (mensaje.startsWith(QStringLiteral("Use"))) {
            QLineEdit* caja = deseado == QStringLiteral("0.5") ? b.d->deseado : b.d->Iteraciones;
            QCOMPARE(caja->text(), deseado == QStringLiteral("0.5") ? deseado : iteraciones);
            QVERIFY(b.d->focusWidget() == caja);
        }
    }

    void corridaCortaLlegaAlCien() {
        Banco b;
        // A desired time typed without Enter: the run reads the box itself.
        const double deseado = 0.5 * (b.opt.TiempoMinimo + b.opt.TiempoActual);
        b.Escribir(b.d->deseado, Q(TextoGeneral(deseado, kReg)));
        b.Escribir(b.d->Iteraciones, QStringLiteral("4"));
        b.Iniciar();

        QCOMPARE(b.d->contenedor->title(), QStringLiteral(" 100 %"));
        QCOMPARE(b.d->Progreso->maximum(), 4);
        QCOMPARE(b.d->Progreso->value(), 4);
        QCOMPARE(b.opt.TiempoDeseado, deseado);
        const GenCadena& m = b.opt.MejorCadena;
        QCOMPARE(b.d->lblvalor->text(), Q(TextoResultado(m.rOptimo, m.rTiempo, kReg)));
        QVERIFY(b.d->lblvalor->text().startsWith(QStringLiteral(" Costo: ")));
        QVERIFY(b.d->lblvalor->text().contains(QStringLiteral(" Tiempo: ")));
        QCOMPARE(b.d->grafico->puntos().size(), std::size_t{5});
        QCOMPARE(b.d->grafico->puntos().back().costo, m.rOptimo);
        QCOMPARE(b.d->grafico->puntos().back().tiempo, m.rTiempo);
        QVERIFY(prueba::Servidores(b.red, b.opt.centrosGen()) == m.EL.valores());
        QVERIFY(b.doc.Modificado);
        QVERIFY(b.msj.vistos.empty());

        // Again without reopening: the chart starts over, the caption ends the same.
        b.Escribir(b.d->Iteraciones, QStringLiteral("2"));
        b.Iniciar();
        QCOMPARE(b.d->contenedor->title(), QStringLiteral(" 100 %"));
        QCOMPARE(b.d->grafico->puntos().size(), std::size_t{3});
    }

    void graficoDeConvergencia() {
        Banco b;
        b.Escribir(b.d->Iteraciones, QStringLiteral("6"));
        b.Iniciar();
        GraficoConvergencia* g = b.d->grafico;
        const auto series = g->chart()->series();
        QCOMPARE(series.size(), 2);
        auto* costo = qobject_cast<QLineSeries*>(series[0]);
        auto* tiempo = qobject_cast<QLineSeries*>(series[1]);
        QCOMPARE(costo->count(), 7);
        QCOMPARE(tiempo->count(), 7);
        QCOMPARE(costo->at(6), QPointF(6, g->puntos().back().costo));
        QCOMPARE(tiempo->at(6), QPointF(6, g->puntos().back().tiempo));

        // Generations along the bottom, cost on the left, time on the right.
        const auto titulos = [&](Qt::Alignment a) {
            QStringList t;
            for (QAbstractAxis* e : g->chart()->axes())
                if (e->alignment() == a) t << e->titleText();
            return t;
        };
        QCOMPARE(titulos(Qt::AlignBottom), QStringList{"Generación"});
        QCOMPARE(titulos(Qt::AlignLeft), QStringList{"Costo"});
        QCOMPARE(titulos(Qt::AlignRight), QStringList{"Tiempo"});
        for (QAbstractAxis* e : g->chart()->axes()) {
            auto* v = qobject_cast<QValueAxis*>(e);
            QVERIFY(v != nullptr);
            // Each line stays inside its own axes.
            const QLineSeries* s = e->alignment() == Qt::AlignRight ? tiempo : costo;
            for (const QPointF& p : s->points()) {
                const double c = e->alignment() == Qt::AlignBottom ? p.x() : p.y();
                QVERIFY(c >= v->min() && c <= v->max());
            }
        }

        // The mouse over a point of either line shows that generation's values.
        const GenCadena& m = b.opt.MejorCadena;
        const QString ultima =
            QStringLiteral("Generación 6\nCosto: %1\nTiempo: %2")
                .arg(Q(Formato(m.rOptimo, "#0.00", kReg)), Q(Formato(m.rTiempo, "#0.00", kReg)));
        QTest::mouseMove(g->viewport(), g->PixelDe(costo->at(6), costo) + QPoint(-2, 2));
        QCOMPARE(g->valorMostrado(), ultima);
        QTest::mouseMove(g->viewport(), g->PixelDe(tiempo->at(6), tiempo));
        QCOMPARE(g->valorMostrado(), ultima);
        QTest::mouseMove(g->viewport(), g->PixelDe(costo->at(0), costo));
        QVERIFY(g->valorMostrado().startsWith(QStringLiteral("Generación 0\n")));
        // Round ticks on the value axes, with the Spanish comma in their labels.
        for (QAbstractAxis* e : g->chart()->axes(Qt::Vertical)) {
            auto* v = qobject_cast<QValueAxis*>(e);
            QCOMPARE(v->tickType(), QValueAxis::TicksDynamic);
            const double pasos = (v->max() - v->min()) / v->tickInterval();
            QVERIFY(std::abs(pasos - std::round(pasos)) < 1e-6);
            QVERIFY(std::abs(v->min() / v->tickInterval() -
                             std::round(v->min() / v->tickInterval())) < 1e-6);
        }
        QCOMPARE(g->chart()->locale().decimalPoint(), QStringLiteral(","));

        // "Guardar imagen…" writes what the chart shows.
        QTemporaryDir dir;
        const QString ruta = dir.filePath("convergencia.png");
        g->pedirNombre = [&](QWidget*) { return ruta; };
        QTest::mouseClick(b.d->findChild<QPushButton*>(QStringLiteral("botonGuardarImagen")),
                          Qt::LeftButton);
        const QImage img(ruta);
        QVERIFY(!img.isNull());
        QCOMPARE(img.size(), g->size() * g->devicePixelRatio());
    }

    void graficoLargoSeAdelgaza() {
        GraficoConvergencia g(kReg);
        for (int i = 0; i < 5000; ++i) g.Agregar(1000.0 - i * 0.1, 5.0);
        const auto series = g.chart()->series();
        auto* costo = qobject_cast<QLineSeries*>(series[0]);
        QVERIFY(costo->count() <= 400);
        // The first and the last generation are always drawn.
        QCOMPARE(costo->at(0).x(), 0.0);
        QCOMPARE(costo->at(costo->count() - 1), QPointF(4999, 1000.0 - 4999 * 0.1));
        // A flat line sits inside its axis, not on its edge.
        for (QAbstractAxis* e : g.chart()->axes(Qt::Vertical)) {
            auto* v = qobject_cast<QValueAxis*>(e);
            if (e->alignment() == Qt::AlignRight) QVERIFY(v->min() < 5.0 && v->max() > 5.0);
        }
        g.Limpiar();
        QCOMPARE(costo->count(), 0);
        QVERIFY(g.puntos().empty());
    }

    void ordenEnRedInvalidaNoAbre() {
        Red red;
        prueba::ConstructorRed c(red);
        c.Inicio();
        c.Centro("A");
        c.Fin();
        c.Conectar(1, 2);
        prueba::MensajesGrabados msj;
        prueba::DocumentoFalso doc;
        QWidget ventana;
        bool abrio = false;
        AlAbrirse([&](OptimizacionVortena* d) {
            abrio = true;
            d->close();
        });
        IniciarOptimizacion(red, msj, doc, kReg, &ventana);
        QCoreApplication::processEvents();
        QVERIFY(!abrio);
        QCOMPARE(msj.vistos.size(), std::size_t{1});
        QCOMPARE(Q(msj.vistos[0].texto), QStringLiteral("Centros de inicio y/o Fin inválidos"));
        QCOMPARE(Q(msj.vistos[0].titulo), Q(kTituloPrograma));
        QVERIFY(msj.vistos[0].icono == Icono::Critico);
    }

    // Closing without a run gives the counts back; after a run they are the
    // result's; the search state survives between openings.
    void ordenAbreCorreYCierra() {
        Red red;
        prueba::Cadena(red, {2.0, 1.0, 4.0}, {3, 4, 2});
        prueba::MensajesGrabados msj;
        prueba::DocumentoFalso doc;
        QWidget ventana;

        AlAbrirse([](OptimizacionVortena* d) { QTest::mouseClick(d->salir, Qt::LeftButton); });
        IniciarOptimizacion(red, msj, doc, kReg, &ventana);
        QCOMPARE(red.Centros(2).Servidores, std::int16_t{3});
        QCOMPARE(red.Centros(3).Servidores, std::int16_t{4});
        QCOMPARE(red.Centros(4).Servidores, std::int16_t{2});
        QVERIFY(doc.llamadasBarra.empty());

        QString resultado;
        AlAbrirse([&](OptimizacionVortena* d) {
            d->Iteraciones->setText(QStringLiteral("3"));
            QTest::mouseClick(d->iniciar, Qt::LeftButton);
            resultado = d->lblvalor->text();
            d->close();  // the close box
        });
        IniciarOptimizacion(red, msj, doc, kReg, &ventana);
        QVERIFY(resultado.startsWith(QStringLiteral(" Costo: ")));
        QVERIFY(doc.Modificado);
        const auto estados = ventana.findChildren<QObject*>(QStringLiteral("estadoOptimizacion"));
        QCOMPARE(estados.size(), qsizetype{1});
        QVERIFY(msj.vistos.empty());
    }
};

}  // namespace vortena

QTEST_MAIN(vortena::DialogoOptimizacionPrueba)
#include "DialogoOptimizacionPrueba.moc"
