// The Importuj submenu: the icon a program file shows, and a picture file.
#include <QImage>

#include "core/Procedury.h"
#include "transfer/BoundedDecode.h"
#include "transfer/WyciaganieIkon.h"
#include "transfer/frmtmp.h"
#include "ui/Dialogs.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {
// The open dialogs of the two commands, CD3 and CD4: title and filter.
struct OpenDialog {
    const char* title;
    const char* filter;
};
constexpr OpenDialog CD3{QT_TRANSLATE_NOOP("frmMain", "Importuj ikonę z pliku EXE"),
                         QT_TRANSLATE_NOOP("frmMain", "Pliki EXE|*.EXE|Wszystkie pliki|*.*")};
constexpr OpenDialog CD4{QT_TRANSLATE_NOOP("frmMain", "Importuj plik graficzny"),
                         QT_TRANSLATE_NOOP("frmMain", "Pliki BMP|*.bmp|Pliki GIF|*.gif|Pliki JPG|*.jpg|Pliki WMF|*.wmf|"
                                           "Pliki CUR (kursory)|*.cur|Wszystkie pliki|*.*")};

std::optional<QString> Show(Dialogs& dialogs, QWidget* parent, const OpenDialog& d)
{
    return dialogs.openFile(parent, frmMain::tr(d.title), frmMain::tr(d.filter));
}
} // namespace

void frmMain::mnuOpenEXE_Click()
{
    const auto path = Show(dialogs_, this, CD3);
    if (!path)
        return;
    ImageChange change(e_.picMini, ChangeCause::ProgramIcon);
    const QImage icon = BoundedFileIcon(*path, ImageSize);
    // A termination signal during the read has already closed the window.
    if (shutDown_)
        return;
    WyciaganieIkon::DrawIcon(icon, e_.picMini);
}

void frmMain::mnuImportPaint_Click()
{
    const auto path = Show(dialogs_, this, CD4);
    if (!path)
        return;
    // Anything that is not a readable picture ends here, silently, as does a
    // read cut short by a termination signal.
    if (const auto picture = BoundedReadPictureFile(*path); picture && !shutDown_)
        ImportPicture(*picture);
}

void frmMain::ImportPicture(const QImage& picture)
{
    ImageChange change(e_.picMini, ChangeCause::Import);
    e_.pic.assign(SurfaceFromImage(picture, e_.pic.backColour()), true);
    if (e_.pic.width() > ImageSize || e_.pic.height() > ImageSize) {
        e_.FragmentPrompt = tr("Wybierz fragment pliku, który chcesz zaimportować").toStdString();
        tmp->Tag.clear();
        tmp->SetSourcePicture(picture); // with its transparency, for the choices
        tmp->ShowModal();
        return;
    }
    // The reset clears the image and takes the undo snapshot of the blank
    // image; the picture then lands on the cleared image.
    UstawKoloryTłów();
    // The reset cleared the staging surface too; the picture stays there
    // until the next user of the placement window replaces it.
    e_.pic.assign(SurfaceFromImage(picture, e_.pic.backColour()), true);
    e_.picMini.assign(SurfaceFromImage(picture, e_.picMini.backColour()));
}
