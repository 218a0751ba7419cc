// Text records: the text in the metafile's code page, in the selected font,
// placed by the text alignment.
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "transfer/CodePage1250.h"
#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"

namespace wmf {

bool Player::TextRecord(quint16 f, const Params& p)
{
    switch (f) {
    case META_TEXTOUT:
        if (p.has(1)) {
            const qsizetype len = p.u(0), words = (len + 1) / 2;
            if (p.has(1 + words + 2))
                Text(p.s(1 + words + 1), p.s(1 + words), QByteArray(p.at(1), len), nullptr);
        }
        return true;
    case META_EXTTEXTOUT:
        if (p.has(4)) {
            const qsizetype len = p.u(2);
            const int options = p.u(3);
            const bool hasRect = options & 0x0006;
            const qsizetype textAt = 4 + (hasRect ? 4 : 0);
            if (p.bytes() < 2 * textAt + len)
                return true;
            QRect rect;
            if (hasRect)
                rect = MapRect(p.s(4), p.s(5), p.s(6), p.s(7));
            Text(p.s(1), p.s(0), QByteArray(p.at(textAt), len), (options & 2) ? &rect : nullptr);
        }
        return true;
    default:
        return false;
    }
}

void Player::Text(int x, int y, const QByteArray& bytes, const QRect* opaqueRect)
{
    const QString text = FromCodePage1250(bytes);
    const FontObject& f = dc_.font;
    QFont font(f.face.isEmpty() ? QStringLiteral("DejaVu Sans") : f.face);
    const double px = std::clamp(std::abs(f.height ? f.height : 12) * ScaleY(), 1.0, MaxFontPixels);
    font.setPixelSize(std::max(1, int(std::lround(f.height > 0 ? px * 0.8 : px))));
    font.setWeight(f.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    painter_.setFont(font);
    const QFontMetricsF fm(font);
    const bool updateCp = dc_.textAlign & 1;
    QPointF at = updateCp ? Map(dc_.position.x(), dc_.position.y()) : Map(x, y);
    const double width = fm.horizontalAdvance(text);
    const int horizontal = dc_.textAlign & 6, vertical = dc_.textAlign & 24;
    double left = horizontal == 6 ? at.x() - width / 2 : horizontal == 2 ? at.x() - width : at.x();
    double baseline = vertical == 24 ? at.y() : vertical == 8 ? at.y() - fm.descent() : at.y() + fm.ascent();
    const QRectF box(left, baseline - fm.ascent(), width, fm.height());
    if (!AffordArea(opaqueRect ? box.united(*opaqueRect) : box) || !Afford(text.size()))
        return;
    if (opaqueRect)
        painter_.fillRect(*opaqueRect, dc_.backColour);
    else if (dc_.opaqueBack)
        painter_.fillRect(box, dc_.backColour);
    painter_.setPen(dc_.textColour);
    painter_.drawText(QPointF(left, baseline), text);
    if (updateCp && horizontal == 0)
        dc_.position.rx() += int(std::lround(width / std::max(ScaleX(), 1e-9)));
}

} // namespace wmf
