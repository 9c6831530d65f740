#include "model/CambioRed.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <type_traits>
#include <unordered_map>

#include "model/CamposGuardados.h"

namespace vortena {

namespace {

// Bit for bit, so a change is never lost to -0 == 0 (floats arrive widened).
bool Igual(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Position of a record on one side to its position on the other side, for
// the records present on both; INT_MIN, which no stored position equals,
// for any other value.
class Mapa {
public:
    // `salen` are removed from the side mapped from (n records), `entran`
    // added on the side mapped to (m records); the rest keep their order.
    Mapa(int n, const std::vector<int>& salen, int m, const std::vector<int>& entran)
        : destino_(static_cast<std::size_t>(n) + 1, INT_MIN),
          identidad_(salen.empty() && entran.empty()) {
        auto s = salen.begin();
        auto e = entran.begin();
        int i = 1;
        for (int j = 1; j <= n; ++j) {
            if (s != salen.end() && *s == j) {
                ++s;
                continue;
            }
            while (e != entran.end() && *e == i) {
                ++e;
                ++i;
            }
            if (i <= m) destino_[static_cast<std::size_t>(j)] = i++;
        }
    }
    int operator()(int v) const {
        if (v < 1 || static_cast<std::size_t>(v) >= destino_.size()) return INT_MIN;
        return destino_[static_cast<std::size_t>(v)];
    }
    bool Queda(int v) const { return (*this)(v) != INT_MIN; }
    bool Identidad() const { return identidad_; }

private:
    std::vector<int> destino_;
    bool identidad_;
};

// Entries 0..tam of a list, mapped, equal to the other record's.
bool MismaLista(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& d, int tam,
                const Mapa& conexiones) {
    const auto n = static_cast<std::size_t>(tam + 1);
    if (tam < 0) return true;
    if (a.size() < n || d.size() < n) return false;
    for (std::size_t k = 0; k < n; ++k)
        if (conexiones(a[k]) != d[k]) return false;
    return true;
}

std::vector<std::int16_t> EnUso(const std::vector<std::int16_t>& lista, int tam) {
    const std::size_t n = std::min(lista.size(), static_cast<std::size_t>(std::max(tam + 1, 0)));
    return {lista.begin(), lista.begin() + static_cast<std::ptrdiff_t>(n)};
}

Listas LeerListas(const CentroProductivo& c) {
    return Listas{c.tamEE, c.tamSE, EnUso(c.ListaEntradas(), c.tamEE),
                  EnUso(c.ListaSalidas(), c.tamSE)};
}

// Through the list protocol, leaving the scratch registers as they were.
void EscribirListas(CentroProductivo& c, const Listas& l) {
    const std::int16_t indice = c.indice;
    const double valor = c.valor;
    c.tamEE = l.tamEE;
    c.dimNInicio(l.tamEE);
    for (std::size_t k = 0; k < l.entradas.size() && static_cast<int>(k) <= l.tamEE; ++k) {
        c.indice = static_cast<std::int16_t>(k);
        c.valor = l.entradas[k];
        c.IInsertar();
    }
    c.tamSE = l.tamSE;
    c.dimNFin(l.tamSE);
    for (std::size_t k = 0; k < l.salidas.size() && static_cast<int>(k) <= l.tamSE; ++k) {
        c.indice = static_cast<std::int16_t>(k);
        c.valor = l.salidas[k];
        c.FInsertar();
    }
    c.indice = indice;
    c.valor = valor;
}

const Mapa& MapaDeReferencia(Referencia r, const Mapa& centros, const Mapa& conexiones) {
    return r == Referencia::Centro ? centros : conexiones;
}

// Adds the patch that turns `d` (after) back into `a` (before), fields
// compared with `a`'s references renumbered; nothing when they agree.
template <class T>
void Comparar(CambioColeccion<T>& c, int j, int i, const T& a, const T& d, const Mapa& centros,
              const Mapa& conexiones) {
    Retazo r;
    r.antes = j;
    r.despues = i;
    r.primero = static_cast<std::uint32_t>(c.valores.size());
    for (std::size_t id = 0; id < Campo<T>::kCuantos; ++id) {
        const double va = Campo<T>::Leer(a, id);
        const double vd = Campo<T>::Leer(d, id);
        const Referencia ref = Campo<T>::Refiere(id);
        const bool igual = ref == Referencia::Ninguna
                               ? Igual(va, vd)
                               : MapaDeReferencia(ref, centros, conexiones)(static_cast<int>(va)) ==
                                     static_cast<int>(vd);
        if (!igual) {
            c.valores.push_back(Valor{static_cast<std::uint8_t>(id), va});
            ++r.cuantos;
        }
    }
    if constexpr (std::is_same_v<T, CentroProductivo>) {
        OtrosCampos o;
        o.nombre = a.Nombre != d.Nombre;
        o.descripcion = a.Descripción != d.Descripción;
        o.listas = a.tamEE != d.tamEE || a.tamSE != d.tamSE ||
                   !MismaLista(a.ListaEntradas(), d.ListaEntradas(), a.tamEE, conexiones) ||
                   !MismaLista(a.ListaSalidas(), d.ListaSalidas(), a.tamSE, conexiones);
        if (o.nombre || o.descripcion || o.listas) {
            if (o.nombre) o.Nombre = a.Nombre;
            if (o.descripcion) o.Descripcion = a.Descripción;
            if (o.listas) o.l = LeerListas(a);
            r.otros = static_cast<std::int32_t>(c.otros.size());
            c.otros.push_back(std::move(o));
        }
    }
    if (r.cuantos > 0 || r.otros >= 0) c.retazos.push_back(r);
}

// Swaps the patched fields of a record with the values kept in the step.
template <class T>
void Intercambiar(T& registro, CambioColeccion<T>& c, const Retazo& r) {
    for (std::uint32_t k = r.primero; k < r.primero + r.cuantos; ++k) {
        Valor& v = c.valores[k];
        const double actual = Campo<T>::Leer(registro, v.campo);
        Campo<T>::Escribir(registro, v.campo, v.v);
        v.v = actual;
    }
    if constexpr (std::is_same_v<T, CentroProductivo>) {
        if (r.otros < 0) return;
        OtrosCampos& o = c.otros[static_cast<std::size_t>(r.otros)];
        if (o.nombre) std::swap(registro.Nombre, o.Nombre);
        if (o.descripcion) std::swap(registro.Descripción, o.Descripcion);
        if (o.listas) {
            Listas actual = LeerListas(registro);
            EscribirListas(registro, o.l);
            o.l = std::move(actual);
        }
    }
}

// A value mapped to the other side; one that has no image stays as it is
// (a field renumbered here passed the comparison, so that never happens).
std::int16_t Nuevo(const Mapa& m, std::int16_t v) {
    const int d = m(v);
    return d == INT_MIN ? v : static_cast<std::int16_t>(d);
}

// Renumbers the references of a record that the step does not patch.
template <class T>
void Renumerar(T& registro, const CambioColeccion<T>& c, const Retazo* r, const Mapa& centros,
               const Mapa& conexiones) {
    auto parchado = [&](std::size_t id) {
        if (r == nullptr) return false;
        for (std::uint32_t k = r->primero; k < r->primero + r->cuantos; ++k)
            if (c.valores[k].campo == id) return true;
        return false;
    };
    for (std::size_t id = 0; id < Campo<T>::kCuantos; ++id) {
        const Referencia ref = Campo<T>::Refiere(id);
        if (ref == Referencia::Ninguna || parchado(id)) continue;
        const Mapa& m = MapaDeReferencia(ref, centros, conexiones);
        if (m.Identidad()) continue;
        const auto v = static_cast<std::int16_t>(Campo<T>::Leer(registro, id));
        Campo<T>::Escribir(registro, id, Nuevo(m, v));
    }
    if constexpr (std::is_same_v<T, CentroProductivo>) {
        if (conexiones.Identidad()) return;
        if (r != nullptr && r->otros >= 0 && c.otros[static_cast<std::size_t>(r->otros)].listas)
            return;
        Listas l = LeerListas(registro);
        bool cambia = false;
        for (auto* lista : {&l.entradas, &l.salidas})
            for (std::int16_t& e : *lista) {
                const std::int16_t nuevo = Nuevo(conexiones, e);
                cambia = cambia || nuevo != e;
                e = nuevo;
            }
        if (cambia) EscribirListas(registro, l);
    }
}

// Records present on both sides are told by their address, in order: an
// address seen again out of order (freed and reused within the action)
// counts as a removal and an addition.
template <class T>
std::vector<std::pair<int, int>> Emparejar(const std::vector<const T*>& antes,
                                           const Coleccion<T>& despues, CambioColeccion<T>& c) {
    c.nAntes = static_cast<int>(antes.size());
    c.nDespues = despues.Count();
    std::vector<std::pair<int, int>> pares;
    pares.reserve(static_cast<std::size_t>(std::min(c.nAntes, c.nDespues)));
    bool mismos = c.nAntes == c.nDespues;
    for (int i = 1; mismos && i <= c.nDespues; ++i)
        mismos = &despues(i) == antes[static_cast<std::size_t>(i - 1)];
    if (mismos) {
        for (int i = 1; i <= c.nDespues; ++i) pares.emplace_back(i, i);
        return pares;
    }
    std::unordered_map<const T*, int> donde;
    donde.reserve(antes.size());
    for (int j = 1; j <= c.nAntes; ++j) donde.emplace(antes[static_cast<std::size_t>(j - 1)], j);
    std::vector<char> visto(static_cast<std::size_t>(c.nAntes) + 1, 0);
    int ultimo = 0;
    for (int i = 1; i <= c.nDespues; ++i) {
        const auto it = donde.find(&despues(i));
        if (it != donde.end() && it->second > ultimo) {
            ultimo = it->second;
            visto[static_cast<std::size_t>(ultimo)] = 1;
            pares.emplace_back(ultimo, i);
        } else {
            c.agregados.push_back(i);
        }
    }
    for (int j = 1; j <= c.nAntes; ++j)
        if (!visto[static_cast<std::size_t>(j)]) c.quitados.push_back(j);
    return pares;
}

template <class T>
Mapa MapaDe(const CambioColeccion<T>& c, bool haciaDespues) {
    return haciaDespues ? Mapa(c.nAntes, c.quitados, c.nDespues, c.agregados)
                        : Mapa(c.nDespues, c.agregados, c.nAntes, c.quitados);
}

// Moves one collection from one side to the other: renumbers the records
// present on both sides, swaps the patched fields, then takes out the
// leaving records and puts in the entering ones.
template <class T>
void Aplicar(Coleccion<T>& col, CambioColeccion<T>& c, bool haciaDespues, const Mapa& centros,
             const Mapa& conexiones, bool renumerar) {
    const int n = col.Count();
    std::vector<int> retazoDe(static_cast<std::size_t>(n) + 1, -1);
    for (std::size_t k = 0; k < c.retazos.size(); ++k) {
        const int i = haciaDespues ? c.retazos[k].antes : c.retazos[k].despues;
        retazoDe[static_cast<std::size_t>(i)] = static_cast<int>(k);
    }
    if (renumerar) {
        const Mapa& propio = std::is_same_v<T, CentroProductivo> ? centros : conexiones;
        for (int i = 1; i <= n; ++i) {
            if (!propio.Queda(i)) continue;
            const int k = retazoDe[static_cast<std::size_t>(i)];
            Renumerar(col(i), c, k < 0 ? nullptr : &c.retazos[static_cast<std::size_t>(k)], centros,
                      conexiones);
        }
    }
    for (const Retazo& r : c.retazos) Intercambiar(col(haciaDespues ? r.antes : r.despues), c, r);

    const std::vector<int>& salen = haciaDespues ? c.quitados : c.agregados;
    const std::vector<int>& entran = haciaDespues ? c.agregados : c.quitados;
    std::vector<std::unique_ptr<T>> salidos(salen.size());
    for (std::size_t k = salen.size(); k-- > 0;) salidos[k] = col.Extraer(salen[k]);
    for (std::size_t k = 0; k < entran.size(); ++k) col.Insertar(entran[k], std::move(c.fuera[k]));
    c.fuera = std::move(salidos);
}

std::size_t Bytes(const CentroProductivo& c) {
    auto texto = [](const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; };
    return sizeof c + texto(c.Nombre) + texto(c.Descripción) +
           (c.ListaEntradas().capacity() + c.ListaSalidas().capacity()) * sizeof(std::int16_t);
}
std::size_t Bytes(const linea& l) {
    return sizeof l;
}

template <class T>
std::size_t Bytes(const CambioColeccion<T>& c) {
    std::size_t b = (c.quitados.capacity() + c.agregados.capacity()) * sizeof(int) +
                    c.fuera.capacity() * sizeof(std::unique_ptr<T>) +
                    c.retazos.capacity() * sizeof(Retazo) + c.valores.capacity() * sizeof(Valor) +
                    c.otros.capacity() * sizeof(OtrosCampos);
    for (const auto& r : c.fuera) b += Bytes(*r);
    for (const OtrosCampos& o : c.otros)
        b += o.Nombre.capacity() + o.Descripcion.capacity() +
             (o.l.entradas.capacity() + o.l.salidas.capacity()) * sizeof(std::int16_t);
    return b;
}

// Whether a patch touches more than the drawing: a box's or a line's
// corners (the first four fields) and a description are read by no
// computation. A name is: it tells the start and end nodes from a centre.
template <class T>
bool TocaCalculo(const CambioColeccion<T>& c) {
    for (const Retazo& r : c.retazos) {
        for (std::uint32_t k = r.primero; k < r.primero + r.cuantos; ++k)
            if (c.valores[k].campo >= CamposGuardados<T>::flotantes.size()) return true;
        if (r.otros >= 0) {
            const OtrosCampos& o = c.otros[static_cast<std::size_t>(r.otros)];
            if (o.nombre || o.listas) return true;
        }
    }
    return false;
}

}  // namespace

FotoRed::FotoRed(const Red& red)
    : nodoInicio_(red.NodoInicio),
      nodoFin_(red.NodoFin),
      errorCalculo_(red.ErrorCalculo),
      mostrarCriticos_(red.MostrarCriticos) {
    centros_.reserve(static_cast<std::size_t>(red.Centros.Count()));
    dirCentros_.reserve(static_cast<std::size_t>(red.Centros.Count()));
    for (const CentroProductivo& c : red.Centros) {
        centros_.push_back(c);
        dirCentros_.push_back(&c);
    }
    conexiones_.reserve(static_cast<std::size_t>(red.Conexiones.Count()));
    dirConexiones_.reserve(static_cast<std::size_t>(red.Conexiones.Count()));
    for (const linea& l : red.Conexiones) {
        conexiones_.push_back(l);
        dirConexiones_.push_back(&l);
    }
}

std::optional<CambioRed> CambioRed::Medir(const FotoRed& antes, const Red& red) {
    CambioRed c;
    const auto paresC = Emparejar(antes.dirCentros_, red.Centros, c.centros_);
    const auto paresQ = Emparejar(antes.dirConexiones_, red.Conexiones, c.conexiones_);
    const Mapa fC = MapaDe(c.centros_, true);
    const Mapa fQ = MapaDe(c.conexiones_, true);

    for (const auto& [j, i] : paresC)
        Comparar(c.centros_, j, i, antes.centros_[static_cast<std::size_t>(j - 1)], red.Centros(i),
                 fC, fQ);
    for (const auto& [j, i] : paresQ)
        Comparar(c.conexiones_, j, i, antes.conexiones_[static_cast<std::size_t>(j - 1)],
                 red.Conexiones(i), fC, fQ);
    for (int j : c.centros_.quitados)
        c.centros_.fuera.push_back(
            std::make_unique<CentroProductivo>(antes.centros_[static_cast<std::size_t>(j - 1)]));
    for (int j : c.conexiones_.quitados)
        c.conexiones_.fuera.push_back(
            std::make_unique<linea>(antes.conexiones_[static_cast<std::size_t>(j - 1)]));

    c.nodoInicio_ = antes.nodoInicio_;
    c.nodoFin_ = antes.nodoFin_;
    c.errorCalculo_ = antes.errorCalculo_;
    c.mostrarCriticos_ = antes.mostrarCriticos_;
    c.cambiaInicio_ = antes.nodoInicio_ != red.NodoInicio;
    c.cambiaFin_ = antes.nodoFin_ != red.NodoFin;
    c.cambiaError_ = antes.errorCalculo_ != red.ErrorCalculo;
    c.cambiaCriticos_ = antes.mostrarCriticos_ != red.MostrarCriticos;
    // The flags of the last computation alone make no step.
    if (c.centros_.Vacio() && c.conexiones_.Vacio() && !c.cambiaInicio_ && !c.cambiaFin_)
        return std::nullopt;
    c.cambiaCalculo_ = c.centros_.Renumera() || c.conexiones_.Renumera() || c.cambiaInicio_ ||
                       c.cambiaFin_ || TocaCalculo(c.centros_) || TocaCalculo(c.conexiones_);
    return c;
}

bool CambioRed::Deshacer(Red& red) {
    return Aplicar(red, false);
}
bool CambioRed::Rehacer(Red& red) {
    return Aplicar(red, true);
}

bool CambioRed::Aplicar(Red& red, bool haciaDespues) {
    const int nC = haciaDespues ? centros_.nAntes : centros_.nDespues;
    const int nQ = haciaDespues ? conexiones_.nAntes : conexiones_.nDespues;
    if (red.Centros.Count() != nC || red.Conexiones.Count() != nQ) return false;

    const Mapa mC = MapaDe(centros_, haciaDespues);
    const Mapa mQ = MapaDe(conexiones_, haciaDespues);
    const bool renumerar = centros_.Renumera() || conexiones_.Renumera();
    vortena::Aplicar(red.Centros, centros_, haciaDespues, mC, mQ, renumerar);
    vortena::Aplicar(red.Conexiones, conexiones_, haciaDespues, mC, mQ, renumerar);

    if (cambiaInicio_) std::swap(red.NodoInicio, nodoInicio_);
    if (cambiaFin_) std::swap(red.NodoFin, nodoFin_);
    if (cambiaError_) std::swap(red.ErrorCalculo, errorCalculo_);
    if (cambiaCriticos_) std::swap(red.MostrarCriticos, mostrarCriticos_);
    return true;
}

std::size_t CambioRed::Bytes() const {
    return sizeof *this + vortena::Bytes(centros_) + vortena::Bytes(conexiones_);
}

}  // namespace vortena
