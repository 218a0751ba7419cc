// The decodes of outside bytes that the commands run on the GUI thread: each
// in the decoding process (see DecodeProcess.h), while the window keeps
// repainting and a termination signal is still acted on (user input waits
// until the decode ends). When the application quits meanwhile, the decode
// is given up and gives nothing.
#pragma once
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "transfer/DecodeRequest.h"
#include "transfer/PictureDecoder.h"

// RunDecodeProcess on a worker thread while the event loop runs.
std::optional<QImage> DecodeWhileWaiting(const DecodeRequest& request);

// DecodePicture, ReadPictureFile and WyciaganieIkon::FileIcon, bounded.
std::optional<QImage> BoundedDecodePicture(const QByteArray& bytes, const QByteArray& format = {},
                                           int maxSide = MaxPictureSide);
std::optional<QImage> BoundedReadPictureFile(const QString& path, int maxSide = MaxPictureSide,
                                             qint64 maxBytes = MaxPictureFileBytes);
QImage BoundedFileIcon(const QString& path, int size);
