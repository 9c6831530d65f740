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

CeldaSimulacion Numero(double x, const Regional& reg) {
    return {CifraCorta(x, reg), x, false};
}
CeldaSimulacion Entero(double x, const Regional& reg) {
    return {Texto(TextoGeneral(x, reg)), x, false};
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

std::vector<QString> TitulosSimulacion() {
    std::vector<QString> t{QStringLiteral("Centro"), QStringLiteral("Servidores")};
    for (int m = 0; m < kNumMedidas; ++m) {
        t.push_back(QString::fromLatin1(NombreMedida(m)) + QStringLiteral(" modelo"));
        t.push_back(QString::fromLatin1(NombreMedida(m)) + QStringLiteral(" simulado"));
    }
    t.push_back(QStringLiteral("Error Wq"));
    t.push_back(QStringLiteral("Error W"));
    for (double p : kProbCuantiles)
        t.push_back(QStringLiteral("Tiempo en centro ") + QString::number(std::lround(p * 100)) +
                    QStringLiteral(" %"));
    t.push_back(QStringLiteral("Calentamiento"));
    t.push_back(QStringLiteral("Réplicas"));
    t.push_back(QStringLiteral("Semilla"));
    return t;
}

std::vector<FilaSimulacion> FilasSimulacion(const ResultadoSimulacion& r, const Regional& reg) {
    std::vector<FilaSimulacion> filas;
    const double semilla = static_cast<double>(r.opciones.semilla);
    for (const ResultadoCentro& c : r.centros) {
        FilaSimulacion f;
        f.inestable = c.inestable;
        f.celdas.push_back({Texto(c.Nombre), std::nullopt, false});
        f.celdas.push_back(Entero(c.servidores, reg));
        for (int m = 0; m < kNumMedidas; ++m) {
            f.celdas.push_back(c.inestable ? CeldaSimulacion{} : Numero(c.analitico[m], reg));
            if (c.inestable) {
                f.celdas.push_back(
                    {m == 0 ? QStringLiteral("inestable") : QString(), std::nullopt, false});
                continue;
            }
            const bool fuera = !c.Dentro(m);
            f.fuera |= fuera;
            f.celdas.push_back({ConIntervalo(c.simulado[m], reg), c.simulado[m].valor, fuera});
        }
        for (int m : {kWq, kW}) {
            const auto e = c.inestable ? std::nullopt : c.ErrorRelativo(m);
            if (e)
                f.celdas.push_back(
                    {Texto(Formato(*e * 100, "0.0", reg)) + QStringLiteral(" %"), *e, false});
            else
                f.celdas.push_back(
                    {c.inestable ? QString() : QStringLiteral("—"), std::nullopt, false});
        }
        for (const Estimacion& q : c.cuantiles)
            f.celdas.push_back(c.inestable ? CeldaSimulacion{}
                                           : CeldaSimulacion{ConIntervalo(q, reg), q.valor, false});
        if (c.inestable) {
            f.celdas.push_back({});
            f.celdas.push_back({});
        } else {
            f.celdas.push_back(Entero(static_cast<double>(c.calentamiento), reg));
            f.celdas.push_back(Entero(c.replicas, reg));
        }
        f.celdas.push_back({Texto(TextoGeneral(semilla, reg)), semilla, false});
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
