#include "files/HistorySalvage.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "files/HistoryPicture.h"
#include "files/HistorySql.h"

namespace {
// Larger files are no history of ours (its bound is 16 MB).
constexpr off_t MaxSalvaged = 64 * 1024 * 1024;

std::uint32_t BigEndian(const std::uint8_t* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// The whole file, when it is a regular file that starts as our history does.
std::vector<std::uint8_t> ReadOurs(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 100 && st.st_size <= MaxSalvaged) {
        bytes.resize(std::size_t(st.st_size));
        std::size_t got = 0;
        for (ssize_t n; got < bytes.size() && (n = ::read(fd, bytes.data() + got, bytes.size() - got)) > 0;)
            got += std::size_t(n);
        bytes.resize(got);
    }
    ::close(fd);
    static const char Magic[] = "SQLite format 3";
    if (bytes.size() < 100 || !std::equal(Magic, Magic + sizeof Magic, bytes.begin())
        || BigEndian(&bytes[68], 4) != std::uint32_t(HistoryApplicationId))
        bytes.clear();
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::size_t put = 0;
    for (ssize_t n; put < bytes.size() && (n = ::write(fd, bytes.data() + put, bytes.size() - put)) > 0;)
        put += std::size_t(n);
    ::close(fd);
    return put == bytes.size();
}

void CopyRows(sqlite3* from, sqlite3* to)
{
    Statement read(from, "SELECT time, cause, picture FROM states ORDER BY id");
    Statement insert(to, "INSERT INTO states(time, cause, picture) VALUES(?, ?, ?)");
    if (!read || !insert || !Exec(to, "BEGIN IMMEDIATE"))
        return;
    HistoryImage probe;
    while (sqlite3_step(read.get()) == SQLITE_ROW) {
        const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(read.get(), 2));
        const int size = sqlite3_column_bytes(read.get(), 2);
        if (!blob || !DecodeHistoryPicture(blob, std::size_t(size), probe))
            continue;
        sqlite3_bind_int64(insert.get(), 1, sqlite3_column_int64(read.get(), 0));
        sqlite3_bind_value(insert.get(), 2, sqlite3_column_value(read.get(), 1));
        sqlite3_bind_blob(insert.get(), 3, blob, size, SQLITE_TRANSIENT);
        sqlite3_step(insert.get());
        sqlite3_reset(insert.get());
    }
    if (!Exec(to, "COMMIT"))
        Exec(to, "ROLLBACK");
}

void RemoveWithCompanions(const std::string& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((path + suffix).c_str());
}
} // namespace

void SalvageHistory(const std::string& aside, sqlite3* to)
{
    std::vector<std::uint8_t> bytes = ReadOurs(aside);
    if (bytes.empty())
        return;
    std::uint32_t pageSize = BigEndian(&bytes[16], 2);
    if (pageSize == 1)
        pageSize = 65536;
    std::string source = aside;
    // A shortened file still claims its old length, and the database then
    // refuses all of it: a copy that claims what is there reads up to the gap.
    const std::uint32_t present = pageSize ? std::uint32_t(bytes.size() / pageSize) : 0;
    const bool shortened = present > 0 && BigEndian(&bytes[28], 4) > present;
    if (shortened) {
        for (int i = 0; i < 4; ++i)
            bytes[28 + std::size_t(i)] = std::uint8_t(present >> (24 - 8 * i));
        bytes.resize(std::size_t(present) * pageSize);
        source = aside + ".odczyt";
        if (!WriteFile(source, bytes)) {
            RemoveWithCompanions(source);
            return;
        }
    }
    if (sqlite3* from = Connect(source, SQLITE_OPEN_READWRITE)) {
        CopyRows(from, to);
        sqlite3_close(from);
    }
    if (shortened)
        RemoveWithCompanions(source);
}
