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
