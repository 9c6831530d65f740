// The help viewer: start page, back/forward/home from the toolbar and the
// menu (doing nothing, silently, where there is no page to go to), exit, and
// the resize rule.

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "dialogs/Ayuda.h"

using vortena::Ayuda;

namespace {

void Escribir(const QString& ruta, const QString& contenido) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenido.toUtf8());
}

QTextBrowser* Navegador(Ayuda& a) {
    return a.findChild<QTextBrowser*>(QStringLiteral("brwWebBrowser"));
}

// A command from the toolbar (clicking its button) or from the menu.
void Orden(Ayuda& a, const QString& origen, const QString& clave) {
    if (origen == QLatin1String("barra")) {
        auto* barra = a.findChild<QToolBar*>(QStringLiteral("tbToolBar"));
        QVERIFY(barra);
        QAction* accion = barra->findChild<QAction*>(clave);
        QVERIFY(accion);
        QTest::mouseClick(barra->widgetForAction(accion), Qt::LeftButton);
        return;
    }
    const QString menu = clave == QLatin1String("Back")      ? QStringLiteral("mnAnterior")
                         : clave == QLatin1String("Forward") ? QStringLiteral("mnSiguiente")
                                                             : QStringLiteral("mnInicio");
    QAction* item = a.findChild<QAction*>(menu);
    QVERIFY(item);
    item->trigger();
}

}  // namespace

class AyudaPrueba : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void abreLaPaginaDeInicio_data();
    void abreLaPaginaDeInicio();
    void sinPaginaAnteriorNiSiguiente_data();
    void sinPaginaAnteriorNiSiguiente();
    void navegacion_data();
    void navegacion();
    void claveDesconocidaNoHaceNada();
    void salirCierra();
    void ajusteDeTamano_data();
    void ajusteDeTamano();

private:
    QTemporaryDir carpeta_;
    QString Pagina(const QString& nombre) const {
        return carpeta_.filePath(QStringLiteral("documentacion/") + nombre);
    }
    void SeguirEnlace(Ayuda& a);
};

void AyudaPrueba::initTestCase() {
    QVERIFY(carpeta_.isValid());
    QVERIFY(QDir(carpeta_.path()).mkpath(QStringLiteral("documentacion")));
    Escribir(Pagina(QStringLiteral("ayuda.htm")),
             QStringLiteral("<html><head><title>Portada</title></head><body>"
                            "<p><a href=\"segunda.htm\">Segunda</a></p></body></html>"));
    Escribir(Pagina(QStringLiteral("segunda.htm")),
             QStringLiteral("<html><head><title>Segunda</title></head><body>"
                            "<p>Otra página</p></body></html>"));
}

void AyudaPrueba::SeguirEnlace(Ayuda& a) {
    QTextBrowser* n = Navegador(a);
    QTextCursor c = n->document()->find(QStringLiteral("Segunda"));
    QVERIFY(!c.isNull());
    c.setPosition(c.selectionStart() + 3);
    QTest::mouseClick(n->viewport(), Qt::LeftButton, {}, n->cursorRect(c).center());
    QTRY_COMPARE(n->source(), QUrl::fromLocalFile(Pagina(QStringLiteral("segunda.htm"))));
}

void AyudaPrueba::abreLaPaginaDeInicio_data() {
    QTest::addColumn<bool>("conSeparador");
    QTest::newRow("carpeta con separador final") << true;
    QTest::newRow("carpeta sin separador final") << false;
}

void AyudaPrueba::abreLaPaginaDeInicio() {
    QFETCH(bool, conSeparador);
    Ayuda a(carpeta_.path() + (conSeparador ? QStringLiteral("/") : QString()));
    QVERIFY(a.isVisible());
    QCOMPARE(a.StartingAddress, Pagina(QStringLiteral("ayuda.htm")));
    QCOMPARE(Navegador(a)->source(), QUrl::fromLocalFile(a.StartingAddress));
    QCOMPARE(Navegador(a)->documentTitle(), QStringLiteral("Portada"));
}

void AyudaPrueba::sinPaginaAnteriorNiSiguiente_data() {
    QTest::addColumn<QString>("origen");
    QTest::addColumn<QString>("clave");
    QTest::newRow("atrás, barra") << QStringLiteral("barra") << QStringLiteral("Back");
    QTest::newRow("atrás, menú") << QStringLiteral("menu") << QStringLiteral("Back");
    QTest::newRow("adelante, barra") << QStringLiteral("barra") << QStringLiteral("Forward");
    QTest::newRow("adelante, menú") << QStringLiteral("menu") << QStringLiteral("Forward");
}

void AyudaPrueba::sinPaginaAnteriorNiSiguiente() {
    QFETCH(QString, origen);
    QFETCH(QString, clave);
    Ayuda a(carpeta_.path());
    const QUrl inicial = Navegador(a)->source();
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    Orden(a, origen, clave);
    Orden(a, origen, clave);
    QCOMPARE(Navegador(a)->source(), inicial);
    QCOMPARE(Navegador(a)->documentTitle(), QStringLiteral("Portada"));
    QVERIFY(a.isVisible());
}

void AyudaPrueba::navegacion_data() {
    QTest::addColumn<QString>("origen");
    QTest::newRow("barra") << QStringLiteral("barra");
    QTest::newRow("menú") << QStringLiteral("menu");
}

void AyudaPrueba::navegacion() {
    QFETCH(QString, origen);
    Ayuda a(carpeta_.path());
    const QUrl portada = QUrl::fromLocalFile(Pagina(QStringLiteral("ayuda.htm")));
    const QUrl segunda = QUrl::fromLocalFile(Pagina(QStringLiteral("segunda.htm")));
    SeguirEnlace(a);

    Orden(a, origen, QStringLiteral("Back"));
    QCOMPARE(Navegador(a)->source(), portada);
    Orden(a, origen, QStringLiteral("Forward"));
    QCOMPARE(Navegador(a)->source(), segunda);
    Orden(a, origen, QStringLiteral("Home"));
    QCOMPARE(Navegador(a)->source(), portada);
    // Home is a new page: back returns to where the user was.
    Orden(a, origen, QStringLiteral("Back"));
    QCOMPARE(Navegador(a)->source(), segunda);
}

void AyudaPrueba::claveDesconocidaNoHaceNada() {
    Ayuda a(carpeta_.path());
    SeguirEnlace(a);
    const QUrl antes = Navegador(a)->source();
    a.PulsarBoton(QStringLiteral("Stop"));
    a.PulsarBoton(QString());
    QCOMPARE(Navegador(a)->source(), antes);
    QVERIFY(Navegador(a)->isBackwardAvailable());
}

void AyudaPrueba::salirCierra() {
    Ayuda a(carpeta_.path());
    QAction* salir = a.findChild<QAction*>(QStringLiteral("mnSalir"));
    QVERIFY(salir);
    salir->trigger();
    QVERIFY(!a.isVisible());
}

void AyudaPrueba::ajusteDeTamano_data() {
    // Pixels at 15 twips each: 5000 twips is 333.3 px, 6000 twips 400 px.
    QTest::addColumn<QSize>("pedido");
    QTest::addColumn<QSize>("esperado");
    QTest::newRow("estrecha") << QSize(200, 500) << QSize(400, 500);
    QTest::newRow("baja") << QSize(500, 200) << QSize(500, 333);
    QTest::newRow("estrecha y baja") << QSize(150, 150) << QSize(400, 333);
    QTest::newRow("justo bajo el límite") << QSize(333, 600) << QSize(400, 600);
    QTest::newRow("en el límite") << QSize(334, 334) << QSize(334, 334);
    QTest::newRow("amplia") << QSize(900, 700) << QSize(900, 700);
}

void AyudaPrueba::ajusteDeTamano() {
    QFETCH(QSize, pedido);
    QFETCH(QSize, esperado);
    QCOMPARE(Ayuda::TamanoAjustado(pedido), esperado);

    Ayuda a(carpeta_.path());
    a.resize(pedido);
    QTRY_COMPARE(a.size(), esperado);

    // The browser: 120 twips in from the left, 600 below the menu bar, the
    // window's width less 240 and its height less 1200.
    QTextBrowser* n = Navegador(a);
    const QRect enVentana(n->mapTo(&a, QPoint(0, 0)), n->size());
    QCOMPARE(enVentana.left(), 8);
    QCOMPARE(enVentana.width(), esperado.width() - 16);
    QCOMPARE(enVentana.top(), a.menuBar()->height() + 40);
    QCOMPARE(enVentana.height(), esperado.height() - 80);
    QVERIFY(enVentana.bottom() < a.height());
}

QTEST_MAIN(AyudaPrueba)
#include "AyudaPrueba.moc"
