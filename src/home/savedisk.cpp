#include "home/savedisk.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <cstring>
#include <vector>

namespace {
std::string failure(const std::string& path, int err) { return path + ": " + std::strerror(err); }

std::string tmpof(const std::string& path) { return path + ".tmp"; }
std::string oldof(const std::string& path) { return path + ".old"; }

std::string folderof(const std::string& path)
{
    size_t s = path.rfind('/');
    if (s == std::string::npos) return ".";
    return s == 0 ? "/" : path.substr(0, s);
}

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

// Writes bytes to path, created or emptied, and syncs them to the disk. 0, or errno's value;
// a file that could not be written whole is removed again.
int writesynced(const std::string& path, const std::string& bytes)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) return errno;
    int err = 0;
    if (!writeall(fd, bytes) || fsync(fd) != 0) err = errno;
    if (close(fd) != 0 && err == 0) err = errno;
    if (err) unlink(path.c_str());
    return err;
}

// Makes the renames inside the folder of path last across a crash. A file system that
// cannot sync a folder (EINVAL) has nothing to make last.
int syncfolder(const std::string& path)
{
    int fd = open(folderof(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return err;
}

// How far one file of a replacement has come, so a failure can undo exactly that much.
struct progress {
    bool written = false;  // the new text is complete in "<path>.tmp"
    bool keptold = false;  // the old file is kept as "<path>.old"
    bool renamed = false;  // the new text is in place
};

// Keeps the old file as "<path>.old": a second name for it, or a synced copy where the file
// system has no hard links. Nothing to keep when there is no old file.
bool keepold(const std::string& path, progress& p, std::string& why)
{
    const std::string old = oldof(path);
    unlink(old.c_str());
    if (link(path.c_str(), old.c_str()) == 0) return p.keptold = true;
    if (errno == ENOENT) return true;
    std::string bytes;
    int err;
    if (!readfile(path, bytes, SAVEFILECAP, err)) {
        if (err == ENOENT) return true;
        why = failure(path, err);
        return false;
    }
    if ((err = writesynced(old, bytes)) != 0) {
        why = failure(old, err);
        return false;
    }
    return p.keptold = true;
}

bool swapin(const std::string& path, progress& p, std::string& why)
{
    if (rename(tmpof(path).c_str(), path.c_str()) != 0) {
        why = failure(path, errno);
        return false;
    }
    p.renamed = true;
    if (int err = syncfolder(path)) {
        why = failure(folderof(path), err);
        return false;
    }
    return true;
}

// Puts every file back as it was before the replacement began.
void rollback(const filewrite* files, const std::vector<progress>& st, int n, std::string& why)
{
    for (int i = n - 1; i >= 0; i--) {
        const std::string& path = files[i].path;
        if (st[i].renamed) {
            bool back = st[i].keptold ? rename(oldof(path).c_str(), path.c_str()) == 0
                                      : unlink(path.c_str()) == 0;
            if (!back && st[i].keptold) why += " (" + oldof(path) + " holds the old file)";
        } else {
            if (st[i].written) unlink(tmpof(path).c_str());
            if (st[i].keptold) unlink(oldof(path).c_str());
        }
    }
    if (n > 0) syncfolder(files[0].path);
}
}  // namespace

bool readfile(const std::string& path, std::string& out, size_t cap, int& err)
{
    out.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return false;
    }
    char chunk[8192];
    bool ok = true;
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (out.size() + static_cast<size_t>(n) > cap) {
            err = EFBIG;
            ok = false;
            break;
        }
        out.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    return ok;
}

bool replacefiles(const filewrite* files, int n, std::string& why)
{
    std::vector<progress> st(n);
    bool ok = true;
    for (int i = 0; i < n && ok; i++) {
        int err = writesynced(tmpof(files[i].path), files[i].bytes);
        if (err) why = failure(tmpof(files[i].path), err);
        ok = st[i].written = err == 0;
    }
    for (int i = 0; i < n && ok; i++)
        ok = keepold(files[i].path, st[i], why) && swapin(files[i].path, st[i], why);
    if (!ok) {
        rollback(files, st, n, why);
        return false;
    }
    for (int i = 0; i < n; i++) unlink(oldof(files[i].path).c_str());
    return keepfiles(why);
}

void removeleftovers(const std::string& path)
{
    for (const std::string& f : {tmpof(path), oldof(path)}) {
        struct stat s;
        if (lstat(f.c_str(), &s) == 0 && S_ISREG(s.st_mode)) unlink(f.c_str());
    }
}

bool makefolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0) return true;
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

folderlock::folderlock(const std::string& path, int waitms)
{
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    // a folder that takes no new file may still lock the one it has
    if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitms);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) break;  // no locks here: ENOLCK, EINVAL, EOPNOTSUPP
        if (std::chrono::steady_clock::now() >= until) {
            isbusy = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    close(fd);
    fd = -1;
}

folderlock::~folderlock()
{
    if (fd >= 0) close(fd);  // closing lets go of the lock
}
