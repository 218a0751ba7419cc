#include "ui/frmHistoriaModel.h"

#include <QDateTime>
#include <QIcon>
#include <QImage>

frmHistoriaModel::frmHistoriaModel(std::vector<HistoryRow> rows, QObject* parent)
    : QAbstractListModel(parent), rows_(std::move(rows))
{
}

int frmHistoriaModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant frmHistoriaModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const HistoryRow& r = rows_[std::size_t(index.row())];
    const QString cause = QCoreApplication::translate("HistoryRecorder", r.cause.c_str());
    switch (role) {
    case Qt::DisplayRole:
        return cause + QLatin1Char('\n') + TimeText(r.timeMs);
    case Qt::AccessibleTextRole:
        return cause + QStringLiteral(", ") + TimeText(r.timeMs);
    case Qt::DecorationRole: {
        // The same pixels when selected: the style would tint a selected icon.
        const QPixmap pixels = thumbnail(index.row());
        QIcon icon;
        icon.addPixmap(pixels, QIcon::Normal);
        icon.addPixmap(pixels, QIcon::Selected);
        return icon;
    }
    default:
        return {};
    }
}

std::optional<HistoryImage> frmHistoriaModel::picture(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return std::nullopt;
    const HistoryRow& r = rows_[std::size_t(row)];
    HistoryImage image;
    if (!DecodeHistoryPicture(r.picture.data(), r.picture.size(), image))
        return std::nullopt;
    return image;
}

QString frmHistoriaModel::TimeText(std::int64_t timeMs)
{
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(timeMs);
    if (at.date() == QDate::currentDate())
        return at.toString(QStringLiteral("HH:mm:ss"));
    return at.toString(QStringLiteral("d.MM.yyyy HH:mm"));
}

QPixmap frmHistoriaModel::thumbnail(int row) const
{
    if (const QPixmap* made = thumbnails_.object(row))
        return *made;
    const int side = HistorySide * ThumbnailScale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::lightGray); // a damaged state shows as an empty grey square
    if (const std::optional<HistoryImage> picture = this->picture(row)) {
        for (int y = 0; y < side; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < side; ++x) {
                const Colour c = (*picture)[std::size_t(y / ThumbnailScale * HistorySide + x / ThumbnailScale)];
                line[x] = qRgb(Red(c), Green(c), Blue(c));
            }
        }
    }
    auto* made = new QPixmap(QPixmap::fromImage(image));
    const QPixmap copy = *made;
    thumbnails_.insert(row, made);
    return copy;
}
