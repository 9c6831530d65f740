// The main window on the desktop: a file named on the command line, the
// recent files and the examples of "&Archivo", the diagram exported as a
// picture, Qt's own dialogs in Spanish.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "VentanaDePrueba.h"
#include "editor/gui/ArchivosRecientes.h"
#include "editor/gui/Escritorio.h"
#include "editor/gui/ExportarDiagrama.h"

using vortena::prueba::VentanaDePrueba;

namespace {

const QString kEjemplos = QStringLiteral(VORTENA_SOURCE_DIR "/examples/");

// A copy of an example under a new name in `carpeta`.
QString Copia(const QTemporaryDir& carpeta, const QString& ejemplo, const QString& nombre) {
    const QString ruta = carpeta.filePath(nombre);
    QFile::remove(ruta);
    if (!QFile::copy(kEjemplos + ejemplo, ruta))
        qWarning("no se pudo copiar %s", qPrintable(ejemplo));
    return ruta;
}

QMenu* MenuArchivo(VentanaDePrueba& v) {
    return v.ventana->menuBar()->findChild<QMenu*>(QStringLiteral("mnArchivo"));
}

// The recent-file entries of "&Archivo" as the user sees them, in order.
QStringList EntradasRecientes(VentanaDePrueba& v) {
    QStringList textos;
    for (QAction* a : MenuArchivo(v)->actions())
        if (a->objectName().startsWith(QStringLiteral("mnReciente"))) textos << a->text();
    return textos;
}

bool TodoBlanco(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

}  // namespace

class VentanaEscritorio : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The recent files go to a settings file of the test's own.
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear(); }

    void archivoDeArgumentos() {
        using vortena::ArchivoDeArgumentos;
        QCOMPARE(ArchivoDeArgumentos({"vortena"}), QString());
        QCOMPARE(ArchivoDeArgumentos({"vortena", "/a/b.vtq"}), QStringLiteral("/a/b.vtq"));
        // Relative to the folder the program was started in.
        QCOMPARE(ArchivoDeArgumentos({"vortena", "b.vtq"}), QDir::current().filePath("b.vtq"));
        // The picture options and their values are not files to open.
        QCOMPARE(ArchivoDeArgumentos({"vortena", "--tamano", "800x600", "--pert", "/x.vtq"}),
                 QStringLiteral("/x.vtq"));
        QCOMPARE(ArchivoDeArgumentos({"vortena", "--captura", "a.png", "--abrir", "r.vtq"}),
                 QString());
    }

    void abreElArchivoDeLaLineaDeOrdenes() {
        VentanaDePrueba v;
        const QString ruta = Copia(v.carpeta, "planta-20-centros.vtq", "planta.vtq");
        QVERIFY(v.ventana->AbrirAlArrancar(ruta));
        QVERIFY(v.dialogos.vistos().empty());  // no question about saving the new network
        QCOMPARE(v.red.Centros.Count(), 22);
        QCOMPARE(v.ventana->windowTitle(), ruta + " - Vortena de Líneas de Producción");
        QCOMPARE(QString::fromStdString(v.ventana->NombreArchivo), ruta);
        QVERIFY(v.ventana->Guardado);
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(vortena::ArchivosRecientes().Lista(), QStringList{ruta});
    }

    void archivoIlegibleDejaUnaRedNueva() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("roto.vtq");
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("@\n1\n500\nno es un numero\n");
        }
        QVERIFY(!v.ventana->AbrirAlArrancar(ruta));
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        const QString texto = QString::fromStdString(v.Ultimo());
        // The reader says what is wrong and where.
        QVERIFY2(
            texto.contains(ruta) && texto.contains("línea 4") && texto.contains("no es un numero"),
            qPrintable(texto));
        // The new line of every start: INICIO, one centre, FIN.
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        QCOMPARE(v.ventana->windowTitle(),
                 QStringLiteral("Anónimo.vtq - Vortena de Líneas de Producción"));
        QVERIFY(!v.ventana->Guardado);
        // A new network counts as changed, as it does at every start.
        QVERIFY(v.ventana->Modificado);
        QVERIFY(vortena::ArchivosRecientes().Lista().isEmpty());
    }

    void ochoArchivosRecientes() {
        VentanaDePrueba v;
        QStringList rutas;
        for (int i = 0; i < 10; ++i)
            rutas << Copia(v.carpeta, "cadena.vtq", QStringLiteral("red%1.vtq").arg(i));
        for (const QString& r : rutas) {
            v.ventana->Modificado = false;
            QVERIFY(v.ventana->AbrirRuta(r));
        }
        QStringList esperadas;
        for (int i = 0; i < 8; ++i)
            esperadas << QStringLiteral("&%1 red%2.vtq").arg(i + 1).arg(9 - i);
        QCOMPARE(EntradasRecientes(v), esperadas);

        // Opening through the dialog puts a file back in front, once.
        v.dialogos.nombresAbrir.push_back(rutas[5].toStdString());
        v.ventana->Modificado = false;
        v.Menu("mnAbrir");
        QCOMPARE(EntradasRecientes(v).first(), QStringLiteral("&1 red5.vtq"));
        QCOMPARE(EntradasRecientes(v).size(), 8);
        QCOMPARE(EntradasRecientes(v).count(QStringLiteral("&1 red5.vtq")), 1);

        // Choosing an entry opens its file.
        v.ventana->Modificado = false;
        v.Menu("mnReciente3");  // red8.vtq
        QCOMPARE(QString::fromStdString(v.ventana->NombreArchivo), rutas[8]);
        QCOMPARE(EntradasRecientes(v).first(), QStringLiteral("&1 red8.vtq"));

        // Save as records the new name too.
        const QString copia = v.carpeta.filePath("copia.vtq");
        v.dialogos.nombresGuardar.push_back(copia.toStdString());
        v.Menu("mnGComo");
        QCOMPARE(vortena::ArchivosRecientes().Lista().first(), copia);

        // A file that is gone leaves the list when chosen.
        QVERIFY(QFile::remove(rutas[7]));
        const QString entrada = QStringLiteral("&%1 red7.vtq");
        const int i = static_cast<int>(vortena::ArchivosRecientes().Lista().indexOf(rutas[7]));
        QVERIFY(i >= 0);
        v.ventana->Modificado = false;
        v.Menu(QStringLiteral("mnReciente%1").arg(i + 1).toLatin1().constData());
        QVERIFY(!vortena::ArchivosRecientes().Lista().contains(rutas[7]));
        QVERIFY(!EntradasRecientes(v).contains(entrada.arg(i + 1)));
        QCOMPARE(QString::fromStdString(v.ventana->NombreArchivo), copia);  // unchanged
    }

    void recientesSobrevivenLaSesion() {
        QString ruta;
        {
            VentanaDePrueba v;
            ruta = Copia(v.carpeta, "cadena.vtq", "uno.vtq");
            v.ventana->Modificado = false;
            QVERIFY(v.ventana->AbrirRuta(ruta));
        }
        VentanaDePrueba otra;
        QCOMPARE(EntradasRecientes(otra), QStringList{"&1 uno.vtq"});
    }

    void abrirEjemplo() {
        VentanaDePrueba v;
        QVERIFY(QDir(v.carpeta.path()).mkdir("examples"));
        Copia(v.carpeta, "cadena.vtq", "examples/cadena.vtq");
        Copia(v.carpeta, "planta-20-centros.vtq", "examples/planta-20-centros.vtq");
        auto* menu = v.ventana->findChild<QMenu*>(QStringLiteral("mnEjemplos"));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->title(), QStringLiteral("Abrir ejemplo"));
        emit menu->aboutToShow();
        QStringList textos;
        for (QAction* a : menu->actions()) textos << a->text();
        QCOMPARE(textos, (QStringList{"Cadena", "Planta 20 centros"}));

        v.ventana->Modificado = false;
        v.Menu("mnEjemplo_planta-20-centros");
        QCOMPARE(v.red.Centros.Count(), 22);
        // An example opens untitled: saving asks for a name.
        QVERIFY(!v.ventana->Guardado);
        QVERIFY(v.ventana->windowTitle().startsWith("planta-20-centros.vtq (ejemplo)"));
        QVERIFY(vortena::ArchivosRecientes().Lista().isEmpty());
        const QString nueva = v.carpeta.filePath("mia.vtq");
        v.dialogos.nombresGuardar.push_back(nueva.toStdString());
        v.Menu("mnGuardar");
        QCOMPARE(v.dialogos.dialogosGuardar, 1);
        QVERIFY(QFile::exists(nueva));
    }

    void exportarGrafico() {
        VentanaDePrueba v;
        const QString ruta = Copia(v.carpeta, "planta-20-centros.vtq", "planta.vtq");
        v.ventana->Modificado = false;
        QVERIFY(v.ventana->AbrirRuta(ruta));

        const QString png = v.carpeta.filePath("linea.png");
        v.dialogos.nombresGuardar.push_back(png.toStdString());
        v.Menu("mnExportarGrafico");
        QImage img(png);
        QVERIFY(!img.isNull());
        QVERIFY(!TodoBlanco(img));
        // The picture holds the drawing, not the 32000-twip canvas.
        const QRectF t = vortena::LimitesDiagrama(v.red);
        QCOMPARE(img.width(), qRound(t.width() / 15 * 2));
        QVERIFY(img.width() < 2 * 2134);

        for (const char* ext : {"svg", "pdf"}) {
            const QString r = v.carpeta.filePath(QStringLiteral("linea.") + ext);
            v.dialogos.nombresGuardar.push_back(r.toStdString());
            v.Menu("mnExportarGrafico");
            QFile f(r);
            QVERIFY2(f.open(QIODevice::ReadOnly), ext);
            const QByteArray bytes = f.readAll();
            QVERIFY(bytes.startsWith(qstrcmp(ext, "svg") == 0 ? "<?xml" : "%PDF"));
            // The centre names are drawn as text, not as a picture of it.
            if (qstrcmp(ext, "svg") == 0) QVERIFY(bytes.contains("INICIO"));
        }
        // A name without a known ending becomes a PNG.
        const QString sin = v.carpeta.filePath("sin-extension");
        v.dialogos.nombresGuardar.push_back(sin.toStdString());
        v.Menu("mnExportarGrafico");
        QVERIFY(!QImage(sin + ".png").isNull());
        QVERIFY(v.dialogos.vistos().empty());

        // An existing file is only replaced after a Yes.
        v.dialogos.nombresGuardar.push_back(png.toStdString());
        v.dialogos.respuestas().push_back(vortena::Respuesta::No);
        QFile::resize(png, 0);
        v.Menu("mnExportarGrafico");
        QCOMPARE(QFileInfo(png).size(), 0);

        // Never over the open network's file, whatever its name; the reason
        // is shown and the file keeps its bytes.
        QFile red(ruta);
        QVERIFY(red.open(QIODevice::ReadOnly));
        const QByteArray antes = red.readAll();
        red.close();
        const QString enlace = v.carpeta.filePath("planta.svg");
        QVERIFY(QFile::link(ruta, enlace));
        v.dialogos.nombresGuardar.push_back(enlace.toStdString());
        v.dialogos.respuestas().push_back(vortena::Respuesta::Si);
        v.Menu("mnExportarGrafico");
        QCOMPARE(v.Ultimo(), "No se pudo escribir el gráfico: " + enlace.toStdString() +
                                 " es el archivo de la red abierta; elija otro nombre.");
        QVERIFY(red.open(QIODevice::ReadOnly));
        QCOMPARE(red.readAll(), antes);
    }

    void imprimirAjustaElDibujoALaPagina() {
        VentanaDePrueba v;
        const QString ruta = Copia(v.carpeta, "planta-20-centros.vtq", "planta.vtq");
        v.ventana->Modificado = false;
        QVERIFY(v.ventana->AbrirRuta(ruta));
        // The printer set-up is still the command's dialog.
        v.Menu("mnImprimir");
        QCOMPARE(v.dialogos.impresoras, 1);

        QPrinter impresora(QPrinter::HighResolution);
        impresora.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = v.carpeta.filePath("impreso.pdf");
        impresora.setOutputFileName(pdf);
        QVERIFY(vortena::ImprimirDiagrama(impresora, v.red, v.ventana->regional(),
                                          v.ventana->editor().capas()));
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("%PDF"));

        // Fitted: the drawing fills the page's width or its height, centred.
        QImage pagina(800, 1100, QImage::Format_RGB32);
        pagina.fill(Qt::white);
        QPainter p(&pagina);
        vortena::PintarDiagrama(p, QRectF(0, 0, 800, 1100), v.red, v.ventana->regional(), {});
        p.end();
        int izquierda = pagina.width(), derecha = -1, arriba = pagina.height(), abajo = -1;
        for (int y = 0; y < pagina.height(); ++y)
            for (int x = 0; x < pagina.width(); ++x)
                if (pagina.pixel(x, y) != qRgb(255, 255, 255)) {
                    izquierda = std::min(izquierda, x);
                    derecha = std::max(derecha, x);
                    arriba = std::min(arriba, y);
                    abajo = std::max(abajo, y);
                }
        QVERIFY(derecha > 0);
        // The network is wider than tall: its drawing spans the page's width
        // (less the margin) and sits in the middle of its height.
        QVERIFY2(derecha - izquierda > 700, qPrintable(QString::number(derecha - izquierda)));
        QVERIFY(std::abs((arriba + abajo) / 2 - 550) < 40);
    }

    void dialogosDeQtEnEspanol() {
        QVERIFY(vortena::CargarTraduccionesQt(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Ver en:"));
    }
};

QTEST_MAIN(VentanaEscritorio)
#include "VentanaEscritorio.moc"
