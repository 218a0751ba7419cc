#include "transfer/DecodeProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QtEndian>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "transfer/DecodeLimits.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
// How often the process's processor time and the cancel flag are looked at.
constexpr int PollMilliseconds = 20;

QMutex programMutex;
QString chosenProgram;

// The processor time a process has used, from the kernel's count.
std::chrono::milliseconds CpuTimeOf(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
    FILE* f = std::fopen(path, "r");
    if (!f)
        return {};
    char text[1024];
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    text[n] = 0;
    // The name in parentheses may hold anything: fields count from its end.
    const char* at = std::strrchr(text, ')');
    unsigned long long user = 0, system = 0;
    if (!at || std::sscanf(at + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2)
        return {};
    static const long ticks = ::sysconf(_SC_CLK_TCK);
    return std::chrono::milliseconds((user + system) * 1000 / std::max(1L, ticks));
}

pid_t Spawn(const QString& program, int socket)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
    // Nothing else of the program's (its display connection, its files).
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const QByteArray path = QFile::encodeName(program);
    // The program's name only: no word of the request is ever an argument.
    char name[] = "pikselar-decode";
    char* argv[] = {name, nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, path.constData(), &actions, &attributes, argv, environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The answer as it arrives: its header, then the pixels received straight
// into the picture.
struct Answer {
    explicit Answer(int side) : maxSide(side) {}
    int maxSide;
    char header[AnswerHeaderBytes] = {};
    qint64 headerRead = 0;
    QImage picture;
    qint64 pixelsRead = 0;
    char beyond[1] = {};
    bool broken = false;

    qint64 pixelBytes() const { return picture.isNull() ? 0 : qint64(picture.width()) * picture.height() * 4; }
    bool complete() const { return !broken && !picture.isNull() && pixelsRead == pixelBytes(); }

    // Where the next bytes go, and how many are expected there.
    std::pair<char*, qint64> room()
    {
        if (headerRead < AnswerHeaderBytes)
            return {header + headerRead, AnswerHeaderBytes - headerRead};
        if (pixelsRead < pixelBytes())
            return {reinterpret_cast<char*>(picture.bits()) + pixelsRead, pixelBytes() - pixelsRead};
        return {beyond, 1};
    }

    void received(qint64 n)
    {
        if (headerRead < AnswerHeaderBytes) {
            headerRead += n;
            if (headerRead == AnswerHeaderBytes) {
                const auto size = CheckAnswerHeader(header, maxSide);
                if (size)
                    picture = QImage(*size, QImage::Format_ARGB32);
                broken = !size || picture.isNull() || picture.bytesPerLine() != size->width() * 4;
            }
        } else if (pixelsRead < pixelBytes()) {
            pixelsRead += n;
        } else {
            broken = true; // more than the picture
        }
    }
};

// Waits for the process to end; kills it when told to stop or past its limits.
int Reap(pid_t pid, bool kill, const std::atomic<bool>* cancelled, Clock::time_point deadline)
{
    if (kill)
        ::kill(pid, SIGKILL);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, kill ? 0 : WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            return -1;
        if (done == 0) {
            if ((cancelled && *cancelled) || Clock::now() > deadline || CpuTimeOf(pid) > DecodeCpuTime) {
                ::kill(pid, SIGKILL);
                kill = true;
            } else {
                ::poll(nullptr, 0, 2);
            }
        }
    }
}

} // namespace

void SetDecoderProgram(const QString& path)
{
    QMutexLocker lock(&programMutex);
    chosenProgram = path;
}

QString DecoderProgram()
{
    {
        QMutexLocker lock(&programMutex);
        if (!chosenProgram.isEmpty())
            return chosenProgram;
    }
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {folder + QStringLiteral("/pikselar-decode"),
                                     folder + QStringLiteral("/../lib/pikselar/pikselar-decode")}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return {};
}

std::optional<QImage> RunDecodeProcess(const DecodeRequest& request, const std::atomic<bool>* cancelled)
{
    if (cancelled && *cancelled)
        return std::nullopt;
    const QString program = DecoderProgram();
    if (program.isEmpty()) {
        static std::once_flag warned;
        std::call_once(warned, [] {
            std::fputs(QCoreApplication::translate("DecodeProcess", "pikselar: brak programu pikselar-decode\n")
                           .toLocal8Bit().constData(), stderr);
        });
        return std::nullopt;
    }
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return std::nullopt;
    const pid_t pid = Spawn(program, ends[1]);
    ::close(ends[1]);
    if (pid < 0) {
        ::close(ends[0]);
        return std::nullopt;
    }
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);

    const QByteArray header = EncodeRequestHeader(request);
    QByteArray prefix(4, 0);
    qToLittleEndian<quint32>(quint32(header.size()), prefix.data());
    const QByteArray parts[] = {prefix + header, request.bytes};
    int part = 0;
    qint64 sent = 0;
    Answer answer(request.maxSide);
    const auto deadline = Clock::now() + DecodeWallTime;
    bool stop = false, ended = false;
    auto looked = Clock::now();
    while (!stop && !ended) {
        if ((cancelled && *cancelled) || Clock::now() > deadline)
            break;
        if (Clock::now() - looked >= std::chrono::milliseconds(PollMilliseconds)) {
            looked = Clock::now();
            if (CpuTimeOf(pid) > DecodeCpuTime)
                break;
        }
        while (part < 2 && sent == parts[part].size())
            ++part, sent = 0;
        pollfd p{ends[0], short(POLLIN | (part < 2 ? POLLOUT : 0)), 0};
        if (::poll(&p, 1, PollMilliseconds) < 0 && errno != EINTR)
            stop = true;
        if (p.revents & POLLOUT) {
            const ssize_t n = ::send(ends[0], parts[part].constData() + sent, std::size_t(parts[part].size() - sent),
                                     MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += n;
                if (part == 1 && sent == parts[1].size())
                    ::shutdown(ends[0], SHUT_WR);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                stop = true; // the process has gone
            }
            // An empty second part: the request is out once the first is.
            if (part == 0 && sent == parts[0].size() && parts[1].isEmpty()) {
                part = 2;
                ::shutdown(ends[0], SHUT_WR);
            }
        }
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            for (;;) {
                const auto [to, expected] = answer.room();
                const ssize_t n = ::recv(ends[0], to, std::size_t(expected), MSG_DONTWAIT);
                if (n > 0) {
                    answer.received(n);
                    if (!answer.broken)
                        continue;
                } else if (n == 0) {
                    ended = true;
                } else if (errno == EINTR) {
                    continue;
                } else if (errno != EAGAIN) {
                    stop = true;
                }
                break;
            }
            stop = stop || answer.broken;
        }
    }
    // Left the loop early: cancelled, or past a limit.
    stop = stop || !ended;
    ::close(ends[0]);
    const int status = Reap(pid, stop, cancelled, deadline);
    if (stop || !ended || !answer.complete() || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return std::move(answer.picture);
}
