#include "simulate/ReplicaLinea.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "model/ErrorAritmetico.h"
#include "simulate/Servidores.h"

namespace vortena::sim {
namespace {

// Units entering per round; a long line takes fewer so that its buffers
// stay small (and the cancel flag is looked at often).
std::int64_t UnidadesPorRonda(std::size_t nodos) {
    const std::int64_t b = (std::int64_t{1} << 16) / static_cast<std::int64_t>(nodos + 1);
    return std::clamp<std::int64_t>(b, 32, 2048);
}

constexpr std::size_t kRutasMax = 64;               // routes followed per replication
constexpr std::size_t kBytesRegistros = 16u << 20;  // visit records for crucialidad
constexpr std::uint16_t kRutaLarga = 0xffff;

struct Evento {
    double t;
    std::uint32_t unidad;
    std::int32_t destino;  // of a departure: node, or kFin
};

struct Visita {
    std::int32_t nodo;
    double tiempo;
};

struct Unidad {
    double entrada = 0;
    std::uint64_t a = 0, b = 0;
    std::uint16_t bits = 0, fuente = 0;
    std::int32_t registro = -1;  // slot of its visit records, -1 none
    bool medida = false;
};

struct Nodo {
    Nodo(const NodoLinea& d, bool lognormal)
        : def(&d),
          servicio(1.0 / d.mu, d.desvMu, lognormal),
          servidores(d.servidores),
          unServidor(d.servidores == 1),
          w(1.0 / d.mu) {}

    const NodoLinea* def;
    Variable servicio;
    Servidores servidores;
    bool unServidor;
    double w;          // mean service time
    double libre = 0;  // the one server's free time
    double ultimaSalida = 0, ultimaLlegada = -1;
    std::vector<Evento> entrada, pendientes;
    int origen = 0;
    bool desordenada = false;

    // Sums over the measured units' visits.
    std::int64_t n = 0, esperaron = 0, vacios = 0, nIntervalos = 0;
    double espera = 0, servido = 0, sistema = 0, vacio = 0, intervalos = 0, intervalos2 = 0;
    // Over the units with visit records, shifted by the mean service time
    // (the shift keeps the correlation's sums well conditioned).
    std::int64_t nReg = 0;
    double t1 = 0, t2 = 0, tT = 0, T1 = 0;

    void Reiniciar() {
        servidores.Vaciar();
        libre = ultimaSalida = 0;
        ultimaLlegada = -1;
        entrada.clear();
        pendientes.clear();
        origen = 0;
        desordenada = false;
        n = esperaron = vacios = nIntervalos = nReg = 0;
        espera = servido = sistema = vacio = intervalos = intervalos2 = 0;
        t1 = t2 = tT = T1 = 0;
    }
};

struct Ruta {
    ClaveRuta clave;
    std::int64_t n = 0;
    double suma = 0;
    std::unique_ptr<Cuantiles> tiempos;
};

}  // namespace

struct ReplicaLinea::Estado {
    Estado(const Linea& l, double escala) : linea(l), tiempos(escala), escala(escala) {
        nodos.reserve(l.nodos.size());
        caminoMax = static_cast<std::size_t>(std::max(1, l.caminoMax));
        registrosMax = std::max<std::size_t>(1, kBytesRegistros / (caminoMax * sizeof(Visita)));
        registrosMax = std::min<std::size_t>(registrosMax, 1u << 16);
    }

    const Linea& linea;
    std::vector<Nodo> nodos;
    std::vector<Unidad> unidades;
    std::vector<std::uint32_t> libresUnidad;
    std::vector<Visita> visitas;  // caminoMax per record slot
    std::vector<std::uint32_t> largoRegistro, libresRegistro;
    std::size_t caminoMax = 1, registrosMax = 1;
    std::vector<Ruta> rutas;
    std::size_t rutasUsadas = 0, ultimaRuta = 0;
    Cuantiles tiempos;
    double escala;

    // The replication's run.
    const ParametrosReplicaLinea* p = nullptr;
    Flujo flujo{0, 0, 0};
    std::optional<Serie> serie;
    std::int64_t entradas = 0, salidas = 0, medidasDentro = 0, salidasVentana = 0,
                 visitasHechas = 0;
    double t0 = 0, t1 = 0;
    bool hayT0 = false, hayT1 = false;
    // Lead times of the measured units, shifted by the scale.
    double sumaT = 0, sumaT2 = 0;
    std::int64_t enPert = 0, enDeseado = 0;
    // Over the units with visit records.
    std::int64_t nReg = 0;
    double regT = 0, regT2 = 0;

    std::uint32_t NuevaUnidad() {
        if (!libresUnidad.empty()) {
            const std::uint32_t u = libresUnidad.back();
            libresUnidad.pop_back();
            return u;
        }
        unidades.emplace_back();
        return static_cast<std::uint32_t>(unidades.size() - 1);
    }

    std::int32_t NuevoRegistro() {
        if (!libresRegistro.empty()) {
            const std::uint32_t r = libresRegistro.back();
            libresRegistro.pop_back();
            largoRegistro[r] = 0;
            return static_cast<std::int32_t>(r);
        }
        if (largoRegistro.size() >= registrosMax) return -1;
        largoRegistro.push_back(0);
        visitas.resize(largoRegistro.size() * caminoMax);
        return static_cast<std::int32_t>(largoRegistro.size() - 1);
    }

    void Entregar(const Evento& e, int origen) {
        if (e.destino == kFin) {
            Salir(e.unidad, e.t);
            return;
        }
        Nodo& d = nodos[static_cast<std::size_t>(e.destino)];
        if (d.entrada.empty())
            d.origen = origen;
        else if (d.origen != origen)
            d.desordenada = true;
        d.entrada.push_back(e);
    }

    void Entrar(double t, std::uint16_t fuente) {
        const std::uint32_t id = NuevaUnidad();
        Unidad& u = unidades[id];
        const std::int64_t serie = entradas++;
        u = Unidad{};
        u.entrada = t;
        u.fuente = fuente;
        u.medida = serie >= p->calentamiento && serie < p->calentamiento + p->unidades;
        if (serie == p->calentamiento) {
            t0 = t;
            hayT0 = true;
        }
        if (serie == p->calentamiento + p->unidades) {
            t1 = t;
            hayT1 = true;
        }
        if (u.medida) {
            ++medidasDentro;
            u.registro = NuevoRegistro();
        }
        Entregar({t, id, linea.fuentes[fuente].destino}, -1 - static_cast<int>(fuente));
    }

    void Salir(std::uint32_t id, double t) {
        Unidad& u = unidades[id];
        if (hayT0 && t >= t0 && (!hayT1 || t < t1)) ++salidasVentana;
        if (u.medida) {
            const double T = t - u.entrada;
            const double d = T - escala;
            sumaT += d;
            sumaT2 += d * d;
            tiempos.Agregar(T);
            enPert += T <= p->pert ? 1 : 0;
            enDeseado += T <= p->deseado ? 1 : 0;
            if (p->piloto) p->piloto->Agregar(T);
            serie->Agregar(T);
            if (u.bits != kRutaLarga) AnotarRuta(u, T);
            if (u.registro >= 0) {
                const auto r = static_cast<std::size_t>(u.registro);
                const Visita* v = &visitas[r * caminoMax];
                for (std::uint32_t i = 0; i < largoRegistro[r]; ++i) {
                    Nodo& c = nodos[static_cast<std::size_t>(v[i].nodo)];
                    const double x = v[i].tiempo - c.w;
                    ++c.nReg;
                    c.t1 += x;
                    c.t2 += x * x;
                    c.tT += x * d;
                    c.T1 += d;
                }
                ++nReg;
                regT += d;
                regT2 += d * d;
                libresRegistro.push_back(static_cast<std::uint32_t>(r));
            }
            --medidasDentro;
        }
        libresUnidad.push_back(id);
        ++salidas;
    }

    void AnotarRuta(const Unidad& u, double T) {
        const ClaveRuta clave{u.a, u.b, u.bits, u.fuente};
        std::size_t i = ultimaRuta;
        if (i >= rutasUsadas || !(rutas[i].clave == clave)) {
            for (i = 0; i < rutasUsadas && !(rutas[i].clave == clave); ++i) {
            }
            if (i == rutasUsadas) {
                if (rutasUsadas == kRutasMax) return;
                if (rutas.size() == rutasUsadas) {
                    rutas.emplace_back();
                    rutas.back().tiempos = std::make_unique<Cuantiles>(escala);
                }
                Ruta& nueva = rutas[rutasUsadas++];
                nueva.clave = clave;
                nueva.n = 0;
                nueva.suma = 0;
                nueva.tiempos->Limpiar();
            }
            ultimaRuta = i;
        }
        Ruta& r = rutas[i];
        ++r.n;
        r.suma += T;
        r.tiempos->Agregar(T);
    }

    static void AnotarEleccion(Unidad& u, std::uint64_t k, int bits) {
        if (u.bits == kRutaLarga) return;
        const int pos = u.bits;
        if (pos + bits > 128) {
            u.bits = kRutaLarga;
            return;
        }
        if (pos < 64) {
            u.a |= k << pos;
            if (pos + bits > 64) u.b |= k >> (64 - pos);
        } else {
            u.b |= k << (pos - 64);
        }
        u.bits = static_cast<std::uint16_t>(pos + bits);
    }

    void Atender(std::size_t i, double horizonte) {
        Nodo& c = nodos[i];
        const NodoLinea& def = *c.def;
        if (!c.entrada.empty()) {
            if (c.desordenada)
                std::sort(c.entrada.begin(), c.entrada.end(),
                          [](const Evento& x, const Evento& y) { return x.t < y.t; });
            const std::size_t antes = c.pendientes.size();
            const bool reparte = def.destinos.size() > 1;
            const int unico = def.destinos[0];
            for (const Evento& e : c.entrada) {
                const double a = e.t;
                const double libre = c.unServidor ? c.libre : c.servidores.Primero();
                const double inicio = a > libre ? a : libre;
                const double s = c.servicio.Generar(flujo);
                const double salida = inicio + s;
                if (c.unServidor)
                    c.libre = salida;
                else
                    c.servidores.Ocupar(salida);
                Unidad& u = unidades[e.unidad];
                int destino = unico;
                if (reparte) {
                    const double x = flujo.Uniforme();
                    std::size_t k = 0;
                    while (x >= def.acumulada[k]) ++k;
                    destino = def.destinos[k];
                    AnotarEleccion(u, k, def.bitsRuta);
                }
                if (u.medida) {
                    // Wait plus service, not salida - a: a constant time with no
                    // wait stays exactly constant.
                    const double espera = inicio - a, sistema = espera + s;
                    ++c.n;
                    c.espera += espera;
                    c.servido += s;
                    c.sistema += sistema;
                    c.esperaron += espera > 0 ? 1 : 0;
                    if (a > c.ultimaSalida) {
                        c.vacio += a - c.ultimaSalida;
                        ++c.vacios;
                    }
                    if (c.ultimaLlegada >= 0) {
                        const double g = a - c.ultimaLlegada;
                        ++c.nIntervalos;
                        c.intervalos += g;
                        c.intervalos2 += g * g;
                    }
                    if (u.registro >= 0) {
                        const auto r = static_cast<std::size_t>(u.registro);
                        visitas[r * caminoMax + largoRegistro[r]++] = {static_cast<std::int32_t>(i),
                                                                       sistema};
                    }
                }
                c.ultimaLlegada = a;
                if (salida > c.ultimaSalida) c.ultimaSalida = salida;
                c.pendientes.push_back({salida, e.unidad, destino});
            }
            visitasHechas += static_cast<std::int64_t>(c.entrada.size());
            c.entrada.clear();
            c.desordenada = false;
            if (!c.unServidor && c.pendientes.size() > antes) {
                const auto porTiempo = [](const Evento& x, const Evento& y) { return x.t < y.t; };
                const auto medio = c.pendientes.begin() + static_cast<std::ptrdiff_t>(antes);
                std::sort(medio, c.pendientes.end(), porTiempo);
                std::inplace_merge(c.pendientes.begin(), medio, c.pendientes.end(), porTiempo);
            }
        }
        std::size_t k = 0;
        const std::size_t m = c.pendientes.size();
        while (k < m && c.pendientes[k].t <= horizonte)
            Entregar(c.pendientes[k++], static_cast<int>(i));
        if (k > 0)
            c.pendientes.erase(c.pendientes.begin(),
                               c.pendientes.begin() + static_cast<std::ptrdiff_t>(k));
    }
};

double EscalaLinea(const Linea& linea) {
    double escala = 0;
    for (const NodoLinea& n : linea.nodos) escala += n.flujo / linea.flujoTotal / n.mu;
    return escala > 0 && std::isfinite(escala) ? escala : 1.0;
}

ReplicaLinea::ReplicaLinea(const Linea& linea)
    : linea_(linea), escala_(EscalaLinea(linea)), e_(new Estado(linea, escala_)) {}

ReplicaLinea::~ReplicaLinea() {
    delete e_;
}

ResultadoReplicaLinea ReplicaLinea::Ejecutar(const ParametrosReplicaLinea& p, Control& control) {
    Estado& e = *e_;
    e.p = &p;
    e.flujo = Flujo(p.semilla, 0, p.replica, p.uso);
    e.serie.emplace(p.unidades);
    if (e.nodos.empty())
        for (const NodoLinea& n : linea_.nodos) e.nodos.emplace_back(n, p.lognormal);
    for (Nodo& n : e.nodos) n.Reiniciar();
    e.unidades.clear();
    e.libresUnidad.clear();
    e.largoRegistro.clear();
    e.libresRegistro.clear();
    e.rutasUsadas = e.ultimaRuta = 0;
    e.tiempos.Limpiar();
    e.entradas = e.salidas = e.medidasDentro = e.salidasVentana = e.visitasHechas = 0;
    e.hayT0 = e.hayT1 = false;
    e.t0 = e.t1 = 0;
    e.sumaT = e.sumaT2 = e.regT = e.regT2 = 0;
    e.enPert = e.enDeseado = e.nReg = 0;

    const std::size_t nf = linea_.fuentes.size();
    std::vector<Variable> llegadas;
    std::vector<double> proxima(nf);
    llegadas.reserve(nf);
    for (std::size_t f = 0; f < nf; ++f) {
        const FuenteLinea& fuente = linea_.fuentes[f];
        llegadas.emplace_back(1.0 / fuente.tasa, fuente.cv / fuente.tasa, p.lognormal);
        proxima[f] = llegadas[f].Generar(e.flujo);
    }
    const std::int64_t porRonda = UnidadesPorRonda(e.nodos.size());
    const double paso = static_cast<double>(porRonda) / linea_.flujoTotal;
    std::vector<std::pair<double, std::uint16_t>> nuevas;
    double horizonte = 0;
    std::int64_t informadas = 0;
    // The window of measured units closes when the first unit after them
    // enters: run until it has, even when the last round ended exactly at the
    // last measured unit, or the rates below would divide by nothing.
    while (!e.hayT1 || e.medidasDentro > 0) {
        if (control.Cancelado()) throw Cancelado{};
        horizonte += paso;
        nuevas.clear();
        for (std::size_t f = 0; f < nf; ++f)
            while (proxima[f] <= horizonte) {
                nuevas.emplace_back(proxima[f], static_cast<std::uint16_t>(f));
                proxima[f] += llegadas[f].Generar(e.flujo);
            }
        if (nf > 1) std::sort(nuevas.begin(), nuevas.end());
        for (const auto& [t, f] : nuevas) e.Entrar(t, f);
        for (std::size_t i = 0; i < e.nodos.size(); ++i) {
            if ((i & 1023) == 1023 && control.Cancelado()) throw Cancelado{};
            e.Atender(i, horizonte);
        }
        control.Avanzar(e.visitasHechas - informadas);
        informadas = e.visitasHechas;
    }

    ResultadoReplicaLinea r;
    r.visitas = e.visitasHechas;
    r.entradas = e.entradas;
    r.salidas = e.salidas;
    r.dentro = static_cast<std::int64_t>(e.unidades.size() - e.libresUnidad.size());
    r.tramos = e.serie->Tramos();
    const double n = static_cast<double>(p.unidades);
    const double duracion = e.t1 - e.t0;
    if (!(duracion > 0) || !std::isfinite(duracion))
        throw ErrorAritmetico("la ventana de medida de la línea no tiene duración");
    const double mediaD = e.sumaT / n;
    const double media = e.escala + mediaD;
    r.linea[kMedia] = media;
    r.linea[kDesviacion] =
        p.unidades > 1 ? std::sqrt(std::max(0.0, (e.sumaT2 - e.sumaT * mediaD) / (n - 1))) : 0.0;
    static constexpr double kProbs[] = {0.5, 0.8, 0.9, 0.95};
    double q[4];
    e.tiempos.CuantilesVarios(kProbs, q);
    r.linea[kP50] = q[0];
    r.linea[kP80] = q[1];
    r.linea[kP90] = q[2];
    r.linea[kP95] = q[3];
    r.linea[kPpert] = static_cast<double>(e.enPert) / n;
    r.linea[kPdeseado] = static_cast<double>(e.enDeseado) / n;
    r.linea[kProduccion] = static_cast<double>(e.salidasVentana) / duracion;
    r.linea[kWip] = media * n / duracion;
    std::array<double, kPuntosCurva> probs{};
    for (int i = 0; i < kPuntosCurva; ++i) probs[static_cast<std::size_t>(i)] = ProbCurva(i);
    e.tiempos.CuantilesVarios(probs, r.curva);

    const double sumaTiempos = media * n;
    const double nr = static_cast<double>(e.nReg);
    const double varT = nr * e.regT2 - e.regT * e.regT;
    r.nodos.resize(e.nodos.size());
    r.eventos.resize(e.nodos.size());
    for (std::size_t i = 0; i < e.nodos.size(); ++i) {
        const Nodo& c = e.nodos[i];
        auto& m = r.nodos[i];
        r.eventos[i] = {c.esperaron, c.vacios};
        const double v = static_cast<double>(c.n);
        if (c.n > 0) {
            m[kRho] = c.servido / duracion;
            m[kP0] = std::clamp(c.vacio / duracion, 0.0, 1.0);
            m[kPn] = static_cast<double>(c.esperaron) / v;
            m[kLq] = c.espera / duracion;
            m[kL] = c.sistema / duracion;
            m[kWq] = c.espera / v;
            m[kW] = c.sistema / v;
        }
        if (c.nIntervalos > 1) {
            const double ni = static_cast<double>(c.nIntervalos);
            const double mi = c.intervalos / ni;
            const double var = (c.intervalos2 - c.intervalos * mi) / (ni - 1);
            m[kCvLlegadas] = mi > 0 && var > 0 ? std::sqrt(var) / mi : 0.0;
        }
        m[kPaso] = v / n;
        m[kAporte] = sumaTiempos > 0 ? c.sistema / sumaTiempos : 0.0;
        // Units without a visit count with a time of 0 (shifted: -w): their
        // terms are added here rather than per unit.
        const double w = c.w;
        const double fuera = nr - static_cast<double>(c.nReg);
        // Sums of x = t - w over every unit with records.
        const double sx = c.t1 - w * fuera;
        const double sxx = c.t2 + w * w * fuera;
        const double sxT = c.tT - w * (e.regT - c.T1);
        const double varX = nr * sxx - sx * sx;
        const double cov = nr * sxT - sx * e.regT;
        m[kCrucialidad] = varX > 1e-12 * nr * sxx && varT > 1e-12 * nr * e.regT2 && nr > 1
                              ? std::clamp(cov / std::sqrt(varX * varT), -1.0, 1.0)
                              : 0.0;
    }

    for (std::size_t i = 0; i < e.rutasUsadas; ++i) {
        const Ruta& ruta = e.rutas[i];
        MedidasRuta mr;
        mr.clave = ruta.clave;
        mr.paso = static_cast<double>(ruta.n) / n;
        mr.media = ruta.suma / static_cast<double>(ruta.n);
        static constexpr double kProbsRuta[] = {0.5, 0.9, 0.95};
        double qr[3];
        ruta.tiempos->CuantilesVarios(kProbsRuta, qr);
        mr.P50 = qr[0];
        mr.P90 = qr[1];
        mr.P95 = qr[2];
        r.rutas.push_back(mr);
    }
    return r;
}

const Cuantiles& ReplicaLinea::Tiempos() const {
    return e_->tiempos;
}

}  // namespace vortena::sim
