#pragma once
// The launcher's front page: a borderless grey window with the credit and
// course labels, "Ingresar", which opens the index beside the launcher in the
// browser, and "Salir". Both buttons end the launcher.

#include <QPoint>
#include <QWidget>

class QPushButton;

namespace vortena::lanzador {

class Escritorio;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // `carpeta` is the launcher's folder as the platform reports it.
    Form1(const QString& carpeta, Escritorio& escritorio, QWidget* parent = nullptr);

    void Ingresar();
    void Salir();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;

private:
    QString carpeta_;
    Escritorio& escritorio_;
    QPushButton* Command1;
    QPushButton* Command2;
    QPoint agarre_;  // where a drag of the borderless window started
};

}  // namespace vortena::lanzador
