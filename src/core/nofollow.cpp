#include "core/nofollow.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool writeall(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int appendfile(const std::string& path, const std::string& bytes)
{
    // a FIFO would hold the write up: without waiting it is refused, as any other non-file
    int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) return errno == ENXIO ? EINVAL : errno;
    struct stat s;
    int err = fstat(fd, &s) != 0 ? errno : !S_ISREG(s.st_mode) ? EINVAL : 0;
    if (!err && !writeall(fd, bytes)) err = errno;
    if (close(fd) != 0 && !err) err = errno;
    return err;
}

bool islink(const std::string& path)
{
    struct stat s;
    return lstat(path.c_str(), &s) == 0 && S_ISLNK(s.st_mode);
}
