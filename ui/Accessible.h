// How the program's own widgets present themselves to screen readers: a
// colour swatch as a push button a reader can press, the canvas and the
// previews as pictures; the canvas tells of its changed description. The
// standard widgets need nothing of this.
#pragma once

class QString;
class QWidget;

// Sets a widget's accessible description and tells assistive technologies
// (an AT-SPI client) that it changed, also when the text is the same: the
// canvas says where its cursor is after every key.
void Announce(QWidget* widget, const QString& description);

// Installs the interfaces; before the first of those widgets is asked for
// one, as an interface once made is kept. Harmless when called again.
void InstallAccessibleInterfaces();
