#include "model/EstadosProbabilidad.h"

#include "model/ErrorAritmetico.h"

namespace vortena {

namespace {

// P(0) .. P(N-1), or an empty list when the states never become negligible
// within the limit. Each term comes from the previous one, so any server
// count works and no intermediate power or factorial can overflow.
std::vector<double> Probabilidades(int s, double rho, double p0) {
    if (s < 1) throw ErrorAritmetico("centro sin servidores");
    std::vector<double> p{Finito(p0)};
    double x = p0;
    int n = 1;
    for (; n <= s; ++n) {
        x = Dividir(Multiplicar(x, rho), n);
        p.push_back(x);
        // Within the first s states the one below the threshold is not listed.
        if (x < kUmbralEstados) break;
    }
    if (x > kUmbralEstados) {
        // Beyond s the state that falls below the threshold is still listed.
        n = s + 1;
        while (x > kUmbralEstados && n < LimiteEstados(s)) {
            x = Dividir(Multiplicar(x, rho), s);
            p.push_back(x);
            ++n;
        }
    }
    if (n >= LimiteEstados(s)) return {};
    p.resize(static_cast<std::size_t>(n));
    return p;
}

}  // namespace

TablaEstados CalcularTablaEstados(const CentroProductivo& centro, const Regional& reg) {
    TablaEstados tabla;
    try {
        tabla.probabilidades = Probabilidades(centro.Servidores, centro.Rho, centro.P0);
    } catch (const ErrorAritmetico&) {
        tabla.resultado = ResultadoEstados::Desbordamiento;
        return tabla;
    }
    if (tabla.probabilidades.empty()) {
        tabla.resultado = ResultadoEstados::ProbabilidadElevada;
        return tabla;
    }
    tabla.filas.reserve(tabla.probabilidades.size());
    for (std::size_t i = 0; i < tabla.probabilidades.size(); ++i) {
        tabla.filas.push_back({"P(" + TextoConSigno(static_cast<double>(i), reg) + ")",
                               Formato(tabla.probabilidades[i], "0.00000", reg)});
    }
    return tabla;
}

void AvisarTablaEstados(const TablaEstados& tabla, Mensajes& mensajes) {
    switch (tabla.resultado) {
        case ResultadoEstados::Tabla:
            break;
        case ResultadoEstados::ProbabilidadElevada:
            mensajes.Mostrar(kTextoProbabilidadElevada, kTituloEstados, Botones::Aceptar,
                             Icono::Critico);
            break;
        case ResultadoEstados::Desbordamiento:
            mensajes.Mostrar(kTextoDesbordamiento, kTituloPrograma, Botones::Aceptar,
                             Icono::Exclamacion);
            break;
    }
}

}  // namespace vortena
