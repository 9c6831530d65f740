// The figures on screen always belong to the network on screen: after any
// change a computation reads (a command, a dialog's Aceptar, undo, redo) the
// "Resultados" panel, the utilisation colouring with its legend and the
// critical outline say "sin calcular" until the next Ctrl+E; moving a box
// keeps them. The modified mark follows the saved content alone.
//
// The new network: INICIO (1), a centre (2) box 4000..5000 x 1000..2000,
// FIN (3); the centre is the only one, so it is critical once computed.

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

#include "VentanaDePrueba.h"
#include "editor/Utilizacion.h"
#include "editor/gui/Leyendas.h"
#include "editor/gui/PanelResultados.h"
#include "files/TablaResultados.h"
#include "widgets/AvisoDesactualizado.h"

using vortena::prueba::VentanaDePrueba;

namespace {

void Teclas(VentanaDePrueba& v, QKeyCombination k) {
    // A closed dialog may leave no window active, and shortcuts need one.
    v.ventana->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(v.ventana.get()));
    v.fondo()->setFocus();
    QTest::keyClick(v.fondo(), k.key(), k.keyboardModifiers());
}
void Calcular(VentanaDePrueba& v) {
    Teclas(v, Qt::CTRL | Qt::Key_E);
}

// The centre's cell under a column title, as the panel shows it.
QString Celda(VentanaDePrueba& v, const char* titulo) {
    QAbstractItemModel* m = v.ventana->resultados()->tabla()->model();
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == QString::fromUtf8(titulo))
            return m->index(0, c).data().toString();
    return QStringLiteral("(sin columna)");
}

const vortena::Sombreado* Colores(VentanaDePrueba& v) {
    for (const auto& [clave, capa] : v.ventana->editor().capas().Todas())
        if (clave == vortena::kCapaUtilizacion) return &capa;
    return nullptr;
}

// Everything that shows the figures agrees on whether they are current.
void Comprobar(VentanaDePrueba& v, bool alDia) {
    QCOMPARE(v.red.ResultadosAlDia, alDia);
    const QString uso = Celda(v, "Utilización");
    QCOMPARE(uso == QStringLiteral("sin calcular"), !alDia);
    QCOMPARE(Celda(v, "Crítico") == QStringLiteral("Sí"), alDia);
    QCOMPARE(v.ventana->resultados()->aviso()->Activo(), !alDia);
    // The inputs are always the network's.
    QCOMPARE(Celda(v, "S"), QString::number(v.red.Centros(2).Servidores));
    const vortena::Sombreado* capa = Colores(v);
    QVERIFY(capa != nullptr);
    QCOMPARE(capa->leyenda.size(), alDia ? std::size_t{5} : std::size_t{1});
    QCOMPARE(capa->leyenda.front().second == "sin calcular (Ctrl+E)", !alDia);
    QCOMPARE(capa->relleno.at(2) == vortena::ColorUtilizacion(v.red.Centros(2).Trafico), alDia);
    QVERIFY(v.ventana->leyendas()->isVisible());
    // The outline: red for the critical centre only while current.
    QCOMPARE(v.Color(4000, 1500), alDia ? QColor(255, 0, 0) : QColor(0, 0, 0));
}

// Runs `paso` while the next modal dialog is open, then lets it finish.
void EnDialogo(const std::function<void(QWidget*)>& paso, const std::function<void()>& abrir) {
    bool hecho = false;
    QTimer reloj;
    reloj.setInterval(10);
    QObject::connect(&reloj, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || hecho) return;
        hecho = true;
        paso(modal);
    });
    reloj.start();
    abrir();
    QVERIFY(hecho);
}

void AceptarServidores(VentanaDePrueba& v, const QString& servidores) {
    v.Herramienta(0);
    v.Clic(4500, 1500);
    EnDialogo(
        [&](QWidget* d) {
            auto* s = d->findChild<QLineEdit*>(QStringLiteral("S"));
            QVERIFY(s != nullptr);
            s->setFocus();
            s->selectAll();
            QTest::keyClicks(s, servidores);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("aceptar")),
                              Qt::LeftButton);
        },
        [&] { v.Clic(4500, 1500, Qt::RightButton); });
    v.Clic(8000, 8000);  // off the box: its outline is no longer the selection's
}

}  // namespace

class VentanaResultadosAlDia : public QObject {
    Q_OBJECT

private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }

    void cadaCambioDejaSinCalcular_data() {
        QTest::addColumn<QString>("cambio");
        QTest::newRow("Propagar Lamda (Ctrl+K)") << "Ctrl+K";
        QTest::newRow("Optimización Económica (Ctrl+L)") << "Ctrl+L";
        QTest::newRow("Aceptar del centro") << "Aceptar";
        QTest::newRow("Deshacer") << "Ctrl+Z";
        QTest::newRow("Rehacer") << "Ctrl+Y";
    }
    void cadaCambioDejaSinCalcular() {
        QFETCH(QString, cambio);
        VentanaDePrueba v;
        v.ventana->resultados()->show();
        v.Accion("mnColorear")->setChecked(true);
        Comprobar(v, false);  // nothing computed yet
        if (cambio == QLatin1String("Ctrl+L")) {
            AceptarServidores(v, QStringLiteral("9"));  // far above the optimum
        } else if (cambio == QLatin1String("Ctrl+Z")) {
            AceptarServidores(v, QStringLiteral("4"));
        } else if (cambio == QLatin1String("Ctrl+Y")) {
            AceptarServidores(v, QStringLiteral("4"));
            Teclas(v, Qt::CTRL | Qt::Key_Z);
        }
        Calcular(v);
        Comprobar(v, true);

        if (cambio == QLatin1String("Ctrl+K"))
            Teclas(v, Qt::CTRL | Qt::Key_K);
        else if (cambio == QLatin1String("Ctrl+L"))
            Teclas(v, Qt::CTRL | Qt::Key_L);
        else if (cambio == QLatin1String("Aceptar"))
            AceptarServidores(v, QStringLiteral("3"));
        else if (cambio == QLatin1String("Ctrl+Z"))
            Teclas(v, Qt::CTRL | Qt::Key_Z);
        else
            Teclas(v, Qt::CTRL | Qt::Key_Y);
        Comprobar(v, false);
        if (qEnvironmentVariableIsSet("VORTENA_CAPTURA") && cambio == QLatin1String("Ctrl+K"))
            v.ventana->grab().save(qEnvironmentVariable("VORTENA_CAPTURA") +
                                   QStringLiteral("/sin-calcular.png"));

        Calcular(v);
        Comprobar(v, true);
    }

    // A box's place is read by no computation.
    void moverNoCambiaLasCifras() {
        VentanaDePrueba v;
        v.ventana->resultados()->show();
        v.Accion("mnColorear")->setChecked(true);
        Calcular(v);
        v.Herramienta(0);
        v.Arrastrar(4500, 1500, 4500, 4500);
        QCOMPARE(v.red.Centros(2).y1, 4500.f);
        QVERIFY(v.red.ResultadosAlDia);
        QCOMPARE(v.Color(4500, 5000), QColor(255, 0, 0));
        Teclas(v, Qt::CTRL | Qt::Key_Z);
        QVERIFY(v.red.ResultadosAlDia);
        QCOMPARE(Celda(v, "Crítico"), QStringLiteral("Sí"));
    }

    // Opening a file, computing it and saving writes the same bytes: nothing
    // to ask about on leaving. A real change sets the mark, its undo clears it.
    void calcularNoMarcaModificado() {
        VentanaDePrueba v;
        const QString ruta = v.carpeta.filePath("linea.vtq");
        v.dialogos.nombresGuardar.push_back(ruta.toStdString());
        v.Menu("mnGuardar");
        QVERIFY(v.ventana->AbrirRuta(ruta));
        QVERIFY(!v.ventana->Modificado);
        Calcular(v);
        QVERIFY(v.red.ResultadosAlDia);
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QString());
        // Refused connections, selections and redraws change nothing either.
        v.Herramienta(2);
        v.Arrastrar(4500, 1500, 4600, 1600);
        QVERIFY(!v.ventana->Modificado);

        Teclas(v, Qt::CTRL | Qt::Key_K);
        QVERIFY(v.ventana->Modificado);
        QVERIFY(!v.Panel(1).isEmpty());
        Teclas(v, Qt::CTRL | Qt::Key_Z);
        QVERIFY(!v.ventana->Modificado);
        QCOMPARE(v.Panel(1), QString());
    }
};

QTEST_MAIN(VentanaResultadosAlDia)
#include "VentanaResultadosAlDia.moc"
