// Pictures of the windows for the help pages, written only when
// VORTENA_CAPTURAS names a folder (the test is skipped otherwise):
//   VORTENA_CAPTURAS=documentacion xvfb-run -a build-test/CapturasAyuda

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include "BancoPropiedades.h"
#include "VentanaDePrueba.h"
#include "dialogs/NodoCentro.h"
#include "dialogs/ProbEstados.h"
#include "editor/gui/ArchivosRecientes.h"
#include "optimise/FuenteAleatoria.h"
#include "optimise/Optimizacion.h"
#include "optimise/RedesOptimizacion.h"
#include "optimise/gui/OptimizacionVortena.h"
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

    // "Exportar gráfico..." of an example, to look at (not for the help).
    void exportado() {
        VentanaDePrueba v;
        v.ventana->Modificado = false;
        QVERIFY(v.ventana->AbrirRuta(
            QStringLiteral(VORTENA_SOURCE_DIR "/examples/planta-20-centros.vtq")));
        for (const char* n : {"exportado.png", "exportado.svg", "exportado.pdf"}) {
            v.dialogos.nombresGuardar.push_back(
                destino_.filePath(QString::fromLatin1(n)).toStdString());
            v.Menu("mnExportarGrafico");
        }
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear();
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
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear();
    }
};

QTEST_MAIN(CapturasAyuda)
#include "CapturasAyuda.moc"
