// The picture history on disk: an SQLite database, one row a state. WAL
// journal and full syncs, so a commit is on disk when it returns and a crash
// in the middle of one loses only that commit; a busy timeout lets a second
// program write between our commits. The bound (the newest states only, and
// the file's size) is kept by deleting the oldest rows.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "files/HistoryPicture.h"

struct sqlite3;

// One state as read back: the picture stays encoded until it is shown.
struct HistoryRow {
    std::int64_t id = 0;     // larger is newer
    std::int64_t timeMs = 0; // milliseconds since 1970
    std::string cause;       // short Polish label of what made it
    std::vector<std::uint8_t> picture; // EncodeHistoryPicture bytes
};

// One state on its way to the disk.
struct HistoryEntry {
    HistoryImage image;
    std::int64_t timeMs = 0;
    std::string cause;
    bool step = false; // a change still in progress: the next entry replaces its row
    std::uint64_t seq = 0;
};

inline constexpr int HistoryMaxStates = 10000;
inline constexpr std::int64_t HistoryMaxBytes = 16 * 1024 * 1024;

class HistoryDatabase {
public:
    HistoryDatabase() = default;
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;
    ~HistoryDatabase();

    // Opens (making the folder and the file when missing) for writing. A file
    // that is no history of ours, or is damaged, is set aside as
    // "historia.db.uszkodzona" and what could be read of it is copied into a
    // new one. "" when open, otherwise why not.
    std::string open(const std::string& folder);
    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Writes the entries in one transaction, oldest first, then keeps the
    // bound. `openRow` is the row of a change still in progress (0 for none):
    // the next entry replaces it. "" when committed; otherwise nothing of the
    // batch is on disk and `openRow` is unchanged.
    std::string write(const std::deque<HistoryEntry>& batch, std::int64_t& openRow);

    // Everything that can be read, newest first; what follows a damaged part
    // is left out. Reads only: makes no folder or file.
    static std::vector<HistoryRow> readAll(const std::string& folder);

private:
    std::string useOrSetAside(const std::string& folder);
    std::string keepBound();
    std::string lastError(const char* what) const;

    sqlite3* db_ = nullptr;
};
