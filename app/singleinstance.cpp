#include "app/singleinstance.h"

#include "app/systempaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <syslog.h>
#include <unistd.h>

namespace {

void fail(const char* format, const QByteArray& path, int err) {
    syslog(LOG_ERR, format, path.constData(), strerror(err));
    std::fprintf(stderr, format, path.constData(), strerror(err));
    std::fputc('\n', stderr);
    std::exit(1);
}

} // namespace

int already_running() {
    const QByteArray path = SystemPaths::pidLockFile().toLocal8Bit();
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("can't open %s: %s", path, errno);

    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // the whole file
    if (fcntl(fd, F_SETLK, &lock) < 0) {
        const int err = errno;
        if (err == EACCES || err == EAGAIN) {
            close(fd);
            return 1;
        }
        fail("can't lock %s: %s", path, err);
    }

    // The descriptor stays open on purpose: the lock lives as long as we do.
    char pid[32];
    const int len = std::snprintf(pid, sizeof pid, "%ld", static_cast<long>(getpid()));
    if (ftruncate(fd, 0) < 0 || write(fd, pid, len) != len)
        fail("can't write %s: %s", path, errno);
    return 0;
}
