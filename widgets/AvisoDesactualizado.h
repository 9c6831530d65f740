#pragma once
// The banner a window shows over its results once they no longer belong to
// the network on screen. Every results window uses this one widget, so they
// all say it alike: a bold line on an amber bar, hidden while the results
// are current.

#include <QLabel>
#include <QString>

namespace vortena {

class AvisoDesactualizado : public QLabel {
    Q_OBJECT
public:
    // `texto` names what to do about it ("vuelva a simular").
    explicit AvisoDesactualizado(const QString& texto, QWidget* parent = nullptr);

    // Shows the banner (true) or hides it.
    void Poner(bool desactualizado);
    // As set by Poner, whether or not the window is on screen.
    bool Activo() const { return activo_; }

private:
    bool activo_ = false;
};

}  // namespace vortena
