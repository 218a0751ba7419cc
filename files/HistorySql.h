// The few SQLite helpers the history's files share.
#pragma once
#include <cstdint>
#include <sqlite3.h>
#include <string>

inline constexpr int HistoryApplicationId = 0x506B736C; // marks a file as this program's history
inline constexpr int HistorySchemaVersion = 1;
inline constexpr int HistoryBusyMs = 400; // short: the shutdown has a second for its last write

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &s_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(s_);
            s_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return s_ != nullptr; }
    sqlite3_stmt* get() const { return s_; }

private:
    sqlite3_stmt* s_ = nullptr;
};

inline bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The first column of the first row as a number; `fallback` on any failure.
inline std::int64_t Number(sqlite3* db, const char* sql, std::int64_t fallback = -1)
{
    Statement s(db, sql);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW)
        return fallback;
    return sqlite3_column_int64(s.get(), 0);
}

inline std::string Text(sqlite3* db, const char* sql)
{
    Statement s(db, sql);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW)
        return {};
    const auto* t = sqlite3_column_text(s.get(), 0);
    return t ? reinterpret_cast<const char*>(t) : "";
}

inline sqlite3* Connect(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOFOLLOW, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, HistoryBusyMs);
    sqlite3_extended_result_codes(db, 0);
    return db;
}

