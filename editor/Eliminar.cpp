#include "editor/Editor.h"
#include "editor/MensajesEdicion.h"

namespace vortena {

namespace {

// Removes connection q from a node's outgoing (salidas) or incoming list
// through the list protocol, closing the gap.
void QuitarDeLista(CentroProductivo& c, std::int16_t q, bool salidas) {
    std::int16_t& tam = salidas ? c.tamSE : c.tamEE;
    int k = 0;
    while (k <= tam && (salidas ? c.SalidaLista(k) : c.Entrada(k)) != q) ++k;
    if (k > tam) return;
    for (int j = k; j < tam; ++j) {
        c.indice = static_cast<std::int16_t>(j + 1);
        salidas ? c.FExtraer() : c.IExtraer();
        c.indice = static_cast<std::int16_t>(j);
        salidas ? c.FInsertar() : c.IInsertar();
    }
    // Removing the only entry leaves the list as it is, marked empty.
    if (tam > 0) {
        const auto n = static_cast<std::int16_t>(tam - 1);
        salidas ? c.dimNFin(n) : c.dimNInicio(n);
    }
    --tam;
}

// Lowers every entry above q by one.
void BajarEntradas(CentroProductivo& c, std::int16_t q, bool salidas) {
    const std::int16_t tam = salidas ? c.tamSE : c.tamEE;
    for (int i = 0; i <= tam; ++i) {
        c.indice = static_cast<std::int16_t>(i);
        salidas ? c.FExtraer() : c.IExtraer();
        if (c.valor > q) {
            c.valor -= 1;
            salidas ? c.FInsertar() : c.IInsertar();
        }
    }
}

// Position of the first node with this name, 0 when there is none.
std::int16_t Buscar(const Red& red, bool inicio) {
    for (int i = 1; i <= red.Centros.Count(); ++i) {
        const CentroProductivo& c = red.Centros(i);
        if (inicio ? c.EsInicio() : c.EsFin()) return static_cast<std::int16_t>(i);
    }
    return 0;
}

}  // namespace

void Editor::EliminarSeleccion(int tipo) {
    if (tipo == 2) {
        EliminarConexion();
    } else if (tipo == 1 && red_.Centros.Existe(red_.CentroActual)) {
        CentroProductivo& c = red_.Centros(red_.CentroActual);
        if (!c.EsCentro()) {
            msj_.Mostrar(kNodoNoEliminable, kTituloVentana, Botones::Aceptar, Icono::Critico);
        } else {
            // Each pass removes the first remaining connection of the list.
            for (int n = c.tamEE; n >= 0 && c.tamEE >= 0; --n) {
                red_.ConexionActual = c.Entrada(0);
                EliminarConexion();
            }
            for (int n = c.tamSE; n >= 0 && c.tamSE >= 0; --n) {
                red_.ConexionActual = c.SalidaLista(0);
                EliminarConexion();
            }
            QuitarCentro();
        }
    }
    // Refused or not, the canvas is repainted from the store.
    sup_.Limpiar();
    RedibujarTodo();
}

void Editor::EliminarConexion() {
    const std::int16_t q = red_.ConexionActual;
    if (!red_.Conexiones.Existe(q)) return;
    const linea& l = red_.Conexiones(q);
    if (red_.Centros.Existe(l.CentroInicio)) QuitarDeLista(red_.Centros(l.CentroInicio), q, true);
    if (red_.Centros.Existe(l.CentroFin)) QuitarDeLista(red_.Centros(l.CentroFin), q, false);
    RenumerarConexiones();
    red_.Conexiones.Quitar(q);
    red_.ConexionActual = 0;
}

void Editor::RenumerarConexiones() {
    const std::int16_t q = red_.ConexionActual;
    for (int i = q + 1; i <= red_.Conexiones.Count(); ++i)
        red_.Conexiones(i).posicion = static_cast<std::int16_t>(i - 1);
    for (CentroProductivo& c : red_.Centros) {
        BajarEntradas(c, q, false);
        BajarEntradas(c, q, true);
    }
}

void Editor::QuitarCentro() {
    const std::int16_t p = red_.CentroActual;
    if (!red_.Centros.Existe(p)) return;
    for (int i = p + 1; i <= red_.Centros.Count(); ++i)
        red_.Centros(i).posicion = static_cast<std::int16_t>(i - 1);
    for (linea& l : red_.Conexiones) {
        if (l.CentroInicio > p) --l.CentroInicio;
        if (l.CentroFin > p) --l.CentroFin;
    }
    red_.Centros.Quitar(p);
    red_.CentroActual = 0;

    // The markers shift like every other position, so a marker moved onto a
    // centre keeps following it. A marker whose own node goes back to the
    // start or end node (or to the first or last node if that is gone too).
    auto seguir = [&](std::int16_t& marca, bool inicio) {
        if (marca > p) {
            --marca;
        } else if (marca == p) {
            marca = Buscar(red_, inicio);
            if (marca == 0) marca = static_cast<std::int16_t>(inicio ? 1 : red_.Centros.Count());
        }
    };
    seguir(red_.NodoInicio, true);
    seguir(red_.NodoFin, false);
}

}  // namespace vortena
