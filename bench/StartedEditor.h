// The editor state right after start-up, for the benchmarks.
#pragma once
#include "core/Procedury.h"
#include "core/Transparent.h"
#include "core/Undo.h"

inline Editor StartedEditor()
{
    Editor e;
    Zmienne(e);
    SetBackgroundColours(e);
    TakeSnapshot(e);
    return e;
}
