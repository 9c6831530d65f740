#pragma once
// The system calls the safe writer makes on files and folders, behind an
// interface: the real one forwards to POSIX, and a test can derive from it to
// make any single step fail (a full disk, an I/O error) without a mount.
// Each returns what its POSIX call returns and sets errno on failure.

#include <sys/types.h>

#include <cstddef>

namespace vortena {

class SistemaArchivos {
public:
    virtual ~SistemaArchivos() = default;

    virtual int Abrir(const char* ruta, int banderas, mode_t modo);
    // pwrite / pread at `desde`; may move fewer bytes than asked.
    virtual ssize_t Escribir(int fd, const void* datos, std::size_t n, off_t desde);
    virtual ssize_t Leer(int fd, void* datos, std::size_t n, off_t desde);
    // Allocates the disk blocks of the first `tam` bytes without changing the
    // file's contents or size where the file system allows it.
    virtual int Reservar(int fd, off_t tam);
    virtual int Truncar(int fd, off_t tam);
    virtual int Sincronizar(int fd);
    virtual int Cerrar(int fd);
    virtual int Renombrar(const char* de, const char* a);
    virtual int Borrar(const char* ruta);
    virtual int CambiarDueno(int fd, uid_t dueno, gid_t grupo);
    virtual int CambiarModo(int fd, mode_t modo);
    // An exclusive advisory lock, without waiting (flock).
    virtual int Bloquear(int fd);
};

// The real calls; it holds no state.
SistemaArchivos& SistemaReal();

}  // namespace vortena
