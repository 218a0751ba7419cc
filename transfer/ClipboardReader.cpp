#include "transfer/ClipboardReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <atomic>

#include "qt/WaitOffThread.h"
#include "transfer/BoundedDecode.h"
#include "transfer/DecodeProcess.h"
#include "transfer/X11Selection.h"

namespace {

ClipboardContent ReadForeignX11(std::chrono::steady_clock::time_point deadline, const std::atomic<bool>& cancelled)
{
    const auto selection = X11Selection::Open(deadline, &cancelled);
    if (!selection)
        return {};
    const auto targets = selection->Targets();
    if (!targets)
        return {};
    ClipboardOffer offer;
    offer.types = *targets;
    offer.fetch = [&selection](const QString& type, qsizetype limit, bool cut) {
        return selection->Fetch(type, limit, cut);
    };
    // Already on a worker: the decoding process is waited for here.
    return ReadContent(offer, [&cancelled](const QByteArray& bytes, const QByteArray& format) {
        DecodeRequest request;
        request.bytes = bytes;
        request.format = format;
        request.maxSide = MaxPictureSide;
        return RunDecodeProcess(request, &cancelled);
    });
}

} // namespace

ClipboardContent ReadClipboard(std::chrono::milliseconds deadline)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString platform = QGuiApplication::platformName();
    // Without a window system the clipboard is private to the process. Our
    // own connection goes to $DISPLAY; a display given to Qt otherwise is
    // read through Qt.
    const bool ours = clipboard->ownsClipboard() || platform == QLatin1String("offscreen") ||
                      platform == QLatin1String("minimal");
    if (platform != QLatin1String("xcb") || ours || qEnvironmentVariableIsEmpty("DISPLAY")) {
        const QMimeData* data = clipboard->mimeData();
        return data ? ReadContent(OfferOf(*data, ours),
                                  [](const QByteArray& bytes, const QByteArray& format) {
                                      return BoundedDecodePicture(bytes, format);
                                  })
                    : ClipboardContent{};
    }
    // The worker has the decoding process decode too; its result is handed
    // over once it has finished.
    const auto until = std::chrono::steady_clock::now() + deadline;
    return WaitOffThread<ClipboardContent>(
        [until](const std::atomic<bool>& cancelled) { return ReadForeignX11(until, cancelled); });
}
