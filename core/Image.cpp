#include "core/Image.h"

#include <algorithm>

void Image::addListener(ImageListener* l)
{
    if (!l || std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end())
        return;
    listeners_.push_back(l);
    addObserver(l);
}

void Image::removeListener(ImageListener* l)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), l), listeners_.end());
    removeObserver(l);
}

void Image::beginChange(ChangeCause cause)
{
    if (depth_++ > 0)
        return;
    cause_ = cause;
    startRevision_ = revision();
    // A copy: a listener may leave while it is told.
    for (ImageListener* l : std::vector<ImageListener*>(listeners_))
        l->changeBegun(cause);
}

void Image::endChange()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    const bool changed = revision() != startRevision_;
    for (ImageListener* l : std::vector<ImageListener*>(listeners_))
        l->changeEnded(cause_, changed);
}
