// The main window with its real Qt dialogs, answered by key and mouse: the
// save prompt's Cancelar (also Escape and its close box) abandons New, Open
// and Exit however they are asked for; the open dialog lists every file; the
// report's save dialog proposes "Resumen.txt" beside the network or in the
// documents folder.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "VentanaDePrueba.h"
#include "editor/gui/DialogosQt.h"
#include "editor/gui/Principal.h"

using namespace vortena;

namespace {

// Answers the modal windows as they come, one step each; a window with no
// step left is closed and counted, so a wrong flow fails instead of hanging.
class Guion : public QObject {
public:
    std::deque<std::function<void(QWidget*)>> pasos;
    int inesperados = 0;

    Guion() {
        reloj_.setInterval(20);
        QObject::connect(&reloj_, &QTimer::timeout, this, [this] { Atender(); });
        reloj_.start();
    }

private:
    void Atender() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == atendido_) return;
        atendido_ = modal;
        if (pasos.empty()) {
            ++inesperados;
            modal->close();
            return;
        }
        auto paso = std::move(pasos.front());
        pasos.pop_front();
        paso(modal);
    }
    QTimer reloj_;
    // Guarded: the next dialog may be built where the last one was.
    QPointer<QWidget> atendido_;
};

// With VORTENA_CAPTURAS set, saves what the user sees there as a PNG.
void Capturar(QWidget* w, const char* nombre) {
    const QString carpeta = qEnvironmentVariable("VORTENA_CAPTURAS");
    if (!carpeta.isEmpty()) w->grab().save(carpeta + "/" + nombre + ".png");
}

QStringList TextosDeBotones(QWidget* w) {
    QStringList r;
    if (auto* caja = qobject_cast<QMessageBox*>(w))
        for (QAbstractButton* b : caja->buttons()) r << b->text();
    r.sort();
    return r;
}

struct VentanaReal {
    QTemporaryDir carpeta;
    Red red;
    DialogosQt dialogos{nullptr};
    std::unique_ptr<Principal> ventana;
    VentanaReal() {
        ventana = std::make_unique<Principal>(red, dialogos, carpeta.path());
        ventana->resize(1000, 700);
        ventana->show();
        if (!QTest::qWaitForWindowActive(ventana.get())) qWarning("la ventana no se activó");
    }
    QAction* Accion(const char* nombre) {
        return ventana->findChild<QAction*>(QString::fromLatin1(nombre));
    }
};

}  // namespace

class VentanaDialogosReales : public QObject {
    Q_OBJECT

private slots:
    // The documents folder of a scratch home, never the tester's own.
    void initTestCase() {
        QVERIFY(casa_.isValid());
        qputenv("HOME", casa_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (casa_.path() + "/.config").toUtf8());
        QDir(casa_.path()).mkpath("Documents");
    }

    void cancelarAbandona_data() {
        QTest::addColumn<QString>("orden");
        QTest::addColumn<QString>("respuesta");
        for (const char* orden : {"mnNuevo", "mnAbrir", "mnSalir", "Ctrl+S", "cierre"})
            for (const char* r : {"Cancelar", "Escape", "cierre"})
                QTest::newRow(qPrintable(QString("%1, %2").arg(orden, r))) << orden << r;
    }
    void cancelarAbandona() {
        QFETCH(QString, orden);
        QFETCH(QString, respuesta);
        VentanaReal v;
        v.red.Centros(2).Nombre = "Trabajo";
        v.ventana->ACTBarraEstado(true);
        Guion guion;
        QStringList botones;
        QString texto;
        guion.pasos.push_back([&](QWidget* w) {
            botones = TextosDeBotones(w);
            texto = qobject_cast<QMessageBox*>(w)->text();
            Capturar(w, "pregunta-guardar");
            if (respuesta == "Escape")
                QTest::keyClick(w, Qt::Key_Escape);
            else if (respuesta == "cierre")
                w->close();
            else
                for (QAbstractButton* b : qobject_cast<QMessageBox*>(w)->buttons())
                    if (b->text() == respuesta) QTest::mouseClick(b, Qt::LeftButton);
        });
        if (orden == "cierre")
            v.ventana->close();
        else if (orden == "Ctrl+S")
            v.ventana->fondo()->setFocus(),
                QTest::keySequence(v.ventana.get(), QKeySequence("Ctrl+S"));
        else
            v.Accion(orden.toLatin1().constData())->trigger();

        QCOMPARE(texto, QString::fromUtf8("¿El Archivo cambio, desea guardar los cambios?"));
        QCOMPARE(botones, (QStringList{"Cancelar", "No", QString::fromUtf8("Sí")}));
        QCOMPARE(guion.inesperados, 0);  // no file dialog, no other box
        QVERIFY(v.ventana->isVisible());
        QVERIFY(!v.ventana->Terminado());
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.red.Centros(2).Nombre, std::string("Trabajo"));
    }

    // No still discards the changes, as before.
    void noSigueSinGuardar() {
        VentanaReal v;
        v.ventana->ACTBarraEstado(true);
        Guion guion;
        guion.pasos.push_back([](QWidget* w) {
            for (QAbstractButton* b : qobject_cast<QMessageBox*>(w)->buttons())
                if (b->text() == "No") QTest::mouseClick(b, Qt::LeftButton);
        });
        v.ventana->close();
        QVERIFY(v.ventana->Terminado());
        QVERIFY(!v.ventana->isVisible());
    }

    void abrirOfreceTodosLosArchivos() {
        VentanaReal v;
        v.ventana->ACTBarraEstado(false);
        Guion guion;
        QStringList filtros;
        guion.pasos.push_back([&](QWidget* w) {
            if (auto* d = qobject_cast<QFileDialog*>(w)) filtros = d->nameFilters();
            w->close();
        });
        v.Accion("mnAbrir")->trigger();
        QCOMPARE(filtros, (QStringList{"Archivos de Vortena (*.vtq)", "Todos los archivos (*)"}));
    }

    // A network never saved: the documents folder. A saved one: its folder.
    void resumenPropuesto() {
        VentanaReal v;
        Guion guion;
        QString carpetaVista, nombreVisto;
        const auto mirar = [&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d != nullptr);
            Capturar(w, "resumen-dialogo");
            carpetaVista = d->directory().absolutePath();
            nombreVisto = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        };
        guion.pasos.push_back([&](QWidget* w) {
            mirar(w);
            w->close();
        });
        v.Accion("mnTexto")->trigger();
        QCOMPARE(carpetaVista,
                 QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                     .absolutePath());
        QCOMPARE(nombreVisto, QStringLiteral("Resumen.txt"));
        QCOMPARE(guion.inesperados, 0);  // cancelled: no computation, no message
        QVERIFY(!QFile::exists(v.carpeta.filePath("Resumen.txt")));

        // Saved beside the network; the dialog's Enter writes it there.
        QTemporaryDir redes;
        v.ventana->Guardado = true;
        v.ventana->NombreArchivo = redes.filePath("linea.vtq").toStdString();
        guion.pasos.push_back([&](QWidget* w) {
            mirar(w);
            QTest::keyClick(w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")),
                            Qt::Key_Return);
        });
        QString aviso;
        guion.pasos.push_back([&](QWidget* w) {
            aviso = qobject_cast<QMessageBox*>(w)->text();
            QTest::keyClick(w, Qt::Key_Return);
        });
        v.Accion("mnTexto")->trigger();
        QCOMPARE(carpetaVista, QDir(redes.path()).absolutePath());
        QCOMPARE(nombreVisto, QStringLiteral("Resumen.txt"));
        QVERIFY(QFile::exists(redes.filePath("Resumen.txt")));
        QCOMPARE(aviso, "Resumen guardado en " + redes.filePath("Resumen.txt"));
        QVERIFY(!QFile::exists(v.carpeta.filePath("Resumen.txt")));
    }

    // "Guardar como..." with a bare name writes name.vtq, which the open
    // dialog's own filter lists.
    void guardarComoAgregaExtension() {
        prueba::VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("linea");
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGComo");
        QVERIFY(QFile::exists(ruta + ".vtq"));
        QVERIFY(!QFile::exists(ruta));
        QCOMPARE(QString::fromStdString(v.ventana->NombreArchivo), ruta + ".vtq");
        QCOMPARE(v.ventana->windowTitle(),
                 ruta + QString::fromUtf8(".vtq- Vortena de Líneas de Producción"));
    }

private:
    QTemporaryDir casa_;
};

QTEST_MAIN(VentanaDialogosReales)
#include "VentanaDialogosReales.moc"
