// The view of the main window: zoom with keys and the wheel, scrolling,
// picking at every zoom, the connection guide, the "Resultados" panel and
// the utilisation colouring.
//
// The new network: INICIO (1) box 500..1500 x 1150..1850, a centre (2) box
// 4000..5000 x 1000..2000, FIN (3) box 8500..9500 x 1150..1850; connection 1
// INICIO -> centre, 2 centre -> FIN, both at y 1500.

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <fstream>

#include "VentanaDePrueba.h"
#include "editor/Utilizacion.h"
#include "editor/gui/Leyendas.h"
#include "editor/gui/PanelResultados.h"
#include "files/PruebaArchivos.h"
#include "files/TablaResultados.h"

using vortena::prueba::VentanaDePrueba;

namespace {

// A canvas point in twips as a pixel of the canvas widget at the zoom.
QPoint PixelZ(VentanaDePrueba& v, float x, float y) {
    return v.fondo()->APixel(QPointF(x, y)).toPoint();
}

void Rueda(QWidget* w, QPoint donde, QPoint delta, Qt::KeyboardModifiers mods) {
    QWheelEvent e(donde, w->mapToGlobal(donde), QPoint(), delta, Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void Mover(QWidget* w, QPoint donde, Qt::MouseButtons botones) {
    QMouseEvent e(QEvent::MouseMove, donde, w->mapToGlobal(donde), Qt::NoButton, botones,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The canvas rectangle of a centre as seen in the viewport.
QRect EnVista(VentanaDePrueba& v, const vortena::CentroProductivo& c) {
    const QPoint a = v.fondo()->mapTo(v.ventana->caja(), PixelZ(v, c.x1, c.y1));
    const QPoint b = v.fondo()->mapTo(v.ventana->caja(), PixelZ(v, c.x2, c.y2));
    return QRect(a, b);
}

vortena::PanelResultados* Panel(VentanaDePrueba& v) {
    v.Menu("mnResultados");
    QCoreApplication::processEvents();
    return v.ventana->resultados();
}

// Clicks the row of the table showing the centre named `nombre`.
void ClicFila(QTableView* t, const QString& nombre, Qt::KeyboardModifiers mods = {}) {
    for (int r = 0; r < t->model()->rowCount(); ++r) {
        const QModelIndex i = t->model()->index(r, 0);
        if (i.data().toString() != nombre) continue;
        t->scrollTo(i);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, mods, t->visualRect(i).center());
        return;
    }
    QFAIL(qPrintable(QStringLiteral("sin fila ") + nombre));
}

QStringList Lineas(const QString& texto) {
    QStringList l = texto.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
    return l;
}

}  // namespace

class VentanaVista : public QObject {
    Q_OBJECT

private slots:
    void clicYArrastreConZoom_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("50 %") << 0.5;
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void clicYArrastreConZoom() {
        QFETCH(double, zoom);
        VentanaDePrueba v;
        v.ventana->PonerZoom(zoom, QPointF(0, 0));
        QCOMPARE(v.ventana->Zoom(), zoom);
        QCOMPARE(v.ventana->barraDeEstado()->Zoom(),
                 QStringLiteral("Zoom: %1 %").arg(qRound(zoom * 100)));
        // Just inside the centre's box, near its corner: 3 screen pixels in.
        const QPoint dentro = PixelZ(v, 4000, 1000) + QPoint(3, 3);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, dentro);
        QVERIFY(v.red.HaySeleccion);
        QCOMPARE(int{v.red.CentroActual}, 2);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, dentro - QPoint(6, 6));
        QVERIFY(!v.red.HaySeleccion);
        // The selection is drawn at the zoom: blue on the box's left edge.
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, dentro);
        QCOMPARE(v.fondo()->Imagen().pixelColor(PixelZ(v, 4000, 1500)), QColor(0, 0, 255));

        // A drag puts the top-left corner where the pointer is let go.
        const QPoint destino = PixelZ(v, 3000, 4500);
        QTest::mousePress(v.fondo(), Qt::LeftButton, Qt::NoModifier, dentro);
        QTest::mouseRelease(v.fondo(), Qt::LeftButton, Qt::NoModifier, destino);
        const auto& c = v.red.Centros(2);
        QCOMPARE(c.x1, static_cast<float>(destino.x() * 15 / zoom));
        QCOMPARE(c.y1, static_cast<float>(destino.y() * 15 / zoom));
    }

    void clicConZoomYDesplazamiento() {
        VentanaDePrueba v;
        v.ventana->PonerZoom(2.0, QPointF(0, 0));
        v.ventana->hBarra()->setValue(3000);
        v.ventana->vBarra()->setValue(600);
        // Scrolled 3000 twips (400 pixels at 200 %) right and 600 down.
        QCOMPARE(v.fondo()->pos(), QPoint(-400, -80));
        v.Herramienta(1);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier,
                          v.fondo()->mapFrom(v.ventana->caja(), QPoint(100, 50)));
        QCOMPARE(v.red.Centros.Count(), 4);
        QCOMPARE(v.red.Centros(4).x1, 3000.f + 100 * 7.5f);
        QCOMPARE(v.red.Centros(4).y1, 600.f + 50 * 7.5f);
    }

    void teclasDeZoom() {
        VentanaDePrueba v;
        QWidget* w = v.ventana.get();
        QTest::keyClick(w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 1.1);
        QTest::keyClick(w, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 1.25);
        QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 0.9);
        QCOMPARE(v.ventana->barraDeEstado()->Zoom(), QStringLiteral("Zoom: 90 %"));
        // Never past the ends.
        for (int i = 0; i < 20; ++i) QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 0.1);
        for (int i = 0; i < 20; ++i) QTest::keyClick(w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 2.0);
    }

    void ajustarMuestraTodaLaLinea() {
        VentanaDePrueba v;
        // A centre far right and down, then the whole line fitted.
        v.Herramienta(1);
        v.Clic(600, 600);
        v.red.Centros(4).x1 = 20000;
        v.red.Centros(4).x2 = 21000;
        v.red.Centros(4).y1 = 12000;
        v.red.Centros(4).y2 = 13000;
        const QRect vista = v.ventana->caja()->rect();
        QVERIFY(!vista.contains(EnVista(v, v.red.Centros(4))));
        QTest::keyClick(v.ventana.get(), Qt::Key_0, Qt::ControlModifier);
        QVERIFY(v.ventana->Zoom() < 1.0);
        for (const auto& c : v.red.Centros)
            QVERIFY2(vista.contains(EnVista(v, c)), c.Nombre.c_str());
        // The far centre nearly reaches an edge: the zoom is not smaller than
        // it must be.
        const QRect lejos = EnVista(v, v.red.Centros(4));
        QVERIFY(vista.right() - lejos.right() < 40 || vista.bottom() - lejos.bottom() < 40);
    }

    void ruedaDesplazaYAcerca() {
        VentanaDePrueba v;
        QScrollBar* h = v.ventana->hBarra();
        QScrollBar* b = v.ventana->vBarra();
        // One notch: 60 screen pixels, 900 twips at 100 %.
        Rueda(v.fondo(), QPoint(50, 50), QPoint(0, -120), Qt::NoModifier);
        QCOMPARE(b->value(), 900);
        QCOMPARE(h->value(), 0);
        Rueda(v.fondo(), QPoint(50, 50), QPoint(0, -120), Qt::ShiftModifier);
        QCOMPARE(h->value(), 900);
        Rueda(v.fondo(), QPoint(50, 50), QPoint(0, 120), Qt::NoModifier);
        QCOMPARE(b->value(), 0);
        // Ctrl zooms in on the pointer: the canvas point under it stays.
        const QPoint enVista(200, 120);
        const QPointF antes = v.fondo()->ATwips(v.fondo()->mapFrom(v.ventana->caja(), enVista));
        Rueda(v.fondo(), v.fondo()->mapFrom(v.ventana->caja(), enVista), QPoint(0, 120),
              Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 1.1);
        const QPointF despues = v.fondo()->ATwips(v.fondo()->mapFrom(v.ventana->caja(), enVista));
        QVERIFY(std::abs(despues.x() - antes.x()) < 15);
        QVERIFY(std::abs(despues.y() - antes.y()) < 15);
        // At 200 % a notch is still 60 screen pixels: 450 twips.
        v.ventana->PonerZoom(2.0, QPointF(0, 0));
        const int antesV = b->value();
        Rueda(v.fondo(), QPoint(50, 50), QPoint(0, -120), Qt::NoModifier);
        QCOMPARE(b->value() - antesV, 450);
    }

    void clicEnElCanalAvanzaUnaPagina() {
        VentanaDePrueba v;
        QScrollBar* b = v.ventana->vBarra();
        QCOMPARE(b->pageStep(), v.ventana->caja()->height() * 15);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier,
                          QPoint(b->width() / 2, b->height() - 30));
        QTRY_COMPARE(b->value(), b->pageStep());
        // At 200 % a page is half as many twips.
        v.ventana->PonerZoom(2.0, QPointF(0, 0));
        QCOMPARE(b->pageStep(), static_cast<int>(std::lround(v.ventana->caja()->height() * 7.5)));
    }

    void conexionACuatroPixeles_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("50 %") << 0.5;
        QTest::newRow("200 %") << 2.0;
    }
    void conexionACuatroPixeles() {
        QFETCH(double, zoom);
        VentanaDePrueba v;
        v.ventana->PonerZoom(zoom, QPointF(0, 0));
        // Connection 2 runs level at y 1500; 4 screen pixels below picks it,
        // 10 do not.
        const QPoint sobre = PixelZ(v, 6600, 1500);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, sobre + QPoint(0, 4));
        QVERIFY(v.red.HaySeleccion);
        QCOMPARE(int{v.red.ConexionActual}, 2);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, sobre + QPoint(0, 10));
        QVERIFY(!v.red.HaySeleccion);
        QTest::mouseClick(v.fondo(), Qt::LeftButton, Qt::NoModifier, sobre - QPoint(0, 4));
        QCOMPARE(int{v.red.ConexionActual}, 2);
    }

    void guiaAlArrastrarUnaConexion() {
        VentanaDePrueba v;
        v.ventana->PonerZoom(0.5, QPointF(0, 0));
        v.Herramienta(2);
        const QPoint desde = PixelZ(v, 4500, 1500);
        QTest::mousePress(v.fondo(), Qt::LeftButton, Qt::NoModifier, desde);
        QVERIFY(!v.fondo()->guia());
        Mover(v.fondo(), PixelZ(v, 6000, 3000), Qt::LeftButton);
        QVERIFY(v.fondo()->guia().has_value());
        QCOMPARE(v.fondo()->guia()->p1(), QPointF(4500, 1500));
        QCOMPARE(v.fondo()->guia()->p2(), QPointF(6000, 3000));
        // Drawn over the canvas, not into it.
        const QImage dibujo = v.fondo()->Imagen();
        const QImage pantalla = v.fondo()->grab().toImage();
        int marcados = 0;
        for (int i = 1; i < 20; ++i) {
            const QPoint p = PixelZ(v, 5100 + 45 * i, 2100 + 45 * i);
            QCOMPARE(dibujo.pixelColor(p), QColor(Qt::white));
            if (pantalla.pixelColor(p) != QColor(Qt::white)) ++marcados;
        }
        QVERIFY(marcados >= 5);
        QTest::mouseRelease(v.fondo(), Qt::LeftButton, Qt::NoModifier, PixelZ(v, 6000, 3000));
        QVERIFY(!v.fondo()->guia());
        // The select tool shows no guide.
        v.Herramienta(0);
        QTest::mousePress(v.fondo(), Qt::LeftButton, Qt::NoModifier, desde);
        Mover(v.fondo(), PixelZ(v, 6000, 3000), Qt::LeftButton);
        QVERIFY(!v.fondo()->guia());
        QTest::mouseRelease(v.fondo(), Qt::LeftButton, Qt::NoModifier, desde);
    }

    void panelSigueLaSeleccion() {
        VentanaDePrueba v;
        v.Herramienta(1);
        v.Clic(4500, 4500);  // centre 4
        v.red.Centros(2).Nombre = "Prensa";
        v.red.Centros(4).Nombre = "Torno";
        v.Herramienta(0);
        vortena::PanelResultados* p = Panel(v);
        QVERIFY(p->isVisible());
        QCOMPARE(p->objectName(), QStringLiteral("dockResultados"));
        v.ventana->RedibujarTodo();
        QTableView* t = p->tabla();
        QCOMPARE(t->model()->rowCount(), 2);

        // Row to canvas: the centre is selected and drawn so.
        ClicFila(t, QStringLiteral("Torno"));
        QVERIFY(v.red.HaySeleccion);
        QCOMPARE(int{v.red.CentroActual}, 4);
        QCOMPARE(v.Color(4500, 4500 + 495), QColor(0, 0, 255));
        ClicFila(t, QStringLiteral("Prensa"));
        QCOMPARE(int{v.red.CentroActual}, 2);
        QCOMPARE(v.Color(4500, 4500 + 495), QColor(0, 0, 0));

        // Canvas to row (the panel takes room: the centre is brought into view
        // so the click lands on the canvas).
        v.ventana->MostrarCentro(4);
        v.Clic(4800, 4800);
        QCOMPARE(int{v.red.CentroActual}, 4);
        auto elegidas = t->selectionModel()->selectedRows();
        QCOMPARE(elegidas.size(), 1);
        QCOMPARE(elegidas.front().data().toString(), QStringLiteral("Torno"));
        v.Clic(4500, 4400);  // nothing there
        QVERIFY(t->selectionModel()->selectedRows().isEmpty());

        // Sorting by name puts Prensa first; the selection still follows.
        t->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(t->model()->index(0, 0).data().toString(), QStringLiteral("Prensa"));
        t->sortByColumn(0, Qt::DescendingOrder);
        QCOMPARE(t->model()->index(0, 0).data().toString(), QStringLiteral("Torno"));
        ClicFila(t, QStringLiteral("Prensa"));
        QCOMPARE(int{v.red.CentroActual}, 2);
    }

    void filaLejanaSeVuelveVisible() {
        VentanaDePrueba v;
        v.Herramienta(1);
        v.Clic(600, 600);
        v.red.Centros(4).Nombre = "Lejos";
        v.red.Centros(4).x1 = 24000;
        v.red.Centros(4).x2 = 25000;
        v.red.Centros(4).y1 = 20000;
        v.red.Centros(4).y2 = 21000;
        v.ventana->RedibujarTodo();
        vortena::PanelResultados* p = Panel(v);
        QVERIFY(!v.ventana->caja()->rect().contains(EnVista(v, v.red.Centros(4))));
        ClicFila(p->tabla(), QStringLiteral("Lejos"));
        QCOMPARE(int{v.red.CentroActual}, 4);
        QVERIFY(v.ventana->caja()->rect().contains(EnVista(v, v.red.Centros(4))));
    }

    void copiarFilas() {
        VentanaDePrueba v;
        v.Herramienta(1);
        v.Clic(4500, 4500);
        v.Clic(7500, 4500);
        v.red.Centros(2).Nombre = "A";
        v.red.Centros(4).Nombre = "B";
        v.red.Centros(5).Nombre = "C";
        vortena::PanelResultados* p = Panel(v);
        v.ventana->RedibujarTodo();
        QTableView* t = p->tabla();
        ClicFila(t, QStringLiteral("A"));
        ClicFila(t, QStringLiteral("C"), Qt::ControlModifier);
        t->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
        QStringList l = Lineas(QGuiApplication::clipboard()->text());
        QCOMPARE(l.size(), 3);
        QVERIFY(l[0].startsWith(
            QStringLiteral("Centro\tλ\tμ\tS\tUtilización\tP0\tPn\tLq\tL\tWq\tW\t")));
        QCOMPARE(l[0].count(QLatin1Char('\t')), vortena::ColumnasResultados() - 1);
        QVERIFY(l[1].startsWith(QStringLiteral("A\t")));
        QVERIFY(l[2].startsWith(QStringLiteral("C\t")));
        // The cells are the table's texts.
        QCOMPARE(l[1].split(QLatin1Char('\t')).at(3), t->model()->index(0, 3).data().toString());
        // Nothing selected: every row.
        t->clearSelection();
        QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
        l = Lineas(QGuiApplication::clipboard()->text());
        QCOMPARE(l.size(), 4);
    }

    void buscarPorNombre() {
        VentanaDePrueba v;
        v.Herramienta(1);
        v.Clic(4500, 4500);
        v.red.Centros(2).Nombre = "Prensa 1";
        v.red.Centros(4).Nombre = "Torno";
        v.ventana->RedibujarTodo();
        QTest::keyClick(v.ventana.get(), Qt::Key_F, Qt::ControlModifier);
        vortena::PanelResultados* p = v.ventana->resultados();
        QVERIFY(p->isVisible());
        QTRY_VERIFY(p->busqueda()->hasFocus());
        QTest::keyClicks(p->busqueda(), QStringLiteral("tor"));
        QCOMPARE(int{v.red.CentroActual}, 4);
        QVERIFY(v.red.HaySeleccion);
        QTest::keyClicks(p->busqueda(), QStringLiteral("x"));
        QCOMPARE(int{v.red.CentroActual}, 4);  // no match keeps the selection
        p->busqueda()->clear();
        QTest::keyClicks(p->busqueda(), QStringLiteral("PRENSA"));
        QCOMPARE(int{v.red.CentroActual}, 2);
    }

    void refrescoTrasCalcular() {
        VentanaDePrueba v;
        vortena::PanelResultados* p = Panel(v);
        QTableView* t = p->tabla();
        const int colS = 3;
        QCOMPARE(t->model()->index(0, colS).data().toString(),
                 QString::number(v.red.Centros(2).Servidores));
        // More arrivals than one server can take: the minimum count rises.
        v.red.Centros(2).Lamda = 5;
        v.red.Centros(2).Mu = 2;
        v.Menu("mnSM");
        QCOMPARE(t->model()->index(0, colS).data().toString(), QStringLiteral("3"));
        // A new centre gets its row at once.
        v.Herramienta(1);
        v.Clic(4500, 4500);
        QCOMPARE(t->model()->rowCount(), 2);
    }

    void exportarCsv() {
        VentanaDePrueba v;
        const std::string ruta = v.carpeta.filePath(QStringLiteral("r.csv")).toStdString();
        v.dialogos.nombresGuardar.push_back(ruta);
        v.Menu("mnExportarCsv");
        std::ifstream f(ruta, std::ios::binary);
        QVERIFY(f.good());
        std::string primera;
        std::getline(f, primera);
        const char sep = vortena::SeparadorCsv(v.ventana->regional());
        QVERIFY(primera.substr(0, 12) == std::string("\xEF\xBB\xBF"
                                                     "Centro") +
                                             sep + "λ");
        // A cancelled dialog writes nothing and says nothing.
        v.Menu("mnExportarCsv");
        QVERIFY(v.dialogos.vistos().empty());

        // The table never replaces the network's own file.
        const std::string red = v.carpeta.filePath(QStringLiteral("red.vtq")).toStdString();
        v.dialogos.nombresGuardar.push_back(red);
        v.Menu("mnGuardar");
        const std::string guardada = vortena::prueba::LeerArchivo(red);
        const QString enlace = v.carpeta.filePath(QStringLiteral("tabla.csv"));
        QVERIFY(QFile::link(QString::fromStdString(red), enlace));
        v.dialogos.nombresGuardar.push_back(enlace.toStdString());
        v.dialogos.respuestas().push_back(vortena::Respuesta::Si);  // replace it
        v.Menu("mnExportarCsv");
        QCOMPARE(v.Ultimo(), enlace.toStdString() + " es el archivo de la red abierta; elija otro nombre");
        QCOMPARE(vortena::prueba::LeerArchivo(red), guardada);
    }

    void colorearPorUtilizacion() {
        VentanaDePrueba v;
        v.red.Centros(2).Trafico = 0.9;
        v.red.ResultadosAlDia = true;  // as if just computed
        vortena::Leyendas* leyendas = v.ventana->leyendas();
        QVERIFY(!leyendas->isVisible());
        QAction* a = v.Accion("mnColorear");
        QVERIFY(a->isCheckable());
        a->trigger();
        const vortena::Color esperado = vortena::ColorUtilizacion(0.9);
        QCOMPARE(v.Color(4100, 1320), QColor(esperado.r, esperado.g, esperado.b));
        QCOMPARE(v.Color(1300, 1700), QColor(Qt::white));  // INICIO keeps its white
        QVERIFY(leyendas->isVisible());
        // The legend stays in the viewport's corner while the canvas scrolls.
        const QPoint esquina = leyendas->pos();
        v.ventana->vBarra()->setValue(3000);
        QCOMPARE(leyendas->pos(), esquina);
        QCOMPARE(leyendas->parentWidget(), v.ventana->caja());
        const QImage img = leyendas->grab().toImage();
        bool hayMuestra = false;
        for (int y = 0; y < img.height() && !hayMuestra; ++y)
            for (int x = 0; x < img.width() && !hayMuestra; ++x)
                hayMuestra = img.pixelColor(x, y) == QColor(vortena::ColorUtilizacion(1.0).r,
                                                            vortena::ColorUtilizacion(1.0).g,
                                                            vortena::ColorUtilizacion(1.0).b);
        QVERIFY(hayMuestra);
        // After a computation the fill follows the new utilisation.
        v.red.Centros(2).Lamda = 0.2;
        v.Menu("mnPert");
        const double u = v.red.Centros(2).Trafico;
        QVERIFY(u != 0.9);
        const vortena::Color nuevo = vortena::ColorUtilizacion(u);
        v.ventana->vBarra()->setValue(0);
        QCOMPARE(v.Color(4100, 1320), QColor(nuevo.r, nuevo.g, nuevo.b));
        a->trigger();
        QCOMPARE(v.Color(4100, 1320), QColor(Qt::white));
        QVERIFY(!leyendas->isVisible());
    }
};

QTEST_MAIN(VentanaVista)
#include "VentanaVista.moc"
