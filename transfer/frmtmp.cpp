#include "transfer/frmtmp.h"

#include <QPainter>

#include "core/Editor.h"

namespace {
// A black and a white ring: visible on every palette colour, and the colour
// itself still shows inside.
QImage MakeSelectionMarker()
{
    QImage marker(20, 20, QImage::Format_ARGB32);
    marker.fill(Qt::transparent);
    QPainter p(&marker);
    p.setPen(Qt::black);
    p.drawRect(4, 4, 11, 11);
    p.drawRect(7, 7, 5, 5);
    p.setPen(Qt::white);
    p.drawRect(5, 5, 9, 9);
    p.drawRect(6, 6, 7, 7);
    return marker;
}
} // namespace

frmtmp::frmtmp(Editor& editor, QWidget* parent) : QDialog(parent), e_(editor), xsel_(MakeSelectionMarker())
{
    setWindowTitle(QStringLiteral("Wklej"));
}
