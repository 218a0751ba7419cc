// The clipboard commands of the Edycja menu.
#include <QClipboard>
#include <QGuiApplication>

#include "core/Procedury.h"
#include "transfer/ClipboardData.h"
#include "transfer/ClipboardReader.h"
#include "transfer/frmtmp.h"
#include "ui/Dialogs.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

void frmMain::mnuKopiuj_Click()
{
    QGuiApplication::clipboard()->setMimeData(ImageMimeData(ToImage(e_.picMini)));
}

void frmMain::mnuWytnij_Click()
{
    mnuKopiuj_Click();
    ClearImage(e_, ChangeCause::Cut);
}

void frmMain::mnuWklej_Click()
{
    // Text comes from text types only; empty text counts as no text (there
    // would be nothing to place).
    const ClipboardContent content = ReadClipboard();
    // A termination signal during the read has already closed the window.
    if (shutDown_)
        return;
    // One change, whichever way the picture or text comes in.
    ImageChange change(e_.picMini, ChangeCause::Paste);
    if (content.text) {
        e_.FragmentPrompt = tr("Wybierz fragment tekstu, który chcesz wkleić").toStdString();
        tmp->Tag = FirstCharacters(*content.text);
        tmp->ShowModal();
        return;
    }
    const auto& picture = content.picture;
    if (!picture) {
        dialogs_.message(this, tr("Albo schowek jest pusty, albo zawiera nieodpowienie dane np. tekst"),
                         tr("Błąd"), Dialogs::Icon::Warning);
        return;
    }
    e_.FragmentPrompt = tr("Ponieważ wklejany obraz ma większe wymiary niż 32x32 pixele, to wybierz fragment, "
                           "który chcesz wkleić ze schowka").toStdString();
    e_.pic.assign(SurfaceFromImage(*picture, e_.pic.backColour()), true);
    if (e_.pic.width() > ImageSize || e_.pic.height() > ImageSize)
        tmp->SetSourcePicture(*picture); // with its transparency, for the choices
    PlaceClipboardPicture();
}

void frmMain::PlaceClipboardPicture()
{
    const int w = e_.pic.width(), h = e_.pic.height();
    if (w > ImageSize || h > ImageSize) {
        tmp->Tag.clear();
        tmp->ShowModal();
        return;
    }
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            e_.picMini.setPixel(x, y, e_.pic.pixel(x, y));
}
