#pragma once
// The properties of one productive centre: its inputs, everything its queue
// model computes, its costs and its PERT result, on five pages. An entry
// takes effect when Enter is pressed in its box, when the box loses the focus
// to another control, and before Calcular and Aceptar run, always with the
// same checks; Cancelar drops an entry not yet taken. Aceptar then writes the
// boxes back. Whichever way it closes, the centre is redrawn with the blue
// outline of the selection.

#include <QDialog>
#include <QString>
#include <array>

#include "dialogs/CamposCentro.h"
#include "dialogs/ContextoPropiedades.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vortena {

class CajaEntrada;

inline constexpr int kPaginasCentro = 5;

class NodoCentro : public QDialog {
    Q_OBJECT
public:
    // Edits the centre at ctx.red.CentroActual, which must exist. Opening
    // computes its measures and shows them on the first page.
    explicit NodoCentro(const ContextoPropiedades& ctx, QWidget* parent = nullptr);
    ~NodoCentro() override;

    // Fills every box and the PERT label from the record.
    void MostrarDatos();
    // Writes the entry boxes and the PERT boxes into the record. False, with
    // the message shown, the box focused and nothing written, when a box
    // holds what its Enter would refuse. A box still showing the text the
    // dialog put there keeps the stored value, unrounded.
    bool GuardarDatos();

protected:
    void done(int resultado) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    // Layout (NodoCentroDiseno.cpp).
    void Construir();
    QWidget* PaginaGenerales();
    QWidget* PaginaCola();
    QWidget* PaginaEconomicas();
    QWidget* PaginaPert();
    QWidget* PaginaDistribuciones();
    void OrdenTabulacion();

    void Conectar();
    CentroProductivo& Centro();
    QString Texto(double valor, const char* patron) const;
    // Runs an action and marks the document modified when it changed what
    // the network file keeps.
    template <class Accion>
    void Registrando(Accion&& accion);
    void Enfocar(QWidget* w);
    void Rechazar(QLineEdit* caja, const char* texto, const char* titulo, bool critico);

    // The entries; `porEnter` moves the focus on after a success. True when
    // the entry was taken.
    bool EntradaNumerica(CampoCentro campo, bool porEnter = true);
    bool EntradaNombre(bool porEnter = true);
    bool GuardarDescripcion();
    // Takes every box edited and not yet taken; false, on the refused box,
    // when one is refused.
    bool ConfirmarPendientes();
    // A name or description the file's code page can hold; otherwise says
    // which character it cannot and focuses `caja`.
    bool TextoGuardable(QWidget* caja, const QString& texto);
    void PonerTexto(CampoCentro campo, const QString& texto);
    void Calcular();
    void Minimos();
    void Optimo(QWidget* foco);
    void CalcularProbabilidad();
    void MostrarEstados();
    void Aceptar();

    ContextoPropiedades ctx_;
    bool cerrado_ = false;
    bool confirmando_ = false;
    // What the dialog itself last put in each box.
    std::array<QString, kCamposCentro> mostrado_{};

    QTabWidget* Propiedades = nullptr;
    std::array<QWidget*, kPaginasCentro> Cuadro{};
    std::array<CajaEntrada*, kCamposCentro> cajas_{};

    CajaEntrada* Nombre = nullptr;
    QPlainTextEdit* Descripcion = nullptr;
    QLineEdit* Rho = nullptr;
    QLineEdit* Trafico = nullptr;
    QPushButton* minimos = nullptr;
    QPushButton* optimo = nullptr;

    QLineEdit* MaximaCola = nullptr;
    QPushButton* calcProbabilidad = nullptr;
    QPushButton* maxCola = nullptr;
    QLineEdit* L = nullptr;
    QLineEdit* Lq = nullptr;
    QLineEdit* P0 = nullptr;
    QLineEdit* Pn = nullptr;
    QLineEdit* W = nullptr;
    QLineEdit* Wq = nullptr;

    QLineEdit* CesperaCentro = nullptr;
    QLineEdit* CtotalServidores = nullptr;
    QLineEdit* CentroTotal = nullptr;
    QLineEdit* CImpServ = nullptr;
    QLineEdit* CEsperaCola = nullptr;
    QLineEdit* ImpTotal = nullptr;
    QPushButton* optimo1 = nullptr;

    QLineEdit* TTemprano = nullptr;
    QLineEdit* TTardio = nullptr;
    QLineEdit* Flotamiento = nullptr;
    QLabel* lblPert = nullptr;

    QLabel* ExpDesviaciones = nullptr;

    QPushButton* Aplicar = nullptr;
    QPushButton* aceptar = nullptr;
    QPushButton* cancelar = nullptr;
};

// The note beside the deviations, six lines as the form holds it.
extern const char* const kExplicacionDesviaciones;

}  // namespace vortena
