#include "simulate/gui/TablaSimulacion.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vortena {
namespace {

QString Texto(const std::string& s) {
    return QString::fromStdString(s);
}

// Decimals that keep `digitos` significant digits of x.
int Decimales(double x, int digitos) {
    if (x == 0 || !std::isfinite(x)) return 0;
    const int exponente = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    return std::clamp(digitos - 1 - exponente, 0, 12);
}

QString ConDecimales(double x, int decimales, const Regional& reg) {
    const std::string patron =
        decimales > 0 ? "0." + std::string(static_cast<std::size_t>(decimales), '0') : "0";
    return Texto(Formato(x, patron, reg));
}

CeldaSimulacion Numero(double x, const Regional& reg);
CeldaSimulacion Entero(double x, const Regional& reg) {
    return {Texto(TextoGeneral(x, reg)), x, false, {}};
}

}  // namespace

namespace {
CeldaSimulacion Numero(double x, const Regional& reg) {
    return {CifraCorta(x, reg), x, false, {}};
}
}  // namespace

QString CifraCorta(double x, const Regional& reg) {
    return ConDecimales(x, Decimales(x, 4), reg);
}

QString ConIntervalo(const Estimacion& e, const Regional& reg) {
    const int d = e.semiancho > 0 ? Decimales(e.semiancho, 2) : Decimales(e.valor, 4);
    return ConDecimales(e.valor, d, reg) + QStringLiteral(" ± ") +
           ConDecimales(e.semiancho, d, reg);
}

std::vector<ColumnaSimulacion> ColumnasSimulacion() {
    // Rho is the mean number of busy servers; the utilisation is per server,
    // as the results panel shows it.
    const QString ocupados = QStringLiteral("Servidores ocupados (Rho)");
    std::vector<ColumnaSimulacion> c{
        {QStringLiteral("Centro"), QString(), true},
        {QStringLiteral("Servidores"), QStringLiteral("Servidores"), true},
        {QStringLiteral("Utilización modelo"), QStringLiteral("Utilización"), true},
        {QStringLiteral("Utilización simulada"), QStringLiteral("Utilización"), true}};
    for (int m = 0; m < kNumMedidas; ++m) {
        const QString nombre =
            m == kRho ? QStringLiteral("Ocupados") : QString::fromLatin1(NombreMedida(m));
        const QString grupo = m == kRho ? ocupados : QString::fromLatin1(NombreMedida(m));
        // Lq is lamda Wq: one more pair to read, nothing more to learn.
        const bool visible = m == kWq || m == kW;
        c.push_back({nombre + QStringLiteral(" modelo"), grupo, visible});
        c.push_back({nombre + QStringLiteral(" simulado"), grupo, visible});
    }
    const QString errores = QStringLiteral("Errores relativos");
    c.push_back({QStringLiteral("Error Wq"), errores, false});
    c.push_back({QStringLiteral("Error W"), errores, true});
    const QString cuantiles = QStringLiteral("Cuantiles del tiempo en centro");
    for (int q = 0; q < 3; ++q)
        c.push_back({QString::fromLatin1(NombreFila(kNumMedidas + q)), cuantiles, false});
    const QString corrida = QStringLiteral("Calentamiento, réplicas, clientes y semilla");
    c.push_back({QStringLiteral("Calentamiento"), corrida, false});
    c.push_back({QStringLiteral("Réplicas"), corrida, false});
    c.push_back({QStringLiteral("Clientes"), corrida, false});
    c.push_back({QStringLiteral("Semilla"), corrida, false});
    c.push_back({QStringLiteral("Avisos"), QStringLiteral("Avisos"), true});
    return c;
}

std::vector<QString> TitulosSimulacion() {
    std::vector<QString> t;
    for (const ColumnaSimulacion& c : ColumnasSimulacion()) t.push_back(c.titulo);
    return t;
}

std::vector<QString> GruposSimulacion() {
    std::vector<QString> g;
    for (const ColumnaSimulacion& c : ColumnasSimulacion())
        if (!c.grupo.isEmpty() && std::find(g.begin(), g.end(), c.grupo) == g.end())
            g.push_back(c.grupo);
    return g;
}

namespace {

CeldaSimulacion Simulada(const ResultadoCentro& c, int fila, const Estimacion& e,
                         const Regional& reg) {
    CeldaSimulacion celda{ConIntervalo(e, reg), e.valor, false, {}};
    switch (c.veredicto[fila]) {
        case Veredicto::Difiere:
            celda.fuera = true;
            break;
        case Veredicto::PocosEventos:
            celda.texto += QStringLiteral(" (pocos eventos)");
            celda.nota = QStringLiteral("Menos de 10 eventos: la cifra no se juzga.");
            break;
        default:
            break;
    }
    if (c.pocoFiable[fila]) {
        celda.texto += QStringLiteral(" *");
        celda.nota = QStringLiteral(
            "Intervalo poco fiable: las réplicas son asimétricas o cortas para este centro; "
            "el intervalo puede ser más estrecho de lo que dice.");
    }
    return celda;
}

QString Avisos(const ResultadoCentro& c) {
    QStringList pocos, fiables, precision;
    for (int f = 0; f < kNumFilas; ++f) {
        if (c.veredicto[f] == Veredicto::PocosEventos) pocos << QString::fromLatin1(NombreFila(f));
        if (c.pocoFiable[f]) fiables << QString::fromLatin1(NombreFila(f));
    }
    for (int f : c.sinPrecision) precision << QString::fromLatin1(NombreFila(f));
    QStringList avisos;
    if (c.servidores != c.servidoresPedidos)
        avisos << QStringLiteral("simulado con ") + QString::number(c.servidores) +
                      QStringLiteral(" servidores (el mínimo estable)");
    if (!pocos.isEmpty())
        avisos << QStringLiteral("pocos eventos: ") + pocos.join(QStringLiteral(", "));
    if (!fiables.isEmpty())
        avisos << QStringLiteral("intervalo poco fiable: ") + fiables.join(QStringLiteral(", "));
    if (!precision.isEmpty())
        avisos << QStringLiteral("precisión no alcanzada: ") + precision.join(QStringLiteral(", "));
    return avisos.join(QStringLiteral("; "));
}

}  // namespace

std::vector<FilaSimulacion> FilasSimulacion(const ResultadoSimulacion& r, const Regional& reg) {
    std::vector<FilaSimulacion> filas;
    const double semilla = static_cast<double>(r.opciones.semilla);
    for (const ResultadoCentro& c : r.centros) {
        FilaSimulacion f;
        f.inestable = c.inestable;
        f.celdas.push_back({Texto(c.Nombre), std::nullopt, false, {}});
        f.celdas.push_back(Entero(c.servidores, reg));
        const double s = c.servidores > 0 ? c.servidores : 1;
        if (c.inestable) {
            f.celdas.push_back({});
            f.celdas.push_back({c.variabilidadExtrema
                                    ? QStringLiteral("variabilidad fuera de rango")
                                    : QStringLiteral("inestable"),
                                std::nullopt,
                                false,
                                {}});
        } else {
            f.celdas.push_back(Numero(c.analitico[kRho] / s, reg));
            f.celdas.push_back(Simulada(
                c, kRho, {c.simulado[kRho].valor / s, c.simulado[kRho].semiancho / s}, reg));
        }
        for (int m = 0; m < kNumMedidas; ++m) {
            if (c.inestable) {
                f.celdas.push_back({});
                f.celdas.push_back({});
                continue;
            }
            f.celdas.push_back(Numero(c.analitico[m], reg));
            f.celdas.push_back(Simulada(c, m, c.simulado[m], reg));
            f.fuera |= f.celdas.back().fuera;
        }
        for (int m : {kWq, kW}) {
            const auto e = c.inestable ? std::nullopt : c.ErrorRelativo(m);
            if (e)
                f.celdas.push_back(
                    {Texto(Formato(*e * 100, "0.0", reg)) + QStringLiteral(" %"), *e, false, {}});
            else
                f.celdas.push_back(
                    {c.inestable ? QString() : QStringLiteral("—"), std::nullopt, false, {}});
        }
        for (std::size_t q = 0; q < c.cuantiles.size(); ++q) {
            if (c.inestable) {
                f.celdas.push_back({});
                continue;
            }
            const int fila = kNumMedidas + static_cast<int>(q);
            f.celdas.push_back(Simulada(c, fila, c.cuantiles[q], reg));
            if (c.cuantilesExactos[q] && f.celdas.back().nota.isEmpty())
                f.celdas.back().nota =
                    QStringLiteral("M/M/s exacto: ") + CifraCorta(*c.cuantilesExactos[q], reg);
            f.fuera |= f.celdas.back().fuera;
        }
        if (c.inestable) {
            f.celdas.insert(f.celdas.end(), 3, CeldaSimulacion{});
        } else {
            f.celdas.push_back(Entero(static_cast<double>(c.calentamiento), reg));
            f.celdas.push_back(Entero(c.replicas, reg));
            f.celdas.push_back(Entero(static_cast<double>(c.clientes), reg));
        }
        f.celdas.push_back({Texto(TextoGeneral(semilla, reg)), semilla, false, {}});
        f.celdas.push_back({c.inestable ? QString() : Avisos(c), std::nullopt, false, {}});
        filas.push_back(std::move(f));
    }
    return filas;
}

QString TextoTabulado(const std::vector<std::vector<QString>>& filas) {
    QString t;
    for (const auto& fila : filas) {
        QStringList campos;
        for (QString c : fila) campos << c.replace(QLatin1Char('\t'), QLatin1Char(' '));
        t += campos.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return t;
}

QString TextoCSV(const std::vector<std::vector<QString>>& filas, const Regional& reg) {
    const QChar separador = reg.decimal == ',' ? QLatin1Char(';') : QLatin1Char(',');
    QString t;
    for (const auto& fila : filas) {
        QStringList campos;
        for (QString c : fila) {
            if (c.contains(separador) || c.contains(QLatin1Char('"')) ||
                c.contains(QLatin1Char('\n'))) {
                c.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                c = QLatin1Char('"') + c + QLatin1Char('"');
            }
            campos << c;
        }
        t += campos.join(separador) + QStringLiteral("\r\n");
    }
    return t;
}

}  // namespace vortena
