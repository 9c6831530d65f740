// "Propagar variabilidad" in the real main window: its place in the menu, one
// undoable step with the modified mark, and a saturated centre that stops it.

#include <QMenu>
#include <QTest>

#include "VentanaDePrueba.h"

using vortena::prueba::VentanaDePrueba;

class VentanaVariabilidad : public QObject {
    Q_OBJECT

private slots:
    void despuesDePropagarLamdaYUnPasoDeshacible() {
        VentanaDePrueba v;
        const QList<QAction*> linea = v.ventana->findChild<QMenu*>("mnLinea")->actions();
        const qsizetype p = linea.indexOf(v.Accion("mnPropagar"));
        QVERIFY(p >= 0 && p + 1 < linea.size());
        QCOMPARE(linea.at(p + 1), v.Accion("mnVariabilidad"));
        QCOMPARE(v.Accion("mnVariabilidad")->text(), QStringLiteral("Propagar variabilidad"));

        // Prensa (fed by INICIO) -> Horno (constant) -> Inspección.
        v.dialogos.nombresAbrir.push_back(std::string(VORTENA_SOURCE_DIR) +
                                          "/examples/desviaciones.vtq");
        v.ventana->Modificado = false;  // no save prompt for the new network
        v.Menu("mnAbrir");
        QCOMPARE(v.red.Centros.Count(), 5);
        QVERIFY(!v.ventana->Modificado);
        const double prensa = v.red.Centros(2).Desvlamda, horno = v.red.Centros(3).Desvlamda;

        v.Menu("mnVariabilidad");
        QVERIFY(v.dialogos.vistos().empty());
        QVERIFY(v.ventana->Modificado);
        QCOMPARE(v.Accion("mnDeshacer")->text(), QStringLiteral("Deshacer Propagar variabilidad"));
        QCOMPARE(v.red.Centros(2).Desvlamda, prensa);
        QVERIFY(v.red.Centros(3).Desvlamda > horno);  // Prensa passes its bursts on

        // Nothing left to change: no second step.
        v.Menu("mnVariabilidad");
        v.fondo()->setFocus();
        QTest::keyClick(v.fondo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(v.red.Centros(3).Desvlamda, horno);
        QVERIFY(!v.ventana->Modificado);
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());

        // Inspección with one server of rate 4 for 5 units a time unit.
        v.red.Centros(4).Servidores = 1;
        v.ventana->RedReemplazada();
        v.Menu("mnVariabilidad");
        QCOMPARE(v.dialogos.vistos().size(), std::size_t{1});
        QVERIFY(v.dialogos.vistos()[0].texto.find("el centro Inspección") != std::string::npos);
        QCOMPARE(v.red.Centros(3).Desvlamda, horno);
        QVERIFY(!v.Accion("mnDeshacer")->isEnabled());
    }
};

QTEST_MAIN(VentanaVariabilidad)
#include "VentanaVariabilidad.moc"
