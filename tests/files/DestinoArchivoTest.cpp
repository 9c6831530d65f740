// What saving does to the file it replaces (links, permissions, read-only
// files) and what opening refuses before reading a byte.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "files/ArchivoRed.h"
#include "files/ErrorArchivo.h"
#include "files/EscrituraAtomica.h"
#include "files/PruebaArchivos.h"
#include "support/DocumentoFalso.h"

namespace vortena {
namespace {

namespace fs = std::filesystem;

class Destino : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;

    static struct stat Estado(const std::string& ruta) {
        struct stat st {};
        EXPECT_EQ(::lstat(ruta.c_str(), &st), 0) << ruta;
        return st;
    }
    // The text of the failure, or empty when the write went through.
    static std::string Escribir(const std::string& ruta, std::string_view bytes) {
        try {
            EscribirAtomico(ruta, bytes);
        } catch (const ErrorArchivo& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(Destino, ThroughASymbolicLinkTheRealFileIsUpdatedAndTheLinkKept) {
    fs::create_directory(dir / "real");
    prueba::EscribirArchivo(dir / "real/red.vtq", "viejo");
    fs::create_symlink("real/red.vtq", dir / "enlace.vtq");
    EXPECT_EQ(Escribir(dir / "enlace.vtq", "nuevo"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "enlace.vtq"));
    EXPECT_EQ(fs::read_symlink(dir / "enlace.vtq"), "real/red.vtq");
    EXPECT_EQ(prueba::LeerArchivo(dir / "real/red.vtq"), "nuevo");
    EXPECT_EQ(dir.Archivos().size(), 2u);  // no temporary left behind
}

TEST_F(Destino, PermissionsAndGroupAreKept) {
    const std::string ruta = dir / "red.vtq";
    prueba::EscribirArchivo(ruta, "viejo");
    ASSERT_EQ(::chmod(ruta.c_str(), 0640), 0);
    // Another group, when this user may give the file one.
    const gid_t grupo = ::getuid() == 0 ? 4242 : ::getgid();
    ASSERT_EQ(::chown(ruta.c_str(), static_cast<uid_t>(-1), grupo), 0);
    EXPECT_EQ(Escribir(ruta, "nuevo"), "");
    const struct stat st = Estado(ruta);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_gid, grupo);
    EXPECT_EQ(prueba::LeerArchivo(ruta), "nuevo");
}

TEST_F(Destino, AReadOnlyFileIsRefusedAndLeftAlone) {
    const std::string ruta = dir / "red.vtq";
    prueba::EscribirArchivo(ruta, "viejo");
    ASSERT_EQ(::chmod(ruta.c_str(), 0444), 0);
    EXPECT_EQ(Escribir(ruta, "nuevo"), ruta + " es de solo lectura");
    EXPECT_EQ(prueba::LeerArchivo(ruta), "viejo");
}

TEST_F(Destino, AHardLinkedFileIsWrittenInPlaceSoEveryNameSeesIt) {
    const std::string ruta = dir / "red.vtq";
    prueba::EscribirArchivo(ruta, "viejo");
    fs::create_hard_link(ruta, dir / "otro-nombre.vtq");
    const ino_t nodo = Estado(ruta).st_ino;
    EXPECT_EQ(Escribir(ruta, "nuevo"), "");
    EXPECT_EQ(Estado(ruta).st_ino, nodo);
    EXPECT_EQ(prueba::LeerArchivo(dir / "otro-nombre.vtq"), "nuevo");
    EXPECT_EQ(dir.Archivos().size(), 2u);  // the backup copy dropped once written
}

TEST_F(Destino, FailuresNameTheFileAskedForAndTheReason) {
    const std::string ruta = dir / "falta/red.vtq";
    const std::string e = Escribir(ruta, "x");
    EXPECT_EQ(e, "no se puede escribir " + ruta + ": No such file or directory");
    EXPECT_EQ(e.find(".tmp"), std::string::npos);
    fs::create_directory(dir / "carpeta");
    EXPECT_EQ(Escribir(dir / "carpeta", "x"), dir / "carpeta" + " es una carpeta");
}

class Apertura : public Destino {
protected:
    Red red;
    prueba::DocumentoFalso doc;
    std::string Abrir(const std::string& ruta) {
        try {
            AbrirRed(red, ruta, doc);
        } catch (const ErrorArchivo& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(Apertura, RefusesWhatIsNotARegularFileOrIsTooLarge) {
    // A FIFO would block the read for ever.
    const std::string fifo = dir / "tubo.vtq";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Abrir(fifo), fifo + " no es un archivo común");
    EXPECT_EQ(Abrir("/dev/zero"), "/dev/zero no es un archivo común");

    // A sparse file: its size costs no disk.
    const std::string grande = dir / "grande.vtq";
    prueba::EscribirArchivo(grande, "");
    fs::resize_file(grande, kTamanoMaximoArchivo + 1);
    EXPECT_EQ(Abrir(grande), grande + " mide más de 256 MB: no es un archivo de red");
    EXPECT_EQ(red.Centros.Count(), 0);
}

TEST_F(Apertura, SaysPlainlyWhenTheFileIsEmptyOrNotANetwork) {
    prueba::EscribirArchivo(dir / "vacio.vtq", "");
    EXPECT_EQ(Abrir(dir / "vacio.vtq"), "el archivo está vacío");
    prueba::EscribirArchivo(dir / "png.vtq", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR");
    EXPECT_EQ(Abrir(dir / "png.vtq"), "no es un archivo de red de Vortena");
    // A header alone is a network file, with its own fault.
    prueba::EscribirArchivo(dir / "cabecera.vtq", "%\r\n1\r\n3\r\n");
    EXPECT_EQ(Abrir(dir / "cabecera.vtq"), "NodoInicio 1 no es un nodo");
}

}  // namespace
}  // namespace vortena
