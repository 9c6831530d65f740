#include "widgets/CampoNumerico.h"

#include <QPalette>

namespace vortena {

CampoNumerico::CampoNumerico(const char* nombre, QWidget* padre) : QLineEdit(padre) {
    setObjectName(QString::fromUtf8(nombre));
    connect(this, &QLineEdit::textChanged, this, [this] { Marcar(false); });
}

CampoNumerico::CampoNumerico(const char* nombre, const Regional& reg, const Admisible& admite,
                             QWidget* padre)
    : CampoNumerico(nombre, padre) {
    Configurar(reg, admite);
}

void CampoNumerico::Configurar(const Regional& reg, const Admisible& admite) {
    reg_ = reg;
    admite_ = admite;
    Marcar(false);
}

void CampoNumerico::MostrarValor(double v) {
    setText(QString::fromStdString(TextoGeneral(v, reg_)));
}

void CampoNumerico::setValue(double v) {
    valor_ = v;
    MostrarValor(v);
}

double CampoNumerico::value() const {
    return Leer().valor.value_or(valor_);
}

Lectura CampoNumerico::Leer() const {
    if (!admite_) return {std::nullopt, "No es un campo numérico."};
    return LeerAdmisible(text().toStdString(), *admite_, reg_);
}

Lectura CampoNumerico::Tomar() {
    Lectura l = Leer();
    if (!l.valor) {
        Marcar(true);
        setFocus(Qt::OtherFocusReason);
    } else {
        valor_ = *l.valor;  // what was taken, not what was half typed
    }
    return l;
}

// A refused text gets a pale red background and its reason as the tooltip;
// an empty field is not marked while it is being typed into.
void CampoNumerico::Marcar(bool vacio) {
    const bool leer = admite_ && (vacio || !text().trimmed().isEmpty());
    const Lectura l = leer ? Leer() : Lectura{0.0, {}};
    const bool marcar = !l.valor;
    if (marcar == marcado_ && (!marcar || toolTip() == QString::fromStdString(l.motivo))) return;
    marcado_ = marcar;
    setToolTip(marcar ? QString::fromStdString(l.motivo) : QString());
    QPalette p = palette();
    if (marcar) {
        p.setColor(QPalette::Base, QColor(255, 228, 225));
    } else {
        p.setColor(QPalette::Base, QPalette().color(QPalette::Base));
    }
    setPalette(p);
}

}  // namespace vortena
