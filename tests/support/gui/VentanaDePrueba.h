#pragma once
// The real main window for widget tests: a fresh store, recording dialogs (no
// modal box ever opens), a temporary program folder, and helpers that drive
// the canvas with mouse and key events in canvas twips.

#include <QAction>
#include <QColor>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <memory>
#include <string>

#include "dialogs/VentanasPrincipal.h"
#include "editor/gui/BarraDeEstado.h"
#include "editor/gui/Fondo.h"
#include "editor/gui/PaletaHerramientas.h"
#include "editor/gui/Principal.h"
#include "support/DialogosGrabados.h"

namespace vortena::prueba {

class VentanaDePrueba {
public:
    VentanaDePrueba() {
        // Recent files go to a settings file of the tests, never the user's.
        QStandardPaths::setTestModeEnabled(true);
        ventana = std::make_unique<Principal>(red, dialogos, carpeta.path());
        InstalarVentanas(*ventana);
        ventana->resize(1000, 700);
        ventana->show();
        ventana->activateWindow();
        if (!QTest::qWaitForWindowActive(ventana.get()))
            qWarning("la ventana no llegó a activarse");
    }

    QTemporaryDir carpeta;
    Red red;
    DialogosGrabados dialogos;
    std::unique_ptr<Principal> ventana;

    Fondo* fondo() const { return ventana->fondo(); }

    // Canvas twips to a pixel of the canvas widget. Tests use multiples of
    // 15 so the canvas reads back exactly the twips given.
    static QPoint Pixel(float x, float y) {
        return QPoint(static_cast<int>(std::lround(x / 15.0f)),
                      static_cast<int>(std::lround(y / 15.0f)));
    }
    void Presionar(float x, float y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(fondo(), b, Qt::NoModifier, Pixel(x, y));
    }
    void Soltar(float x, float y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(fondo(), b, Qt::NoModifier, Pixel(x, y));
    }
    void Clic(float x, float y, Qt::MouseButton b = Qt::LeftButton) {
        Presionar(x, y, b);
        Soltar(x, y, b);
    }
    void Arrastrar(float xa, float ya, float xb, float yb, Qt::MouseButton b = Qt::LeftButton) {
        Presionar(xa, ya, b);
        Soltar(xb, yb, b);
    }
    void Suprimir() { QTest::keyClick(fondo(), Qt::Key_Delete); }

    // Clicks the tool button Herramienta(i), i = 0..4.
    void Herramienta(int i) {
        QTest::mouseClick(ventana->herramientas()->Boton(i), Qt::LeftButton);
    }
    QAction* Accion(const char* nombre) const {
        return ventana->findChild<QAction*>(QString::fromLatin1(nombre));
    }
    // A menu entry, run as the menu runs it.
    void Menu(const char* nombre) {
        QAction* a = Accion(nombre);
        QVERIFY2(a != nullptr, nombre);
        a->trigger();
    }
    // A toolbar button, clicked with the mouse.
    void Boton(const char* nombre) {
        QAction* a = Accion(nombre);
        QVERIFY2(a != nullptr, nombre);
        auto* barra = ventana->findChild<QToolBar*>(QStringLiteral("BHerramientas"));
        QWidget* w = barra->widgetForAction(a);
        QVERIFY2(w != nullptr, nombre);
        QTest::mouseClick(w, Qt::LeftButton);
    }

    // Colour of the canvas at a point given in twips.
    QColor Color(float x, float y) const {
        const QPoint p = Pixel(x, y);
        return fondo()->Imagen().pixelColor(p);
    }
    QString Panel(int n) const { return ventana->barraDeEstado()->Panel(n); }
    std::string Ultimo() const {
        return dialogos.vistos().empty() ? std::string() : dialogos.vistos().back().texto;
    }
};

}  // namespace vortena::prueba

// Failed comparisons of messages print both texts.
namespace std {
inline char* toString(const std::string& s) {
    return QTest::toString(QString::fromStdString(s));
}
}  // namespace std
