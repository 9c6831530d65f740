// The menu entries, toolbar buttons and shortcuts of the main window, run on
// the real window with recording dialogs and a temporary program folder.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>
#include <vector>

#include "VentanaDePrueba.h"
#include "dialogs/AcercaDe.h"
#include "dialogs/Ayuda.h"
#include "optimise/gui/OptimizacionVortena.h"

using vortena::Botones;
using vortena::Icono;
using vortena::Respuesta;
using vortena::prueba::VentanaDePrueba;

namespace {

const char* const kPreguntaGuardar = "¿El Archivo cambio, desea guardar los cambios?";

// Runs a command by the object name of its action: "mn..." through the
// menu entry, "bt..." by clicking the toolbar button.
void Ejecutar(VentanaDePrueba& v, const QString& via) {
    const QByteArray nombre = via.toLatin1();
    if (via.startsWith("bt"))
        v.Boton(nombre.constData());
    else
        v.Menu(nombre.constData());
}

QImage CajaDelCentro(VentanaDePrueba& v) {
    return v.fondo()->Imagen().copy(QRect(v.Pixel(3900, 900), QSize(75, 75)));
}

}  // namespace

class VentanaComandos : public QObject {
    Q_OBJECT

private slots:
    void propagar_data() {
        QTest::addColumn<QString>("via");
        QTest::newRow("menú") << "mnPropagar";
        QTest::newRow("barra") << "btPropagar";
    }
    void propagar() {
        QFETCH(QString, via);
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        const QImage antes = CajaDelCentro(v);
        Ejecutar(v, via);
        const auto& c = v.red.Centros(2);
        QCOMPARE(c.Lamda, 20.0);
        QCOMPARE(c.Servidores, std::int16_t{11});
        QVERIFY(v.ventana->Modificado);
        QVERIFY(v.dialogos.vistos().empty());
        // The labels were redrawn with the new rate and servers.
        QVERIFY(CajaDelCentro(v) != antes);
    }

    void servidores_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<bool>("optimos");
        QTest::newRow("mínimos, menú") << "mnSM" << false;
        QTest::newRow("mínimos, barra") << "btMinimos" << false;
        QTest::newRow("óptimos, menú") << "mnSO" << true;
        QTest::newRow("óptimos, barra") << "btOptimos" << true;
    }
    void servidores() {
        QFETCH(QString, via);
        QFETCH(bool, optimos);
        VentanaDePrueba v;
        v.red.Centros(2).Lamda = 20;
        v.ventana->ACTBarraEstado(false);
        const QImage antes = CajaDelCentro(v);
        Ejecutar(v, via);
        const auto s = v.red.Centros(2).Servidores;
        if (optimos)
            QVERIFY(s >= 11);
        else
            QCOMPARE(s, std::int16_t{11});
        QVERIFY(v.ventana->Modificado);
        QVERIFY(v.dialogos.vistos().empty());
        QVERIFY(CajaDelCentro(v) != antes);
    }

    void servidoresConFalla() {
        VentanaDePrueba v;
        v.red.Centros(2).Mu = 0;
        v.Menu("mnSM");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        QCOMPARE(v.Ultimo(), std::string("Error por desbordamiento"));
        QCOMPARE(v.dialogos.vistos().front().titulo, std::string("Sin nombre"));
    }

    void pert_data() {
        QTest::addColumn<QString>("via");
        QTest::newRow("menú") << "mnPert";
        QTest::newRow("barra") << "btPert";
    }
    void pert() {
        QFETCH(QString, via);
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        QCOMPARE(v.Color(4000, 1500), QColor(0, 0, 0));
        Ejecutar(v, via);
        QVERIFY(v.dialogos.vistos().empty());
        QVERIFY(v.red.MostrarCriticos);
        // Nothing saved changed: the mark stays clear.
        QVERIFY(!v.ventana->Modificado);
        // The only centre is critical: outlined red on the canvas; the start
        // and end nodes keep their green.
        QCOMPARE(v.Color(4000, 1500), QColor(255, 0, 0));
        QCOMPARE(v.Color(4500, 2000), QColor(255, 0, 0));
        QCOMPARE(v.Color(500, 1500), QColor(0, 128, 0));
        QCOMPARE(v.Color(9495, 1500), QColor(0, 128, 0));
    }

    void pertSinCamino() {
        VentanaDePrueba v;
        v.red.NodoFin = 2;  // straight after the start node: no duration
        v.Menu("mnPert");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        const auto& m = v.dialogos.vistos().front();
        QCOMPARE(m.texto, std::string("Centros de inicio y/o Fin inválidos"));
        QCOMPARE(m.icono, Icono::Critico);
    }

    // Only the toolbar's Open switches the red outline off.
    void abrirYCriticos_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<bool>("criticos");
        QTest::newRow("menú") << "mnAbrir" << true;
        QTest::newRow("barra") << "btAbrir" << false;
    }
    void abrirYCriticos() {
        QFETCH(QString, via);
        QFETCH(bool, criticos);
        VentanaDePrueba v;
        v.Menu("mnPert");
        v.ventana->ACTBarraEstado(false);
        Ejecutar(v, via);  // the file dialog is cancelled
        QCOMPARE(v.dialogos.dialogosAbrir, 1);
        QCOMPARE(v.red.MostrarCriticos, criticos);
        QCOMPARE(v.red.Centros.Count(), 3);
    }

    void guardarYAbrir() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("linea.vtq");
        v.Herramienta(1);
        v.Clic(6000, 4500);
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGuardar");
        QVERIFY(QFile::exists(ruta));
        QVERIFY(v.ventana->Guardado);
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QString());
        QCOMPARE(v.ventana->windowTitle(),
                 ruta + QString::fromUtf8("- Vortena de Líneas de Producción"));

        // A new document: the save question is answered No.
        v.Herramienta(0);
        v.Clic(6500, 5000);
        QVERIFY(v.red.HaySeleccion);
        v.Herramienta(1);
        v.Clic(9000, 6000);
        v.dialogos.respuestas().push_back(Respuesta::No);
        v.Menu("mnNuevo");
        QCOMPARE(v.Ultimo(), std::string(kPreguntaGuardar));
        QCOMPARE(v.dialogos.vistos().back().botones, Botones::SiNoCancelar);
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(v.red.Conexiones.Count(), 2);
        QVERIFY(v.ventana->Modificado);
        QVERIFY(!v.ventana->Guardado);
        QCOMPARE(v.Panel(2), QStringLiteral("1 Centros - 2 Conexiones"));
        QCOMPARE(v.ventana->windowTitle(),
                 QString::fromUtf8("Anónimo.vtq - Vortena de Líneas de Producción"));

        // Open the saved line again.
        v.dialogos.respuestas().push_back(Respuesta::No);
        v.dialogos.nombresAbrir.push_back(ruta.toStdString());
        v.Boton("btAbrir");
        QCOMPARE(v.red.Centros.Count(), 4);
        QCOMPARE(v.red.Centros(4).x1, 6000.f);
        QVERIFY(!v.ventana->Modificado);
        QVERIFY(v.ventana->Guardado);
        QCOMPARE(QString::fromStdString(v.ventana->NombreArchivo), ruta);
        QCOMPARE(v.Panel(2), QStringLiteral("2 Centros - 2 Conexiones"));
        // Nothing of the old network stays selected.
        QVERIFY(!v.red.HaySeleccion);
        QCOMPARE(int{v.red.ConexionActual}, 0);
        v.Suprimir();
        QCOMPARE(v.red.Centros.Count(), 4);
        // The new centre is on the canvas.
        QCOMPARE(v.Color(6000, 5000), QColor(0, 0, 0));
    }

    void guardarComoPregunta() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("otra.vtq");
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGuardar");
        QCOMPARE(v.dialogos.dialogosGuardar, 1);
        v.Menu("mnGuardar");  // has a name now: no dialog
        QCOMPARE(v.dialogos.dialogosGuardar, 1);
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.dialogos.respuestas().push_back(Respuesta::Si);
        v.Menu("mnGComo");
        QCOMPARE(v.dialogos.dialogosGuardar, 2);
        QCOMPARE(v.Ultimo(),
                 std::string("El archivo ya existe esta seguro que lo quiere sobreescribir"));
    }

    void imprimir_data() {
        QTest::addColumn<QString>("via");
        QTest::newRow("menú") << "mnImprimir";
        QTest::newRow("barra") << "btImprimir";
    }
    void imprimir() {
        QFETCH(QString, via);
        VentanaDePrueba v;
        Ejecutar(v, via);
        QCOMPARE(v.dialogos.impresoras, 1);
        QVERIFY(v.dialogos.vistos().empty());
    }

    void copiarGrafico() {
        VentanaDePrueba v;
        QGuiApplication::clipboard()->setText(QStringLiteral("otra cosa"));
        v.Menu("mnGrafico");
        const QImage copia = QGuiApplication::clipboard()->image();
        QVERIFY(!copia.isNull());
        // The drawn line cropped, not the whole sheet.
        QVERIFY(copia.width() < v.fondo()->Imagen().width() / 2);
        QVERIFY(copia.height() < v.fondo()->Imagen().height() / 2);
    }

    void exportarResumen() {
        VentanaDePrueba v;
        const QString resumen = v.carpeta.filePath("informe.txt");
        v.dialogos.nombresGuardar.push_back(resumen.toStdString());
        v.Menu("mnTexto");
        QVERIFY(QFile::exists(resumen));
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        const auto& m = v.dialogos.vistos().front();
        QVERIFY2(QString::fromStdString(m.texto).contains(resumen), m.texto.c_str());
        QCOMPARE(m.icono, Icono::Informacion);
        // The computation ran first: the critical centre is outlined red.
        QCOMPARE(v.Color(4000, 1500), QColor(255, 0, 0));
    }

    void salir_data() {
        QTest::addColumn<QString>("via");
        QTest::newRow("menú") << "mnSalir";
        QTest::newRow("barra") << "btSalir";
        QTest::newRow("cuadro de cierre") << "cerrar";
    }
    void salir() {
        QFETCH(QString, via);
        VentanaDePrueba v;
        v.dialogos.respuestas().push_back(Respuesta::No);
        if (via == "cerrar")
            v.ventana->close();
        else
            Ejecutar(v, via);
        QCOMPARE(v.Ultimo(), std::string(kPreguntaGuardar));
        QVERIFY(v.ventana->Terminado());
        QVERIFY(!v.ventana->isVisible());
    }

    void salirSinCambiosNoPregunta() {
        VentanaDePrueba v;
        v.ventana->ACTBarraEstado(false);
        v.ventana->close();
        QVERIFY(v.dialogos.vistos().empty());
        QVERIFY(!v.ventana->isVisible());
    }

    // Yes to the save question, then the file dialog is cancelled: the
    // program stays open with its work.
    void salirConGuardadoCancelado() {
        VentanaDePrueba v;
        v.Herramienta(1);
        v.Clic(6000, 4500);
        v.dialogos.respuestas().push_back(Respuesta::Si);
        v.ventana->close();
        QCOMPARE(v.dialogos.dialogosGuardar, 1);
        QVERIFY(!v.ventana->Terminado());
        QVERIFY(v.ventana->isVisible());
        QCOMPARE(v.red.Centros.Count(), 4);
    }

    void salirCierraLaAyuda() {
        VentanaDePrueba v;
        v.Menu("mnContenido");
        QWidget* abierta = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<vortena::Ayuda*>(w) && w->isVisible()) abierta = w;
        QVERIFY(abierta != nullptr);
        v.ventana->ACTBarraEstado(false);
        v.Menu("mnSalir");
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<vortena::Ayuda*>(w) || !w->isVisible());
    }

    void ayudaUnaSolaVez() {
        VentanaDePrueba v;
        auto visibles = [] {
            int n = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<vortena::Ayuda*>(w) && w->isVisible()) ++n;
            return n;
        };
        v.Menu("mnContenido");
        v.Menu("mnContenido");
        QCOMPARE(visibles(), 1);
        // Not modal: the main window still takes commands.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void acercaDeEsModal() {
        VentanaDePrueba v;
        bool visto = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            visto = qobject_cast<vortena::AcercaDe*>(modal) != nullptr;
            if (modal) modal->close();
        });
        v.Menu("mnAcerca");
        QVERIFY(visto);
    }

    void optimizacionTiempos_data() {
        QTest::addColumn<QString>("via");
        QTest::newRow("menú") << "mnTiempos";
        QTest::newRow("barra") << "btTiempos";
    }
    // The optimisation dialog opens modally on a computed network, and the
    // canvas is redrawn when it closes.
    void optimizacionTiempos() {
        QFETCH(QString, via);
        VentanaDePrueba v;
        bool visto = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            visto = qobject_cast<vortena::OptimizacionVortena*>(modal) != nullptr;
            if (modal) modal->close();
        });
        Ejecutar(v, via);
        QVERIFY(visto);
        QVERIFY(v.dialogos.vistos().empty());
        QVERIFY(v.red.MostrarCriticos);
        QCOMPARE(v.Color(4000, 1500), QColor(255, 0, 0));
    }

    void optimizacionSinCamino() {
        VentanaDePrueba v;
        v.red.NodoFin = 2;
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        v.Menu("mnTiempos");
        QCOMPARE(v.Ultimo(), std::string("Centros de inicio y/o Fin inválidos"));
    }

    // Each shortcut reaches its action (the commands themselves are cut off
    // here: several of them open dialogs).
    void atajos_data() {
        QTest::addColumn<QKeySequence>("tecla");
        QTest::addColumn<QString>("accion");
        QTest::newRow("Ctrl+N") << QKeySequence("Ctrl+N") << "mnNuevo";
        QTest::newRow("Ctrl+O") << QKeySequence("Ctrl+O") << "mnAbrir";
        QTest::newRow("Ctrl+G") << QKeySequence("Ctrl+G") << "mnGuardar";
        QTest::newRow("Ctrl+P") << QKeySequence("Ctrl+P") << "mnImprimir";
        QTest::newRow("Ctrl+S") << QKeySequence("Ctrl+S") << "mnSalir";
        QTest::newRow("Ctrl+M") << QKeySequence("Ctrl+M") << "mnSM";
        QTest::newRow("Ctrl+K") << QKeySequence("Ctrl+K") << "mnPropagar";
        QTest::newRow("Ctrl+L") << QKeySequence("Ctrl+L") << "mnSO";
        QTest::newRow("Ctrl+E") << QKeySequence("Ctrl+E") << "mnPert";
        QTest::newRow("Ctrl+B") << QKeySequence("Ctrl+B") << "mnTiempos";
        QTest::newRow("F1") << QKeySequence("F1") << "mnContenido";
        QTest::newRow("Ctrl+Z") << QKeySequence("Ctrl+Z") << "mnDeshacer";
        QTest::newRow("Ctrl+Y") << QKeySequence("Ctrl+Y") << "mnRehacer";
        QTest::newRow("Ctrl+Shift+Z") << QKeySequence("Ctrl+Shift+Z") << "mnRehacer";
    }
    void atajos() {
        QFETCH(QKeySequence, tecla);
        QFETCH(QString, accion);
        VentanaDePrueba v;
        std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> espias;
        for (QAction* a : v.ventana->findChildren<QAction*>()) {
            QObject::disconnect(a, &QAction::triggered, v.ventana.get(), nullptr);
            // Undo and redo are disabled with nothing to do; a disabled
            // action takes no shortcut.
            a->setEnabled(true);
            if (!a->objectName().isEmpty())
                espias.emplace_back(a->objectName(),
                                    std::make_unique<QSignalSpy>(a, &QAction::triggered));
        }
        v.fondo()->setFocus();
        QTest::keySequence(v.ventana.get(), tecla);
        QStringList disparadas;
        for (const auto& [nombre, espia] : espias)
            if (!espia->isEmpty()) disparadas << nombre;
        QCOMPARE(disparadas, QStringList{accion});
    }
};

QTEST_MAIN(VentanaComandos)
#include "VentanaComandos.moc"
