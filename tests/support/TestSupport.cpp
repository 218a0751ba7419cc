#include "support/TestSupport.h"

#include <QApplication>
#include <QTimer>

#include "core/Palette.h"

int PaletteIndexOf(Colour c)
{
    for (int i = 0; i < PaletteSize; ++i)
        if (PaletteColors[i] == c)
            return i;
    return -1;
}

QString Rows(const Surface& s, int x, int y, int w, int h)
{
    QStringList rows;
    for (int r = y; r < y + h; ++r) {
        QString row;
        for (int c = x; c < x + w; ++c) {
            const int i = PaletteIndexOf(s.pixel(c, r));
            row += i < 0 ? QLatin1Char('?') : QLatin1Char("0123456789abcdef"[i]);
        }
        rows << row;
    }
    return Rows(rows);
}

ChangeLog::ChangeLog(Image& image) : image_(image)
{
    image_.addListener(this);
}

ChangeLog::~ChangeLog()
{
    image_.removeListener(this);
}

void ChangeLog::changeBegun(ChangeCause)
{
    // Two begins without an end in between would be a fault of the image.
    if (open_)
        changes << QStringLiteral("(begun twice)");
    open_ = true;
}

void ChangeLog::changeEnded(ChangeCause cause, bool pixelsChanged)
{
    changes << (open_ ? CauseName(cause) : QStringLiteral("(ended unbegun) ") + CauseName(cause)) +
                   (pixelsChanged ? QString() : QStringLiteral(" (none)"));
    open_ = false;
}

QString ChangeLog::MissedPixels(const Surface& before) const
{
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x) {
            if (image_.pixel(x, y) == before.pixel(x, y))
                continue;
            bool told = false;
            for (const PixelArea& a : areas)
                told = told || (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom);
            if (!told)
                return QStringLiteral("pixel %1, %2 changed unannounced").arg(x).arg(y);
        }
    return {};
}

QString CauseName(ChangeCause cause)
{
    static const char* const names[] = {"Pencil", "Line",  "Rectangle", "FilledRectangle",
                                        "Eraser", "ColourEraser", "Shift", "Undo",
                                        "Clear",  "New",   "Open",      "Paste",
                                        "Cut",    "Import", "ProgramIcon", "Text", "Restore",
                                        "FlipHorizontal", "FlipVertical", "RotateRight",
                                        "RotateLeft", "Fill", "ReplaceColour"};
    const auto i = std::size_t(cause);
    return i < std::size(names) ? QString::fromLatin1(names[i]) : QStringLiteral("cause %1").arg(i);
}

QString Rows(const Surface& s)
{
    return Rows(s, 0, 0, s.width(), s.height());
}

QString Rows(const QStringList& rows)
{
    return QLatin1Char('\n') + rows.join(QLatin1Char('\n'));
}

void ScriptedDialogs::message(QWidget*, const QString& text, const QString& title, Icon icon)
{
    messages.push_back({text, title, icon});
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& title,
                                                 const QString& filter)
{
    fileTitles << title;
    fileFilters << filter;
    if (fileAnswers.empty())
        return std::nullopt;
    const bool cancelled = !fileAnswers.front().has_value();
    const QString path = fileAnswers.front().value_or(QString());
    fileAnswers.pop_front();
    if (cancelled)
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget* parent, const QString& title,
                                                 const QString& filter, const QString& initialName)
{
    initialNames << initialName;
    return openFile(parent, title, filter);
}

void WhenModal(std::function<void(QWidget*)> act, int timeoutMs)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act, timeoutMs] {
        *waited += 10;
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

QString CellsOf(const Surface& s, int index)
{
    QStringList at;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (PaletteIndexOf(s.pixel(x, y)) == index)
                at << QStringLiteral("%1,%2").arg(x).arg(y);
    return at.join(QLatin1Char(' '));
}
