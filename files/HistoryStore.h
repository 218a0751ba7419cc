// The picture history as the program uses it: recording costs the caller a
// copy of the picture and a lock; a writer thread of its own puts the states
// on disk (HistoryDatabase), at most one commit every 50 ms and each state
// within a second. Nothing is read or made on disk before the first state or
// the first reading, which opens the file (setting a damaged one aside and
// salvaging it) before it reads. States the disk refuses stay in memory, so
// the window can still offer this run's pictures.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "files/HistoryDatabase.h"

class HistoryStore {
public:
    // `folder` is where the history lives ("" for nowhere: this run's states
    // are then kept in memory only).
    explicit HistoryStore(std::string folder);
    // Writes what is pending, waiting at most ShutdownLimit.
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // A finished change. Never dropped (beyond the bound of states kept).
    void record(const HistoryImage& image, std::string_view cause);
    // A change still in progress (a stroke's steps): it replaces the pending
    // step of the same change, and on disk one row stands for the change
    // until record() finishes it.
    void recordStep(const HistoryImage& image, std::string_view cause);

    // Waits until the writer has tried everything recorded so far, at most
    // `limit`. True when all of it is on disk.
    bool flush(std::chrono::milliseconds limit);
    // flush() and stop the writer; record() keeps states in memory afterwards.
    void finish(std::chrono::milliseconds limit);

    // Every state that can be read, newest first: the disk's and, before
    // them, those not written (yet).
    std::vector<HistoryRow> read();
    // Why states are not being written; "" while they are. Before the first
    // write, whether the folder and file would take them (the folder is made).
    std::string problem();

    static constexpr std::chrono::milliseconds MinInterval{50};
    static constexpr std::chrono::milliseconds RetryInterval{2000};
    static constexpr std::chrono::milliseconds ShutdownLimit{900};

private:
    void enqueue(const HistoryImage& image, std::string_view cause, bool step);
    void run();

    using Clock = std::chrono::steady_clock;
    const std::string folder_;
    mutable std::mutex m_;
    std::condition_variable wake_; // to the writer
    std::condition_variable done_; // from the writer
    std::deque<HistoryEntry> queue_;
    std::deque<HistoryEntry> inFlight_; // taken by the writer, not committed yet
    std::uint64_t lastSeq_ = 0;          // of the newest entry recorded
    std::uint64_t triedSeq_ = 0;         // of the newest entry the writer has tried
    Clock::time_point nextWrite_{};
    bool urgent_ = false;  // a flush waits: no pause before the next commit
    bool stop_ = false;
    bool finished_ = false; // the writer has ended
    bool openWanted_ = false; // read() waits for the file to be opened
    std::uint64_t opened_ = 0; // how often it was
    bool tried_ = false;       // problem_ tells of a real try
    bool reading_ = false; // read() is between the disk and the queue: hold commits
    std::string problem_;
    std::thread writer_;   // started by the first state
    HistoryDatabase db_;   // used by the writer thread only
    std::int64_t openRow_ = 0; // writer thread only
};
