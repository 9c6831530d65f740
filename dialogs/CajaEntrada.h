#pragma once
// A one-line entry box of the property dialogs, the program's numeric field
// (widgets/CampoNumerico.h) once configured. Enter runs the box's entry
// procedure instead of reaching the dialog's default button, and the whole
// text is selected whenever the user brings the focus in, so typing replaces
// the value.

#include <QLineEdit>

#include "widgets/CampoNumerico.h"

namespace vortena {

class CajaEntrada : public CampoNumerico {
    Q_OBJECT
public:
    CajaEntrada(const char* nombre, QWidget* padre);

signals:
    void enter();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
};

// A read-only box: grey background (192, 192, 192), locked against typing,
// reachable by the mouse (to copy a value) but skipped by Tab.
QLineEdit* CajaLectura(const char* nombre, QWidget* padre);

}  // namespace vortena
