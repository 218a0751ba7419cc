// The tool buttons.
#include "core/Undo.h"
#include "ui/CanvasView.h"
#include "ui/PictureButton.h"
#include "qt/QtColour.h"
#include "ui/frmMain.h"

namespace {
// A tool button that loses the selection takes the window's menu colour.
QColor MenuColour(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}
} // namespace

void frmMain::SelectTool(int t)
{
    if (t < 0 || t >= int(Toolbar.size()))
        return;
    Toolbar[e_.CurrentTool]->setBackColour(MenuColour(this));
    Toolbar[t]->setBackColour(ToQColor(e_.ToolHighlightColor));
    e_.CurrentTool = std::uint8_t(t);
    picIkona->setFocus();
}

void frmMain::Toolbar_Click(int index)
{
    if (e_.HelpMode) {
        ShowToolHelp(LongToolbar, index);
        return;
    }
    TakeSnapshot(e_);
    const int previous = e_.CurrentTool;
    SelectTool(index);
    if (index != ToolText)
        return;
    // One shot: the text goes in through its dialog, then the previous tool is back.
    e_.FragmentPrompt = tr("Wybierz fragment tekstu, który chcesz wkleić").toStdString();
    PokażOknoTekstu();
    Toolbar[ToolText]->setBackColour(MenuColour(this));
    e_.CurrentTool = std::uint8_t(previous);
    SelectTool(previous);
}

void frmMain::Toolbar_MouseUp(int)
{
    picIkona->setFocus();
}
