#include "transfer/BoundedDecode.h"

#include <QEventLoop>
#include <QIcon>
#include <QThread>

#include <atomic>
#include <memory>

#include "transfer/DecodeProcess.h"
#include "transfer/WyciaganieIkon.h"

std::optional<QImage> DecodeWhileWaiting(const DecodeRequest& request)
{
    struct Shared {
        std::atomic<bool> cancelled{false};
        std::optional<QImage> picture;
    };
    auto shared = std::make_shared<Shared>();
    std::unique_ptr<QThread> worker(
        QThread::create([shared, request] { shared->picture = RunDecodeProcess(request, &shared->cancelled); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // Ends when the worker does, or earlier when the application quits.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    shared->cancelled = true;
    worker->wait();
    return shared->picture;
}

std::optional<QImage> BoundedDecodePicture(const QByteArray& bytes, const QByteArray& format, int maxSide)
{
    DecodeRequest request;
    request.kind = DecodeRequest::Kind::Picture;
    request.bytes = bytes;
    request.format = format;
    request.maxSide = maxSide;
    return DecodeWhileWaiting(request);
}

std::optional<QImage> BoundedReadPictureFile(const QString& path, int maxSide, qint64 maxBytes)
{
    DecodeRequest request;
    request.kind = DecodeRequest::Kind::PictureFile;
    request.path = path;
    request.maxSide = maxSide;
    request.maxBytes = maxBytes;
    return DecodeWhileWaiting(request);
}

QImage BoundedFileIcon(const QString& path, int size)
{
    // Only the content of a regular file is read in the decoding process;
    // the theme's icon for its type is looked up here.
    return WyciaganieIkon::FileIcon(path, size, [](const QString& file, int side) {
        DecodeRequest request;
        request.kind = DecodeRequest::Kind::FileIcon;
        request.path = file;
        request.maxSide = side;
        request.themeName = QIcon::themeName();
        request.fallbackThemeName = QIcon::fallbackThemeName();
        request.themeSearchPaths = QIcon::themeSearchPaths();
        return DecodeWhileWaiting(request).value_or(QImage());
    });
}
