// The states of the picture history for a list view: each row a thumbnail
// (the 32 x 32 picture at twice its size, no smoothing), the time and what
// made it. Pictures are decoded only when a row is shown, and kept for a
// few hundred rows, so ten thousand states open and scroll at once.
#pragma once
#include <optional>
#include <vector>

#include <QAbstractListModel>
#include <QCache>
#include <QPixmap>

#include "files/HistoryDatabase.h"

class frmHistoriaModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int ThumbnailScale = 2;

    explicit frmHistoriaModel(std::vector<HistoryRow> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The picture of a row; nothing for a row whose bytes are damaged.
    std::optional<HistoryImage> picture(int row) const;
    // "15:04:05" today, "7.12.2026 15:04" before.
    static QString TimeText(std::int64_t timeMs);

private:
    QPixmap thumbnail(int row) const;

    std::vector<HistoryRow> rows_;
    mutable QCache<int, QPixmap> thumbnails_{600};
};
