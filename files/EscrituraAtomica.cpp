#include "files/EscrituraAtomica.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "files/ErrorArchivo.h"

namespace vortena {
namespace fs = std::filesystem;

namespace {

// The messages name the file the user asked for, never the temporary one.
[[noreturn]] void Fallar(const std::string& que, const std::string& ruta, int error) {
    throw ErrorArchivo(que + " " + ruta + ": " + std::generic_category().message(error));
}

// A name beside the target that no other writer of this process or another
// one picks at the same time.
fs::path NombreTemporal(const fs::path& destino) {
    static std::atomic<unsigned> contador{0};
    const auto marca = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path t = destino;
    t += std::string(".tmp").append(std::to_string(marca)) +
         std::string("-").append(std::to_string(contador++));
    return t;
}

// Writes every byte to an open descriptor and flushes it to the disk; the
// errno of the first failure, 0 on success. Closes the descriptor.
int VolcarYCerrar(int fd, std::string_view bytes) {
    int error = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

void EnSitio(const fs::path& destino, const std::string& ruta, std::string_view bytes) {
    const std::string copia = NombreCopiaSeguridad(destino.string());
    std::error_code ec;
    fs::copy_file(destino, copia, fs::copy_options::overwrite_existing, ec);
    if (ec) Fallar("no se puede hacer la copia de seguridad de", ruta, ec.value());
    const int fd = ::open(destino.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) Fallar("no se puede escribir", ruta, errno);
    if (const int error = VolcarYCerrar(fd, bytes); error != 0)
        throw ErrorArchivo("no se puede escribir " + ruta + ": " +
                           std::generic_category().message(error) +
                           "; la copia de seguridad quedó en " + copia);
    fs::remove(copia, ec);
}

void Reemplazar(const fs::path& destino, const std::string& ruta, std::string_view bytes,
                const std::optional<struct stat>& previo) {
    const fs::path temporal = NombreTemporal(destino);
    const int fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) Fallar("no se puede escribir", ruta, errno);
    if (previo) {
        // The owner can only be kept by a privileged user; the group by the
        // owner when a member of it. A refusal leaves the new file's own.
        const bool dueno = ::fchown(fd, previo->st_uid, previo->st_gid) == 0;
        if (!dueno && ::fchown(fd, static_cast<uid_t>(-1), previo->st_gid) != 0) {
            // Not a member of the group: the file keeps the user's own.
        }
        if (::fchmod(fd, previo->st_mode & 07777) != 0) {
            // Cannot fail on a file this process just created.
        }
    }
    const int error = VolcarYCerrar(fd, bytes);
    std::error_code ec;
    if (error != 0) {
        fs::remove(temporal, ec);
        Fallar("no se puede escribir", ruta, error);
    }
    if (::rename(temporal.c_str(), destino.c_str()) != 0) {
        const int e = errno;
        fs::remove(temporal, ec);
        Fallar("no se puede reemplazar", ruta, e);
    }
}

}  // namespace

std::string NombreCopiaSeguridad(const std::string& archivo) {
    return archivo + ".bak";
}

void EscribirAtomico(const std::string& ruta, std::string_view bytes) {
    if (ruta.empty()) throw ErrorArchivo("no se indicó el nombre del archivo");
    fs::path destino(ruta);
    std::error_code ec;
    // Through a link the file it names is replaced and the link kept.
    if (fs::is_symlink(destino, ec)) {
        destino = fs::weakly_canonical(destino, ec);
        if (ec) Fallar("no se puede seguir el enlace", ruta, ec.value());
    }
    struct stat st {};
    std::optional<struct stat> previo;
    if (::stat(destino.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw ErrorArchivo(ruta + " es una carpeta");
        if (!S_ISREG(st.st_mode)) throw ErrorArchivo(ruta + " no es un archivo común");
        // The mode bits too: a privileged user may write anything.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(destino.c_str(), W_OK) != 0)
            throw ErrorArchivo(ruta + " es de solo lectura");
        if (st.st_nlink > 1) return EnSitio(destino, ruta, bytes);
        previo = st;
    } else if (errno != ENOENT) {
        Fallar("no se puede escribir", ruta, errno);
    }
    Reemplazar(destino, ruta, bytes, previo);
}

}  // namespace vortena
