#include <vector>

#include "editor/Editor.h"
#include "editor/MensajesEdicion.h"

namespace vortena {

// Would a connection from `origen` to `nodo` close a cycle, i.e. is `origen`
// reachable from `nodo`? Depth-first along the outgoing lists with a visited
// set and an explicit stack: every node and connection is looked at once, so
// the cost is linear in the network whatever the number of paths, and a deep
// chain cannot exhaust the call stack.
bool Editor::ProduceCiclo(std::int16_t origen, std::int16_t nodo) {
    if (!red_.Centros.Existe(nodo)) return false;
    std::vector<char> visto(static_cast<std::size_t>(red_.Centros.Count()) + 1, 0);
    std::vector<std::int16_t> pendientes{nodo};
    visto[static_cast<std::size_t>(nodo)] = 1;
    while (!pendientes.empty()) {
        const CentroProductivo& c = red_.Centros(pendientes.back());
        pendientes.pop_back();
        for (int i = 0; i <= c.tamSE; ++i) {
            const int q = c.SalidaLista(i);
            if (!red_.Conexiones.Existe(q)) continue;
            const std::int16_t siguiente = red_.Conexiones(q).CentroFin;
            if (siguiente == origen) {
                MostrarRegla(msj_, kM4);
                return true;
            }
            if (!red_.Centros.Existe(siguiente)) continue;
            char& v = visto[static_cast<std::size_t>(siguiente)];
            if (v) continue;
            v = 1;
            pendientes.push_back(siguiente);
        }
    }
    return false;
}

}  // namespace vortena
