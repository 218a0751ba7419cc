#include "files/HistoryStore.h"

#include <algorithm>

#include "files/HistoryFolder.h"

namespace {
std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

constexpr std::size_t MaxBatch = 64;

HistoryRow RowOf(const HistoryEntry& e)
{
    HistoryRow r;
    r.timeMs = e.timeMs;
    r.cause = e.cause;
    r.picture = EncodeHistoryPicture(e.image);
    return r;
}
} // namespace

HistoryStore::HistoryStore(std::string folder) : folder_(std::move(folder)) {}

HistoryStore::~HistoryStore() { finish(ShutdownLimit); }

void HistoryStore::record(const HistoryImage& image, std::string_view cause)
{
    enqueue(image, cause, false);
}

void HistoryStore::recordStep(const HistoryImage& image, std::string_view cause)
{
    enqueue(image, cause, true);
}

void HistoryStore::enqueue(const HistoryImage& image, std::string_view cause, bool step)
{
    std::lock_guard lock(m_);
    // The pending step of the change in progress gives way to the newer picture.
    if (queue_.empty() || !queue_.back().step)
        queue_.emplace_back();
    HistoryEntry& e = queue_.back();
    e.image = image;
    e.timeMs = NowMs();
    e.cause.assign(cause);
    e.step = step;
    e.seq = ++lastSeq_;
    // More than the bound keeps would be deleted on writing anyway.
    if (queue_.size() > std::size_t(HistoryMaxStates))
        queue_.pop_front();
    if (!writer_.joinable() && !stop_)
        writer_ = std::thread(&HistoryStore::run, this);
    wake_.notify_one();
}

void HistoryStore::run()
{
    std::unique_lock lock(m_);
    for (;;) {
        const auto ready = [this] {
            return stop_ || (!reading_ && (openWanted_ || (!queue_.empty() && (urgent_ || Clock::now() >= nextWrite_))));
        };
        if (queue_.empty() || reading_)
            wake_.wait(lock, ready);
        else
            wake_.wait_until(lock, nextWrite_, ready);
        if (!ready())
            continue;
        if (openWanted_ && !reading_) {
            // A reader wants the file as it is (a damaged one set aside and
            // salvaged) before it reads.
            openWanted_ = false;
            lock.unlock();
            std::string problem = db_.isOpen() ? std::string() : db_.open(folder_);
            lock.lock();
            problem_ = problem;
            tried_ = true;
            ++opened_;
            done_.notify_all();
            continue;
        }
        if (queue_.empty()) {
            if (stop_)
                break;
            continue;
        }
        // A commit of a bounded size keeps the write-ahead log small; the
        // usual few entries change hands without a copy.
        if (queue_.size() <= MaxBatch) {
            inFlight_.swap(queue_);
        } else {
            const auto take = queue_.begin() + std::ptrdiff_t(MaxBatch);
            inFlight_.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(take));
            queue_.erase(queue_.begin(), take);
        }
        const std::uint64_t seq = inFlight_.back().seq;
        lock.unlock();

        std::string problem;
        if (!db_.isOpen())
            problem = db_.open(folder_);
        if (problem.empty())
            problem = db_.write(inFlight_, openRow_);

        lock.lock();
        if (!problem.empty()) {
            // Kept for the next try, before whatever came meanwhile.
            queue_.insert(queue_.begin(), std::make_move_iterator(inFlight_.begin()),
                          std::make_move_iterator(inFlight_.end()));
            while (queue_.size() > std::size_t(HistoryMaxStates))
                queue_.pop_front();
        }
        inFlight_.clear();
        problem_ = problem;
        tried_ = true;
        triedSeq_ = std::max(triedSeq_, seq);
        // A backlog goes on at once; otherwise newer steps wait to replace older ones.
        nextWrite_ = Clock::now()
                     + (!problem.empty()     ? RetryInterval
                        : queue_.size() >= MaxBatch ? std::chrono::milliseconds(0)
                                                    : MinInterval);
        if (queue_.empty() || !problem.empty())
            urgent_ = false; // a waiting flush has had its try
        done_.notify_all();
        if (stop_ && !problem.empty())
            break; // a shutdown waits for one try only
    }
    finished_ = true;
    done_.notify_all();
}

bool HistoryStore::flush(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_);
    if (!writer_.joinable() || stop_)
        return queue_.empty();
    const std::uint64_t wanted = lastSeq_;
    urgent_ = true;
    wake_.notify_one();
    done_.wait_for(lock, limit, [&] { return triedSeq_ >= wanted || stop_; });
    return triedSeq_ >= wanted && problem_.empty() && queue_.empty();
}

void HistoryStore::finish(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_);
    if (!writer_.joinable())
        return;
    stop_ = true;
    urgent_ = true;
    reading_ = false;
    wake_.notify_one();
    // A disk that hangs must not hold the program's end: the writer is then left behind.
    if (done_.wait_for(lock, limit, [this] { return finished_; })) {
        lock.unlock();
        writer_.join();
    } else {
        lock.unlock();
        writer_.detach();
    }
}

std::vector<HistoryRow> HistoryStore::read()
{
    {
        std::unique_lock lock(m_);
        if (!stop_) {
            if (!writer_.joinable())
                writer_ = std::thread(&HistoryStore::run, this);
            const std::uint64_t before = opened_;
            openWanted_ = true;
            wake_.notify_one();
            done_.wait_for(lock, std::chrono::seconds(2), [&] { return opened_ != before || stop_; });
        }
    }
    flush(std::chrono::milliseconds(1000));
    std::vector<HistoryRow> rows;
    {
        std::unique_lock lock(m_);
        // The writer's batch in flight is neither on disk nor in the queue yet.
        done_.wait_for(lock, std::chrono::seconds(1), [this] { return inFlight_.empty(); });
        reading_ = true;
        for (auto e = queue_.rbegin(); e != queue_.rend(); ++e)
            rows.push_back(RowOf(*e));
        for (auto e = inFlight_.rbegin(); e != inFlight_.rend(); ++e)
            rows.push_back(RowOf(*e));
    }
    std::vector<HistoryRow> disk = HistoryDatabase::readAll(folder_);
    {
        std::lock_guard lock(m_);
        reading_ = false;
        wake_.notify_one();
    }
    rows.insert(rows.end(), std::make_move_iterator(disk.begin()), std::make_move_iterator(disk.end()));
    return rows;
}

std::string HistoryStore::problem()
{
    {
        std::lock_guard lock(m_);
        if (tried_)
            return problem_;
    }
    // Nothing written yet: whether it could be.
    std::string problem = PrepareHistoryFolder(folder_);
    return problem.empty() ? PrepareHistoryFile(folder_, false) : problem;
}
