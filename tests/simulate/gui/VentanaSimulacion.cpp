// The centres simulation window driven headless on the real main window: a
// short run, its table, the canvas marks, copying, CSV, the out-of-date
// notice, cancelling and the remembered settings.

#include "simulate/gui/VentanaSimulacion.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "VentanaDePrueba.h"
#include "support/ConstructorRed.h"
#include "widgets/AvisoDesactualizado.h"

using namespace vortena;
using vortena::prueba::VentanaDePrueba;

namespace {

VentanaSimulacion* Abrir(VentanaDePrueba& v) {
    v.Menu("mnSimCentros");
    return v.ventana->findChild<VentanaSimulacion*>(QStringLiteral("VentanaSimulacion"));
}

void Escribir(VentanaSimulacion* w, const char* campo, const QString& texto) {
    auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(campo));
    QVERIFY(e != nullptr);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, texto);
}

void Pulsar(VentanaSimulacion* w, const char* boton) {
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(boton));
    QVERIFY(b != nullptr);
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

QString Estado(VentanaSimulacion* w) {
    return w->findChild<QLabel*>(QStringLiteral("estado"))->text();
}

int Columna(QTableWidget* t, const QString& titulo) {
    for (int j = 0; j < t->columnCount(); ++j)
        if (t->horizontalHeaderItem(j)->text().replace(QLatin1Char('\n'), QLatin1Char(' ')) ==
            titulo)
            return j;
    return -1;
}

const Sombreado* Capa(VentanaDePrueba& v) {
    for (const auto& [clave, s] : v.ventana->editor().capas().Todas())
        if (clave == VentanaSimulacion::kCapa) return &s;
    return nullptr;
}

// The new document's centre made deterministic (no waiting at all) plus an
// M/M/1 centre after it.
void PrepararRed(VentanaDePrueba& v) {
    CentroProductivo& reloj = v.red.Centros(2);
    reloj.Nombre = "Reloj";
    reloj.Desvlamda = 0;
    reloj.DesvMu = 0;
    prueba::ConstructorRed b(v.red);
    const std::int16_t m = b.Centro("Azar", 1.0, 4.0);
    b[m].Desvlamda = 1.0;
    b[m].DesvMu = 0.25;
    b[m].y1 = 2500;
    b[m].y2 = 3500;
    v.ventana->RedibujarTodo();
}

void Correr(VentanaSimulacion* w, const QString& clientes) {
    Escribir(w, "replicas", QStringLiteral("3"));
    Escribir(w, "clientes", clientes);
    Escribir(w, "calentamiento", QStringLiteral("100"));
    Escribir(w, "semilla", QStringLiteral("7"));
    QSignalSpy fin(w, &VentanaSimulacion::terminada);
    Pulsar(w, "btSimular");
    QVERIFY(w->Corriendo());
    QVERIFY(fin.wait(60000));
    QVERIFY(!w->Corriendo());
}

}  // namespace

class PruebaVentanaSimulacion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"))
            .remove(QStringLiteral("simulacion"));
    }

    void menuEntreLineaYAyuda() {
        VentanaDePrueba v;
        QStringList menus;
        for (QAction* a : v.ventana->menuBar()->actions())
            if (a->menu()) menus << a->menu()->objectName();
        const int linea = menus.indexOf(QStringLiteral("mnLinea"));
        const int sim = menus.indexOf(QStringLiteral("mnSimulacion"));
        QVERIFY(linea >= 0);
        QCOMPARE(sim, linea + 1);
        QCOMPARE(menus.indexOf(QStringLiteral("mnAyuda")), sim + 1);
        QCOMPARE(v.Accion("mnSimCentros")->text(), QStringLiteral("Simular centros…"));
        // The menu opens one window, not one per click.
        VentanaSimulacion* w = Abrir(v);
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QCOMPARE(Abrir(v), w);
        QCOMPARE(v.ventana->findChildren<VentanaSimulacion*>().size(), 1);
    }

    void corridaCortaConTablaMarcasYCopia() {
        VentanaDePrueba v;
        PrepararRed(v);
        VentanaSimulacion* w = Abrir(v);
        Correr(w, QStringLiteral("3000"));
        QVERIFY(w->Resultado().has_value());
        QVERIFY(!w->Desactualizada());

        auto* t = w->findChild<QTableWidget*>(QStringLiteral("tabla"));
        QCOMPARE(t->rowCount(), 2);
        const int wq = Columna(t, QStringLiteral("Wq simulado"));
        const int wSim = Columna(t, QStringLiteral("W simulado"));
        QVERIFY(wq > 0 && wSim > 0);
        // Sorted by the simulated W, the deterministic centre (W = 0.5) comes
        // after the M/M/1 one (W = 1/3).
        t->sortByColumn(wSim, Qt::AscendingOrder);
        QCOMPARE(t->item(0, 0)->text(), QStringLiteral("Azar"));
        QCOMPARE(t->item(1, 0)->text(), QStringLiteral("Reloj"));
        QVERIFY(t->item(0, wSim)->text().contains(QStringLiteral(" ± ")));
        // The formula predicts waiting where there is none: that row is marked.
        QCOMPARE(t->item(1, wq)->background().color(), QColor(255, 224, 224));
        QVERIFY(t->item(1, wq)->font().bold());
        QCOMPARE(t->item(1, Columna(t, QStringLiteral("Semilla")))->text(), QStringLiteral("7"));
        // Rho is the busy servers; the utilisation beside it is per server.
        QCOMPARE(t->item(1, Columna(t, QStringLiteral("Utilización modelo")))->text(),
                 t->item(1, Columna(t, QStringLiteral("Ocupados modelo")))->text());
        QVERIFY(Estado(w).contains(QStringLiteral("el azar marcaría de media")));
        QCOMPARE(t->item(1, Columna(t, QStringLiteral("Calentamiento")))->text(),
                 QStringLiteral("100"));

        const Sombreado* capa = Capa(v);
        QVERIFY(capa != nullptr);
        QVERIFY(capa->marca.at(2).color == kRojo);
        QCOMPARE(capa->marca.size(), std::size_t{2});

        QApplication::clipboard()->clear();
        t->setFocus();
        QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
        const QStringList lineas =
            QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 3);
        // What is shown is what is copied: the hidden measures stay out.
        QVERIFY(lineas[0].startsWith(QStringLiteral(
            "Centro\tServidores\tUtilización modelo\tUtilización simulada\tWq modelo\t")));
        QVERIFY(!lineas[0].contains(QStringLiteral("Semilla")));
        QVERIFY(lineas[1].startsWith(QStringLiteral("Azar\t")));

        const QString csv = QDir(v.carpeta.path()).filePath(QStringLiteral("centros.csv"));
        v.dialogos.nombresGuardar.push_back(csv.toStdString());
        Pulsar(w, "btExportar");
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(f.readAll());
        const QChar sep =
            v.ventana->regional().decimal == ',' ? QLatin1Char(';') : QLatin1Char(',');
        QVERIFY(
            texto.startsWith(QStringLiteral("Centro") + sep + QStringLiteral("Servidores") + sep));
        QCOMPARE(texto.count(QStringLiteral("\r\n")), 3);

        // Closing the window takes its marks off the canvas.
        w->close();
        QVERIFY(Capa(v) == nullptr);
    }

    // "Dentro de la línea": the centre fed by the line's flow, and the
    // centres whose typed rate differs named in the status line.
    void dentroDeLaLinea() {
        VentanaDePrueba v;
        CentroProductivo& c = v.red.Centros(2);
        c.Lamda = 1;
        c.Desvlamda = 1;
        c.Mu = 2;
        c.DesvMu = 0;
        c.Servidores = 1;
        v.red.Centros(v.red.NodoFin).Salida = 1;
        VentanaSimulacion* w = Abrir(v);
        QVERIFY(w != nullptr);
        auto* modo = w->findChild<QComboBox*>(QStringLiteral("modo"));
        QVERIFY(modo != nullptr);
        QCOMPARE(modo->itemText(0), QStringLiteral("Cada centro por separado"));
        QCOMPARE(modo->itemText(1), QStringLiteral("Dentro de la línea"));
        modo->setFocus();
        QTest::keyClick(modo, Qt::Key_Down);
        QCOMPARE(modo->currentIndex(), 1);
        Correr(w, QStringLiteral("3000"));
        QVERIFY(w->Resultado().has_value());
        const ResultadoCentro& r = w->Resultado()->centros.at(0);
        QVERIFY(!r.inestable);
        QVERIFY(std::fabs(r.simulado[kRho].valor - 0.5) < 0.05);
        QVERIFY(!Estado(w).contains(QStringLiteral("no coinciden")));

        c.Lamda = 0.7;  // typed without propagating: the line still sends 1
        Correr(w, QStringLiteral("3000"));
        QVERIFY2(
            Estado(w).contains(
                QStringLiteral("Las tasas de llegada no coinciden con el flujo de la línea: ") +
                QString::fromStdString(c.Nombre)),
            qPrintable(Estado(w)));
        QVERIFY(std::fabs(w->Resultado()->centros.at(0).simulado[kRho].valor - 0.5) < 0.05);
        w->close();
        // The choice is remembered; the other tests simulate each centre alone.
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"))
            .remove(QStringLiteral("simulacion/enLinea"));
    }

    void columnasElegiblesYCentroSiempreALaVista() {
        VentanaDePrueba v;
        PrepararRed(v);
        VentanaSimulacion* w = Abrir(v);
        w->resize(1100, 520);
        Correr(w, QStringLiteral("2000"));
        auto* t = w->findChild<QTableWidget*>(QStringLiteral("tabla"));
        // The default columns fit the window: no horizontal scrolling.
        QVERIFY(!t->horizontalScrollBar()->isVisible() || t->horizontalScrollBar()->maximum() == 0);
        auto* boton = w->findChild<QToolButton*>(QStringLiteral("btColumnas"));
        QAction* ocupados = nullptr;
        for (QAction* a : boton->menu()->actions()) {
            if (!a->isChecked()) a->setChecked(true);  // every column: now it scrolls
            if (a->text() == QStringLiteral("Servidores ocupados (Rho)")) ocupados = a;
        }
        QVERIFY(ocupados != nullptr);
        QVERIFY(!t->isColumnHidden(Columna(t, QStringLiteral("Ocupados simulado"))));
        QTRY_VERIFY(t->horizontalScrollBar()->maximum() > 0);
        t->horizontalScrollBar()->setValue(t->horizontalScrollBar()->maximum());
        auto* fija = w->findChild<QTableView*>(QStringLiteral("columnaFija"));
        QVERIFY(fija != nullptr && fija->isVisible());
        QCOMPARE(fija->columnWidth(0), t->columnWidth(0));
        QCOMPARE(fija->rowViewportPosition(1), t->rowViewportPosition(1));
        QCOMPARE(fija->horizontalHeader()->height(), t->horizontalHeader()->height());
        QCOMPARE(fija->model()->index(0, 0).data().toString(), t->item(0, 0)->text());
        ocupados->setChecked(false);
        QVERIFY(t->isColumnHidden(Columna(t, QStringLiteral("Ocupados simulado"))));

        // The tolerance is a field: 100 % hides every flag.
        Escribir(w, "tolerancia", QStringLiteral("100"));
        Correr(w, QStringLiteral("2000"));
        QCOMPARE(w->Resultado()->opciones.tolerancia, 1.0);
        QCOMPARE(w->Resultado()->Banderas(), 0);
        Escribir(w, "tolerancia", QStringLiteral("-1"));
        Pulsar(w, "btSimular");
        QVERIFY(!w->Corriendo());
        QVERIFY(Estado(w).contains(QStringLiteral("tolerancia")));
        Escribir(w, "tolerancia", QStringLiteral("2"));
    }

    void desactualizadaTrasUnaEdicionNoTrasGuardar() {
        VentanaDePrueba v;
        VentanaSimulacion* w = Abrir(v);
        Correr(w, QStringLiteral("2000"));
        QVERIFY(Capa(v) != nullptr);
        v.ventana->ACTBarraEstado(false);  // as a save does: nothing changed
        QVERIFY(!w->Desactualizada());
        v.red.Centros(2).Mu = 3.0;
        v.ventana->ACTBarraEstado(true);
        QVERIFY(w->Desactualizada());
        QCOMPARE(Estado(w), QStringLiteral("Resultados desactualizados: vuelva a simular"));
        QVERIFY(w->findChild<AvisoDesactualizado*>()->isVisible());
        QCOMPARE(w->windowType(), Qt::Tool);
        QTRY_VERIFY(Capa(v) == nullptr);
        // A new run brings it up to date.
        Correr(w, QStringLiteral("2000"));
        QVERIFY(!w->Desactualizada());
        QVERIFY(!w->findChild<AvisoDesactualizado*>()->isVisible());
        QVERIFY(Capa(v) != nullptr);
    }

    void cancelarDejaLosResultadosAnterioresYAjustesRecordados() {
        VentanaDePrueba v;
        VentanaSimulacion* w = Abrir(v);
        Correr(w, QStringLiteral("2000"));
        const double antes = w->Resultado()->centros.at(0).simulado[kW].valor;

        Escribir(w, "clientes", QStringLiteral("300000000"));
        QSignalSpy fin(w, &VentanaSimulacion::terminada);
        Pulsar(w, "btSimular");
        QVERIFY(w->Corriendo());
        QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("btSimular"))->isEnabled());
        Pulsar(w, "btCancelar");
        QVERIFY(fin.wait(10000));
        QVERIFY(Estado(w).contains(QStringLiteral("cancelada")));
        QCOMPARE(w->Resultado()->centros.at(0).simulado[kW].valor, antes);
        QCOMPARE(w->Resultado()->opciones.clientes, std::int64_t{2000});

        // A bad setting is refused in the status line; nothing runs.
        Escribir(w, "replicas", QStringLiteral("1"));
        Escribir(w, "clientes", QStringLiteral("2000"));
        Pulsar(w, "btSimular");
        QVERIFY(!w->Corriendo());
        QVERIFY(Estado(w).contains(QStringLiteral("réplicas")));

        w->close();
        QTRY_VERIFY(v.ventana->findChild<VentanaSimulacion*>(QStringLiteral("VentanaSimulacion")) ==
                    nullptr);
        VentanaSimulacion* otra = Abrir(v);
        QVERIFY(otra != w);
        // The settings of the last run that completed come back, not the
        // cancelled or refused ones.
        QCOMPARE(otra->findChild<QLineEdit*>(QStringLiteral("semilla"))->text(),
                 QStringLiteral("7"));
        QCOMPARE(otra->findChild<QLineEdit*>(QStringLiteral("clientes"))->text(),
                 QStringLiteral("2000"));
        QCOMPARE(otra->findChild<QLineEdit*>(QStringLiteral("replicas"))->text(),
                 QStringLiteral("3"));
    }

    void cerrarElProgramaDuranteUnaCorrida() {
        auto v = std::make_unique<VentanaDePrueba>();
        VentanaSimulacion* w = Abrir(*v);
        Escribir(w, "clientes", QStringLiteral("300000000"));
        Pulsar(w, "btSimular");
        QVERIFY(w->Corriendo());
        v.reset();  // the worker is stopped and joined; nothing is left behind
    }

    void captura() {
        const QString carpeta = qEnvironmentVariable("VORTENA_CAPTURAS");
        if (carpeta.isEmpty()) QSKIP("VORTENA_CAPTURAS not set");
        // The window as a first run shows it, whatever the other tests chose.
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena"))
            .remove(QStringLiteral("simulacion"));
        VentanaDePrueba v;
        PrepararRed(v);
        VentanaSimulacion* w = Abrir(v);
        Correr(w, QStringLiteral("100000"));
        w->resize(1100, 420);
        QDir().mkpath(carpeta);
        QVERIFY(w->grab().save(QDir(carpeta).filePath(QStringLiteral("simulacion.png"))));
        QVERIFY(v.ventana->grab().save(
            QDir(carpeta).filePath(QStringLiteral("simulacion-lienzo.png"))));
    }
};

QTEST_MAIN(PruebaVentanaSimulacion)
#include "VentanaSimulacion.moc"
