// Loads fontconfig's configuration on a second thread while Qt connects to
// the display and the window is mapped. Text needs the font database, and
// fontconfig parsing its configuration files is the largest part of it.
#pragma once

// Starts the loading; call once, first thing in main().
void StartFontWarmUp();

// Waits for the loading to end. Call before the first text is measured, so
// that fontconfig is not set up twice at once; without a start it returns.
void FinishFontWarmUp();
