#include "transfer/BoundedDecode.h"

#include <QIcon>

#include <atomic>

#include "qt/WaitOffThread.h"
#include "transfer/DecodeProcess.h"
#include "transfer/WyciaganieIkon.h"

std::optional<QImage> DecodeWhileWaiting(const DecodeRequest& request)
{
    return WaitOffThread<std::optional<QImage>>(
        [request](const std::atomic<bool>& cancelled) { return RunDecodeProcess(request, &cancelled); });
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
