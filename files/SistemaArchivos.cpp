#include "files/SistemaArchivos.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vortena {

int SistemaArchivos::Abrir(const char* ruta, int banderas, mode_t modo) {
    return ::open(ruta, banderas, modo);
}
ssize_t SistemaArchivos::Escribir(int fd, const void* datos, std::size_t n, off_t desde) {
    return ::pwrite(fd, datos, n, desde);
}
ssize_t SistemaArchivos::Leer(int fd, void* datos, std::size_t n, off_t desde) {
    return ::pread(fd, datos, n, desde);
}

int SistemaArchivos::Reservar(int fd, off_t tam) {
    if (tam <= 0) return 0;
#ifdef FALLOC_FL_KEEP_SIZE
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, tam) == 0) return 0;
    // A file system without the call cannot reserve: the write itself will
    // tell, and the caller puts the old bytes back.
    if (errno == EOPNOTSUPP || errno == ENOSYS) return 0;
    return -1;
#else
    (void)fd;
    return 0;
#endif
}

int SistemaArchivos::Truncar(int fd, off_t tam) {
    return ::ftruncate(fd, tam);
}
int SistemaArchivos::Sincronizar(int fd) {
    return ::fsync(fd);
}
int SistemaArchivos::Cerrar(int fd) {
    return ::close(fd);
}
int SistemaArchivos::Renombrar(const char* de, const char* a) {
    return ::rename(de, a);
}
int SistemaArchivos::Borrar(const char* ruta) {
    return ::unlink(ruta);
}
int SistemaArchivos::CambiarDueno(int fd, uid_t dueno, gid_t grupo) {
    return ::fchown(fd, dueno, grupo);
}
int SistemaArchivos::CambiarModo(int fd, mode_t modo) {
    return ::fchmod(fd, modo);
}
int SistemaArchivos::Bloquear(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB);
}

SistemaArchivos& SistemaReal() {
    static SistemaArchivos real;
    return real;
}

}  // namespace vortena
