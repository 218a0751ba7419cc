#include "files/HistoryDatabase.h"

#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/HistoryFolder.h"
#include "files/HistoryReasons.h"
#include "files/HistorySalvage.h"
#include "files/HistorySql.h"

namespace {
// The database file stays under this, leaving room for its write-ahead log
// (a commit takes at most MaxBatch states of at most 5.4 kB).
constexpr std::int64_t MaxDatabaseBytes = HistoryMaxBytes - 2 * 1024 * 1024;
constexpr const char* AsideSuffix = ".uszkodzona";

std::string FileUri(const std::string& path)
{
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '?' || c == '#' || c == '%' || c < 0x20) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            uri += hex;
        } else {
            uri += char(c);
        }
    }
    return uri;
}

// The one table, exactly as made: a file that claims to be ours but holds
// anything else (another table, a trigger, other columns) is not written to.
constexpr const char* Table =
    "states(id INTEGER PRIMARY KEY, time INTEGER NOT NULL, cause TEXT NOT NULL, picture BLOB NOT NULL)";

enum class Kind { Empty, Ours, Newer, Bad };

Kind Classify(sqlite3* db)
{
    const std::int64_t id = Number(db, "PRAGMA application_id");
    const std::int64_t tables = Number(db, "SELECT count(*) FROM sqlite_schema");
    if (id < 0 || tables < 0)
        return Kind::Bad; // not a database, or its first page is damaged
    if (id == 0 && tables == 0)
        return Kind::Empty;
    if (id != HistoryApplicationId)
        return Kind::Bad;
    if (Number(db, "PRAGMA user_version") > HistorySchemaVersion)
        return Kind::Newer;
    if (tables != 1
        || Text(db, "SELECT sql FROM sqlite_schema WHERE name = 'states'") != std::string("CREATE TABLE ") + Table)
        return Kind::Bad;
    return Text(db, "PRAGMA quick_check") == "ok" ? Kind::Ours : Kind::Bad;
}

std::string Marks()
{
    return "PRAGMA application_id = " + std::to_string(HistoryApplicationId)
           + "; PRAGMA user_version = " + std::to_string(HistorySchemaVersion);
}

bool SetUp(sqlite3* db)
{
    // Freed pages go back to the file system, so deleting rows keeps the size bound.
    Exec(db, "PRAGMA auto_vacuum = INCREMENTAL");
    if (Text(db, "PRAGMA journal_mode = WAL") != "wal")
        return false;
    return Exec(db, "PRAGMA synchronous = FULL") && Exec(db, "PRAGMA journal_size_limit = 524288")
           && Exec(db, "PRAGMA wal_autocheckpoint = 128") && Exec(db, "BEGIN IMMEDIATE")
           && Exec(db, (std::string("CREATE TABLE IF NOT EXISTS ") + Table).c_str())
           && Exec(db, Marks().c_str()) && Exec(db, "COMMIT");
}

void Rename(const std::string& from, const std::string& to)
{
    std::rename(from.c_str(), to.c_str());
}

std::string Reason(int code)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return HistoryDiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest tylko do odczytu");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QT_TRANSLATE_NOOP("HistoryReason", "inny program zajmuje historię");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QT_TRANSLATE_NOOP("HistoryReason", "plik historii jest uszkodzony");
    default:
        return HistoryWriteError(code);
    }
}

} // namespace

HistoryDatabase::~HistoryDatabase() { close(); }

void HistoryDatabase::close()
{
    sqlite3_close(db_);
    db_ = nullptr;
}

std::string HistoryDatabase::open(const std::string& folder)
{
    close();
    std::string problem = PrepareHistoryFolder(folder);
    if (problem.empty())
        problem = PrepareHistoryFile(folder, true);
    if (problem.empty())
        problem = useOrSetAside(folder);
    if (!problem.empty())
        close();
    return problem;
}

std::string HistoryDatabase::useOrSetAside(const std::string& folder)
{
    const std::string path = folder + "/" + HistoryFileName;
    db_ = Connect(path, SQLITE_OPEN_READWRITE);
    if (!db_)
        return QT_TRANSLATE_NOOP("HistoryReason", "nie można otworzyć pliku historii");
    switch (Classify(db_)) {
    case Kind::Newer:
        return QT_TRANSLATE_NOOP("HistoryReason", "historię zapisała nowsza wersja programu");
    case Kind::Empty:
    case Kind::Ours:
        return SetUp(db_) ? std::string() : Reason(sqlite3_errcode(db_));
    case Kind::Bad:
        break;
    }
    // Set aside, never deleted: it may be someone's file, and part of it may be ours.
    close();
    const std::string aside = path + AsideSuffix;
    ::unlink((aside + "-shm").c_str());
    ::unlink((aside + "-wal").c_str());
    Rename(path, aside);
    Rename(path + "-wal", aside + "-wal");
    ::unlink((path + "-shm").c_str());
    if (std::string problem = PrepareHistoryFile(folder, true); !problem.empty())
        return problem;
    db_ = Connect(path, SQLITE_OPEN_READWRITE);
    if (!db_ || !SetUp(db_))
        return QT_TRANSLATE_NOOP("HistoryReason", "nie można utworzyć pliku historii");
    SalvageHistory(aside, db_);
    if (Exec(db_, "BEGIN IMMEDIATE")) {
        if (keepBound().empty())
            Exec(db_, "COMMIT");
        else
            Exec(db_, "ROLLBACK");
    }
    return {};
}

std::string HistoryDatabase::keepBound()
{
    char sql[160];
    std::snprintf(sql, sizeof sql,
                  "DELETE FROM states WHERE id <= (SELECT id FROM states ORDER BY id DESC LIMIT 1 "
                  "OFFSET %d)",
                  HistoryMaxStates);
    if (!Exec(db_, sql))
        return Reason(sqlite3_errcode(db_));
    const std::int64_t pageSize = Number(db_, "PRAGMA page_size", 4096);
    for (;;) {
        const std::int64_t used =
            (Number(db_, "PRAGMA page_count", 0) - Number(db_, "PRAGMA freelist_count", 0)) * pageSize;
        const std::int64_t count = Number(db_, "SELECT count(*) FROM states", 0);
        if (used <= MaxDatabaseBytes || count == 0)
            break;
        const std::int64_t drop = std::max<std::int64_t>(1, count * (used - MaxDatabaseBytes) / used + 1);
        std::snprintf(sql, sizeof sql,
                      "DELETE FROM states WHERE id IN (SELECT id FROM states ORDER BY id LIMIT %lld)",
                      static_cast<long long>(drop));
        if (!Exec(db_, sql))
            return Reason(sqlite3_errcode(db_));
    }
    return Exec(db_, "PRAGMA incremental_vacuum") ? std::string() : Reason(sqlite3_errcode(db_));
}

std::string HistoryDatabase::write(const std::deque<HistoryEntry>& batch, std::int64_t& openRow)
{
    if (!db_)
        return "plik historii jest zamknięty";
    if (!Exec(db_, "BEGIN IMMEDIATE"))
        return Reason(sqlite3_errcode(db_));
    std::string problem;
    std::int64_t row = openRow;
    {
        Statement insert(db_, "INSERT INTO states(time, cause, picture) VALUES(?, ?, ?)");
        Statement update(db_, "UPDATE states SET time = ?, cause = ?, picture = ? WHERE id = ?");
        for (const HistoryEntry& e : batch) {
            if (!insert || !update) {
                problem = Reason(sqlite3_errcode(db_));
                break;
            }
            const std::vector<std::uint8_t> blob = EncodeHistoryPicture(e.image);
            sqlite3_stmt* s = row ? update.get() : insert.get();
            sqlite3_bind_int64(s, 1, e.timeMs);
            sqlite3_bind_text(s, 2, e.cause.data(), int(e.cause.size()), SQLITE_STATIC);
            sqlite3_bind_blob(s, 3, blob.data(), int(blob.size()), SQLITE_STATIC);
            if (row)
                sqlite3_bind_int64(s, 4, row);
            const int rc = sqlite3_step(s);
            sqlite3_reset(s);
            if (rc != SQLITE_DONE) {
                problem = Reason(rc);
                break;
            }
            if (row && sqlite3_changes(db_) == 0) {
                row = 0; // the row of the unfinished change is gone: a new one
                sqlite3_bind_int64(insert.get(), 1, e.timeMs);
                sqlite3_bind_text(insert.get(), 2, e.cause.data(), int(e.cause.size()), SQLITE_STATIC);
                sqlite3_bind_blob(insert.get(), 3, blob.data(), int(blob.size()), SQLITE_STATIC);
                const int again = sqlite3_step(insert.get());
                sqlite3_reset(insert.get());
                if (again != SQLITE_DONE) {
                    problem = Reason(again);
                    break;
                }
            }
            if (!row)
                row = sqlite3_last_insert_rowid(db_);
            if (!e.step)
                row = 0;
        }
    }
    if (problem.empty())
        problem = keepBound();
    if (problem.empty() && !Exec(db_, "COMMIT"))
        problem = Reason(sqlite3_errcode(db_));
    if (!problem.empty()) {
        const int code = sqlite3_errcode(db_) & 0xFF;
        Exec(db_, "ROLLBACK");
        // Anything but a passing condition: open afresh next time.
        if (code != SQLITE_BUSY && code != SQLITE_LOCKED && code != SQLITE_FULL)
            close();
        return problem;
    }
    openRow = row;
    return {};
}

std::vector<HistoryRow> HistoryDatabase::readAll(const std::string& folder)
{
    std::vector<HistoryRow> rows;
    struct stat dir {};
    struct stat file {};
    const std::string path = folder + "/" + HistoryFileName;
    if (folder.empty() || ::lstat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)
        || ::lstat(path.c_str(), &file) != 0 || !PrepareHistoryFile(folder, false).empty())
        return rows;
    // A folder the user made read-only is only read, whoever we are.
    const bool writable = (dir.st_mode & S_IWUSR) && ::access(folder.c_str(), W_OK) == 0;
    sqlite3* db = Connect(path, writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
    if (!writable && (!db || Number(db, "PRAGMA application_id") < 0)) {
        // Read-only, the log cannot be shared: read the file as it stands.
        sqlite3_close(db);
        db = Connect(FileUri(path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    }
    if (db && Number(db, "PRAGMA application_id") == HistoryApplicationId) {
        Statement s(db, "SELECT id, time, cause, picture FROM states ORDER BY id DESC");
        while (s && sqlite3_step(s.get()) == SQLITE_ROW) {
            HistoryRow r;
            r.id = sqlite3_column_int64(s.get(), 0);
            r.timeMs = sqlite3_column_int64(s.get(), 1);
            if (const auto* t = sqlite3_column_text(s.get(), 2))
                r.cause = reinterpret_cast<const char*>(t);
            const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(s.get(), 3));
            r.picture.assign(blob, blob + sqlite3_column_bytes(s.get(), 3));
            rows.push_back(std::move(r));
        }
    }
    sqlite3_close(db);
    return rows;
}
