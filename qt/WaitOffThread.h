// Runs a slow job on a thread of its own while this thread's event loop goes
// on without user input: the windows repaint and signals are acted on, but no
// command starts in the middle. The job is handed a flag that turns true when
// the loop ends before it (the application quits); it should give up then.
#pragma once
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <memory>
#include <utility>

template <class Result, class Job>
Result WaitOffThread(Job job)
{
    // Shared with the worker, which may still be writing when the loop quits.
    struct Shared {
        std::atomic<bool> cancelled{false};
        Result result{};
    };
    auto shared = std::make_shared<Shared>();
    std::unique_ptr<QThread> worker(
        QThread::create([shared, job = std::move(job)] { shared->result = job(shared->cancelled); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    shared->cancelled = true;
    worker->wait();
    return std::move(shared->result);
}
