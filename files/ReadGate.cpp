#include "files/ReadGate.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/Descriptor.h"
#include "files/NativeNames.h"

namespace {
// A descriptor of the regular file the path names, or -1, with its status.
int OpenRegular(const QString& path, struct stat& st)
{
    if (path.isEmpty())
        return -1;
    const QByteArray native = NativeName(path);
    // Looked at before it is opened: opening a device can itself act (a tape
    // rewinds, a watchdog starts), and opening a FIFO waits for a writer.
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    // O_NONBLOCK still, for a file swapped for a FIFO in between.
    Descriptor f{::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return f.release();
}

// Up to size bytes into data; how many, or -1 on a read error.
ssize_t ReadUpTo(int fd, std::uint8_t* data, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    return ssize_t(got);
}
} // namespace

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
    struct stat st {};
    const Descriptor f{OpenRegular(path, st)};
    if (f.fd < 0)
        return std::nullopt;
    // Sized by the file, not the cap: a large cap costs nothing for a small file.
    std::vector<std::uint8_t> bytes(std::min<std::size_t>(maxBytes, std::size_t(st.st_size) + 1));
    std::size_t got = 0;
    while (true) {
        const ssize_t n = ReadUpTo(f.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return std::nullopt;
        got += std::size_t(n);
        // A file that grew since fstat is read on, to the cap.
        if (got < bytes.size() || bytes.size() == maxBytes)
            break;
        bytes.resize(std::min(maxBytes, bytes.size() * 2));
    }
    bytes.resize(got);
    return bytes;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, std::size_t maxBytes)
{
    struct stat st {};
    const Descriptor f{OpenRegular(path, st)};
    if (f.fd < 0 || std::size_t(st.st_size) > maxBytes)
        return std::nullopt;
    // One byte more than allowed shows a file that grew since fstat.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    const ssize_t n = ReadUpTo(f.fd, reinterpret_cast<std::uint8_t*>(bytes.data()), std::size_t(bytes.size()));
    if (n < 0 || n > st.st_size)
        return std::nullopt;
    bytes.truncate(n);
    return bytes;
}

std::optional<MappedFile> MappedFile::Open(const QString& path)
{
    struct stat st {};
    const Descriptor f{OpenRegular(path, st)};
    if (f.fd < 0)
        return std::nullopt;
    if (st.st_size == 0)
        return MappedFile(nullptr, 0);
    void* data = ::mmap(nullptr, std::size_t(st.st_size), PROT_READ, MAP_PRIVATE, f.fd, 0);
    if (data == MAP_FAILED)
        return std::nullopt;
    return MappedFile(static_cast<const std::uint8_t*>(data), std::size_t(st.st_size));
}

MappedFile::MappedFile(MappedFile&& other) noexcept : data_(other.data_), size_(other.size_)
{
    other.data_ = nullptr;
    other.size_ = 0;
}

MappedFile::~MappedFile()
{
    if (data_)
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
}
