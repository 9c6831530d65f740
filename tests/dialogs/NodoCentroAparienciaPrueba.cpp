// How the property dialogs look: captions, the grey read-only boxes, fixed
// borders, and no label, button or box cut off or spilling out of its frame
// on any page. With VORTENA_CAPTURAS naming a folder, each dialog and page
// is also written there as PNG, for a person to look at.

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "BancoPropiedades.h"
#include "dialogs/Arco.h"
#include "dialogs/CajaEntrada.h"
#include "dialogs/NodoCentro.h"
#include "dialogs/NodoFinal.h"
#include "dialogs/ProbEstados.h"

using namespace vortena;
using namespace vortena::prueba;

namespace {

void Capturar(QWidget* w, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("VORTENA_CAPTURAS");
    if (carpeta.isEmpty()) return;
    QDir().mkpath(carpeta);
    QVERIFY(w->grab().save(QDir(carpeta).filePath(nombre + QStringLiteral(".png"))));
}

// Every visible label and button shows its whole text, and every visible
// control lies inside its parent.
void NadaCortado(QWidget* raiz, const QString& donde) {
    for (QWidget* w : raiz->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(raiz) || w->isWindow()) continue;
        const QString quien = donde + QStringLiteral(": ") + w->metaObject()->className() +
                              QStringLiteral(" ") + w->objectName();
        if (qobject_cast<QLabel*>(w)) {
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(quien));
            QVERIFY2(w->height() >= w->minimumSizeHint().height(), qPrintable(quien));
        }
        // A style's minimum button width is no need; the caption must fit.
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            const int texto = b->fontMetrics().horizontalAdvance(b->text());
            QVERIFY2(b->width() >= texto + 8, qPrintable(quien));
            QVERIFY2(b->height() >= b->fontMetrics().height(), qPrintable(quien));
        }
        if (QWidget* p = w->parentWidget())
            QVERIFY2(p->rect().contains(w->geometry()), qPrintable(quien));
    }
}

void CajasDeLectura(QWidget* raiz) {
    for (QLineEdit* e : raiz->findChildren<QLineEdit*>()) {
        const bool entrada = qobject_cast<CajaEntrada*>(e) != nullptr;
        QVERIFY2(e->isReadOnly() != entrada, qPrintable(e->objectName()));
        if (!entrada) {
            QCOMPARE(e->palette().color(QPalette::Base), QColor(192, 192, 192));
            QVERIFY(!(e->focusPolicy() & Qt::TabFocus));
        }
    }
}

void BordeFijo(QWidget* d) {
    QVERIFY(!(d->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(d->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(d->minimumSize(), d->maximumSize());
}

}  // namespace

class NodoCentroAparienciaPrueba : public QObject {
    Q_OBJECT
private slots:
    void centro_data();
    void centro();
    void nota();
    void nodoFinalYArco();
    void tablaDeEstados();
};

void NodoCentroAparienciaPrueba::centro_data() {
    QTest::addColumn<QString>("loc");
    QTest::addColumn<bool>("pert");
    QTest::newRow("es") << "es" << true;
    QTest::newRow("en") << "en" << false;
}

void NodoCentroAparienciaPrueba::centro() {
    QFETCH(QString, loc);
    QFETCH(bool, pert);
    BancoPropiedades b(RegionalDe(loc));
    b.centro().Nombre = "Torno CNC 12";
    b.centro().Descripción = "Mecanizado de ejes";
    b.centro().TempranoWH = b.centro().tardioWH = pert;
    b.centro().tmpoTardio = 12.5;
    b.centro().tmpoTemprano = 11.5;
    NodoCentro d(b.ctx);
    Mostrar(&d);
    QCOMPARE(d.windowTitle(), QStringLiteral("Propiedades del Centro Productivo"));
    BordeFijo(&d);
    CajasDeLectura(&d);

    auto* pestanas = Hijo<QTabWidget>(&d, "Propiedades");
    const QStringList titulos = {"Generales", "Cola", "Económicas", "Pert",
                                 "Distribuciones de Probabilidad"};
    QCOMPARE(pestanas->count(), titulos.size());
    QCOMPARE(pestanas->currentIndex(), 0);
    for (int i = 0; i < pestanas->count(); ++i) {
        QCOMPARE(pestanas->tabText(i), titulos[i]);
        QCOMPARE(pestanas->widget(i)->objectName(), QStringLiteral("Cuadro(%1)").arg(i));
        pestanas->setCurrentIndex(i);
        QCoreApplication::processEvents();
        NadaCortado(&d, titulos[i]);
        Capturar(&d, QStringLiteral("NodoCentro-%1-%2").arg(loc).arg(i));
    }
    for (const char* b : {"minimos", "optimo", "optimo1"}) {
        auto* boton = Hijo<QAbstractButton>(&d, b);
        QVERIFY(boton->text().isEmpty());
        QVERIFY(!boton->icon().isNull());
        QVERIFY(!boton->toolTip().isEmpty());
    }
}

void NodoCentroAparienciaPrueba::nota() {
    BancoPropiedades b;
    NodoCentro d(b.ctx);
    QCOMPARE(std::string(kExplicacionDesviaciones),
             std::string("Los valores por defecto corresponden a \r\n"
                         "un sistema de cola de tipo M/M/1). La \r\n"
                         "modificación de estos valores permite la \r\n"
                         "especificación de distintos tipos de \r\n"
                         "Distribuciones de Probabilidad para las \r\n"
                         "velocidades de Arribo y Despacho.\r\n"));
    QCOMPARE(Hijo<QLabel>(&d, "ExpDesviaciones")->text().count(QLatin1Char('\n')), 5);
}

void NodoCentroAparienciaPrueba::nodoFinalYArco() {
    BancoPropiedades b;
    b.red.CentroActual = 3;
    b.red.ConexionActual = 1;
    b.red.Centros(2).Nombre = "Torno CNC 12";
    NodoFinal f(b.ctx);
    Mostrar(&f);
    BordeFijo(&f);
    QCOMPARE(Hijo<QTabWidget>(&f, "opciones")->tabText(0), QStringLiteral("Propiedades"));
    NadaCortado(&f, QStringLiteral("NodoFinal"));
    Capturar(&f, QStringLiteral("NodoFinal"));
    f.close();

    Arco a(b.ctx);
    Mostrar(&a);
    BordeFijo(&a);
    CajasDeLectura(&a);
    QCOMPARE(Hijo<QTabWidget>(&a, "opciones")->tabText(0), QStringLiteral("Propiedades"));
    QCOMPARE(Hijo<QGroupBox>(&a, "nodos")->title(), QStringLiteral("Nodos que conecta"));
    NadaCortado(&a, QStringLiteral("Arco"));
    Capturar(&a, QStringLiteral("Arco"));
    a.close();
}

void NodoCentroAparienciaPrueba::tablaDeEstados() {
    BancoPropiedades b;
    ProbEstados w(b.red, b.mensajes, b.reg);
    Mostrar(&w);
    BordeFijo(&w);
    NadaCortado(&w, QStringLiteral("ProbEstados"));
    Capturar(&w, QStringLiteral("ProbEstados"));
}

QTEST_MAIN(NodoCentroAparienciaPrueba)
#include "NodoCentroAparienciaPrueba.moc"
