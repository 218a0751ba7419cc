// Listens to the image's change notices and records each finished change in
// the picture history with a short Polish label of what made it. The first
// change of a run records the picture before it too (so what was opened or
// there at the start can come back); a change with no pixel changed records
// nothing. The steps of a pencil stroke are recorded as the stroke's one
// state still in progress, so even a long stroke reaches the disk.
#pragma once
#include "core/Translatable.h"
#include <optional>

#include "core/Image.h"
#include "files/HistoryPicture.h"

class HistoryStore;

// The label of the state a change makes, as the history window shows it.
const char* HistoryLabel(ChangeCause cause);
// The label of the picture before the run's first change.
inline constexpr const char* HistoryStartLabel = QT_TRANSLATE_NOOP("HistoryRecorder", "Stan wyjściowy");

class HistoryRecorder : public ImageListener {
public:
    HistoryRecorder(Image& image, HistoryStore& store);
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    void surfaceChanged(const PixelArea& area) override;
    void changeBegun(ChangeCause cause) override;
    void changeEnded(ChangeCause cause, bool pixelsChanged) override;

private:
    void recordStartOnce();

    Image& image_;
    HistoryStore& store_;
    bool open_ = false;            // between the beginning and the end of a change
    ChangeCause cause_ = ChangeCause::Pencil;
    std::optional<HistoryImage> start_; // the picture before the run's first change, until recorded
    bool started_ = false;         // the run has recorded its first state
};
