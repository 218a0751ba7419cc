#include "files/HistoryRecorder.h"

#include "files/HistoryStore.h"

const char* HistoryLabel(ChangeCause cause)
{
    switch (cause) {
    case ChangeCause::Pencil:
        return "Ołówek";
    case ChangeCause::Line:
        return "Linia";
    case ChangeCause::Rectangle:
        return "Prostokąt";
    case ChangeCause::FilledRectangle:
        return "Wypełniony prostokąt";
    case ChangeCause::Eraser:
        return "Gumka";
    case ChangeCause::ColourEraser:
        return "Gumka kolorowa";
    case ChangeCause::Shift:
        return "Przesunięcie";
    case ChangeCause::Undo:
        return "Cofnij";
    case ChangeCause::Clear:
        return "Czyść";
    case ChangeCause::New:
        return "Nowy";
    case ChangeCause::Open:
        return "Otwórz";
    case ChangeCause::Paste:
        return "Wklej";
    case ChangeCause::Cut:
        return "Wytnij";
    case ChangeCause::Import:
        return "Import";
    case ChangeCause::ProgramIcon:
        return "Ikona programu";
    case ChangeCause::Text:
        return "Tekst";
    case ChangeCause::Restore:
        return "Przywrócenie";
    case ChangeCause::FlipHorizontal:
        return "Odbicie w poziomie";
    case ChangeCause::FlipVertical:
        return "Odbicie w pionie";
    case ChangeCause::RotateRight:
        return "Obrót w prawo";
    case ChangeCause::RotateLeft:
        return "Obrót w lewo";
    case ChangeCause::Fill:
        return "Wypełnienie";
    case ChangeCause::ReplaceColour:
        return "Zamiana koloru";
    }
    return "Zmiana";
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
