#pragma once
// The splash window: the program's first window. It closes after `Tiempo`
// runs out or on a click, and announces it once with `cerrado()` so that the
// main window can take over.

#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;

namespace vortena {

class Inicio : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIntervalo = 5000;  // ms

    explicit Inicio(QWidget* parent = nullptr);

    // Tests shorten the wait; it applies to the next opening.
    void PonerIntervalo(int milisegundos);

    QTimer Tiempo;

signals:
    void cerrado();

protected:
    void showEvent(QShowEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    QFrame* frmEncabezado;
    QLabel* imgEncabezado;
    QLabel* lblPreTitulo;
    QLabel* lblTitulo;
    QLabel* lblVersion;
    QLabel* imgLogo;
    bool avisado_ = false;
};

}  // namespace vortena
