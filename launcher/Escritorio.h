#pragma once
// What the launcher asks of the desktop: whether a file exists, starting a
// command line, opening a document with its default program, and telling the
// user that nothing could be opened. Tests use a recording fake.

#include <QString>

namespace vortena::lanzador {

class Escritorio {
public:
    virtual ~Escritorio() = default;
    virtual bool Existe(const QString& archivo) = 0;
    // Starts the command line with its window maximised; does not wait.
    virtual bool Ejecutar(const QString& lineaComandos) = 0;
    virtual bool Abrir(const QString& documento) = 0;
    virtual void Avisar(const QString& texto) = 0;
};

class EscritorioSistema : public Escritorio {
public:
    bool Existe(const QString& archivo) override;
    bool Ejecutar(const QString& lineaComandos) override;
    bool Abrir(const QString& documento) override;
    void Avisar(const QString& texto) override;
};

}  // namespace vortena::lanzador
