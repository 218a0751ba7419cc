// Places a window centred over the window of its owner (over the screen when
// it has none, or the owner is not shown), and within the screen's available
// area, so that no part of it is off the screen that can be kept on it.
#pragma once

class QWidget;

void CentreOver(QWidget* window, const QWidget* owner);
