// The colour buttons.
#include "ui/ButtonPictures.h"
#include "ui/PictureButton.h"
#include "ui/CanvasView.h"
#include "ui/frmMain.h"

void frmMain::lblKol_Click(int index)
{
    if (e_.HelpMode) {
        ShowToolHelp(LongPalette, index);
        return;
    }
    if (index == e_.CurrentColor)
        return;
    lblKol[index]->setPicture(SelectionMarker());
    lblKol[e_.CurrentColor]->setPicture(QImage());
    e_.CurrentColor = std::uint8_t(index);
    picIkona->setFocus();
}

void frmMain::lblKol_MouseUp(int index, Qt::MouseButton)
{
    picIkona->setFocus();
    lblKol_Click(index);
}
