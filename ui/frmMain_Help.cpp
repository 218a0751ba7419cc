// Help: the help bar's texts, help mode with its help window, the help bar
// on and off, and the about window.
#include <QAction>
#include <QApplication>

#include "ui/Dialogs.h"
#include "ui/FitText.h"
#include "ui/Frame.h"
#include "ui/HelpTexts.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "ui/TranslatedTexts.h"
#include "qt/SurfaceView.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"
#include "core/Palette.h"

namespace {
// The help bar's height: the window grows and shrinks by it.
constexpr int HelpBarHeight = 32;
// The smallest size a long text in the bar may take, in points.
constexpr qreal SmallestBarPointSize = 6;
} // namespace

void frmMain::PodłączPomoc()
{
    for (int i = 0; i < int(Toolbar.size()); ++i)
        connect(Toolbar[i], &PictureButton::hovered, this,
                [this, i] { PokażKrótkąPomoc(ShortToolbar, i); });
    for (int i = 0; i < PaletteSize; ++i)
        connect(lblKol[i], &PictureButton::hovered, this,
                [this, i] { PokażKrótkąPomoc(ShortPalette, i); });
    for (int i = 0; i < int(cmdKey.size()); ++i)
        connect(cmdKey[i], &PictureButton::hovered, this,
                [this, i] { PokażKrótkąPomoc(ShortArrow, i); });
    connect(picMini, &SurfaceView::mouseMoved, this, [this] { PokażKrótkąPomoc(ShortMini, 0); });
    connect(picEXE, &SurfaceView::mouseMoved, this, [this] { PokażKrótkąPomoc(ShortThumb, 0); });
    connect(lblHelp, &Label::hovered, this, [this] { PokażKrótkąPomoc(ShortHelpBar, 0); });
}

void frmMain::NazwijKontrolki()
{
    // What a screen reader reads: a colour by its name, a tool and an arrow
    // by the help bar's text, with the help window's text as description.
    auto name = [](QWidget* w, const QString& n, const QString& description) {
        w->setAccessibleName(n);
        w->setAccessibleDescription(description);
    };
    for (int i = 0; i < int(Toolbar.size()); ++i)
        name(Toolbar[i], ShortHelp(ShortToolbar, i), LongHelp(LongToolbar, i));
    for (int d = 0; d < int(cmdKey.size()); ++d)
        name(cmdKey[d], ShortHelp(ShortArrow, d), LongHelp(LongArrow, d));
    for (int i = 0; i < PaletteSize; ++i)
        name(lblKol[i], ColourName(i), ShortHelp(ShortPalette, i));
    name(picIkona, tr("Obraz ikony w powiększeniu"),
         tr("Płótno: każdy punkt ikony jako kwadrat 6 na 6 pikseli; tu rysuje "
                        "wybrane narzędzie, a Ctrl ze strzałką przesuwa obraz"));
    name(picMini, tr("Podgląd ikony (skala 1:1)"), ShortHelp(ShortMini, 0));
    name(picEXE, tr("Podgląd ikony (skala 1:2)"), ShortHelp(ShortThumb, 0));
    name(Namiary, tr("Pozycja myszy"),
         tr("Kolumna i wiersz punktu pod wskaźnikiem, liczone od 1"));
    name(lblHelp, tr("Pasek pomocy"),
         tr("Opis przycisku, nad którym jest wskaźnik"));
    name(Shape2, tr("Ramka płótna"), QString());
    name(Shape3, tr("Ramka podglądu (skala 1:1)"), QString());
    name(Shape4, tr("Ramka podglądu (skala 1:2)"), QString());
    name(Shape6, tr("Ramka pozycji myszy"), QString());
}

void frmMain::PokażKrótkąPomoc(int kind, int index)
{
    // Also while the bar is hidden: shown again, it has the latest text.
    const QString text = ShortHelp(kind, index);
    if (text == lblHelp->text())
        return; // every pointer movement asks again
    // The bar is one line: a long text gets a smaller size, never loses its end.
    const qreal usual = QApplication::font(lblHelp).pointSizeF();
    SetFittingLine(lblHelp, text, usual > 0 ? usual : 9, SmallestBarPointSize);
}

void frmMain::ShowToolHelp(LongHelpKind kind, int index)
{
    if (!HelpWindow)
        HelpWindow = new frmHelp(this);
    HelpWindow->setHelpText(LongHelp(kind, index));
    HelpWindow->ShowModal();
}

void frmMain::mnuPomoc2_Click()
{
    SetHelpMode(!e_.HelpMode);
}

void frmMain::SetHelpMode(bool on)
{
    if (e_.HelpMode == on) {
        mnuPomoc2->setChecked(on);
        return;
    }
    // On before the notice: the notice only tells what has happened.
    e_.HelpMode = on;
    mnuPomoc2->setChecked(on);
    if (on)
        dialogs().message(this, HelpModeText(), tr("Pomoc"),
                          Dialogs::Icon::Information);
}

void frmMain::ShowHelpBar(bool shown)
{
    lblHelp->setVisible(shown);
    // Before start-up ends the rule does nothing: a bar switched off by the
    // options file leaves the window tall until the first resize after that.
    StartHeight += shown ? HelpBarHeight : -HelpBarHeight;
    Form_Resize();
}

void frmMain::mnuOProgramie_Click()
{
    // A new window for every showing, gone once closed.
    frmAbout about(this);
    about.exec();
}
