// The safe writer under faults: every step of the hard-link path and of the
// replacement made to fail through the file layer's seam, planted backups,
// links, long names, leftovers of a killed save and the protected file.

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>

#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"
#include "files/PruebaArchivos.h"

namespace vortena {
namespace {

namespace fs = std::filesystem;

// Makes one system call fail with a full disk, counted in the order the
// writer makes them, or that one and every later one; records the names.
class SistemaConFallo : public SistemaArchivos {
public:
    int falla = 0;        // 1-based; 0 never
    std::string fallaEn;  // or every call of this name
    bool yLasSiguientes = false;
    int llamadas = 0;
    std::vector<std::string> hechas;

    int Abrir(const char* r, int b, mode_t m) override {
        return Pasa("Abrir") ? SistemaArchivos::Abrir(r, b, m) : -1;
    }
    ssize_t Escribir(int fd, const void* d, std::size_t n, off_t o) override {
        return Pasa("Escribir") ? SistemaArchivos::Escribir(fd, d, n, o) : -1;
    }
    ssize_t Leer(int fd, void* d, std::size_t n, off_t o) override {
        return Pasa("Leer") ? SistemaArchivos::Leer(fd, d, n, o) : -1;
    }
    int Reservar(int fd, off_t t) override {
        return Pasa("Reservar") ? SistemaArchivos::Reservar(fd, t) : -1;
    }
    int Truncar(int fd, off_t t) override {
        return Pasa("Truncar") ? SistemaArchivos::Truncar(fd, t) : -1;
    }
    int Sincronizar(int fd) override {
        return Pasa("Sincronizar") ? SistemaArchivos::Sincronizar(fd) : -1;
    }
    int Cerrar(int fd) override {
        // The descriptor goes whatever the answer, as with close(2).
        const int r = SistemaArchivos::Cerrar(fd);
        return Pasa("Cerrar") ? r : -1;
    }
    int Renombrar(const char* a, const char* b) override {
        return Pasa("Renombrar") ? SistemaArchivos::Renombrar(a, b) : -1;
    }
    int Borrar(const char* r) override { return Pasa("Borrar") ? SistemaArchivos::Borrar(r) : -1; }
    int CambiarDueno(int fd, uid_t u, gid_t g) override {
        return Pasa("CambiarDueno") ? SistemaArchivos::CambiarDueno(fd, u, g) : -1;
    }
    int CambiarModo(int fd, mode_t m) override {
        return Pasa("CambiarModo") ? SistemaArchivos::CambiarModo(fd, m) : -1;
    }
    int Bloquear(int fd) override { return Pasa("Bloquear") ? SistemaArchivos::Bloquear(fd) : -1; }

private:
    bool Pasa(const char* nombre) {
        hechas.emplace_back(nombre);
        ++llamadas;
        if ((falla > 0 && (llamadas == falla || (yLasSiguientes && llamadas > falla))) ||
            fallaEn == nombre) {
            errno = ENOSPC;
            return false;
        }
        return true;
    }
};

const std::string kViejo(40000, 'v');
const std::string kNuevo(70000, 'n');

class EscrituraSegura : public ::testing::Test {
protected:
    // The text of the failure, or empty when the write went through.
    static std::string Escribir(const std::string& ruta, std::string_view bytes,
                                SistemaArchivos& s = SistemaReal(),
                                const std::string& protegido = {}) {
        try {
            EscribirAtomico(ruta, bytes, protegido, s);
        } catch (const ErrorArchivo& e) {
            return e.what();
        }
        return "";
    }
    static std::set<std::string> Nombres(const prueba::CarpetaTemporal& d) {
        const auto v = d.Archivos();
        return {v.begin(), v.end()};
    }
    // A network file with a second name, as a hard link.
    static std::string EnlazadoDos(const prueba::CarpetaTemporal& d) {
        prueba::EscribirArchivo(d / "red.vtq", kViejo);
        fs::create_hard_link(d / "red.vtq", d / "otro.vtq");
        return d / "red.vtq";
    }
};

TEST_F(EscrituraSegura, APlantedBackupSurvivesASaveOfAHardLinkedNetwork) {
    // A plain file of that name is the user's own.
    prueba::CarpetaTemporal d;
    const std::string ruta = EnlazadoDos(d);
    prueba::EscribirArchivo(ruta + ".bak", "mío");
    EXPECT_EQ(Escribir(ruta, kNuevo), "");
    EXPECT_EQ(prueba::LeerArchivo(d / "otro.vtq"), kNuevo);
    EXPECT_EQ(prueba::LeerArchivo(ruta + ".bak"), "mío");
    EXPECT_EQ(Nombres(d), (std::set<std::string>{"red.vtq", "otro.vtq", "red.vtq.bak"}));

    // A link of that name, planted towards another file, is never followed.
    prueba::CarpetaTemporal e;
    const std::string ruta2 = EnlazadoDos(e);
    prueba::EscribirArchivo(e / "victima.txt", "ajeno");
    ASSERT_EQ(::chmod((e / "victima.txt").c_str(), 0600), 0);
    fs::create_symlink(e / "victima.txt", ruta2 + ".bak");
    EXPECT_EQ(Escribir(ruta2, kNuevo), "");
    EXPECT_EQ(prueba::LeerArchivo(e / "otro.vtq"), kNuevo);
    EXPECT_TRUE(fs::is_symlink(ruta2 + ".bak"));
    EXPECT_EQ(prueba::LeerArchivo(e / "victima.txt"), "ajeno");
    struct stat st {};
    ASSERT_EQ(::stat((e / "victima.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(EscrituraSegura, AnyFailingStepOfTheHardLinkPathLeavesTheOldBytes) {
    int pasos = 0;
    for (int n = 1;; ++n) {
        prueba::CarpetaTemporal d;
        const std::string ruta = EnlazadoDos(d);
        SistemaConFallo s;
        s.falla = n;
        const std::string e = Escribir(ruta, kNuevo, s);
        if (s.llamadas < n) break;  // every step has failed once
        pasos = n;
        SCOPED_TRACE(testing::Message() << "falla " << s.hechas[n - 1] << " (" << n << ")");
        if (e.empty()) {
            // Only what follows the last flush may fail unnoticed.
            EXPECT_EQ(prueba::LeerArchivo(d / "otro.vtq"), kNuevo);
            continue;
        }
        EXPECT_EQ(e.rfind("no se puede", 0), 0u) << e;
        EXPECT_NE(e.find(ruta + ": No space left on device"), std::string::npos) << e;
        EXPECT_EQ(prueba::LeerArchivo(ruta), kViejo);
        EXPECT_EQ(prueba::LeerArchivo(d / "otro.vtq"), kViejo);
        // No copy left, or the text says where.
        for (const std::string& f : d.Archivos())
            if (f != "red.vtq" && f != "otro.vtq") {
                EXPECT_NE(e.find(d / f), std::string::npos) << e;
            }
    }
    EXPECT_GE(pasos, 12);
}

TEST_F(EscrituraSegura, WhenTheOldBytesCannotBePutBackTheMessageNamesTheBackup) {
    int nombradas = 0;
    for (int n = 1;; ++n) {
        prueba::CarpetaTemporal d;
        const std::string ruta = EnlazadoDos(d);
        SistemaConFallo s;
        s.falla = n;
        s.yLasSiguientes = true;
        const std::string e = Escribir(ruta, kNuevo, s);
        if (s.llamadas < n) break;
        SCOPED_TRACE(testing::Message() << "falla desde " << s.hechas[n - 1] << " (" << n << ")");
        if (e.empty()) continue;
        const std::string marca = "su contenido anterior está en ";
        const std::size_t p = e.find(marca);
        if (p == std::string::npos) {
            EXPECT_EQ(prueba::LeerArchivo(ruta), kViejo) << e;
            continue;
        }
        ++nombradas;
        EXPECT_EQ(prueba::LeerArchivo(e.substr(p + marca.size())), kViejo) << e;
    }
    EXPECT_GE(nombradas, 2);
}

TEST_F(EscrituraSegura, AnyFailingStepOfAReplacementLeavesTheOldFileAndNoTemporary) {
    for (int n = 1;; ++n) {
        prueba::CarpetaTemporal d;
        prueba::EscribirArchivo(d / "red.vtq", kViejo);
        SistemaConFallo s;
        s.falla = n;
        const std::string e = Escribir(d / "red.vtq", kNuevo, s);
        if (s.llamadas < n) break;
        SCOPED_TRACE(testing::Message() << "falla " << s.hechas[n - 1] << " (" << n << ")");
        if (e.empty()) {
            EXPECT_EQ(prueba::LeerArchivo(d / "red.vtq"), kNuevo);
            continue;
        }
        EXPECT_EQ(prueba::LeerArchivo(d / "red.vtq"), kViejo);
        EXPECT_EQ(Nombres(d), std::set<std::string>{"red.vtq"}) << e;
    }
}

TEST_F(EscrituraSegura, TheFolderIsFlushedAfterTheRename) {
    prueba::CarpetaTemporal d;
    SistemaConFallo s;
    EXPECT_EQ(Escribir(d / "red.vtq", "x", s), "");
    const auto renombre = std::find(s.hechas.begin(), s.hechas.end(), "Renombrar");
    ASSERT_NE(renombre, s.hechas.end());
    const std::vector<std::string> despues(renombre + 1, s.hechas.end());
    EXPECT_EQ(despues, (std::vector<std::string>{"Cerrar", "Abrir", "Sincronizar", "Cerrar"}));
}

TEST_F(EscrituraSegura, ADanglingLinkStaysALinkAndTheFileItNamesIsCreated) {
    prueba::CarpetaTemporal d;
    fs::create_directory(d / "real");
    fs::create_symlink("real/red.vtq", d / "enlace.vtq");
    EXPECT_EQ(Escribir(d / "enlace.vtq", "nuevo"), "");
    EXPECT_TRUE(fs::is_symlink(d / "enlace.vtq"));
    EXPECT_EQ(prueba::LeerArchivo(d / "real/red.vtq"), "nuevo");
    // A loop of links is refused with the system's reason.
    fs::create_symlink("b", d / "a");
    fs::create_symlink("a", d / "b");
    EXPECT_EQ(Escribir(d / "a", "x"),
              "no se puede seguir el enlace " + (d / "a") + ": Too many levels of symbolic links");
}

TEST_F(EscrituraSegura, ALongNameFitsItsTemporaryAndItsBackup) {
    prueba::CarpetaTemporal d;
    // 253 bytes; the backup's shortened name ends inside a two-byte letter.
    std::string nombre = "a";
    for (int i = 0; i < 124; ++i) nombre += "ñ";
    nombre += ".vtq";
    ASSERT_EQ(nombre.size(), 253u);
    EXPECT_EQ(Escribir(d / nombre, kViejo), "");
    fs::create_hard_link(d / nombre, d / "otro.vtq");
    EXPECT_EQ(Escribir(d / nombre, kNuevo), "");
    EXPECT_EQ(prueba::LeerArchivo(d / "otro.vtq"), kNuevo);
    EXPECT_EQ(Nombres(d), (std::set<std::string>{nombre, "otro.vtq"}));
}

TEST_F(EscrituraSegura, AFullDiskIsFoundBeforeAHardLinkedTargetIsTouched) {
    prueba::CarpetaTemporal d;
    const std::string ruta = EnlazadoDos(d);
    SistemaConFallo s;
    s.fallaEn = "Reservar";
    EXPECT_EQ(
        Escribir(ruta, kNuevo, s),
        "no se puede escribir " + ruta + ": No space left on device; el archivo quedó como estaba");
    const auto reserva = std::find(s.hechas.begin(), s.hechas.end(), "Reservar");
    EXPECT_EQ(std::count(s.hechas.begin(), reserva, "Escribir"), 1);  // the backup only
    EXPECT_EQ(std::count(reserva, s.hechas.end(), "Escribir"), 0);
    EXPECT_EQ(Nombres(d), (std::set<std::string>{"red.vtq", "otro.vtq"}));
}

TEST_F(EscrituraSegura, TheTemporaryOfAKilledSaveIsClearedButNotOneInUse) {
    prueba::CarpetaTemporal d;
    const std::string muerto = d / ".vortena-0123456789abcdef.tmp";
    const std::string vivo = d / ".vortena-fedcba9876543210.tmp";
    const std::string ajeno = d / ".vortena-notmine.tmp";
    prueba::EscribirArchivo(muerto, "a medias");
    prueba::EscribirArchivo(vivo, "escribiéndose");
    prueba::EscribirArchivo(ajeno, "de otro programa");
    const int fd = ::open(vivo.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    // The lock belongs to the open file: another open of it cannot take it.
    EXPECT_EQ(Escribir(d / "red.vtq", "x"), "");
    ::close(fd);
    EXPECT_EQ(Nombres(d), (std::set<std::string>{"red.vtq", ".vortena-fedcba9876543210.tmp",
                                                 ".vortena-notmine.tmp"}));
}

TEST_F(EscrituraSegura, TheProtectedFileIsRefusedUnderAnyName) {
    prueba::CarpetaTemporal d;
    const std::string red = EnlazadoDos(d);
    fs::create_symlink("red.vtq", d / "enlace.txt");
    for (const std::string& ruta : {red, d / "otro.vtq", d / "enlace.txt"})
        EXPECT_EQ(Escribir(ruta, "informe", SistemaReal(), red),
                  ruta + " es el archivo de la red abierta; elija otro nombre");
    EXPECT_EQ(prueba::LeerArchivo(red), kViejo);
    EXPECT_EQ(Escribir(d / "informe.txt", "informe", SistemaReal(), red), "");
}

}  // namespace
}  // namespace vortena
