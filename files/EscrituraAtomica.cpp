#include "files/EscrituraAtomica.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "files/ErrorArchivo.h"

namespace vortena {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNombreMaximo = 255;  // NAME_MAX of every common file system
constexpr int kEnlacesMaximos = 40;         // the kernel's own limit
constexpr int kIntentos = 8;                // fresh random names before giving up

constexpr std::string_view kPrefijoTemporal = ".vortena-";
constexpr std::string_view kSufijoTemporal = ".tmp";
constexpr std::size_t kCifrasTemporal = 16;
constexpr std::string_view kSufijoCopia = ".bak-";
constexpr std::size_t kCifrasCopia = 6;

constexpr std::string_view kIntacto = "; el archivo quedó como estaba";

// The messages name the file the user asked for, never a temporary one.
[[noreturn]] void Fallar(const std::string& que, const std::string& ruta, int error,
                         std::string_view despues = {}) {
    throw ErrorArchivo(que + " " + ruta + ": " + std::generic_category().message(error) +
                       std::string(despues));
}

std::string Hex(std::size_t cifras) {
    static constexpr char kCifras[] = "0123456789abcdef";
    std::random_device azar;
    std::string r;
    while (r.size() < cifras)
        for (unsigned v = azar(), i = 0; i < 8 && r.size() < cifras; ++i, v >>= 4)
            r += kCifras[v & 15];
    return r;
}

bool EsTemporal(std::string_view n) {
    if (n.size() != kPrefijoTemporal.size() + kCifrasTemporal + kSufijoTemporal.size() ||
        !n.starts_with(kPrefijoTemporal) || !n.ends_with(kSufijoTemporal))
        return false;
    const std::string_view cifras = n.substr(kPrefijoTemporal.size(), kCifrasTemporal);
    return std::all_of(cifras.begin(), cifras.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The first `maximo` bytes of a name, never cutting a UTF-8 character.
std::string Acortar(const std::string& nombre, std::size_t maximo) {
    if (nombre.size() <= maximo) return nombre;
    std::size_t n = maximo;
    while (n > 0 && (static_cast<unsigned char>(nombre[n]) & 0xC0) == 0x80) --n;
    return nombre.substr(0, n);
}

fs::path Carpeta(const fs::path& archivo) {
    const fs::path c = archivo.parent_path();
    return c.empty() ? fs::path(".") : c;
}

class Descriptor {
public:
    Descriptor(SistemaArchivos& s, int fd) : s_(s), fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) s_.Cerrar(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Cerrar() {
        const int r = s_.Cerrar(fd_);
        fd_ = -1;
        return r;
    }

private:
    SistemaArchivos& s_;
    int fd_;
};

// Every byte from the start of the file; the errno of the failure or 0.
int EscribirTodo(SistemaArchivos& s, int fd, std::string_view bytes) {
    off_t desde = 0;
    while (!bytes.empty()) {
        const ssize_t n = s.Escribir(fd, bytes.data(), bytes.size(), desde);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        desde += n;
    }
    return 0;
}

int LeerTodo(SistemaArchivos& s, int fd, std::string& bytes) {
    bytes.clear();
    char bloque[65536];
    for (;;) {
        const ssize_t n = s.Leer(fd, bloque, sizeof bloque, static_cast<off_t>(bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        bytes.append(bloque, static_cast<std::size_t>(n));
    }
}

// So that a rename or a new name survives a power cut. A folder some file
// systems cannot flush leaves the file in place all the same: not a failure.
void SincronizarCarpeta(SistemaArchivos& s, const fs::path& carpeta) {
    const int fd = s.Abrir(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    s.Sincronizar(fd);
    s.Cerrar(fd);
}

// Removes a file this writer made; when it cannot, the tail of the message
// that says where it is.
std::string Descartar(SistemaArchivos& s, const fs::path& archivo, std::string_view que) {
    if (s.Borrar(archivo.c_str()) == 0) {
        SincronizarCarpeta(s, Carpeta(archivo));
        return {};
    }
    return "; " + std::string(que) + " quedó en " + archivo.string();
}

// A temporary file whose writer died (killed, power cut) holds no lock: it
// is removed. Only the user's own, and never through a link.
void LimpiarTemporales(SistemaArchivos& s, const fs::path& carpeta) {
    std::error_code ec;
    for (fs::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        if (!EsTemporal(it->path().filename().string())) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const int fd = s.Abrir(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
        if (fd < 0) continue;
        if (s.Bloquear(fd) == 0) s.Borrar(it->path().c_str());
        s.Cerrar(fd);
    }
}

// A new file beside the target, created exclusively so that no existing name
// or link is ever written through; tries fresh names on a collision.
int CrearExclusivo(SistemaArchivos& s, const fs::path& carpeta, const std::string& prefijo,
                   std::string_view sufijo, std::size_t cifras, mode_t modo, fs::path& nombre) {
    for (int intento = 0;; ++intento) {
        nombre = carpeta / (prefijo + Hex(cifras) + std::string(sufijo));
        const int fd =
            s.Abrir(nombre.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, modo);
        if (fd >= 0 || errno != EEXIST || intento == kIntentos) return fd;
    }
}

void Reemplazar(SistemaArchivos& s, const fs::path& destino, const std::string& ruta,
                std::string_view bytes, const std::optional<struct stat>& previo) {
    const fs::path carpeta = Carpeta(destino);
    LimpiarTemporales(s, carpeta);
    fs::path temporal;
    const int fd = CrearExclusivo(s, carpeta, std::string(kPrefijoTemporal), kSufijoTemporal,
                                  kCifrasTemporal, 0666, temporal);
    if (fd < 0) Fallar("no se puede escribir", ruta, errno);
    Descriptor d(s, fd);
    // Held until the name is gone: no other save takes the file for a leftover.
    s.Bloquear(fd);
    if (previo) {
        // The owner can only be kept by a privileged user; the group by the
        // owner when a member of it. A refusal leaves the new file's own.
        if (s.CambiarDueno(fd, previo->st_uid, previo->st_gid) != 0)
            s.CambiarDueno(fd, static_cast<uid_t>(-1), previo->st_gid);
        s.CambiarModo(fd, previo->st_mode & 07777);
    }
    int error = EscribirTodo(s, fd, bytes);
    if (error == 0 && s.Sincronizar(fd) != 0) error = errno;
    if (error != 0) {
        s.Borrar(temporal.c_str());
        Fallar("no se puede escribir", ruta, error, kIntacto);
    }
    if (s.Renombrar(temporal.c_str(), destino.c_str()) != 0) {
        error = errno;
        s.Borrar(temporal.c_str());
        Fallar("no se puede reemplazar", ruta, error, kIntacto);
    }
    // The bytes are on the disk: a late close error tells nothing new.
    d.Cerrar();
    SincronizarCarpeta(s, carpeta);
}

// The old bytes in a new file of their own, flushed with its name before the
// target is touched, so that a power cut mid-way loses nothing.
fs::path CopiaDeSeguridad(SistemaArchivos& s, const fs::path& destino, const std::string& ruta,
                          std::string_view viejo) {
    const fs::path carpeta = Carpeta(destino);
    const std::string base =
        Acortar(destino.filename().string(), kNombreMaximo - kSufijoCopia.size() - kCifrasCopia);
    fs::path copia;
    const int fd =
        CrearExclusivo(s, carpeta, base + std::string(kSufijoCopia), "", kCifrasCopia, 0600, copia);
    if (fd < 0) Fallar("no se puede hacer la copia de seguridad de", ruta, errno, kIntacto);
    Descriptor d(s, fd);
    int error = EscribirTodo(s, fd, viejo);
    if (error == 0 && s.Sincronizar(fd) != 0) error = errno;
    if (error == 0 && d.Cerrar() != 0) error = errno;
    if (error != 0)
        Fallar("no se puede hacer la copia de seguridad de", ruta, error,
               std::string(kIntacto) + Descartar(s, copia, "una copia incompleta"));
    SincronizarCarpeta(s, carpeta);
    return copia;
}

// Every name of a hard-linked file must see the new contents, so the file
// itself is rewritten, never replaced.
void EnSitio(SistemaArchivos& s, const fs::path& destino, const std::string& ruta,
             std::string_view bytes) {
    const int fd = s.Abrir(destino.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0) Fallar("no se puede escribir", ruta, errno, kIntacto);
    Descriptor d(s, fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        throw ErrorArchivo(ruta + " no es un archivo común");
    std::string viejo;
    if (const int e = LeerTodo(s, fd, viejo); e != 0) Fallar("no se puede leer", ruta, e, kIntacto);
    if (viejo == bytes) return;
    const fs::path copia = CopiaDeSeguridad(s, destino, ruta, viejo);

    // The whole new size is claimed before the first byte changes: a full
    // disk is found while the file still holds its old bytes.
    if (s.Reservar(fd, static_cast<off_t>(bytes.size())) != 0) {
        const int e = errno;
        Fallar("no se puede escribir", ruta, e,
               std::string(kIntacto) + Descartar(s, copia, "una copia de seguridad"));
    }
    int error = EscribirTodo(s, fd, bytes);
    if (error == 0 && s.Truncar(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (error == 0 && s.Sincronizar(fd) != 0) error = errno;
    if (error != 0) {
        const bool restaurado = EscribirTodo(s, fd, viejo) == 0 &&
                                s.Truncar(fd, static_cast<off_t>(viejo.size())) == 0 &&
                                s.Sincronizar(fd) == 0;
        if (restaurado)
            Fallar("no se puede escribir", ruta, error,
                   std::string(kIntacto) + Descartar(s, copia, "una copia de seguridad"));
        Fallar("no se puede escribir", ruta, error,
               "; el archivo quedó incompleto y su contenido anterior está en " + copia.string());
    }
    d.Cerrar();
    // A copy that cannot be removed holds the old bytes: harmless, and the
    // save itself went through.
    Descartar(s, copia, "");
}

// The file a chain of symbolic links ends at, which may not exist yet: a
// dangling link is kept and the file it names created.
fs::path SeguirEnlaces(const std::string& ruta) {
    fs::path p = ruta;
    for (int i = 0; i < kEnlacesMaximos; ++i) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const fs::path siguiente = fs::read_symlink(p, ec);
        if (ec) Fallar("no se puede seguir el enlace", ruta, ec.value());
        p = siguiente.is_absolute() ? siguiente : p.parent_path() / siguiente;
    }
    Fallar("no se puede seguir el enlace", ruta, ELOOP);
}

bool MismoArchivo(const struct stat& a, const std::string& otro) {
    struct stat b {};
    return !otro.empty() && ::stat(otro.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

}  // namespace

void EscribirAtomico(const std::string& ruta, std::string_view bytes, const std::string& protegido,
                     SistemaArchivos& sistema) {
    if (ruta.empty()) throw ErrorArchivo("no se indicó el nombre del archivo");
    const fs::path destino = SeguirEnlaces(ruta);
    struct stat st {};
    std::optional<struct stat> previo;
    if (::stat(destino.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw ErrorArchivo(ruta + " es una carpeta");
        if (!S_ISREG(st.st_mode)) throw ErrorArchivo(ruta + " no es un archivo común");
        if (MismoArchivo(st, protegido))
            throw ErrorArchivo(ruta + " es el archivo de la red abierta; elija otro nombre");
        // The mode bits too: a privileged user may write anything.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(destino.c_str(), W_OK) != 0)
            throw ErrorArchivo(ruta + " es de solo lectura");
        previo = st;
    } else if (errno != ENOENT) {
        Fallar("no se puede escribir", ruta, errno);
    }
    if (previo && previo->st_nlink > 1)
        EnSitio(sistema, destino, ruta, bytes);
    else
        Reemplazar(sistema, destino, ruta, bytes, previo);
}

}  // namespace vortena
