// The one numeric field: its rule in both locales, and every numeric field of
// the simulation, lead-time and front windows driven through it on the real
// main window (the property and search dialogs have their own tests).

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <cmath>
#include <vector>

#include "VentanaDePrueba.h"
#include "widgets/CampoNumerico.h"

using namespace vortena;
using vortena::prueba::VentanaDePrueba;

namespace {

void Escribir(QLineEdit* e, const QString& texto) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, texto);
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

class PruebaCampoNumerico : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Vortena"), QStringLiteral("Vortena")).clear();
    }

    // Typed as a user types: the user's separator reads, the other one is
    // refused by name, exponents read the same way, and nothing is grouped.
    void reglaEnAmbasRegiones_data() {
        QTest::addColumn<bool>("coma");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("valor");  // NaN: refused
        QTest::addColumn<QString>("motivo");
        const double no = std::nan("");
        const QString coma = QStringLiteral("Use la coma decimal: 1,5");
        const QString punto = QStringLiteral("Use el punto decimal: 1.5");
        QTest::newRow("es coma") << true << "1,5" << 1.5 << "";
        QTest::newRow("es punto") << true << "1.5" << no << coma;
        QTest::newRow("es exponente") << true << "1,5e3" << 1500.0 << "";
        QTest::newRow("es punto y exponente") << true << "1.5e5" << no << coma;
        QTest::newRow("es grupo") << true << "1.000" << no << coma;
        QTest::newRow("es negativo") << true << "-1" << no << "Debe ser un número mayor que 0.";
        QTest::newRow("es cero") << true << "0" << no << "Debe ser un número mayor que 0.";
        QTest::newRow("en punto") << false << "1.5" << 1.5 << "";
        QTest::newRow("en coma") << false << "1,5" << no << punto;
        QTest::newRow("en exponente") << false << "1.5E-3" << 0.0015 << "";
        QTest::newRow("en grupo") << false << "1,000" << no << punto;
        QTest::newRow("vacío") << false << "" << no << "Escriba un número.";
    }
    void reglaEnAmbasRegiones() {
        QFETCH(bool, coma);
        QFETCH(QString, texto);
        QFETCH(double, valor);
        QFETCH(QString, motivo);
        QWidget ventana;
        auto* otro = new QLineEdit(&ventana);
        auto* campo = new CampoNumerico("campo", coma ? Regional::Espanol() : Regional::Ingles(),
                                        Admisible::Positivo(), &ventana);
        campo->setValue(7);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        Escribir(campo, texto);
        otro->setFocus();
        const Lectura l = campo->Tomar();
        if (std::isnan(valor)) {
            QVERIFY(!l.valor);
            QCOMPARE(Q(l.motivo), motivo);
            // Kept as typed, with the focus and the reason beside it.
            QCOMPARE(campo->text(), texto);
            QVERIFY(campo->hasFocus());
            QCOMPARE(campo->toolTip(), motivo);
            QVERIFY(campo->palette().color(QPalette::Base) !=
                    otro->palette().color(QPalette::Base));
            QCOMPARE(campo->value(), 7.0);  // the last value admitted
        } else {
            QVERIFY(l.valor);
            QCOMPARE(*l.valor, valor);
            QVERIFY(!campo->hasFocus());
            QCOMPARE(campo->toolTip(), QString());
            QCOMPARE(campo->value(), valor);
        }
    }

    // Every numeric field of the windows is the shared field, and each one
    // refuses the other separator when the window takes its values: the
    // text stays, the field has the focus, the status line names the form.
    void cadaCampoDeCadaVentana_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("estado");
        const QString coma = QStringLiteral("Use la coma decimal: 1,5");
        struct Ventana {
            const char *menu, *clase, *boton;
            std::vector<const char*> campos;
        };
        const Ventana ventanas[] = {
            {"mnSimCentros",
             "VentanaSimulacion",
             "btSimular",
             {"replicas", "clientes", "calentamiento", "semilla"}},
            {"mnPlazo",
             "VentanaPlazo",
             "simular",
             {"replicas", "clientes", "calentamiento", "semilla", "deseado"}},
            {"mnFrente",
             "VentanaFrente",
             "calcular",
             {"extra", "poblacion", "generaciones", "semilla", "deseado"}},
        };
        for (const Ventana& v : ventanas)
            for (const char* c : v.campos)
                QTest::addRow("%s %s", v.clase, c)
                    << v.menu << v.clase << v.boton << c << "1.5" << coma;
        // Whole numbers and a desired time that makes no sense.
        QTest::newRow("simulación 1,5 réplicas") << "mnSimCentros"
                                                 << "VentanaSimulacion"
                                                 << "btSimular"
                                                 << "replicas"
                                                 << "1,5"
                                                 << "Las réplicas: Debe ser un entero de 2 a 1000.";
        QTest::newRow("plazo deseado -1") << "mnPlazo"
                                          << "VentanaPlazo"
                                          << "simular"
                                          << "deseado"
                                          << "-1"
                                          << "Tiempo deseado: Debe ser un número mayor que 0.";
        QTest::newRow("frente deseado 0") << "mnFrente"
                                          << "VentanaFrente"
                                          << "calcular"
                                          << "deseado"
                                          << "0"
                                          << "Tiempo deseado: Debe ser un número mayor que 0.";
    }
    void cadaCampoDeCadaVentana() {
        QFETCH(QString, menu);
        QFETCH(QString, ventana);
        QFETCH(QString, boton);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, estado);
        VentanaDePrueba v;
        v.ventana->PonerRegional(Regional::Espanol());
        v.Menu(menu.toLatin1().constData());
        QWidget* w = nullptr;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == ventana && t->isVisible()) w = t;
        QVERIFY(w != nullptr);
        QVERIFY(w->findChildren<QAbstractSpinBox*>().isEmpty());
        auto* b = w->findChild<QPushButton*>(boton);
        QTRY_VERIFY(b->isEnabled());  // the front computes on opening
        auto* e = w->findChild<CampoNumerico*>(campo);
        QVERIFY(e != nullptr);
        Escribir(e, texto);
        b->setFocus();
        QTest::mouseClick(b, Qt::LeftButton);
        // The status line names the field, then says why.
        const QString dicho = w->findChild<QLabel*>(QStringLiteral("estado"))->text();
        QVERIFY2(dicho.endsWith(estado), qPrintable(dicho));
        QCOMPARE(e->text(), texto);
        QVERIFY(w->focusWidget() == e);
        // VORTENA_CAPTURAS=DIR keeps a picture of each refusal, to look at.
        const QString capturas = qEnvironmentVariable("VORTENA_CAPTURAS");
        if (!capturas.isEmpty())
            w->grab().save(capturas + QLatin1Char('/') + ventana + QLatin1Char('-') + campo +
                           QLatin1Char('-') + QString::number(texto.size()) + ".png");
        w->close();
    }
};

QTEST_MAIN(PruebaCampoNumerico)
#include "CampoNumericoPrueba.moc"
