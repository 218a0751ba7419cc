// The image: the one store of the icon's pixels. Whatever shows it (the
// canvas, the 1:1 picture, the thumbnail) listens to it and derives what it
// shows, so code that changes the image never has to remember a view.
//
// Besides pixel notices the image tells its listeners where a change begins
// and ends and what made it: one change per command, one per pencil stroke
// from press to release. Changes nest; only the outermost one is told, with
// its own cause, so an operation that opens a change inside a command that
// already has one adds to that command's change.
#pragma once
#include <cstdint>
#include <vector>

#include "core/Surface.h"

// What changed the image. New causes go at the end.
enum class ChangeCause : std::uint8_t {
    Pencil,
    Line,
    Rectangle,
    FilledRectangle,
    Eraser,
    ColourEraser,
    Shift,
    Undo,
    Clear,       // "Czyść obraz" (Del)
    New,         // "Nowy"
    Open,        // an icon file, from the menu or the command line
    Paste,       // a picture or text from the clipboard
    Cut,
    Import,      // a picture file
    ProgramIcon, // a program's or file's icon
    Text,        // the text tool
    Restore,     // a state of the picture history
    FlipHorizontal,  // "Odbij w poziomie"
    FlipVertical,    // "Odbij w pionie"
    RotateRight,     // "Obróć w prawo"
    RotateLeft,      // "Obróć w lewo"
    Fill,            // "Wypełnij": one area
    ReplaceColour,   // "Wypełnij" with Shift: a colour everywhere
};

// Pixel notices come as SurfaceObserver::surfaceChanged (image pixels); a
// listener that only wants the changes leaves it alone.
class ImageListener : public SurfaceObserver {
public:
    void surfaceChanged(const PixelArea&) override {}
    virtual void changeBegun(ChangeCause) {}
    // `pixelsChanged`: whether any pixel notice came since the change began
    // (a cancelled paste, or a line wholly outside the image, has none).
    virtual void changeEnded(ChangeCause, bool /*pixelsChanged*/) {}

protected:
    ~ImageListener() = default;
};

class Image : public Surface {
public:
    Image(int width, int height, Colour back) : Surface(width, height, back) {}
    // Pixels only: listeners and an open change stay with their image.
    Image(const Image& other) : Surface(other) {}
    Image& operator=(const Image& other)
    {
        Surface::operator=(other);
        return *this;
    }

    void addListener(ImageListener* l);
    void removeListener(ImageListener* l);

    // Prefer ImageChange, which cannot forget the end.
    void beginChange(ChangeCause cause);
    void endChange();
    bool changing() const { return depth_ > 0; }

private:
    std::vector<ImageListener*> listeners_;
    int depth_ = 0;
    ChangeCause cause_ = ChangeCause::Pencil;
    std::uint64_t startRevision_ = 0;
};

// One change of the image for the lifetime of the guard.
class ImageChange {
public:
    ImageChange(Image& image, ChangeCause cause) : image_(image) { image_.beginChange(cause); }
    ~ImageChange() { image_.endChange(); }
    ImageChange(const ImageChange&) = delete;
    ImageChange& operator=(const ImageChange&) = delete;

private:
    Image& image_;
};
