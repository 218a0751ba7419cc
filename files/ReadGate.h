// The one way the program reads a file from the disk: icons, pictures,
// program files, desktop entries, header.dat and opcje.dat. Every function
// takes the program's own names (see NativeNames.h), so a name that is not
// UTF-8 reads like any other; only regular files are opened (a FIFO would
// wait for a writer, a device might never end or act on being opened), and
// every read is capped for its use.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

// What a path names, following symbolic links.
enum class PathKind { Missing, Directory, Special, Unreadable, Regular };
PathKind Examine(const QString& path);

// At most maxBytes from the start of a regular file; nothing when the path is
// missing, unreadable or not a regular file (directory, FIFO, device). A
// special file is never even opened.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const QString& path, std::size_t maxBytes);

// A whole regular file of at most maxBytes; nothing, as above, and for a
// longer file (left unread).
std::optional<QByteArray> ReadWholeFile(const QString& path, std::size_t maxBytes);

// A whole regular file mapped read-only, however large (program files are
// looked into, not read through). Empty for an empty file.
class MappedFile {
public:
    static std::optional<MappedFile> Open(const QString& path);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    ~MappedFile();
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    const std::uint8_t* data_;
    std::size_t size_;
};
