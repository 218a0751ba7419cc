// The X11 CLIPBOARD selection read over a connection of our own, so that
// every wait for its owner ends at a deadline we set (Qt's own clipboard
// waits seconds at each request) and no data is read beyond a cap.
#pragma once
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

class X11Selection {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    // A connection to the display of $DISPLAY; nothing when there is none.
    // Every later wait ends at `deadline`, or soon after `cancelled` is set.
    static std::unique_ptr<X11Selection> Open(Deadline deadline, const std::atomic<bool>* cancelled = nullptr);
    ~X11Selection();
    X11Selection(const X11Selection&) = delete;
    X11Selection& operator=(const X11Selection&) = delete;

    // The owner's types (at most 256); nothing when there is no owner or it
    // does not answer in time.
    std::optional<QStringList> Targets();

    // The data of one type. Larger than `limit`: nothing, or with `cut`
    // the first `limit` bytes. Incremental transfers are followed.
    std::optional<QByteArray> Fetch(const QString& type, qsizetype limit, bool cut);

private:
    struct Impl;
    explicit X11Selection(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d_;
};
