#pragma once
// A network and everything the property dialogs need, without the main
// window: the new-document network (INICIO 1, a default centre 2, FIN 3;
// connections 1 -> 2 and 2 -> 3), a recording canvas, recording message
// boxes and a fake document. Plus helpers that type into the dialogs' boxes
// with real key events.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>
#include <algorithm>

#include "dialogs/ContextoPropiedades.h"
#include "support/DocumentoFalso.h"
#include "support/MensajesGrabados.h"
#include "support/SuperficieGrabada.h"

namespace vortena::prueba {

inline Regional RegionalDe(const QString& nombre) {
    return nombre == QLatin1String("en") ? Regional::Ingles() : Regional::Espanol();
}

struct BancoPropiedades {
    explicit BancoPropiedades(Regional r = Regional::Espanol())
        : reg(r), editor(red, sup, mensajes, r), ctx{red, editor, mensajes, doc, r} {
        editor.DiagramaInicial();
        red.CentroActual = 2;
        sup.Olvidar();
    }

    Regional reg;
    Red red;
    SuperficieGrabada sup;
    MensajesGrabados mensajes;
    DocumentoFalso doc;
    Editor editor;
    ContextoPropiedades ctx;

    CentroProductivo& centro() { return red.Centros(2); }
    CentroProductivo& fin() { return red.Centros(3); }
    // Forgets what opening a dialog said and drew.
    void Olvidar() {
        mensajes.vistos.clear();
        doc.llamadasBarra.clear();
        doc.Modificado = false;
        sup.Olvidar();
    }
    bool Marcado() const {
        return std::find(doc.llamadasBarra.begin(), doc.llamadasBarra.end(), true) !=
               doc.llamadasBarra.end();
    }
    std::string Mensaje() const {
        return mensajes.vistos.empty() ? "" : mensajes.vistos.back().texto;
    }
};

template <class T = QWidget>
T* Hijo(QWidget* dialogo, const char* nombre) {
    T* w = dialogo->findChild<T*>(QString::fromUtf8(nombre));
    if (!w) qFatal("no hay control %s", nombre);
    return w;
}

// Types a text key by key. QTest maps only ASCII to key codes; other
// letters go as the text of an unknown key, as an input method sends them.
inline void Escribir(QWidget* w, const QString& texto) {
    for (const QChar ch : texto) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(w, static_cast<char>(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Replaces the box's text by typing, as the user does after the box took the
// focus with its text selected.
inline void Teclear(QLineEdit* caja, const QString& texto) {
    caja->setFocus(Qt::TabFocusReason);
    caja->selectAll();
    if (texto.isEmpty()) {
        QTest::keyClick(caja, Qt::Key_Delete);
        return;
    }
    Escribir(caja, texto);
}

inline void Enter(QWidget* w) {
    QTest::keyClick(w, Qt::Key_Return);
}

inline void Clic(QPushButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

// Object name of the dialog's focus child ("" for none).
inline QString Foco(QWidget* dialogo) {
    QWidget* f = dialogo->focusWidget();
    return f ? f->objectName() : QString();
}

// Closes a dialog the way the user names it: "aceptar", "cancelar",
// "escape" or "cierre" (the window's close box); "" leaves it as it is.
inline void Cerrar(QWidget* dialogo, const QString& como) {
    if (como == QLatin1String("aceptar") || como == QLatin1String("cancelar"))
        Clic(Hijo<QPushButton>(dialogo, como.toUtf8().constData()));
    else if (como == QLatin1String("escape"))
        QTest::keyClick(dialogo->focusWidget() ? dialogo->focusWidget() : dialogo, Qt::Key_Escape);
    else if (como == QLatin1String("cierre"))
        dialogo->close();
}

// Shows a dialog without a modal loop and waits until it can take keys.
inline void Mostrar(QWidget* dialogo) {
    dialogo->show();
    if (!QTest::qWaitForWindowActive(dialogo)) qWarning("el diálogo no llegó a activarse");
}

}  // namespace vortena::prueba
