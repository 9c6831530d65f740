#pragma once
// The editor's messages to the user.

#include "model/Mensajes.h"

namespace vortena {

// Connection rules.
inline constexpr const char* kM1 = "El Nodo de Final no puede iniciar una conexión";
inline constexpr const char* kM2 = "El Nodo de Inicio no puede Finalizar una conexión";
inline constexpr const char* kM3 = "Intenta vincular nuevamente dos Centros Productivos";
inline constexpr const char* kM4 = "La conexión que intenta realizar produce un ciclo";
// Refusal to delete the start or end node.
inline constexpr const char* kNodoNoEliminable = "Nodo inválido para eliminacion";

inline void MostrarRegla(Mensajes& m, const char* texto) {
    m.Mostrar(texto, kTituloPrograma, Botones::Aceptar, Icono::Critico);
}

}  // namespace vortena
