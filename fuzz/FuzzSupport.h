// Shared by the fuzz targets: a Qt application for the targets that decode
// or draw with Qt, made once.
#pragma once

void EnsureGuiApplication();
