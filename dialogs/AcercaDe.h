#pragma once
// The about box: the program's title and version, and a button that starts
// the operating system's system-information tool, found through the registry.
// Without a registry (this platform) the button says the tool is unavailable.

#include <QDialog>
#include <memory>
#include <string>

#include "dialogs/Registro.h"

class QLabel;
class QPushButton;

namespace vortena {

class ArrancadorProgramas;
class Mensajes;

inline constexpr const char* kSinInfoSistema =
    "La información del sistema no está disponible en este momento";

class AcercaDe : public QDialog {
    Q_OBJECT
public:
    // The platform's registry and program starter, messages through QMessageBox.
    explicit AcercaDe(QWidget* parent = nullptr);
    // Everything the system-information button touches, supplied by the caller
    // (tests); the references must outlive the box.
    AcercaDe(Registro& registro, ArrancadorProgramas& arrancador, Mensajes& mensajes,
             QWidget* parent = nullptr);
    ~AcercaDe() override;

    void StartSysInfo();
    bool GetKeyValue(ClaveRegistro KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

private:
    struct Propios;
    void Construir();

    std::unique_ptr<Propios> propios_;
    Registro* registro_;
    ArrancadorProgramas* arrancador_;
    Mensajes* mensajes_;

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* Image1;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

}  // namespace vortena
