#include "text/TextRender.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include "core/Editor.h"
#include "qt/QtColour.h"

namespace {
// Text is measured and drawn at 96 dots per inch whatever the screen says, so
// a size in points gives the same pixels on every machine.
constexpr int DotsPerMeter = 3780;
const QColor TextColour = ToQColor(PaletteColors[0]);

QImage Canvas(QSize size, Colour back)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    image.fill(ToQColor(back));
    return image;
}
} // namespace

QFont InitialTextFont()
{
    QFont font(QStringLiteral("Sans Serif"), 10);
    if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")))
        font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    return AliasedFont(font);
}

QFont AliasedFont(const QFont& font)
{
    QFont aliased = font;
    aliased.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return aliased;
}

QStringList TextLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    return text.split(breaks);
}

QSize TextSize(const QString& text, const QFont& font)
{
    const QImage device = Canvas(QSize(1, 1), Colour{});
    const QFontMetrics metrics(AliasedFont(font), &device);
    const QStringList lines = TextLines(text);
    // The first measurement that loads a fallback font comes out wider than
    // every later one (seen with NULs before a character DejaVu Sans lacks):
    // measure once to load the fonts, then for real.
    for (const QString& line : lines)
        metrics.horizontalAdvance(line);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int height = int(lines.size()) * metrics.height();
    return QSize(std::max(width, ImageSize), std::max(height, ImageSize));
}

Surface RenderText(const QString& text, const QFont& font, Colour back)
{
    QImage image = Canvas(TextSize(text, font), back);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(AliasedFont(font));
        p.setPen(TextColour);
        const QFontMetrics metrics(p.font(), &image);
        const QStringList lines = TextLines(text);
        for (qsizetype i = 0; i < lines.size(); ++i)
            p.drawText(0, int(i) * metrics.height() + metrics.ascent(), lines[i]);
    }
    return SurfaceFromImage(image, back);
}
