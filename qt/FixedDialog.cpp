#include "qt/FixedDialog.h"

#include <QDialog>

#include "qt/CaptionRoom.h"
#include "qt/CentreOver.h"

Qt::WindowFlags FixedDialogFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
           | Qt::MSWindowsFixedSizeDialogHint;
}

void ShowFixedDialog(QDialog* dialog)
{
    if (!(dialog->windowFlags() & Qt::FramelessWindowHint))
        MakeRoomForCaption(dialog);
    CentreOver(dialog, dialog->parentWidget());
    dialog->exec();
}
