#include "home/savedisk.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

#include "core/nofollow.h"

namespace {
std::string failure(const std::string& path, int err) { return path + ": " + std::strerror(err); }

// The names of a save's passing files carry the game's process, so that two games saving
// into one folder never share one, and a file left behind tells whose it was:
// "<path>.tmp-<pid>" and "<path>.old-<pid>". One game saves one thing at a time.
std::string passname(const std::string& path, const char* what)
{
    return path + what + std::to_string(getpid());
}

// A file of a save that no longer runs: its game is gone from this machine, or it has
// lain untouched for far longer than any save takes.
bool stale(const char* pidtext, const struct stat& s)
{
    char* end;
    long pid = std::strtol(pidtext, &end, 10);
    if (*end || pid <= 0) return false;
    if (pid == getpid()) return true;  // another game of this process can be no more
    constexpr std::time_t HOUR = 3600;
    return (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ||
           std::time(nullptr) - s.st_mtime > HOUR;
}

std::string folderof(const std::string& path)
{
    size_t s = path.rfind('/');
    if (s == std::string::npos) return ".";
    return s == 0 ? "/" : path.substr(0, s);
}


// Writes bytes to path, a new file, and syncs them to the disk. 0, or errno's value; a file
// that could not be written whole is removed again.
int writesynced(const std::string& path, const std::string& bytes)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
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
    std::string tmp, old;  // this replacement's own passing names
    bool written = false;  // the new text is complete in tmp
    bool keptold = false;  // the old file is kept as old
    bool renamed = false;  // the new text is in place
};

// Keeps the old file as p.old: a second name for it, or a synced copy where the file
// system has no hard links. Nothing to keep when there is no old file.
bool keepold(const std::string& path, progress& p, std::string& why)
{
    const std::string& old = p.old;
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
    if (rename(p.tmp.c_str(), path.c_str()) != 0) {
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
            bool back = st[i].keptold ? rename(st[i].old.c_str(), path.c_str()) == 0
                                      : unlink(path.c_str()) == 0;
            if (!back && st[i].keptold) why += " (" + st[i].old + " holds the old file)";
        } else {
            if (st[i].written) unlink(st[i].tmp.c_str());
            if (st[i].keptold) unlink(st[i].old.c_str());
        }
    }
    if (n > 0) syncfolder(files[0].path);
}
}  // namespace

bool readfile(const std::string& path, std::string& out, size_t cap, int& err)
{
    out.clear();
    // a FIFO or a device in place of a save is no save: it is never waited on
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat s;
    if (fd >= 0 && fstat(fd, &s) == 0 && !S_ISREG(s.st_mode) && !S_ISDIR(s.st_mode)) {
        close(fd);
        errno = EINVAL;
        fd = -1;
    }
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
        st[i].tmp = passname(files[i].path, ".tmp-");
        st[i].old = passname(files[i].path, ".old-");
        unlink(st[i].tmp.c_str());  // left by an earlier game of this process number
        int err = writesynced(st[i].tmp, files[i].bytes);
        if (err) why = failure(st[i].tmp, err);
        ok = st[i].written = err == 0;
    }
    for (int i = 0; i < n && ok; i++)
        ok = keepold(files[i].path, st[i], why) && swapin(files[i].path, st[i], why);
    if (!ok) {
        rollback(files, st, n, why);
        return false;
    }
    for (int i = 0; i < n; i++)
        if (st[i].keptold) unlink(st[i].old.c_str());
    return keepfiles(why);
}

void removeleftovers(const std::string& path)
{
    const std::string folder = folderof(path);
    const std::string base = path.substr(path.rfind('/') + 1);
    DIR* d = opendir(folder.c_str());
    if (!d) return;
    while (const dirent* e = readdir(d)) {
        std::string_view name = e->d_name;
        if (name.substr(0, base.size()) != base) continue;
        name.remove_prefix(base.size());
        // "<path>.tmp" and "<path>.old" are what saves of an earlier version left
        bool old = name == ".tmp" || name == ".old";
        bool passing = name.substr(0, 5) == ".tmp-" || name.substr(0, 5) == ".old-";
        if (!old && !passing) continue;
        std::string f = folder + "/" + e->d_name;
        struct stat s;
        // a link or a folder by such a name is no file of ours: it is left alone
        if (lstat(f.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) continue;
        if (old || stale(e->d_name + base.size() + 5, s)) unlink(f.c_str());
    }
    closedir(d);
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
