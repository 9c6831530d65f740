// The window "Frente costo–tiempo" on the real main window, headless: opened
// from its menu entry, a point picked with the mouse on the chart, the table
// of counts, "Aplicar", the exports, "Cancelar" and a network that fails.

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTest>

#include "VentanaDePrueba.h"
#include "dialogs/Ayuda.h"
#include "optimise/AplicarFrente.h"
#include "optimise/RedesOptimizacion.h"
#include "optimise/gui/VentanaFrente.h"
#include "widgets/CampoNumerico.h"
#include "widgets/AvisoDesactualizado.h"

namespace vortena {

class VentanaFrentePrueba : public QObject {
    Q_OBJECT

    static VentanaFrente* Abrir(prueba::VentanaDePrueba& v) {
        v.Menu("mnFrente");
        auto* f = v.ventana->findChild<VentanaFrente*>();
        if (f && !QTest::qWaitForWindowExposed(f)) qWarning("ventana del frente no expuesta");
        return f;
    }
    // The chart's pixel for a data point, in the view's viewport.
    static QPoint Pixel(VentanaFrente* f, QPointF dato) {
        QChart* c = f->vista()->chart();
        const QPointF escena = c->mapToScene(c->mapToPosition(dato, f->serieFrente()));
        return f->vista()->mapFromScene(escena);
    }

private slots:
    void EntryFollowsTheGeneticSearchInTheLineMenu() {
        prueba::VentanaDePrueba v;
        auto* menu = v.ventana->findChild<QMenu*>(QStringLiteral("mnLinea"));
        QVERIFY(menu);
        const auto acciones = menu->actions();
        QCOMPARE(acciones.last()->objectName(), QStringLiteral("mnFrente"));
        QCOMPARE(acciones.at(acciones.size() - 2)->objectName(), QStringLiteral("mnTiempos"));
        QCOMPARE(acciones.last()->text(), QString::fromUtf8("Frente costo–tiempo…"));
    }

    void PickAPointWithTheMouseAndApplyIt() {
        prueba::VentanaDePrueba v;
        v.red.Vaciar();
        prueba::Cadena(v.red, {1.5, 0.8, 2.5}, {1, 3, 1});
        v.ventana->ACTBarraEstado(false);
        VentanaFrente* f = Abrir(v);
        QVERIFY(f);
        QVERIFY(f->isWindow() && !f->isModal());
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        QVERIFY(f->resultado());
        QVERIFY(f->resultado()->exacto);
        const auto& puntos = f->resultado()->puntos;
        QVERIFY(puntos.size() >= 3);
        QCOMPARE(f->serieFrente()->count(), static_cast<int>(puntos.size()));
        auto* aplicar = f->findChild<QPushButton*>(QStringLiteral("aplicar"));
        QVERIFY(!aplicar->isEnabled());

        const std::size_t elegido = puntos.size() / 4;
        QTest::mouseClick(f->vista()->viewport(), Qt::LeftButton, {},
                          Pixel(f, {puntos[elegido].costo, puntos[elegido].tiempo}));
        QCOMPARE(f->seleccionado(), static_cast<int>(elegido));
        QVERIFY(aplicar->isEnabled());
        // The mouse over a point tells its cost and time in Spanish figures.
        const int otro = static_cast<int>(puntos.size()) - 1;
        // Sent as the window system would: a tool window under the offscreen
        // platform gets no synthetic move from QTest::mouseMove.
        const QPoint sobre = Pixel(f, {puntos.back().costo, puntos.back().tiempo}) + QPoint(2, 1);
        QWidget* vp = f->vista()->viewport();
        QMouseEvent mover(QEvent::MouseMove, sobre, vp->mapToGlobal(sobre), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &mover);
        QCOMPARE(f->vista()->valorMostrado(), f->TextoPunto(otro));
        QVERIFY(f->TextoPunto(otro).startsWith(
            QStringLiteral("Costo: ") +
            QString::fromStdString(Formato(puntos.back().costo, "#0.##", v.ventana->regional()))));

        auto* tabla = f->findChild<QTableWidget*>(QStringLiteral("tabla"));
        QCOMPARE(tabla->rowCount(), 3);
        const std::vector<std::int16_t> propuestos = puntos[elegido].servidores;
        int cambiadas = 0;
        for (int fila = 0; fila < 3; ++fila) {
            QCOMPARE(tabla->item(fila, 0)->text(), QStringLiteral("C%1").arg(fila + 1));
            QCOMPARE(tabla->item(fila, 2)->text().toInt(),
                     propuestos[static_cast<std::size_t>(fila)]);
            const bool cambia = tabla->item(fila, 1)->text() != tabla->item(fila, 2)->text();
            QCOMPARE(tabla->item(fila, 1)->background() != QBrush(), cambia);
            cambiadas += cambia;
        }
        QVERIFY(cambiadas > 0);
        if (qEnvironmentVariableIsSet("VORTENA_CAPTURA"))
            f->grab().save(qEnvironmentVariable("VORTENA_CAPTURA"));
        QVERIFY(f->findChild<QLabel*>(QStringLiteral("diferencias"))
                    ->text()
                    .contains(QStringLiteral("Tiempo:")));

        QTest::mouseClick(aplicar, Qt::LeftButton);
        for (std::size_t k = 0; k < 3; ++k)
            QCOMPARE(v.red.Centros(static_cast<int>(k) + 2).Servidores, propuestos[k]);
        QVERIFY(v.ventana->Modificado);
        // Recomputed: the line's time is the point's.
        QCOMPARE(v.red.Centros(v.red.NodoFin).tmpoTemprano, puntos[elegido].tiempo);
        // Now the current counts are the proposed ones: no row changes.
        for (int fila = 0; fila < 3; ++fila)
            QCOMPARE(tabla->item(fila, 1)->text(), tabla->item(fila, 2)->text());
        QVERIFY(v.dialogos.vistos().empty());

        // The exports go where the save dialog says.
        const QString csv = v.carpeta.filePath(QStringLiteral("frente.csv"));
        const QString png = v.carpeta.filePath(QStringLiteral("frente.png"));
        v.dialogos.nombresGuardar = {csv.toStdString(), png.toStdString()};
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("exportarCsv")),
                          Qt::LeftButton);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("guardarImagen")),
                          Qt::LeftButton);
        QFile texto(csv);
        QVERIFY(texto.open(QIODevice::ReadOnly));
        QCOMPARE(texto.readLine(), QByteArray("costo,tiempo,aporte,C1,C2,C3\n"));
        QVERIFY(QImage(png).width() > 100);
    }

    // "Aplicar" then Ctrl+Z, pressed in the front window: the network is back
    // where it was and the window no longer shows any point as the current
    // network; it says "desactualizado" until the next "Calcular".
    void UndoAfterApplyMarksTheFrontStale() {
        prueba::VentanaDePrueba v;
        v.red.Vaciar();
        prueba::Cadena(v.red, {1.5, 0.8, 2.5}, {1, 3, 1});
        v.ventana->ACTBarraEstado(false);
        VentanaFrente* f = Abrir(v);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        QCOMPARE(f->windowType(), Qt::Tool);
        QCOMPARE(f->parentWidget(), v.ventana.get());
        const auto& puntos = f->resultado()->puntos;
        const std::vector<std::int16_t> antes = {1, 3, 1};
        std::size_t elegido = 0;
        while (puntos[elegido].servidores == antes) ++elegido;
        f->Seleccionar(static_cast<int>(elegido));
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("aplicar")), Qt::LeftButton);
        QVERIFY(!f->Desactualizado());
        QScatterSeries* actual = nullptr;
        for (QScatterSeries* s : f->vista()->chart()->findChildren<QScatterSeries*>())
            if (s->name() == QStringLiteral("Red actual")) actual = s;
        QVERIFY(actual);
        QCOMPARE(actual->count(), 1);
        QCOMPARE(actual->at(0), QPointF(puntos[elegido].costo, puntos[elegido].tiempo));

        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
        for (std::size_t k = 0; k < 3; ++k)
            QCOMPARE(v.red.Centros(static_cast<int>(k) + 2).Servidores, antes[k]);
        QVERIFY(f->Desactualizado());
        QVERIFY(f->findChild<AvisoDesactualizado*>()->isVisible());
        QCOMPARE(actual->count(), 0);
        QVERIFY(!f->findChild<QPushButton*>(QStringLiteral("aplicar"))->isEnabled());
        if (qEnvironmentVariableIsSet("VORTENA_CAPTURA_DESACTUALIZADO"))
            f->grab().save(qEnvironmentVariable("VORTENA_CAPTURA_DESACTUALIZADO"));
        // Redo from the same window: the network is the applied point again,
        // one the front holds, so its figures are current again.
        QTest::keyClick(f, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(v.red.Centros(3).Servidores, puntos[elegido].servidores[1]);
        QVERIFY(!f->Desactualizado());
        QCOMPARE(actual->count(), 1);
        v.red.Centros(3).Lamda *= 2;  // an edit the front does not range over
        v.ventana->ACTBarraEstado(true);
        QVERIFY(f->Desactualizado());

        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("calcular")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        QVERIFY(!f->Desactualizado());
        QVERIFY(!f->findChild<AvisoDesactualizado*>()->isVisible());
        QCOMPARE(actual->count(), 1);
    }

    void DefaultsButtonAndHelp() {
        prueba::VentanaDePrueba v;
        VentanaFrente* f = Abrir(v);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        auto* generaciones = f->findChild<CampoNumerico*>(QStringLiteral("generaciones"));
        generaciones->setValue(777);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("valoresIniciales")),
                          Qt::LeftButton);
        QCOMPARE(generaciones->value(), AjustesFrente{}.generaciones);
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClick(f, Qt::Key_F1);
        Ayuda* ayuda = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* a = qobject_cast<Ayuda*>(w)) ayuda = a;
        QVERIFY(ayuda);
        QCOMPARE(ayuda->Pagina().fileName(), QStringLiteral("frente.htm"));
        QVERIFY(f->findChild<QPushButton*>(QStringLiteral("btAyuda")));
    }

    // A point chosen, then the network edited: "Aplicar" refuses.
    void ApplyAfterTheNetworkChangedSaysSo() {
        prueba::VentanaDePrueba v;
        v.red.Vaciar();
        prueba::Cadena(v.red, {1.5, 0.8}, {2, 2});
        VentanaFrente* f = Abrir(v);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        f->Seleccionar(0);
        v.red.Centros(2).Nombre = "Otro";
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("aplicar")), Qt::LeftButton);
        QCOMPARE(v.Ultimo(), std::string(kTextoRedCambiada));
        QCOMPARE(v.red.Centros(3).Servidores, static_cast<std::int16_t>(2));
    }

    void CancelStopsALongSearch() {
        prueba::VentanaDePrueba v;
        v.red.Vaciar();
        prueba::Ramas(v.red, 4);
        VentanaFrente* f = Abrir(v);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        f->findChild<CampoNumerico*>(QStringLiteral("generaciones"))->setValue(100000);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("calcular")), Qt::LeftButton);
        QVERIFY(f->Ocupada());
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("cancelar")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 20000);
        QCOMPARE(f->findChild<QLabel*>(QStringLiteral("estado"))->text(),
                 QString::fromUtf8("Cálculo cancelado."));
    }

    void NetworkThatFailsShowsOneMessageAndChangesNothing() {
        prueba::VentanaDePrueba v;
        v.red.Vaciar();
        prueba::Cadena(v.red, {1.5, 0.8}, {2, 2});
        v.red.Centros(3).Mu = 0;
        VentanaFrente* f = Abrir(v);
        QVERIFY(f);
        QVERIFY(!f->Ocupada());
        QVERIFY(!f->resultado());
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        QVERIFY(v.Ultimo().rfind("No se puede buscar el frente costo–tiempo", 0) == 0);
        QCOMPARE(v.red.Centros(2).Servidores, static_cast<std::int16_t>(2));
    }
};

}  // namespace vortena

QTEST_MAIN(vortena::VentanaFrentePrueba)
#include "VentanaFrentePrueba.moc"
