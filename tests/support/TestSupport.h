// Helpers shared by the tests: pictures as text rows, scripted dialogs and
// answering modal windows opened by the code under test.
#pragma once
#include <deque>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/Image.h"
#include "ui/Dialogs.h"

class QWidget;

// The rectangle of a surface as rows of palette digits ("0".."9", "a".."f"
// for UI indices 0..15, "?" for any other colour).
QString Rows(const Surface& s, int x, int y, int w, int h);
QString Rows(const Surface& s);
// The same for a list of row strings, joined like Rows() joins them.
QString Rows(const QStringList& rows);

// Records what an image tells its listeners: the changes as "Cause" (an
// empty change as "Cause (none)"), and the areas of its pixel notices.
class ChangeLog : public ImageListener {
public:
    explicit ChangeLog(Image& image);
    ~ChangeLog();
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    void surfaceChanged(const PixelArea& area) override { areas.push_back(area); }
    void changeBegun(ChangeCause cause) override;
    void changeEnded(ChangeCause cause, bool pixelsChanged) override;

    // "" when every pixel in which `before` and the image now differ lies in
    // a notified area (so every view repainted it), else the first that does not.
    QString MissedPixels(const Surface& before) const;
    void clear()
    {
        changes.clear();
        areas.clear();
    }

    QStringList changes;
    std::vector<PixelArea> areas;

private:
    Image& image_;
    bool open_ = false;
};
QString CauseName(ChangeCause cause);

// The UI index of a colour, or -1.
int PaletteIndexOf(Colour c);
// Where the cells of UI colour `index` are, as "x,y" joined by blanks, row by row.
QString CellsOf(const Surface& s, int index);

// Dialogs answered from queues; every message shown is recorded.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };
    std::deque<std::optional<QString>> fileAnswers; // nullopt = cancel
    QStringList fileTitles;
    QStringList fileFilters;
    QStringList initialNames;
    std::vector<Shown> messages;

    void message(QWidget*, const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> openFile(QWidget*, const QString& title, const QString& filter) override;
    std::optional<QString> saveFile(QWidget*, const QString& title, const QString& filter,
                                    const QString& initialName) override;
};

// Runs `act` on the next modal widget that appears (polled every 10 ms, for at
// most `timeoutMs`). Call before the code that opens the modal window.
void WhenModal(std::function<void(QWidget*)> act, int timeoutMs = 5000);
