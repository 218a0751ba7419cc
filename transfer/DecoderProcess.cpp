// pikselar-decode: decodes one picture from outside for the program, in a
// process of its own under limits of memory and processor time, so that no
// input (and no fault of a decoder) can exhaust or freeze the program. It
// reads one request on its standard input and writes one answer on its
// standard output (see DecodeRequest.h); beyond its limits the kernel ends it
// and the program counts the input as broken.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include "files/ReadGate.h"
#include "transfer/DecodeRequest.h"
#include "transfer/DecodeLimits.h"
#include "transfer/PictureDecoder.h"
#include "transfer/WyciaganieIkon.h"

namespace {

bool ReadExactly(char* to, qint64 count)
{
    while (count > 0) {
        const ssize_t n = ::read(STDIN_FILENO, to, std::size_t(std::min<qint64>(count, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        count -= n;
    }
    return true;
}

bool WriteAll(const char* from, qint64 count)
{
    while (count > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, from, std::size_t(std::min<qint64>(count, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        from += n;
        count -= n;
    }
    return true;
}

std::optional<DecodeRequest> ReadRequest()
{
    quint32 headerLength = 0;
    if (!ReadExactly(reinterpret_cast<char*>(&headerLength), sizeof headerLength) || headerLength > (1u << 20))
        return std::nullopt;
    QByteArray header(qsizetype(headerLength), Qt::Uninitialized);
    if (!ReadExactly(header.data(), header.size()))
        return std::nullopt;
    auto parsed = DecodeRequestHeader(header);
    if (!parsed || parsed->second > MaxDecodeRequestBytes)
        return std::nullopt;
    DecodeRequest request = std::move(parsed->first);
    request.bytes = QByteArray(qsizetype(parsed->second), Qt::Uninitialized);
    if (!ReadExactly(request.bytes.data(), request.bytes.size()))
        return std::nullopt;
    return request;
}

// The data segment in use now, from the kernel's own count.
qint64 DataBytesInUse()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long long kB = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmData: %lld kB", &kB) == 1)
            break;
    std::fclose(status);
    return kB < 0 ? -1 : kB * 1024;
}

// From here on, the decode may use DecodeHeapBytes more than the process
// uses now, and DecodeCpuTime more processor time (whole seconds: the
// program watches the finer limit).
bool Limit()
{
    const qint64 inUse = DataBytesInUse();
    if (inUse < 0)
        return false;
    const rlim_t data = rlim_t(inUse + DecodeHeapBytes);
    const rlimit dataLimit{data, data};
    rusage used{};
    ::getrusage(RUSAGE_SELF, &used);
    const rlim_t seconds = rlim_t(used.ru_utime.tv_sec + used.ru_stime.tv_sec + 1) +
                           rlim_t(std::chrono::ceil<std::chrono::seconds>(DecodeCpuTime).count());
    // The soft limit sends SIGXCPU, whose default ends the process; the hard
    // one kills it should that signal be caught by a library.
    const rlimit cpuLimit{seconds, seconds + 1};
    return ::setrlimit(RLIMIT_DATA, &dataLimit) == 0 && ::setrlimit(RLIMIT_CPU, &cpuLimit) == 0;
}


std::optional<QImage> Decode(const DecodeRequest& r)
{
    switch (r.kind) {
    case DecodeRequest::Kind::Picture:
        return DecodePicture(r.bytes, r.format, r.maxSide);
    case DecodeRequest::Kind::PictureFile: {
        const auto bytes = ReadWholeFile(r.path, std::size_t(std::max<qint64>(r.maxBytes, 0)));
        if (!bytes)
            return std::nullopt;
        const bool metafile = QFileInfo(r.path).suffix().toLower() == QLatin1String("wmf");
        return DecodePicture(*bytes, metafile ? QByteArray("wmf") : QByteArray(), r.maxSide);
    }
    case DecodeRequest::Kind::FileIcon: {
        QIcon::setThemeSearchPaths(r.themeSearchPaths);
        QIcon::setFallbackThemeName(r.fallbackThemeName);
        QIcon::setThemeName(r.themeName);
        const QImage icon = WyciaganieIkon::FileContentIcon(r.path, r.maxSide);
        return icon.isNull() ? std::nullopt : std::optional<QImage>(icon);
    }
    }
    return std::nullopt;
}

} // namespace

int main()
{
    // The program speaks for this process: Qt's own warnings stay unsaid.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Memory refused at the limit ends the decode, quietly.
    std::set_terminate([] { ::_exit(1); });
    // Ends with the program, however the program ends.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() == 1)
        return 1;
    // A process killed at its limit leaves no core file behind.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);

    // Fonts and theme icons need a GUI application; no window system does.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "pikselar-decode";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const auto request = ReadRequest();
    if (!request || !Limit())
        return 1;
    const auto picture = Decode(*request);
    if (!picture || picture->isNull() || picture->width() > request->maxSide ||
        picture->height() > request->maxSide)
        ::_exit(0);
    const QImage argb = picture->convertToFormat(QImage::Format_ARGB32);
    const QByteArray header = EncodeAnswerHeader(argb);
    bool written = WriteAll(header.constData(), header.size());
    for (int y = 0; written && y < argb.height(); ++y)
        written = WriteAll(reinterpret_cast<const char*>(argb.constScanLine(y)), qint64(argb.width()) * 4);
    // No destructors: the answer is out, nothing else is of use.
    ::_exit(written ? 0 : 1);
}
