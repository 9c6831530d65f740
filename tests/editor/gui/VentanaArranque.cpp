// The main window as it opens: document state, canvas, status bar, tools,
// menus, toolbar, layout rules and scrolling.

#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>

#include "VentanaDePrueba.h"
#include "editor/gui/Captura.h"
#include "model/Invariantes.h"

using vortena::Herramienta;
using vortena::prueba::VentanaDePrueba;

class VentanaArranque : public QObject {
    Q_OBJECT

private slots:
    void estadoInicial() {
        VentanaDePrueba v;
        QCOMPARE(v.ventana->windowTitle(),
                 QString::fromUtf8("Anónimo.vtq - Vortena de Líneas de Producción"));
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.ventana->NombreArchivo, std::string("Anónimo.vtq"));
        QVERIFY(!v.ventana->Guardado);
        QCOMPARE(QString::fromStdString(v.ventana->path), v.carpeta.path() + "/");
        QCOMPARE(v.Panel(1), QStringLiteral("Modificado"));
        QCOMPARE(v.Panel(2), QStringLiteral("1 Centros - 2 Conexiones"));
        QVERIFY(!v.red.MostrarCriticos);
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        QCOMPARE(v.red.CentroActual, std::int16_t{3});
        QVERIFY(!v.red.HaySeleccion);
        QVERIFY(!vortena::ComprobarInvariantes(v.red).has_value());
        QVERIFY(v.dialogos.vistos().empty());
        QCOMPARE(v.ventana->lienzo().HerramientaActual, Herramienta::Seleccion);
        QVERIFY(v.ventana->herramientas()->Boton(0)->isChecked());
    }

    // --medir-arranque ends the loop at the window's first paint. A paint
    // that never ends it would hang the timing run: the guard turns that
    // into a failure here.
    void medirArranqueTerminaTrasElPrimerPintado() {
        VentanaDePrueba v;
        v.ventana->hide();
        QTimer guarda;
        guarda.setSingleShot(true);
        QObject::connect(&guarda, &QTimer::timeout, [] { QApplication::exit(7); });
        guarda.start(10000);
        QCOMPARE(vortena::MostrarHastaPrimerPintado(*v.ventana), 0);
        QVERIFY(v.ventana->isVisible());
    }

    // The new network is on the canvas image right away.
    void dibujoInicial_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<QColor>("color");
        QTest::newRow("borde del nodo de inicio") << 500.f << 1500.f << QColor(0, 128, 0);
        QTest::newRow("borde del centro") << 4000.f << 1500.f << QColor(0, 0, 0);
        QTest::newRow("borde del nodo final") << 9495.f << 1500.f << QColor(0, 128, 0);
        QTest::newRow("conexión 1") << 3000.f << 1500.f << QColor(0, 0, 0);
        QTest::newRow("lienzo vacío") << 3000.f << 6000.f << QColor(255, 255, 255);
    }
    void dibujoInicial() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(QColor, color);
        VentanaDePrueba v;
        QCOMPARE(v.Color(x, y), color);
    }

    void marcasSobreLosExtremos() {
        VentanaDePrueba v;
        // Each marker sits in the 32 x 32 pixels above its node's corner.
        auto tinta = [&](float x1, float y1) {
            const QImage img =
                v.fondo()->Imagen().copy(QRect(v.Pixel(x1, y1 - 500), QSize(32, 32)));
            int oscuros = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qGray(img.pixel(x, y)) < 128) ++oscuros;
            return oscuros;
        };
        QVERIFY(tinta(500, 1150) > 20);
        QVERIFY(tinta(8500, 1150) > 20);
        QCOMPARE(tinta(4000, 1000), 0);
    }

    void herramientas() {
        VentanaDePrueba v;
        for (int i = 4; i >= 0; --i) {
            v.Herramienta(i);
            QCOMPARE(static_cast<int>(v.ventana->lienzo().HerramientaActual), i + 1);
            for (int j = 0; j < 5; ++j) {
                QToolButton* b = v.ventana->herramientas()->Boton(j);
                QCOMPARE(b->isChecked(), j == i);
                QVERIFY(!b->toolTip().isEmpty());
                QVERIFY(!b->icon().isNull());
            }
            QVERIFY(v.Panel(3).contains(
                vortena::PaletaHerramientas::Nombre(static_cast<Herramienta>(i + 1))));
        }
    }

    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("accion");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QKeySequence>("atajo");
        auto fila = [](const char* menu, const char* accion, const char* texto, QKeySequence k) {
            QTest::newRow(accion) << QString(menu) << QString(accion) << QString::fromUtf8(texto)
                                  << k;
        };
        fila("mnArchivo", "mnNuevo", "Nuevo", QKeySequence("Ctrl+N"));
        fila("mnArchivo", "mnAbrir", "Abrir", QKeySequence("Ctrl+O"));
        fila("mnArchivo", "mnGuardar", "Guardar", QKeySequence("Ctrl+G"));
        fila("mnArchivo", "mnGComo", "Guardar como...", QKeySequence());
        fila("mnArchivo", "mnImprimir", "Imprimir...", QKeySequence("Ctrl+P"));
        fila("mnArchivo", "mnExportarGrafico", "Exportar gráfico...", QKeySequence());
        fila("mnArchivo", "mnSalir", "Salir", QKeySequence("Ctrl+S"));
        fila("mnEdicion", "mnDeshacer", "Deshacer", QKeySequence("Ctrl+Z"));
        fila("mnEdicion", "mnRehacer", "Rehacer", QKeySequence("Ctrl+Y"));
        fila("mnEdicion", "mnGrafico", "Copiar gráfico", QKeySequence());
        fila("mnEdicion", "mnTexto", "Exportar resumen como Archivo de Texto", QKeySequence());
        fila("mnLinea", "mnSM", "Cálculo de Servidores Mínimos", QKeySequence("Ctrl+M"));
        fila("mnLinea", "mnPropagar", "Propagar Lamda", QKeySequence("Ctrl+K"));
        fila("mnLinea", "mnSO", "Optimización Económica", QKeySequence("Ctrl+L"));
        fila("mnLinea", "mnPert", "Cálculo de PERT", QKeySequence("Ctrl+E"));
        fila("mnLinea", "mnTiempos", "Optimización de Tiempos", QKeySequence("Ctrl+B"));
        fila("mnAyuda", "mnContenido", "Contenido", QKeySequence("F1"));
        fila("mnAyuda", "mnAcerca", "Acerca de Vortena...", QKeySequence());
    }
    void menus() {
        QFETCH(QString, menu);
        QFETCH(QString, accion);
        QFETCH(QString, texto);
        QFETCH(QKeySequence, atajo);
        VentanaDePrueba v;
        auto* m = v.ventana->findChild<QMenu*>(menu);
        QVERIFY(m != nullptr);
        auto* a = v.ventana->findChild<QAction*>(accion);
        QVERIFY(a != nullptr);
        QVERIFY(m->actions().contains(a));
        QCOMPARE(a->text(), texto);
        QCOMPARE(a->shortcut(), atajo);
    }

    void ordenDeLosMenus() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear();
        VentanaDePrueba v;
        QStringList titulos;
        for (QAction* a : v.ventana->menuBar()->actions()) titulos << a->text();
        QCOMPARE(titulos, QStringList({"&Archivo", QString::fromUtf8("&Edición"), "&Ver",
                                       QString::fromUtf8("&Línea de Producción"),
                                       QString::fromUtf8("&Simulación"), "&Ayuda"}));
        QStringList archivo;
        for (QAction* a : v.ventana->findChild<QMenu*>("mnArchivo")->actions())
            archivo << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(archivo,
                 QStringList({"mnNuevo", "mnAbrir", "mnAbrirEjemplo", "mnGuardar", "mnGComo", "-",
                              "mnImprimir", "mnExportarGrafico", "-", "mnSalir"}));
        QStringList edicion;
        for (QAction* a : v.ventana->findChild<QMenu*>("mnEdicion")->actions())
            edicion << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(edicion, QStringList({"mnDeshacer", "mnRehacer", "-", "mnGrafico", "mnTexto"}));
        QCOMPARE(v.ventana->findChild<QMenu*>("mnAyuda")->actions().at(1)->isSeparator(), true);
    }

    void barraDeHerramientas() {
        VentanaDePrueba v;
        auto* barra = v.ventana->findChild<QToolBar*>("BHerramientas");
        QVERIFY(barra != nullptr);
        const QList<QAction*> acciones = barra->actions();
        QCOMPARE(acciones.size(), 16);
        const char* consejos[16] = {nullptr,
                                    "Nueva línea de producción",
                                    "Abrir línea de producción",
                                    "Guardar línea de producción",
                                    "Imprimir línea de producción",
                                    nullptr,
                                    "Deshacer",
                                    "Rehacer",
                                    nullptr,
                                    "Propagar lamda desde el nodo final",
                                    "Cálculo de Servidores Mínimos",
                                    "Cálculo de Srvidores Optimos (Optimización económica)",
                                    "PERT",
                                    "Optimización de Tiempos",
                                    nullptr,
                                    "Salida del Programa"};
        for (int i = 0; i < 16; ++i) {
            QAction* a = acciones[i];
            const int indice = i + 1;
            if (indice == 1 || indice == 6 || indice == 9) {
                QVERIFY2(a->isSeparator(), qPrintable(QString::number(indice)));
            } else if (indice == 15) {
                QVERIFY(qobject_cast<QWidgetAction*>(a) != nullptr);
                QCOMPARE(barra->widgetForAction(a)->sizePolicy().horizontalPolicy(),
                         QSizePolicy::Expanding);
            } else {
                QCOMPARE(a->toolTip(), QString::fromUtf8(consejos[i]));
                QVERIFY(!a->icon().isNull());
            }
        }
        QCOMPARE(v.Accion("btNuevo")->objectName(), QStringLiteral("btNuevo"));
    }

    void tamanoMinimo_data() {
        QTest::addColumn<QSize>("pedido");
        QTest::addColumn<QSize>("resultado");
        // 5000 twips are 333 pixels; a narrower window becomes 6000 twips wide.
        QTest::newRow("estrecha y baja") << QSize(200, 150) << QSize(400, 333);
        QTest::newRow("estrecha") << QSize(300, 500) << QSize(400, 500);
        QTest::newRow("baja") << QSize(700, 300) << QSize(700, 333);
        QTest::newRow("en el límite") << QSize(334, 334) << QSize(334, 334);
        QTest::newRow("grande") << QSize(900, 650) << QSize(900, 650);
    }
    void tamanoMinimo() {
        QFETCH(QSize, pedido);
        QFETCH(QSize, resultado);
        VentanaDePrueba v;
        v.ventana->resize(pedido);
        QCoreApplication::processEvents();
        QTRY_COMPARE(v.ventana->size(), resultado);
    }

    void vistaYBarras() {
        VentanaDePrueba v;
        for (QSize s : {QSize(1000, 700), QSize(640, 480), QSize(1200, 900)}) {
            v.ventana->resize(s);
            QCoreApplication::processEvents();
            const QRect caja = v.ventana->caja()->geometry();
            const QRect vb = v.ventana->vBarra()->geometry();
            const QRect hb = v.ventana->hBarra()->geometry();
            QVERIFY(caja.width() > 0 && caja.height() > 0);
            QCOMPARE(vb.left(), caja.left() + caja.width());
            QCOMPARE(vb.top(), caja.top());
            QCOMPARE(vb.height(), caja.height());
            QCOMPARE(hb.left(), caja.left());
            QCOMPARE(hb.top(), caja.top() + caja.height());
            QCOMPARE(hb.width(), caja.width());
            QCOMPARE(v.ventana->hBarra()->maximum(), 32000 - caja.width() * 15);
            QCOMPARE(v.ventana->vBarra()->maximum(), 32000 - caja.height() * 15);
            QCOMPARE(v.ventana->hBarra()->singleStep(), 100);
            // A page is what the viewport shows.
            QCOMPARE(v.ventana->hBarra()->pageStep(), caja.width() * 15);
            QCOMPARE(v.ventana->vBarra()->singleStep(), 100);
            QCOMPARE(v.ventana->vBarra()->pageStep(), caja.height() * 15);
            // The viewport sits right of the tools.
            QVERIFY(caja.left() >= v.ventana->herramientas()->geometry().right());
        }
    }

    // A click in the viewport lands at pixel x 15 plus the scroll offset.
    void desplazamiento() {
        VentanaDePrueba v;
        v.ventana->hBarra()->setValue(1500);
        v.ventana->vBarra()->setValue(3000);
        QCOMPARE(v.fondo()->pos(), QPoint(-100, -200));
        v.Herramienta(1);
        const QPoint enVista(200, 150);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier,
                          v.fondo()->mapFrom(v.ventana->caja(), enVista));
        QCOMPARE(v.red.Centros.Count(), 4);
        QCOMPARE(v.red.Centros(4).x1, (200.f + 100.f) * 15.f);
        QCOMPARE(v.red.Centros(4).y1, (150.f + 200.f) * 15.f);
        // Scrolling back shows the same image: nothing was redrawn for it.
        const QImage antes = v.fondo()->Imagen();
        v.ventana->hBarra()->setValue(0);
        v.ventana->vBarra()->setValue(0);
        QCOMPARE(v.fondo()->pos(), QPoint(0, 0));
        QCOMPARE(v.fondo()->Imagen(), antes);
    }
};

QTEST_MAIN(VentanaArranque)
#include "VentanaArranque.moc"
