#include "files/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/Descriptor.h"
#include "files/NativeNames.h"

WriteCall FileWriteCall = ::write;

namespace {
constexpr std::string_view Suffix = ".pikselar-tmp";
constexpr std::string_view Unique = ".XXXXXX";
// A huge folder is not read to its end for leftovers.
constexpr int MaxEntriesRead = 10000;

// Writes all of it, or says no.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = FileWriteCall(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// mkstemp's pattern beside the target; a name of the longest length still
// gets a temporary name that fits.
QByteArray TemporaryPattern(const QByteArray& path)
{
    constexpr qsizetype MaxBase = NAME_MAX - 1 - qsizetype(Unique.size() + Suffix.size());
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : path.left(slash + 1);
    return folder + '.' + path.mid(slash + 1).left(MaxBase) + Unique.data() + Suffix.data();
}

mode_t CurrentUmask()
{
    // Read without changing it where the kernel tells it.
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[128];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return mode_t(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Temporary files of saves killed before their rename. Only ours by name,
// regular files (a link is never followed nor removed), our own and old.
void RemoveLeftovers(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return;
    }
    const std::time_t now = std::time(nullptr);
    int read = 0;
    while (const dirent* entry = ::readdir(d)) {
        if (++read > MaxEntriesRead)
            break;
        if (!IsTemporaryName(entry->d_name))
            continue;
        struct stat st {};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && now - st.st_mtime > TemporaryLeftoverAge)
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(d);
}

// Best effort: the rename itself reaches the disk.
void SyncFolder(const QByteArray& folder)
{
    const Descriptor d{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0)
        ::fsync(d.fd);
}

// Writes the content into a temporary file made for this save alone; its
// descriptor, synced, or -1 with nothing left behind. `temporary` gets its name.
int WriteTemporary(QByteArray& temporary, std::span<const std::uint8_t> bytes, const struct stat* old)
{
    Descriptor f{::mkostemps(temporary.data(), int(Suffix.size()), O_CLOEXEC)};
    if (f.fd < 0)
        return -1;
    if (old) {
        // Owner and group first (a change of owner clears set-id bits), then
        // the mode. The owner can only be kept by the superuser; the group
        // by anyone in it. Neither failure stops the save.
        if (::fchown(f.fd, old->st_uid, old->st_gid) != 0)
            (void)!::fchown(f.fd, uid_t(-1), old->st_gid);
        ::fchmod(f.fd, old->st_mode & 07777);
    } else {
        // mkstemp makes it private; a new file gets the usual mode.
        ::fchmod(f.fd, 0666 & ~CurrentUmask());
    }
    if (!WriteAll(f.fd, bytes) || ::fsync(f.fd) != 0) {
        ::unlink(temporary.constData());
        return -1;
    }
    return f.release();
}

// The new content over the old, in the same inode.
bool WriteInPlace(const QByteArray& target, std::span<const std::uint8_t> bytes)
{
    Descriptor f{::open(target.constData(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC)};
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (!WriteAll(f.fd, bytes) || ::ftruncate(f.fd, off_t(bytes.size())) != 0 || ::fsync(f.fd) != 0)
        return false;
    return ::close(f.release()) == 0;
}
} // namespace

bool IsTemporaryName(std::string_view name)
{
    // "." NAME "." six of mkstemp's letters and digits ".pikselar-tmp"
    const std::size_t fixed = 1 + Unique.size() + Suffix.size();
    if (name.size() <= fixed || name.front() != '.' || !name.ends_with(Suffix))
        return false;
    const std::string_view unique = name.substr(name.size() - Suffix.size() - Unique.size(), Unique.size());
    if (unique.front() != '.')
        return false;
    for (const char c : unique.substr(1))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

bool IsReplaceable(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = NativeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        // Missing may be written, but not through a link that leads nowhere.
        return errno == ENOENT && ::lstat(native.constData(), &st) != 0 && errno == ENOENT;
    // The permission bits as well as access(): the superuser may write to
    // anything, but a file marked read-only is still not to be replaced.
    return S_ISREG(st.st_mode) && (st.st_mode & 0222) && ::access(native.constData(), W_OK) == 0;
}

bool ReplaceFile(const QString& path, std::span<const std::uint8_t> bytes)
{
    if (!IsReplaceable(path))
        return false;
    QByteArray target = NativeName(path);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists) {
        // Through a symbolic link: the link stays, its target is written.
        char resolved[PATH_MAX];
        if (!::realpath(target.constData(), resolved))
            return false;
        target = resolved;
    }
    RemoveLeftovers(FolderOf(target));
    QByteArray temporary = TemporaryPattern(target);
    Descriptor f{WriteTemporary(temporary, bytes, exists ? &old : nullptr)};
    if (f.fd < 0)
        return false;
    if (::close(f.release()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    bool done;
    if (exists && old.st_nlink > 1) {
        // Every link keeps the same file: the new content goes into it. The
        // complete copy beside it has shown the content can be written.
        done = WriteInPlace(target, bytes);
        ::unlink(temporary.constData());
    } else {
        done = ::rename(temporary.constData(), target.constData()) == 0;
        if (!done)
            ::unlink(temporary.constData());
    }
    if (done)
        SyncFolder(FolderOf(target));
    return done;
}
