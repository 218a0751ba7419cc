// The Obraz menu: mirrors and quarter turns of the whole image, and the fill
// and colour-pick modes in which the next left click on the canvas (or Space
// at the keyboard's cursor) fills or takes a colour instead of drawing.
#include <QAction>
#include <QShortcut>

#include "tools/ImageEdits.h"
#include "ui/ButtonPictures.h"
#include "ui/KeyPressTap.h"
#include "ui/ModeCursors.h"
#include "ui/PictureButton.h"
#include "ui/frmMain.h"

void frmMain::BudujObraz()
{
    const std::pair<QAction*, void (frmMain::*)()> commands[] = {
        {mnuOdbijPoziomo, &frmMain::mnuOdbijPoziomo_Click},
        {mnuOdbijPionowo, &frmMain::mnuOdbijPionowo_Click},
        {mnuObróćPrawo, &frmMain::mnuObróćPrawo_Click},
        {mnuObróćLewo, &frmMain::mnuObróćLewo_Click},
        {mnuWypełnij, &frmMain::mnuWypełnij_Click},
        {mnuPobierzKolor, &frmMain::mnuPobierzKolor_Click},
    };
    for (const auto& [entry, handler] : commands)
        connect(entry, &QAction::triggered, this, handler);
    connect(mnuRysowanieKlawiaturą, &QAction::toggled, this, &frmMain::SetKeyboardDrawing);
    // After the undo itself: the cursor's cell may show another colour now.
    connect(mnuCofnij, &QAction::triggered, this, &frmMain::DescribeKeyCell);

    // After the button's own handler: in help mode that showed its help and
    // changed nothing, so the mode stays too.
    for (PictureButton* b : Toolbar)
        connect(b, &PictureButton::clicked, this, [this] {
            if (!e_.HelpMode)
                ToolChosen();
        });

    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setEnabled(false); // only while a fill or pick waits
    connect(escape_, &QShortcut::activated, this, [this] { SetCanvasMode(CanvasMode::Draw); });

    keyboard_ = std::make_unique<KeyboardDrawing>(e_, tools_);
    new KeyPressTap(picIkona, [this](QKeyEvent* k) {
        picIkona_KeyDown(k->key(), k->modifiers(), k->isAutoRepeat());
    });
}

void frmMain::mnuOdbijPoziomo_Click()
{
    SetCanvasMode(CanvasMode::Draw);
    TurnImage(e_, Turn::FlipHorizontal);
    DescribeKeyCell();
}

void frmMain::mnuOdbijPionowo_Click()
{
    SetCanvasMode(CanvasMode::Draw);
    TurnImage(e_, Turn::FlipVertical);
    DescribeKeyCell();
}

void frmMain::mnuObróćPrawo_Click()
{
    SetCanvasMode(CanvasMode::Draw);
    TurnImage(e_, Turn::RotateRight);
    DescribeKeyCell();
}

void frmMain::mnuObróćLewo_Click()
{
    SetCanvasMode(CanvasMode::Draw);
    TurnImage(e_, Turn::RotateLeft);
    DescribeKeyCell();
}

void frmMain::mnuWypełnij_Click()
{
    SetCanvasMode(CanvasMode::Fill);
}

void frmMain::mnuPobierzKolor_Click()
{
    SetCanvasMode(CanvasMode::Pick);
}

void frmMain::SetCanvasMode(CanvasMode mode)
{
    canvasMode_ = mode;
    escape_->setEnabled(mode != CanvasMode::Draw);
    switch (mode) {
    case CanvasMode::Draw: picIkona->unsetCursor(); break;
    case CanvasMode::Fill: picIkona->setCursor(FillCursor()); break;
    case CanvasMode::Pick: picIkona->setCursor(PickCursor()); break;
    }
}

void frmMain::ToolChosen()
{
    SetCanvasMode(CanvasMode::Draw);
    keyboard_->ToolChanged();
}

void frmMain::ModeClick(Cell cell, bool everywhere)
{
    const CanvasMode mode = canvasMode_;
    SetCanvasMode(CanvasMode::Draw); // the click is the mode's last, whatever it finds
    if (mode == CanvasMode::Fill)
        FillImage(e_, cell, everywhere);
    else if (mode == CanvasMode::Pick && PaletteIndexAt(e_.picMini, cell) >= 0)
        WybierzKolor(PaletteIndexAt(e_.picMini, cell));
}

// As a click on the colour's button does outside help mode: the canvas
// ignores help mode, so a pick acts in it too.
void frmMain::WybierzKolor(int index)
{
    if (index == e_.CurrentColor)
        return;
    lblKol[index]->setPicture(SelectionMarker());
    lblKol[e_.CurrentColor]->setPicture(QImage());
    e_.CurrentColor = std::uint8_t(index);
}
