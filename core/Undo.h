// One snapshot of the image, exchanged with the image by undo.
#pragma once
#include "core/Editor.h"

// Undo1 receives a copy of the image.
void TakeSnapshot(Editor& e);
// Exchanges the image with the snapshot.
void Cofnij(Editor& e);
