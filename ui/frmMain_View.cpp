// The view options of the Opcje menu and the help bar: one state (Views),
// the check marks showing it, the window showing what it says.
#include <QAction>

#include "core/Procedury.h"
#include "core/Transparent.h"
#include "ui/CanvasView.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/frmMain.h"

QAction* frmMain::ViewEntry(View v) const
{
    switch (v) {
    case View::Coordinates: return mnuPozycjaM;
    case View::Frames: return mnuRamki;
    case View::Preview: return mnuPokazuj1;
    case View::Thumbnail: return mnuPokazuj2;
    case View::Grid: return mnuPokażSiatkę;
    case View::HelpBar: return mnuPasekPomocy;
    }
    return nullptr;
}

void frmMain::SetView(View v, bool on)
{
    if (Views[v] == on)
        return; // also the toggled() that setChecked below sends back
    Views[v] = on;
    ViewEntry(v)->setChecked(on);
    const bool frames = Views[View::Frames];
    switch (v) {
    case View::Coordinates:
        Namiary->setVisible(on);
        break;
    case View::Frames:
        // All four, whether or not the previews inside are shown.
        for (Frame* f : {Shape2, Shape3, Shape4, Shape6})
            f->setVisible(on);
        break;
    case View::Preview:
        picMini->setVisible(on); // the image stays whole while its picture is hidden
        Shape3->setVisible(on && frames);
        break;
    case View::Thumbnail:
        picEXE->setVisible(on); // shows the image as it is when shown again
        Shape4->setVisible(on && frames);
        break;
    case View::Grid:
        if (on)
            PlaceGrid(tools_.overlay);
        tools_.overlay.GridVisible = on;
        picIkona->update();
        break;
    case View::HelpBar:
        ShowHelpBar(on);
        break;
    }
}

void frmMain::SetMarkView(bool outsidePalette, bool on)
{
    bool& state = outsidePalette ? Marks.outsidePalette : Marks.transparency;
    if (state == on)
        return; // also the toggled() that setChecked below sends back
    state = on;
    (outsidePalette ? mnuSpozaPalety : mnuPrzezroczystosc)->setChecked(on);
    ShowMarks();
}

void frmMain::ShowMarks()
{
    CanvasMarks marks;
    marks.outsidePalette = Marks.outsidePalette;
    if (Marks.transparency)
        marks.transparent = TransparentColor(e_);
    picIkona->setMarks(marks);
}
