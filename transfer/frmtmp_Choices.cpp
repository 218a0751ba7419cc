// The placement window's choices: the picture fitted to 32 x 32 and made
// palette-true before it is placed, and the count of cells a save would
// write as black. Large pictures are mapped in a worker.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "transfer/FitPicture.h"
#include "transfer/OutsidePalette.h"
#include "transfer/Outline.h"
#include "transfer/PaletteMap.h"
#include "transfer/frmtmp.h"
#include "qt/QtColour.h"
#include "qt/SurfaceView.h"

namespace {
// Above this many pixels the palette mapping of the whole picture runs in a
// worker (a 4000 x 3000 photo takes about a second with diffusion).
constexpr qint64 MapInPlaceLimit = 512 * 512;

QString Tr(const char* text)
{
    return QCoreApplication::translate("frmtmp", text);
}
} // namespace

void frmtmp::ApplyChoices()
{
    const bool fit = cmdDopasuj->isChecked();
    const bool palette = cmdKolory->isChecked();
    cmdRozpraszanie->setEnabled(palette);
    const bool dither = palette && cmdRozpraszanie->isChecked();
    const int transparent = TransparentIndexForPlacing(e_.TransparentIndex);
    const MapKey wanted{transparent, dither};
    if (fit) {
        if (small_.isNull())
            small_ = FitPicture(Source()); // once per picture: toggles only map it again
        fitted_.assign(palette ? MapToPalette(small_, transparent, dither) : KeepColours(small_, transparent));
    } else if (palette) {
        if (haveMapped_ && mappedKey_ == wanted) {
            if (!showsMapped_) {
                KeepRaw();
                e_.pic.assign(mappedPic_, true);
                showsMapped_ = true;
            }
        } else if (pending_.valid()) {
            // The worker's result comes back here and the choices are read again.
        } else if (qint64(e_.pic.width()) * e_.pic.height() <= MapInPlaceLimit) {
            runningKey_ = wanted;
            MappingDone(MapToPalette(Source(), transparent, dither));
            return;
        } else {
            StartMapping(wanted);
        }
    } else if (showsMapped_) {
        e_.pic.assign(raw_, true);
        showsMapped_ = false;
    }
    pic->setVisible(!fit);
    picFit->setVisible(fit);
    RamkaDopasuj();
    ShowCount();
}

void frmtmp::ShowCount()
{
    QString text;
    if (pending_.valid() && cmdKolory->isChecked() && !cmdDopasuj->isChecked()) {
        text = Tr("Trwa dobieranie kolorów palety...");
    } else if (!cmdKolory->isChecked()) {
        const int n = cmdDopasuj->isChecked()
                          ? CountOutsidePalette(fitted_, 0, 0, ImageSize, ImageSize)
                          : CountOutsidePalette(e_.pic, Shape1->x(), Shape1->y(), ImageSize, ImageSize);
        if (n > 0)
            text = QCoreApplication::translate(
                "frmtmp", "%n pikseli spoza palety zostanie zapisanych jako czarne", nullptr, n);
    }
    lblSpoza->setText(text);
    lblSpoza->setVisible(!text.isEmpty());
}

void frmtmp::StartMapping(MapKey key)
{
    runningKey_ = key;
    pending_ = std::async(std::launch::async, [picture = Source(), key] {
        return MapToPalette(picture, key.transparent, key.dither);
    });
    mapPoll_->start();
}

void frmtmp::MappingDone(Surface mapped)
{
    mapPoll_->stop();
    mappedPic_ = std::move(mapped);
    mappedKey_ = runningKey_;
    haveMapped_ = true;
    showsMapped_ = false;
    ApplyChoices(); // shows it, or starts again for choices changed meanwhile
}

void frmtmp::FinishMapping()
{
    while (pending_.valid())
        MappingDone(pending_.get());
}

void frmtmp::KeepRaw()
{
    if (!rawKept_) {
        raw_ = e_.pic;
        rawKept_ = true;
    }
}

const QImage& frmtmp::Source()
{
    // Without the caller's picture, the staging surface as it was given.
    if (source_.isNull()) {
        KeepRaw();
        source_ = ToImage(raw_);
    }
    return source_;
}

void frmtmp::DropMapping()
{
    if (pending_.valid())
        pending_.get(); // of a picture no longer shown
    mapPoll_->stop();
    small_ = QImage();
    mappedPic_ = Surface(1, 1, mappedPic_.backColour());
    haveMapped_ = false;
    showsMapped_ = false;
}
