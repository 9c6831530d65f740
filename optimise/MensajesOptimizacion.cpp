#include "optimise/MensajesOptimizacion.h"

namespace vortena {

std::string TextoResultado(double costo, double tiempo, const Regional& reg) {
    return " Costo: " + Formato(costo, "#0.##", reg) + " Tiempo: " + Formato(tiempo, "#0.####", reg);
}

std::string TextoPorcentaje(double porcentaje, const Regional& reg) {
    return TextoConSigno(porcentaje, reg) + " %";
}

std::string TextoTiempoMinimo(double tiempo, const Regional& reg) {
    return "El valor debe ser mayor a " + Formato(tiempo, "#0.00", reg);
}

}  // namespace vortena
