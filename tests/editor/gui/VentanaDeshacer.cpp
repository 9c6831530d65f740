// Undo and redo in the real main window: each kind of change made with the
// mouse, the Delete key, a property dialog or a computation is taken back by
// Ctrl+Z and done again by Ctrl+Y or Ctrl+Shift+Z, the entries name it, and
// the modified mark follows the saved state.
//
// The new network: INICIO (1) box 500..1500 x 1150..1850, a centre (2) box
// 4000..5000 x 1000..2000, FIN (3) box 8500..9500 x 1150..1850; connection 1
// INICIO -> centre, 2 centre -> FIN, both at y 1500.

#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <string>

#include "VentanaDePrueba.h"
#include "files/ArchivoRed.h"
#include "model/Invariantes.h"

using vortena::Respuesta;
using vortena::prueba::VentanaDePrueba;

namespace {

std::string Huella(const vortena::Red& red) {
    return vortena::EscribirRed(red, vortena::Regional::Ingles());
}

// The keys go to the canvas, as when the user works on it.
void Tecla(VentanaDePrueba& v, Qt::Key tecla, Qt::KeyboardModifiers mod) {
    v.fondo()->setFocus();
    QTest::keyClick(v.fondo(), tecla, mod);
}
void Deshacer(VentanaDePrueba& v) {
    Tecla(v, Qt::Key_Z, Qt::ControlModifier);
}
void Rehacer(VentanaDePrueba& v) {
    Tecla(v, Qt::Key_Y, Qt::ControlModifier);
}
void RehacerMayusculas(VentanaDePrueba& v) {
    Tecla(v, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
}

QString Texto(VentanaDePrueba& v, const char* accion) {
    return v.Accion(accion)->text();
}

void SinFallas(const vortena::Red& red) {
    const auto falla = vortena::ComprobarInvariantes(red);
    QVERIFY2(!falla, falla ? falla->c_str() : "");
}

}  // namespace

class VentanaDeshacer : public QObject {
    Q_OBJECT

private slots:
    void entradasDelMenuYDeLaBarra() {
        VentanaDePrueba v;
        const QList<QAction*> edicion = v.ventana->findChild<QMenu*>("mnEdicion")->actions();
        QCOMPARE(edicion.at(0), v.Accion("mnDeshacer"));
        QCOMPARE(edicion.at(1), v.Accion("mnRehacer"));
        QVERIFY(edicion.at(2)->isSeparator());
        QCOMPARE(v.Accion("mnDeshacer")->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(v.Accion("mnRehacer")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
        // Nothing to undo in a new network: plain and disabled, on the bar too.
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer"));
        QCOMPARE(Texto(v, "mnRehacer"), QStringLiteral("Rehacer"));
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
        QVERIFY(!v.Accion("mnRehacer")->isEnabled());
        auto* barra = v.ventana->findChild<QToolBar*>("BHerramientas");
        QWidget* boton = barra->widgetForAction(v.Accion("mnDeshacer"));
        QVERIFY(boton != nullptr);
        QVERIFY(!boton->isEnabled());
        QVERIFY(barra->widgetForAction(v.Accion("mnRehacer")) != nullptr);

        v.Herramienta(1);
        v.Clic(6000, 4500);
        QVERIFY(boton->isEnabled());
        QCOMPARE(v.Accion("mnDeshacer")->toolTip(), QStringLiteral("Deshacer Colocar centro"));
        // The toolbar button undoes too.
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(Texto(v, "mnRehacer"), QStringLiteral("Rehacer Colocar centro"));
    }

    void colocarMoverConectarEliminar() {
        VentanaDePrueba v;
        const std::string nueva = Huella(v.red);
        v.Herramienta(1);
        v.Clic(6000, 4500);
        const std::string colocado = Huella(v.red);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Colocar centro"));

        v.Herramienta(0);
        v.Arrastrar(6500, 5000, 6000, 7500);
        QCOMPARE(v.red.Centros(4).y1, 7500.f);
        const std::string movido = Huella(v.red);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Mover"));

        v.Herramienta(2);
        v.Arrastrar(4500, 1500, 6500, 8000);
        QCOMPARE(v.red.Conexiones.Count(), 3);
        const std::string conectado = Huella(v.red);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Conectar"));

        // The centre in the middle goes with both of its connections.
        v.Herramienta(0);
        v.Clic(4500, 1500);
        v.Suprimir();
        QCOMPARE(v.red.Centros.Count(), 3);
        QCOMPARE(v.red.Conexiones.Count(), 0);
        const std::string eliminado = Huella(v.red);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Eliminar"));

        const std::string estados[] = {nueva, colocado, movido, conectado, eliminado};
        for (int k = 3; k >= 0; --k) {
            Deshacer(v);
            QCOMPARE(Huella(v.red), estados[k]);
            SinFallas(v.red);
        }
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
        QCOMPARE(v.Panel(2), QStringLiteral("1 Centros - 2 Conexiones"));
        for (int k = 1; k <= 4; ++k) {
            if (k % 2)
                Rehacer(v);
            else
                RehacerMayusculas(v);
            QCOMPARE(Huella(v.red), estados[k]);
            SinFallas(v.red);
        }
        QVERIFY(!v.Accion("mnRehacer")->isEnabled());
        QCOMPARE(v.Panel(2), QStringLiteral("1 Centros - 0 Conexiones"));
        // The canvas shows the restored network: the deleted centre is back.
        Deshacer(v);
        QCOMPARE(v.Color(4000, 1500), QColor(0, 0, 0));
        QVERIFY(!v.red.HaySeleccion);
    }

    void marcaDeModificado() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("linea.vtq");
        v.Herramienta(1);
        v.Clic(6000, 4500);
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGuardar");
        QVERIFY(!v.ventana->Modificado);

        v.Clic(9000, 4500);
        QCOMPARE(v.Panel(1), QStringLiteral("Modificado"));
        Deshacer(v);
        // Back at the saved state: no longer modified.
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QString());
        Deshacer(v);
        QVERIFY(v.ventana->Modificado);
        Rehacer(v);
        QVERIFY(!v.ventana->Modificado);
        Rehacer(v);
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QStringLiteral("Modificado"));

        // A save moves the saved state to where the document is now.
        v.Menu("mnGuardar");
        Deshacer(v);
        QVERIFY(v.ventana->Modificado);
        Rehacer(v);
        QVERIFY(!v.ventana->Modificado);
    }

    void nuevoYAbrirEmpiezanOtraHistoria() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("linea.vtq");
        v.Herramienta(1);
        v.Clic(6000, 4500);
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGuardar");
        v.Clic(9000, 4500);

        v.dialogos.respuestas().push_back(Respuesta::No);
        v.Menu("mnNuevo");
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer"));
        v.Clic(9000, 4500);
        QVERIFY(v.Accion("mnDeshacer")->isEnabled());

        v.dialogos.respuestas().push_back(Respuesta::No);
        v.dialogos.nombresAbrir.push_back(ruta.toStdString());
        v.Menu("mnAbrir");
        QCOMPARE(v.red.Centros.Count(), 4);
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
        // The opened file is the saved state.
        v.Clic(9000, 4500);
        Deshacer(v);
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(v.red.Centros.Count(), 4);
    }

    void calculosQueCambianElDocumento() {
        VentanaDePrueba v;
        vortena::CentroProductivo& c = v.red.Centros(2);
        // Outside the history: the test sets the scene, then a fresh start.
        c.Lamda = 5;
        c.Mu = 2;
        v.ventana->RedReemplazada();
        v.red.Centros(3).Salida = 7;

        v.Menu("mnPropagar");
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Propagar Lamda"));
        QVERIFY(v.red.Centros(2).Lamda != 5.0);
        Deshacer(v);
        QCOMPARE(v.red.Centros(2).Lamda, 5.0);

        // The computation raises the server count of the overloaded centre.
        v.Menu("mnPert");
        QCOMPARE(v.red.Centros(2).Servidores, std::int16_t{3});
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Cálculo"));
        Deshacer(v);
        QCOMPARE(v.red.Centros(2).Servidores, std::int16_t{1});
        // Computed again with nothing to raise: results only, no new step.
        v.red.Centros(2).Servidores = 4;
        v.ventana->RedReemplazada();
        v.Menu("mnPert");
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());

        v.Menu("mnSM");
        QCOMPARE(v.red.Centros(2).Servidores, std::int16_t{3});
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Servidores mínimos"));
        Deshacer(v);
        QCOMPARE(v.red.Centros(2).Servidores, std::int16_t{4});

        v.red.Centros(2).Servidores = 1;
        v.ventana->RedReemplazada();
        v.Menu("mnSO");
        QVERIFY(v.red.Centros(2).Servidores >= 3);
        QCOMPARE(Texto(v, "mnDeshacer"), QString::fromUtf8("Deshacer Optimización económica"));
        Deshacer(v);
        QCOMPARE(v.red.Centros(2).Servidores, std::int16_t{1});
        QCOMPARE(Texto(v, "mnRehacer"), QString::fromUtf8("Rehacer Optimización económica"));
    }

    // The property dialogs are one step each from opening to closing,
    // named after the record; one closed without a change adds none.
    void propiedadesUnPasoPorDialogo() {
        VentanaDePrueba v;
        int abiertos = 0;
        bool cambiar = true;
        vortena::Principal::Ventanas ventanas;
        ventanas.nodoCentro = [&] {
            ++abiertos;
            if (!cambiar) return;
            vortena::CentroProductivo& c = v.red.Centros(v.red.CentroActual);
            c.Nombre = "Torno";
            c.Mu = 9;
            c.Servidores = 2;
        };
        ventanas.arco = [&] { v.red.Conexiones(v.red.ConexionActual).multiplicador = 3; };
        v.ventana->PonerVentanas(ventanas);
        const std::string antes = Huella(v.red);

        v.Clic(4500, 1500);
        v.Clic(4500, 1500, Qt::RightButton);
        QCOMPARE(abiertos, 1);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Propiedades de Sin nombre"));
        cambiar = false;
        v.Clic(4500, 1500, Qt::RightButton);
        QCOMPARE(abiertos, 2);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Propiedades de Sin nombre"));

        v.Clic(3000, 1500);
        v.Clic(3000, 1500, Qt::RightButton);
        QCOMPARE(Texto(v, "mnDeshacer"), QString::fromUtf8("Deshacer Propiedades de la conexión"));
        Deshacer(v);
        QCOMPARE(v.red.Conexiones(1).multiplicador, 1.0);
        Deshacer(v);
        QCOMPARE(Huella(v.red), antes);
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
        Rehacer(v);
        QCOMPARE(v.red.Centros(2).Nombre, std::string("Torno"));
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Propiedades de Sin nombre"));
    }

    void elegirLosExtremosDelPert() {
        VentanaDePrueba v;
        // A centre B after the first one: the PERT up to it has a length.
        v.Herramienta(1);
        v.Clic(4500, 4500);
        v.Herramienta(2);
        v.Arrastrar(4500, 1500, 5000, 5000);
        v.Herramienta(4);
        v.Clic(5000, 5000);
        QCOMPARE(QString::fromStdString(v.Ultimo()), QString());
        QCOMPARE(int{v.red.NodoFin}, 4);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Fin del PERT"));
        Deshacer(v);
        QCOMPARE(int{v.red.NodoFin}, 3);
        QCOMPARE(Texto(v, "mnDeshacer"), QStringLiteral("Deshacer Conectar"));
        Rehacer(v);
        QCOMPARE(int{v.red.NodoFin}, 4);
    }
};

QTEST_MAIN(VentanaDeshacer)
#include "VentanaDeshacer.moc"
