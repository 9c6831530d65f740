// Every picture of the help pages, taken from the real windows, written only
// when VORTENA_CAPTURAS names a folder (the test is skipped otherwise).
// scripts/capturas-ayuda builds this and runs it for documentacion/:
//   VORTENA_CAPTURAS=documentacion xvfb-run -a build-test/CapturasAyuda
// Numbers are written as the Spanish program writes them (decimal comma),
// and only the installed examples are opened, so no path of the machine
// that took them shows.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include "BancoPropiedades.h"
#include "VentanaDePrueba.h"
#include "dialogs/NodoCentro.h"
#include "dialogs/ProbEstados.h"
#include "editor/gui/ArchivosRecientes.h"
#include "editor/gui/PanelResultados.h"
#include "optimise/FuenteAleatoria.h"
#include "optimise/Optimizacion.h"
#include "optimise/RedesOptimizacion.h"
#include "optimise/gui/OptimizacionVortena.h"
#include "optimise/gui/VentanaFrente.h"
#include "simulate/gui/VentanaPlazo.h"
#include "simulate/gui/VentanaSimulacion.h"
#include "support/DocumentoFalso.h"
#include "widgets/CampoNumerico.h"

using namespace vortena;
using namespace vortena::prueba;

class CapturasAyuda : public QObject {
    Q_OBJECT
    QDir destino_;

    // The offscreen platform paints on demand: the posted layout and paint
    // events are all a picture waits for.
    static void Asentar() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    static QString Ejemplo(const char* nombre) {
        return QStringLiteral(VORTENA_SOURCE_DIR "/examples/") + QString::fromLatin1(nombre);
    }

    // A fresh main window in Spanish figures, with an installed example.
    static void Preparar(VentanaDePrueba& v, QSize tam, const char* ejemplo) {
        v.ventana->PonerRegional(Regional::Espanol());
        v.ventana->resize(tam);
        Asentar();
        if (ejemplo != nullptr) {
            v.ventana->Modificado = false;
            QVERIFY(v.ventana->AbrirEjemplo(Ejemplo(ejemplo)));
        }
    }

    static void Escribir(QWidget* campo, const QString& texto) {
        QVERIFY(campo != nullptr);
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(campo, texto);
    }

    void Guardar(QWidget* w, const char* nombre) {
        Asentar();
        const QString ruta = destino_.filePath(QString::fromLatin1(nombre));
        QVERIFY2(w->grab().save(ruta, "PNG"), qPrintable(ruta));
    }

private slots:
    void initTestCase() {
        const QByteArray carpeta = qgetenv("VORTENA_CAPTURAS");
        if (carpeta.isEmpty()) QSKIP("VORTENA_CAPTURAS no está definida");
        destino_ = QDir(QString::fromLocal8Bit(carpeta));
        // The recent files shown are the test's own, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear();
        QVERIFY(destino_.exists());
    }

    void centro() {
        BancoPropiedades b;
        CentroProductivo& c = b.centro();
        c.Nombre = "Soldadura";
        c.Lamda = 3.2;
        c.Mu = 1.5;
        c.Servidores = 3;
        c.ActDesvLamda();
        c.ActDesvMu();
        NodoCentro d(b.ctx);
        Mostrar(&d);
        Guardar(&d, "centro.png");
        ProbEstados e(b.red, b.mensajes, b.reg);
        Mostrar(&e);
        Guardar(&e, "estados.png");
    }

    void optimizacion() {
        Red red;
        MensajesGrabados msj;
        DocumentoFalso doc;
        FuenteAleatoria azar;
        Optimizacion opt{red, msj, azar};
        Ramas(red, 4);
        QVERIFY(opt.Abrir());
        OptimizacionVortena d(opt, doc, Regional::Espanol());
        Mostrar(&d);
        d.Iteraciones->selectAll();
        QTest::keyClicks(d.Iteraciones, QStringLiteral("60"));
        QTest::mouseClick(d.iniciar, Qt::LeftButton);
        Guardar(&d, "optimizacion.png");
    }

    void vistaResultados() {
        VentanaDePrueba v;
        Preparar(v, QSize(1280, 900), "planta-20-centros.vtq");
        v.Menu("mnPert");
        v.Menu("mnResultados");
        v.Accion("mnColorear")->setChecked(true);
        QTest::qWait(100);
        v.Menu("mnAjustar");
        Guardar(v.ventana.get(), "vista-resultados.png");
    }

    void deshacer() {
        VentanaDePrueba v;
        Preparar(v, QSize(900, 520), nullptr);
        // Place a centre, connect it, move it and undo the move.
        v.Herramienta(1);
        v.Clic(4500, 3600);
        v.Herramienta(2);
        v.Arrastrar(4500, 1500, 4700, 3800);
        v.Herramienta(0);
        v.Clic(4500, 3800);
        v.Arrastrar(4500, 3800, 6000, 3900);
        v.Menu("mnDeshacer");
        Guardar(v.ventana.get(), "deshacer.png");
    }

    void frente() {
        VentanaDePrueba v;
        Preparar(v, QSize(1000, 700), "division-y-union.vtq");
        v.Menu("mnFrente");
        auto* f = v.ventana->findChild<VentanaFrente*>();
        QVERIFY(f != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Ocupada(), 60000);
        QVERIFY(f->resultado() != nullptr);
        f->Seleccionar(static_cast<int>(f->resultado()->puntos.size() / 3));
        f->resize(1100, 620);
        Guardar(f, "frente.png");
    }

    void simulacion() {
        VentanaDePrueba v;
        Preparar(v, QSize(1000, 700), "division-y-union.vtq");
        v.Menu("mnPert");
        v.Menu("mnSimCentros");
        auto* w = v.ventana->findChild<VentanaSimulacion*>();
        QVERIFY(w != nullptr);
        Escribir(w->findChild<QWidget*>(QStringLiteral("replicas")), QStringLiteral("5"));
        Escribir(w->findChild<QWidget*>(QStringLiteral("clientes")), QStringLiteral("20000"));
        QSignalSpy fin(w, &VentanaSimulacion::terminada);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("btSimular")), Qt::LeftButton);
        QVERIFY(fin.wait(120000));
        w->resize(1250, 420);
        Guardar(w, "simulacion.png");
    }

    void plazo() {
        VentanaDePrueba v;
        Preparar(v, QSize(1000, 700), "division-y-union.vtq");
        v.Menu("mnPert");
        v.Menu("mnPlazo");
        auto* w = v.ventana->findChild<VentanaPlazo*>();
        QVERIFY(w != nullptr);
        Escribir(w->findChild<QWidget*>(QStringLiteral("replicas")), QStringLiteral("5"));
        Escribir(w->findChild<QWidget*>(QStringLiteral("clientes")), QStringLiteral("20000"));
        QSignalSpy fin(w, &VentanaPlazo::terminada);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("simular")), Qt::LeftButton);
        QVERIFY(fin.wait(120000));
        w->resize(1300, 820);
        Guardar(w, "plazo-linea.png");
        // The canvas shaded by criticality, beside the window.
        v.Menu("mnAjustar");
        Guardar(v.ventana.get(), "plazo-linea-lienzo.png");
    }

    // "Exportar gráfico..." of an example, to look at (not for the help).
    void exportado() {
        if (qEnvironmentVariableIsEmpty("VORTENA_EXPORTADO")) QSKIP("solo para mirar");
        VentanaDePrueba v;
        Preparar(v, QSize(1000, 700), "planta-20-centros.vtq");
        for (const char* n : {"exportado.png", "exportado.svg", "exportado.pdf"}) {
            v.dialogos.nombresGuardar.push_back(
                destino_.filePath(QString::fromLatin1(n)).toStdString());
            v.Menu("mnExportarGrafico");
        }
    }

    void menuArchivo() {
        ArchivosRecientes recientes;
        for (const char* r : {"/home/ana/lineas/soldadura.vtq", "/home/ana/lineas/taller.vtq"})
            recientes.Agregar(QString::fromLatin1(r));
        VentanaDePrueba v;
        QDir(v.carpeta.path()).mkdir("examples");
        for (const char* e : {"cadena.vtq", "planta-20-centros.vtq", "division-y-union.vtq"})
            QFile::copy(QStringLiteral(VORTENA_SOURCE_DIR "/examples/") + e,
                        v.carpeta.filePath(QStringLiteral("examples/") + e));
        auto* archivo = v.ventana->menuBar()->findChild<QMenu*>(QStringLiteral("mnArchivo"));
        archivo->popup(v.ventana->mapToGlobal(QPoint(0, 20)));
        Asentar();
        Guardar(archivo, "menu-archivo.png");
        auto* ejemplos = v.ventana->findChild<QMenu*>(QStringLiteral("mnEjemplos"));
        ejemplos->popup(v.ventana->mapToGlobal(QPoint(200, 60)));
        Guardar(ejemplos, "menu-ejemplos.png");
        ejemplos->close();
        archivo->close();
    }

    void cleanup() { QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear(); }
};

QTEST_MAIN(CapturasAyuda)
#include "CapturasAyuda.moc"
