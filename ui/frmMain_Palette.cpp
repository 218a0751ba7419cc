// The colour buttons.
#include "transfer/frmtmp.h"
#include "ui/ColourButton.h"
#include "ui/CanvasView.h"
#include "ui/frmMain.h"

void frmMain::lblKol_Click(int index)
{
    if (e_.HelpMode) {
        ShowToolHelp(2, index);
        return;
    }
    if (index == e_.CurrentColor)
        return;
    lblKol[index]->setPicture(frmtmp::xsel());
    lblKol[e_.CurrentColor]->setPicture(QImage());
    e_.CurrentColor = std::uint8_t(index);
    picIkona->setFocus();
}

void frmMain::lblKol_MouseUp(int index, Qt::MouseButton)
{
    picIkona->setFocus();
    lblKol_Click(index);
}
