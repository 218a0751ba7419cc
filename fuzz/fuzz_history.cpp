// The picture history's files on arbitrary bytes. As a state's picture: a
// picture accepted by the decoder encodes and decodes back to the same 1024
// colours. As the history's database file: reading it (as the window does)
// and opening it for writing (which sets a damaged or foreign file aside and
// carries over what it can read) never crash, and opening always leaves a
// history that takes a new state.
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "files/HistoryDatabase.h"
#include "files/HistoryFolder.h"

namespace {
const std::string& Folder();

void Empty(const std::string& folder)
{
    for (const char* name : {"historia.db", "historia.db.uszkodzona", "historia.db.uszkodzona.odczyt"})
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            ::unlink((folder + "/" + name + suffix).c_str());
}

// On a memory file system when there is one: every commit is synced.
const std::string& Folder()
{
    // Never destroyed: the clean-up at exit still needs it.
    static const std::string* folder = [] {
        const std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::atexit([] {
            Empty(Folder());
            ::rmdir(Folder().c_str());
        });
        return new std::string(base + "/fuzz-history-" + std::to_string(::getpid()));
    }();
    return *folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HistoryImage image;
    if (DecodeHistoryPicture(data, size, image)) {
        const std::vector<std::uint8_t> again = EncodeHistoryPicture(image);
        HistoryImage back;
        if (!DecodeHistoryPicture(again.data(), again.size(), back) || back != image)
            std::abort();
    }

    const std::string& folder = Folder();
    if (!PrepareHistoryFolder(folder).empty())
        std::abort();
    Empty(folder);
    const int fd = ::open((folder + "/" + HistoryFileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size))
        std::abort();
    ::close(fd);
    for (const HistoryRow& row : HistoryDatabase::readAll(folder))
        DecodeHistoryPicture(row.picture.data(), row.picture.size(), image);
    {
        HistoryDatabase db;
        std::int64_t openRow = 0;
        HistoryEntry entry;
        entry.cause = "Ołówek";
        if (!db.open(folder).empty() || !db.write({entry}, openRow).empty())
            std::abort();
    }
    Empty(folder);
    return 0;
}
