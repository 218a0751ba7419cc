// The program's small fixed-size dialogs: one set of window flags and one way
// of showing them, so each looks and opens the same way.
#pragma once
#include <Qt>

class QDialog;

// A fixed border and a title; no close box, no minimise or maximise button.
Qt::WindowFlags FixedDialogFlags();

// Shows `dialog` modally, centred over its owner, after widening it where the
// window system's title bar would clip its caption (a frameless dialog has
// none); returns once it is hidden.
void ShowFixedDialog(QDialog* dialog);
