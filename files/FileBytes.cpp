#include "files/FileBytes.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

WriteCall FileWriteCall = ::write;

namespace {
// Closes the descriptor on every path.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

// The length of the valid UTF-8 sequence at the start of s, or 0.
std::size_t Utf8Sequence(std::string_view s)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return 1;
    std::size_t n = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        min = 0x80;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        min = 0x800;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        min = 0x10000;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b(i) & 0x3F);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return n;
}

constexpr char16_t EscapeBase = 0xDC00;

bool IsEscape(char16_t c) { return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF; }

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

QByteArray TemporaryNativeName(const QByteArray& path)
{
    static constexpr char Suffix[] = ".pikselar-tmp";
    // A name of the longest length still gets a temporary name that fits.
    constexpr qsizetype MaxBase = NAME_MAX - 1 - qsizetype(sizeof Suffix - 1);
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : path.left(slash + 1);
    return folder + '.' + path.mid(slash + 1).left(MaxBase) + Suffix;
}

// Best effort: the rename itself reaches the disk.
void SyncFolder(const QByteArray& folder)
{
    const Descriptor d{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0)
        ::fsync(d.fd);
}

// Writes the content into a fresh temporary file; its descriptor, synced, or -1.
int WriteTemporary(const QByteArray& temporary, std::span<const std::uint8_t> bytes,
                   const struct stat* old)
{
    // A stale one from a crash goes first; a directory of that name stays.
    struct stat st {};
    if (::lstat(temporary.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
        ::unlink(temporary.constData());
    Descriptor f{::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (f.fd < 0)
        return -1;
    if (old) {
        // Owner and group first (a change of owner clears set-id bits), then
        // the mode. The owner can only be kept by the superuser; the group
        // by anyone in it. Neither failure stops the save.
        if (::fchown(f.fd, old->st_uid, old->st_gid) != 0)
            (void)!::fchown(f.fd, uid_t(-1), old->st_gid);
        ::fchmod(f.fd, old->st_mode & 07777);
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

QString NameFromNative(std::string_view native)
{
    QString name;
    name.reserve(qsizetype(native.size()));
    while (!native.empty()) {
        if (const std::size_t n = Utf8Sequence(native)) {
            name += QString::fromUtf8(native.data(), qsizetype(n));
            native.remove_prefix(n);
        } else {
            name += QChar(char16_t(EscapeBase + static_cast<unsigned char>(native.front())));
            native.remove_prefix(1);
        }
    }
    return name;
}

QByteArray NativeName(const QString& name)
{
    QByteArray native;
    native.reserve(name.size());
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        native += QStringView(name).mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        // A low surrogate right after a high one is half of a real character.
        const bool paired = i > 0 && name[i - 1].isHighSurrogate();
        if (IsEscape(c) && !paired) {
            flush(i);
            native += char(c - EscapeBase);
            runStart = i + 1;
        }
    }
    flush(name.size());
    return native;
}

QString DisplayName(QString name)
{
    for (qsizetype i = 0; i < name.size(); ++i)
        if (IsEscape(name[i].unicode()) && !(i > 0 && name[i - 1].isHighSurrogate()))
            name[i] = QChar::ReplacementCharacter;
    return name;
}

PathKind Examine(const QString& path)
{
    struct stat st {};
    const QByteArray native = NativeName(path);
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0)
        return PathKind::Missing;
    if (S_ISDIR(st.st_mode))
        return PathKind::Directory;
    if (!S_ISREG(st.st_mode))
        return PathKind::Special;
    return ::access(native.constData(), R_OK) == 0 ? PathKind::Regular : PathKind::Unreadable;
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(const QString& path, std::size_t maxBytes)
{
    if (path.isEmpty())
        return std::nullopt;
    const QByteArray native = NativeName(path);
    // Looked at before it is opened: opening a device can itself act (a tape
    // rewinds, a watchdog starts), and opening a FIFO waits for a writer.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    // O_NONBLOCK still, for a file swapped for a FIFO in between.
    const Descriptor f{::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;

    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(f.fd, bytes.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return bytes;
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

QString TemporaryNameFor(const QString& path)
{
    return NameFromNative(TemporaryNativeName(NativeName(path)).toStdString());
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
    const QByteArray temporary = TemporaryNativeName(target);
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
