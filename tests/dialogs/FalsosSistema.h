#pragma once
// Fakes of the registry and of the program starter for the about box tests.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Arrancador.h"
#include "dialogs/Registro.h"

namespace vortena::prueba {

struct ValorRegistro {
    std::uint32_t tipo;
    std::string bytes;
    std::uint32_t tamano;  // the used size the query reports
};

// A string value as the registry stores it: its text and a terminating zero.
inline ValorRegistro TextoRegistro(const std::string& texto) {
    return {kTipoTexto, texto + '\0', static_cast<std::uint32_t>(texto.size() + 1)};
}

// A 32-bit number value: four bytes, least significant first.
inline ValorRegistro NumeroRegistro(std::uint32_t n) {
    std::string b;
    for (int i = 0; i < 4; ++i) b += static_cast<char>((n >> (8 * i)) & 0xFF);
    return {kTipoNumero, b, 4};
}

class RegistroFalso : public Registro {
public:
    void Poner(const std::string& clave, const std::string& valor, ValorRegistro v) {
        claves_.insert(clave);
        valores_[{clave, valor}] = std::move(v);
    }
    void PonerClave(const std::string& clave) { claves_.insert(clave); }

    long AbrirClave(ClaveRegistro raiz, const std::string& nombre, std::uint32_t acceso,
                    ClaveRegistro& clave) override {
        raices.push_back(raiz);
        accesos.push_back(acceso);
        if (raiz != kHKeyLocalMachine || !claves_.count(nombre)) return kRegistroNoEncontrado;
        clave = ++ultima_;
        abiertas_[clave] = nombre;
        return kRegistroCorrecto;
    }

    long ConsultarValor(ClaveRegistro clave, const std::string& valor, std::uint32_t& tipo,
                        std::string& datos, std::uint32_t& tamano) override {
        auto abierta = abiertas_.find(clave);
        if (abierta == abiertas_.end()) return kRegistroNoEncontrado;
        auto v = valores_.find({abierta->second, valor});
        if (v == valores_.end()) return kRegistroNoEncontrado;
        if (datos.size() != tamano || datos.find_first_not_of('\0') != std::string::npos) {
            ++buffersMalPreparados;
        }
        datos.replace(0, std::min(datos.size(), v->second.bytes.size()), v->second.bytes, 0,
                      std::min(datos.size(), v->second.bytes.size()));
        tipo = v->second.tipo;
        tamano = v->second.tamano;
        return kRegistroCorrecto;
    }

    long CerrarClave(ClaveRegistro clave) override {
        if (abiertas_.erase(clave) == 0) ++cierresSobrantes;
        return kRegistroCorrecto;
    }

    std::size_t ClavesAbiertas() const { return abiertas_.size(); }

    std::vector<ClaveRegistro> raices;
    std::vector<std::uint32_t> accesos;
    int cierresSobrantes = 0;
    int buffersMalPreparados = 0;

private:
    std::set<std::string> claves_;
    std::map<std::pair<std::string, std::string>, ValorRegistro> valores_;
    std::map<ClaveRegistro, std::string> abiertas_;
    ClaveRegistro ultima_ = 100;
};

class ArrancadorFalso : public ArrancadorProgramas {
public:
    bool Existe(const QString& archivo) override { return existentes.contains(archivo); }
    bool Arrancar(const QString& lineaComandos) override {
        arrancados << lineaComandos;
        return arrancaBien;
    }

    QStringList existentes;
    QStringList arrancados;
    bool arrancaBien = true;
};

}  // namespace vortena::prueba
