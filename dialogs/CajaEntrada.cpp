#include "dialogs/CajaEntrada.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace vortena {

CajaEntrada::CajaEntrada(const char* nombre, QWidget* padre) : CampoNumerico(nombre, padre) {}

void CajaEntrada::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        emit enter();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void CajaEntrada::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Coming back from another window (a message box) keeps the caret where
    // it was, as every text box does.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    selectAll();
    // The mouse press that brought the focus places the caret after this.
    if (e->reason() == Qt::MouseFocusReason) QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

QLineEdit* CajaLectura(const char* nombre, QWidget* padre) {
    auto* caja = new QLineEdit(padre);
    caja->setObjectName(QString::fromUtf8(nombre));
    caja->setReadOnly(true);
    caja->setFocusPolicy(Qt::ClickFocus);
    QPalette pal = caja->palette();
    pal.setColor(QPalette::Base, QColor(192, 192, 192));
    caja->setPalette(pal);
    return caja;
}

}  // namespace vortena
