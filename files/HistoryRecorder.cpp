#include "files/HistoryRecorder.h"

#include "files/HistoryStore.h"

#include "core/Translatable.h"

const char* HistoryLabel(ChangeCause cause)
{
    switch (cause) {
    case ChangeCause::Pencil:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Ołówek");
    case ChangeCause::Line:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Linia");
    case ChangeCause::Rectangle:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Prostokąt");
    case ChangeCause::FilledRectangle:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Wypełniony prostokąt");
    case ChangeCause::Eraser:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Gumka");
    case ChangeCause::ColourEraser:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Gumka kolorowa");
    case ChangeCause::Shift:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Przesunięcie");
    case ChangeCause::Undo:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Cofnij");
    case ChangeCause::Clear:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Czyść");
    case ChangeCause::New:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Nowy");
    case ChangeCause::Open:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Otwórz");
    case ChangeCause::Paste:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Wklej");
    case ChangeCause::Cut:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Wytnij");
    case ChangeCause::Import:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Import");
    case ChangeCause::ProgramIcon:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Ikona programu");
    case ChangeCause::Text:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Tekst");
    case ChangeCause::Restore:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Przywrócenie");
    case ChangeCause::FlipHorizontal:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Odbicie w poziomie");
    case ChangeCause::FlipVertical:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Odbicie w pionie");
    case ChangeCause::RotateRight:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Obrót w prawo");
    case ChangeCause::RotateLeft:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Obrót w lewo");
    case ChangeCause::Fill:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Wypełnienie");
    case ChangeCause::ReplaceColour:
        return QT_TRANSLATE_NOOP("HistoryRecorder", "Zamiana koloru");
    }
    return QT_TRANSLATE_NOOP("HistoryRecorder", "Zmiana");
}

HistoryRecorder::HistoryRecorder(Image& image, HistoryStore& store) : image_(image), store_(store)
{
    image_.addListener(this);
}

HistoryRecorder::~HistoryRecorder() { image_.removeListener(this); }

void HistoryRecorder::changeBegun(ChangeCause cause)
{
    open_ = true;
    cause_ = cause;
    if (!started_)
        start_ = HistoryImageOf(image_);
}

void HistoryRecorder::surfaceChanged(const PixelArea&)
{
    // Only a stroke goes on between events; other changes end where they begin.
    if (!open_ || cause_ != ChangeCause::Pencil)
        return;
    recordStartOnce();
    store_.recordStep(HistoryImageOf(image_), HistoryLabel(cause_));
}

void HistoryRecorder::changeEnded(ChangeCause cause, bool pixelsChanged)
{
    open_ = false;
    if (!pixelsChanged)
        return;
    recordStartOnce();
    store_.record(HistoryImageOf(image_), HistoryLabel(cause));
}

void HistoryRecorder::recordStartOnce()
{
    if (started_)
        return;
    started_ = true;
    if (start_)
        store_.record(*start_, HistoryStartLabel);
    start_.reset();
}
