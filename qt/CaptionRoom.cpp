#include "qt/CaptionRoom.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>

namespace {
// Qt's Wayland title bar: a 14-pixel caption font; three 18-pixel buttons, 5
// apart, 8 from the right edge, the caption clipped 4 before them; a 3-pixel
// border each side.
constexpr int CaptionPixelSize = 14;
constexpr int ButtonsWidth = 8 + 3 * 18 + 2 * 5 + 4;
constexpr int Borders = 2 * 3;
} // namespace

void MakeRoomForCaption(QWidget* window)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QFont font = QGuiApplication::font();
    font.setPixelSize(CaptionPixelSize);
    const int caption = QFontMetrics(font).horizontalAdvance(window->windowTitle());
    // Centred on the whole width, it must end before the buttons begin.
    const int needed = caption + 2 * ButtonsWidth - Borders + 4;
    if (window->width() < needed)
        window->setFixedWidth(needed);
}
