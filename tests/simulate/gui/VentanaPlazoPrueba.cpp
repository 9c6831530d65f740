// The lead-time window driven headless: opened from the menu, a short run
// with the mouse and keyboard, its figures, route and centre tables, chart,
// canvas shading, saved image, out-of-date notice, cancellation and
// remembered settings.

#include <QAbstractSeries>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "VentanaDePrueba.h"
#include "simulate/gui/GraficosPlazo.h"
#include "simulate/gui/SombreadoAporte.h"
#include "simulate/gui/VentanaPlazo.h"
#include "support/ConstructorRed.h"
#include "widgets/CampoNumerico.h"

using vortena::VentanaPlazo;
using vortena::prueba::VentanaDePrueba;

namespace {

// INICIO -> A -> FIN beside INICIO -> B -> FIN on the new document's own
// centre, all M/M/1 with room to spare.
void DosRamas(VentanaDePrueba& v) {
    vortena::prueba::ConstructorRed b(v.red);
    const vortena::CentroProductivo& medio = v.red.Centros(2);
    float y = medio.y2 + 600;
    for (const char* nombre : {"Rama A", "Rama B"}) {
        const std::int16_t p = b.Centro(nombre, 1.0, 1.6);
        // Stacked under the new document's centre, so the picture reads.
        vortena::CentroProductivo& c = v.red.Centros(p);
        c.x1 = medio.x1;
        c.x2 = medio.x2;
        c.y1 = y;
        c.y2 = y + (medio.y2 - medio.y1);
        y = c.y2 + 600;
        v.red.Centros(p).Servidores = 1;
        v.red.Centros(p).ActDesvLamda();
        v.red.Centros(p).ActDesvMu();
        b.Conectar(v.red.NodoInicio, p);
        b.Conectar(p, v.red.NodoFin);
    }
    // One unit per time down each of the three branches.
    v.red.Centros(v.red.NodoFin).Salida = 3;
    v.ventana->RedibujarTodo();
}

void Escribir(QWidget* campo, const QString& texto) {
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(campo, texto);
}

VentanaPlazo* Abrir(VentanaDePrueba& v) {
    auto* menu = v.ventana->menuBar()->findChild<QMenu*>(QStringLiteral("mnSimulacion"));
    if (menu == nullptr) return nullptr;
    QAction* plazo = v.Accion("mnPlazo");
    if (plazo == nullptr || !menu->actions().contains(plazo)) return nullptr;
    plazo->trigger();
    return v.ventana->findChild<VentanaPlazo*>(QStringLiteral("VentanaPlazo"));
}

void AjustesCortos(VentanaPlazo* w, const QString& clientes) {
    Escribir(w->findChild<vortena::CampoNumerico*>(QStringLiteral("replicas")),
             QStringLiteral("3"));
    Escribir(w->findChild<vortena::CampoNumerico*>(QStringLiteral("clientes")), clientes);
    Escribir(w->findChild<vortena::CampoNumerico*>(QStringLiteral("calentamiento")),
             QStringLiteral("500"));
}

// 4.5 with the window's decimal separator.
QString CuatroYMedio(VentanaDePrueba& v) {
    return QString::fromStdString(vortena::TextoGeneral(4.5, v.ventana->regional()));
}

}  // namespace

class VentanaPlazoPrueba : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private slots:
    void initTestCase() {
        // The remembered settings go to a folder of this run only.
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }

    void corridaCorta() {
        VentanaDePrueba v;
        DosRamas(v);
        VentanaPlazo* w = Abrir(v);
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        AjustesCortos(w, QStringLiteral("4000"));
        Escribir(w->findChild<QLineEdit*>(QStringLiteral("deseado")), CuatroYMedio(v));

        QSignalSpy fin(w, &VentanaPlazo::terminada);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("simular")), Qt::LeftButton);
        QVERIFY(w->Corriendo());
        // The interface thread stays free while the run goes on.
        QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("simular"))->isEnabled());
        QVERIFY(w->findChild<QPushButton*>(QStringLiteral("cancelar"))->isEnabled());
        QVERIFY(fin.wait(120000));
        QVERIFY(w->Resultado() != nullptr);
        const vortena::ResultadoLinea& r = *w->Resultado();
        QCOMPARE(r.replicas, 3);
        QCOMPARE(r.deseado, 4.5);
        QCOMPARE(w->findChild<QProgressBar*>(QStringLiteral("progreso"))->value(), 1000);

        // The odds in large type with their half-width.
        const QString prob = w->findChild<QLabel*>(QStringLiteral("probabilidad"))->text();
        QVERIFY2(prob.contains(vortena::TextoPorcentaje(r.linea[vortena::sim::kPdeseado].valor,
                                                        v.ventana->regional()) +
                               QStringLiteral(" ± ")),
                 qPrintable(prob));
        const QString cifras = w->findChild<QLabel*>(QStringLiteral("cifras"))->text();
        QVERIFY(cifras.contains(QStringLiteral("Producción: ")));
        QVERIFY(cifras.contains(QStringLiteral("Unidades en la línea: ")));
        // Three branches: three routes of a third each, three centres sorted
        // by their share of the lead time.
        auto* rutas = w->findChild<QTableWidget*>(QStringLiteral("rutas"));
        QCOMPARE(rutas->rowCount(), 3);
        auto* tabla = w->findChild<QTableWidget*>(QStringLiteral("tabla"));
        QCOMPARE(tabla->rowCount(), 3);
        double antes = 2;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(std::fabs(rutas->item(i, 1)->data(Qt::UserRole).toDouble() - 1 / 3.0) < 0.05);
            const double c = tabla->item(i, 2)->data(Qt::UserRole).toDouble();
            QVERIFY(c <= antes);
            antes = c;
        }
        // Each centre shaded by its class while the window is open.
        const auto& capas = v.ventana->editor().capas();
        for (const vortena::CentroLinea& c : r.centros) {
            const vortena::Color* color = capas.Relleno(c.posicion);
            QVERIFY(color != nullptr);
            QCOMPARE(*color, vortena::SombreadoAporte(r).relleno.at(c.posicion));
        }

        // The S-curve tells the value under the mouse.
        auto* curva = w->findChild<vortena::CurvaS*>();
        QVERIFY(curva != nullptr);
        QAbstractSeries* escalera = curva->chart()->series().at(0);
        // P50 and P90 are separate legend entries carrying their values; the
        // PERT's and the desired time's lines are both there.
        QStringList nombres;
        for (QAbstractSeries* s : curva->chart()->series()) nombres << s->name();
        const double p50 = r.linea[vortena::sim::kP50].valor;
        QVERIFY2(nombres.contains(QStringLiteral("P50 = ") +
                                  vortena::TextoTiempo(p50, v.ventana->regional())),
                 qPrintable(nombres.join(QLatin1Char('|'))));
        QCOMPARE(nombres.filter(QStringLiteral("P90 = ")).size(), 1);
        QCOMPARE(nombres.filter(QStringLiteral("PERT = ")).size(), 1);
        QCOMPARE(nombres.filter(QStringLiteral("Deseado = ")).size(), 1);
        QVERIFY(curva->chart()->localizeNumbers());
        QCOMPARE(curva->chart()->locale().decimalPoint(),
                 QString::fromStdString(vortena::TextoGeneral(0.5, v.ventana->regional())).at(1));
        const QPointF enEscena = curva->chart()->mapToPosition(QPointF(p50, 0.5), escalera);
        for (const QPoint& p :
             {curva->mapFromScene(enEscena) + QPoint(0, 30), curva->mapFromScene(enEscena)}) {
            QMouseEvent mover(QEvent::MouseMove, p, curva->viewport()->mapToGlobal(p), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(curva->viewport(), &mover);
        }
        QTRY_VERIFY(!curva->Senalado().isEmpty());

        // "Guardar imagen…" writes a PNG of the charts.
        QTemporaryDir dir;
        v.dialogos.nombresGuardar.push_back((dir.path() + QStringLiteral("/plazo")).toStdString());
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("guardarImagen")),
                          Qt::LeftButton);
        QImage imagen(dir.path() + QStringLiteral("/plazo.png"));
        QVERIFY(!imagen.isNull());
        QVERIFY(imagen.width() > 300);

        if (qEnvironmentVariableIsSet("VORTENA_CAPTURA")) {
            const QString carpeta = qEnvironmentVariable("VORTENA_CAPTURA");
            w->grab().save(carpeta + QStringLiteral("/plazo-linea.png"));
            v.ventana->grab().save(carpeta + QStringLiteral("/plazo-linea-lienzo.png"));
        }

        // An edit makes the results out of date; the figures stay.
        auto* aviso = w->findChild<QLabel*>(QStringLiteral("desactualizada"));
        QVERIFY(!aviso->isVisible());
        v.red.Centros(4).Mu = 1.8;
        w->RevisarRed();
        QVERIFY(w->Desactualizada());
        QVERIFY(aviso->isVisible());
        QCOMPARE(aviso->text(), QStringLiteral("Resultados desactualizados: vuelva a simular"));
        // Stale criticality is no longer painted on the canvas.
        QTRY_VERIFY(v.ventana->editor().capas().Vacia());

        // Closing takes the shading away.
        w->close();
        QVERIFY(v.ventana->editor().capas().Vacia());
    }

    void cancelarNoCambiaNada() {
        VentanaDePrueba v;
        DosRamas(v);
        VentanaPlazo* w = Abrir(v);
        QVERIFY(w != nullptr);
        AjustesCortos(w, QStringLiteral("900000000"));
        QSignalSpy fin(w, &VentanaPlazo::terminada);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("simular")), Qt::LeftButton);
        QTest::qWait(50);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cancelar")), Qt::LeftButton);
        QVERIFY(fin.wait(10000));
        QVERIFY(w->Resultado() == nullptr);
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("estado"))
                    ->text()
                    .contains(QStringLiteral("cancelada")));
        QVERIFY(v.ventana->editor().capas().Vacia());
        QVERIFY(w->findChild<QPushButton*>(QStringLiteral("simular"))->isEnabled());
        w->close();
    }

    // The last settings come back in the next window, of any session.
    void recuerdaLosAjustes() {
        VentanaDePrueba v;
        VentanaPlazo* w = Abrir(v);
        QVERIFY(w != nullptr);
        QCOMPARE(w->findChild<vortena::CampoNumerico*>(QStringLiteral("replicas"))->value(), 3.0);
        QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("deseado"))->text(), CuatroYMedio(v));
        // A desired time that is not a number stops the run before it starts.
        Escribir(w->findChild<QLineEdit*>(QStringLiteral("deseado")), QStringLiteral("pronto"));
        QVERIFY(!w->Simular());
        QVERIFY(!w->Corriendo());
        w->close();
    }
};

QTEST_MAIN(VentanaPlazoPrueba)
#include "VentanaPlazoPrueba.moc"
