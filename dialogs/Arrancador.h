#pragma once
// Starting another program from a command line, and the file test that goes
// with it. The about box uses it to start the system-information tool; tests
// replace it with a recording fake.

#include <QString>

namespace vortena {

class ArrancadorProgramas {
public:
    virtual ~ArrancadorProgramas() = default;
    virtual bool Existe(const QString& archivo) = 0;
    // Starts the program with a normal, focused window and does not wait for
    // it. False when it could not be started.
    virtual bool Arrancar(const QString& lineaComandos) = 0;
};

class ArrancadorSistema : public ArrancadorProgramas {
public:
    bool Existe(const QString& archivo) override;
    bool Arrancar(const QString& lineaComandos) override;
};

}  // namespace vortena
