// How the program's own widgets present themselves to screen readers: a
// colour swatch as a push button a reader can press, the canvas and the
// previews as pictures. The standard widgets need nothing of this.
#pragma once

// Installs the interfaces; before the first of those widgets is asked for
// one, as an interface once made is kept. Harmless when called again.
void InstallAccessibleInterfaces();
