// What leaves the main window and how it is looked at: "Exportar gráfico"
// and "Exportar CSV…" (the extension before the overwrite question, full
// precision in the file), "Copiar gráfico" cropped as the export, the
// results panel's totals, and the zoom commands and the remembered window.

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "VentanaDePrueba.h"
#include "editor/gui/ExportarDiagrama.h"
#include "editor/gui/PanelResultados.h"
#include "files/NombreExportar.h"
#include "files/TablaResultados.h"

using vortena::Respuesta;
using vortena::prueba::VentanaDePrueba;

namespace {

QString Archivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// The new line, computed with a utilisation of 1/3.
void LineaCalculada(VentanaDePrueba& v) {
    vortena::CentroProductivo& c = v.red.Centros(2);
    c.Nombre = "Prensa";
    c.Lamda = 1;
    c.Mu = 3;
    c.CostoEspera = 1.0 / 3;
    c.CostoCentro = 2.5;
    v.ventana->ACTBarraEstado(false);
    v.Menu("mnPert");
}

}  // namespace

class VentanaSalidas : public QObject {
    Q_OBJECT
    QTemporaryDir casa_;

private slots:
    // The settings of this run (window size, panel place) stay in a folder
    // of its own: other test programs run beside it.
    void initTestCase() { qputenv("HOME", casa_.path().toUtf8()); }
    void init() { QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear(); }

    void exportarPreguntaPorElArchivoQueEscribe() {
        VentanaDePrueba v;
        const QString png = v.carpeta.filePath("diagrama.png");
        Escribir(png, "viejo");
        // "diagrama" is written as diagrama.png: the question is asked, and
        // a No keeps the old file.
        v.dialogos.nombresGuardar.push_back(v.carpeta.filePath("diagrama").toStdString());
        v.dialogos.respuestas().push_back(Respuesta::No);
        v.Menu("mnExportarGrafico");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        QCOMPARE(v.Ultimo(), vortena::TextoReemplazar(png.toStdString()));
        QCOMPARE(Archivo(png), QStringLiteral("viejo"));
        QVERIFY(!QFile::exists(v.carpeta.filePath("diagrama")));
        // A Yes replaces it with the picture.
        v.dialogos.nombresGuardar.push_back(v.carpeta.filePath("diagrama").toStdString());
        v.dialogos.respuestas().push_back(Respuesta::Si);
        v.Menu("mnExportarGrafico");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{2});
        QVERIFY(!QImage(png).isNull());
        // A name with an ending of its own keeps it; a new file asks nothing.
        v.dialogos.nombresGuardar.push_back(v.carpeta.filePath("linea.SVG").toStdString());
        v.Menu("mnExportarGrafico");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{2});
        QVERIFY(Archivo(v.carpeta.filePath("linea.SVG")).startsWith("<?xml"));
    }

    void csvConTodaLaPrecision() {
        VentanaDePrueba v;
        LineaCalculada(v);
        const QString csv = v.carpeta.filePath("r.csv");
        Escribir(csv, "viejo");
        v.dialogos.nombresGuardar.push_back(v.carpeta.filePath("r").toStdString());
        v.dialogos.respuestas().push_back(Respuesta::No);
        v.Menu("mnExportarCsv");
        QCOMPARE(v.Ultimo(), vortena::TextoReemplazar(csv.toStdString()));
        QCOMPARE(Archivo(csv), QStringLiteral("viejo"));
        v.dialogos.nombresGuardar.push_back(v.carpeta.filePath("r").toStdString());
        v.dialogos.respuestas().push_back(Respuesta::Si);
        v.Menu("mnExportarCsv");
        const QString texto = Archivo(csv);
        // Utilisation 1/3: the panel shows 0,3333, the file every digit.
        const vortena::Regional reg = v.ventana->regional();
        const QString tercio = QString::fromStdString(vortena::TextoGeneral(1.0 / 3, reg));
        QVERIFY(tercio.size() > 12);
        QVERIFY2(texto.contains(QString(QChar(vortena::SeparadorCsv(reg))) + tercio),
                 qPrintable(texto));
    }

    void copiarGraficoRecortado() {
        VentanaDePrueba v;
        LineaCalculada(v);
        v.Menu("mnGrafico");
        const QImage copiada = QGuiApplication::clipboard()->image();
        // The drawn line only, as "Exportar gráfico" crops it (at the
        // canvas's resolution), not the 32000-twip sheet.
        const QRectF t = vortena::LimitesDiagrama(v.red);
        QCOMPARE(copiada.width(), qRound(t.width() / 15));
        QCOMPARE(copiada.height(), qRound(t.height() / 15));
        QCOMPARE(copiada, vortena::ImagenDiagrama(v.red, v.ventana->regional(),
                                                  v.ventana->editor().capas(), 1.0)
                              .convertToFormat(copiada.format()));
        // The selection is a state of the window, not part of the picture.
        v.Clic(4500, 1500);
        QVERIFY(v.red.HaySeleccion);
        v.Menu("mnGrafico");
        QCOMPARE(QGuiApplication::clipboard()->image(), copiada);
    }

    void filaDeTotales() {
        VentanaDePrueba v;
        LineaCalculada(v);
        v.Menu("mnResultados");
        QCoreApplication::processEvents();
        vortena::PanelResultados* p = v.ventana->resultados();
        QTableView* pie = p->totales();
        QCOMPARE(pie->model()->rowCount(), 1);
        auto celda = [&](const char* titulo) {
            for (int c = 0; c < vortena::ColumnasResultados(); ++c)
                if (vortena::TituloColumnaResultados(c) == titulo)
                    return pie->model()->index(0, c).data().toString();
            return QStringLiteral("sin columna");
        };
        double servidores = 0, sistema = 0;
        for (const vortena::CentroProductivo& c : v.red.Centros)
            if (c.EsCentro()) {
                servidores += c.CtoTotalServidores;
                sistema += c.CtoEsperaCentro;
            }
        const vortena::Regional reg = v.ventana->regional();
        QCOMPARE(celda("Costo Total de Servidores"),
                 QString::fromStdString(vortena::Formato(servidores, "#0.00", reg)));
        QCOMPARE(celda("Centro"), QString::fromUtf8("Total de la línea"));
        const vortena::CentroProductivo& fin = v.red.Centros(v.red.NodoFin);
        QCOMPARE(celda("Tiempo Temprano"),
                 QString::fromStdString(vortena::Formato(fin.tmpoTemprano, "#0.0000", reg)));
        QCOMPARE(celda("λ"), QString::fromStdString(vortena::Formato(fin.Salida, "#0.####", reg)));
        QVERIFY(p->resumenLinea()->text().contains(
            QString::fromStdString(vortena::Formato(servidores + sistema, "$ #0.00", reg))));
        // Sorting moves the centres, not the totals, which keep the columns'
        // widths; every cell fits its column.
        QTableView* t = p->tabla();
        t->sortByColumn(0, Qt::DescendingOrder);
        QCOMPARE(pie->model()->index(0, 0).data().toString(),
                 QString::fromUtf8("Total de la línea"));
        for (int c = 0; c < vortena::ColumnasResultados(); ++c) {
            QCOMPARE(pie->columnWidth(c), t->columnWidth(c));
            QVERIFY(t->columnWidth(c) >= static_cast<QAbstractItemView*>(t)->sizeHintForColumn(c));
        }
        // Units where the column has one.
        QCOMPARE(t->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("W (t)"));
        QCOMPARE(t->model()->headerData(1, Qt::Horizontal).toString(),
                 QString::fromUtf8("λ (1/t)"));
        QCOMPARE(t->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("S"));
        // A change of the line reaches the totals.
        v.red.Centros(2).Servidores = 3;
        v.Menu("mnPert");
        double nuevo = 0;
        for (const vortena::CentroProductivo& c : v.red.Centros)
            if (c.EsCentro()) nuevo += c.CtoTotalServidores;
        QVERIFY(nuevo != servidores);
        QCOMPARE(celda("Costo Total de Servidores"),
                 QString::fromStdString(vortena::Formato(nuevo, "#0.00", reg)));
    }

    void ordenesDeZoom() {
        VentanaDePrueba v;
        QAction* real = v.Accion("mnTamanoReal");
        QVERIFY(real != nullptr);
        QCOMPARE(real->text(), QString::fromUtf8("Tamaño real (100 %)"));
        QCOMPARE(real->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
        v.ventana->PonerZoom(1.5);
        QTest::keyClick(v.ventana.get(), Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 1.0);

        // Ctrl+0: the line in the middle of the viewport, even when it lies
        // near the canvas's corner.
        QTest::keyClick(v.ventana.get(), Qt::Key_0, Qt::ControlModifier);
        const QRectF t = vortena::LimitesDiagrama(v.red);
        QWidget* caja = v.ventana->caja();
        const QPointF izq = v.fondo()->mapTo(caja, v.fondo()->APixel(t.topLeft()).toPoint());
        const QPointF der = v.fondo()->mapTo(caja, v.fondo()->APixel(t.bottomRight()).toPoint());
        const QPointF medio = (izq + der) / 2;
        QVERIFY2(std::abs(medio.x() - caja->width() / 2.0) < 3,
                 qPrintable(QString::number(medio.x())));
        QVERIFY2(std::abs(medio.y() - caja->height() / 2.0) < 3,
                 qPrintable(QString::number(medio.y())));

        // Ctrl+N: a new line at 100 %, from the corner.
        v.ventana->Modificado = false;
        QTest::keyClick(v.ventana.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(v.ventana->Zoom(), 1.0);
        QCOMPARE(v.ventana->hBarra()->value(), 0);
        QCOMPARE(v.ventana->vBarra()->value(), 0);
        QCOMPARE(v.fondo()->pos(), QPoint(0, 0));
    }

    void ventanaRecordada() {
        {
            VentanaDePrueba v;
            v.ventana->resize(900, 640);
            v.ventana->addDockWidget(Qt::RightDockWidgetArea, v.ventana->resultados());
            v.ventana->ACTBarraEstado(false);
            v.ventana->close();
            QVERIFY(v.ventana->Terminado());
        }
        VentanaDePrueba otra;
        QCOMPARE(otra.ventana->dockWidgetArea(otra.ventana->resultados()), Qt::RightDockWidgetArea);
        // The panel's visibility stays the user's to choose.
        QVERIFY(!otra.ventana->resultados()->isVisible());
        QSettings s(QStringLiteral("Vortena"), QStringLiteral("Vortena"));
        QCOMPARE(s.value(QStringLiteral("ventana/tamano")).toSize(), QSize(900, 640));
    }
};

QTEST_MAIN(VentanaSalidas)
#include "VentanaSalidas.moc"
