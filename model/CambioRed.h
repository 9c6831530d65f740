#pragma once
// What one action changed in the store, small enough for a long history on a
// large network. A step keeps the records the action added or removed and
// the records whose saved content changed; the renumbering that a removal
// causes in every other record (positions, list entries, connection ends) is
// not kept but redone from the positions alone.
//
// The document is what a saved file holds: results of the computations, the
// selection and the list protocol's scratch registers (indice, valor) are
// not part of it, so a change of those alone is no step, and undoing a step
// leaves them as they are in records it does not swap back.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/Red.h"

namespace vortena {

// The store as it was when an action began, with each record's address:
// records keep their address in a Coleccion, which tells a record that moved
// from one that was replaced.
class FotoRed {
public:
    explicit FotoRed(const Red& red);

private:
    friend class CambioRed;
    std::vector<CentroProductivo> centros_;
    std::vector<const CentroProductivo*> dirCentros_;
    std::vector<linea> conexiones_;
    std::vector<const linea*> dirConexiones_;
    std::int16_t nodoInicio_, nodoFin_;
    bool errorCalculo_, mostrarCriticos_;
};

// A node's saved fields that are not numbers, kept when they changed.
struct Listas {
    std::int16_t tamEE = -1, tamSE = -1;
    std::vector<std::int16_t> entradas, salidas;
};
struct OtrosCampos {
    bool nombre = false, descripcion = false, listas = false;
    std::string Nombre, Descripcion;
    Listas l;
};

// A record present on both sides whose saved content changed: only the
// fields that differ are kept, with their value on the side not in the
// store now (a step that changes every server count of a large network
// holds one number per centre).
struct Retazo {
    int antes = 0, despues = 0;
    std::uint32_t primero = 0;  // its first field in `valores`
    std::uint16_t cuantos = 0;
    std::int32_t otros = -1;  // its entry in `otros`, -1 for none
};
struct Valor {
    std::uint8_t campo;  // numbered as in Campo<T>
    double v;
};

// The change of one collection. Indices are 1-based; "antes" numbers the
// collection before the action, "despues" after it.
template <class T>
struct CambioColeccion {
    int nAntes = 0, nDespues = 0;
    std::vector<int> quitados;   // antes indices of removed records, ascending
    std::vector<int> agregados;  // despues indices of added records, ascending
    // The records not in the store now: the removed ones while the change is
    // applied, the added ones while it is undone (aligned with the indices).
    std::vector<std::unique_ptr<T>> fuera;
    std::vector<Retazo> retazos;
    std::vector<Valor> valores;
    std::vector<OtrosCampos> otros;

    bool Renumera() const { return !quitados.empty() || !agregados.empty(); }
    bool Vacio() const { return !Renumera() && retazos.empty(); }
};

class CambioRed {
public:
    // The change from `antes` to the store, nothing when the document is
    // the same.
    static std::optional<CambioRed> Medir(const FotoRed& antes, const Red& red);

    // The store must be as the change left it (Deshacer) or as it found it
    // (Rehacer); false, with the store untouched, when its sizes say it is not.
    bool Deshacer(Red& red);
    bool Rehacer(Red& red);

    // False when the step only moved boxes or connections or rewrote a
    // description: nothing a computation reads changed.
    bool CambiaCalculo() const { return cambiaCalculo_; }

    // Memory held by the step, roughly.
    std::size_t Bytes() const;

private:
    bool Aplicar(Red& red, bool haciaDespues);

    CambioColeccion<CentroProductivo> centros_;
    CambioColeccion<linea> conexiones_;
    // The scalar fields of the store that the action changed, with their
    // value on the side not in the store now; the others are left alone.
    std::int16_t nodoInicio_ = 0, nodoFin_ = 0;
    bool errorCalculo_ = false, mostrarCriticos_ = false;
    bool cambiaInicio_ = false, cambiaFin_ = false, cambiaError_ = false, cambiaCriticos_ = false;
    bool cambiaCalculo_ = false;
};

}  // namespace vortena
