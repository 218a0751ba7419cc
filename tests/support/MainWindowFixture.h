// A main window answered by scripted dialogs, made afresh for each case of a
// suite (in init) and gone after it (in cleanup).
#pragma once
#include "support/TestSupport.h"
#include "ui/frmMain.h"

class MainWindowFixture {
public:
    ~MainWindowFixture() { stop(); }

    // Shows a new window; true once its start-up has completed. With `keys`,
    // also once it is the active window and its canvas takes input, so that
    // keys reach it.
    bool start(bool keys);
    void stop();

    ScriptedDialogs* dialogs = nullptr;
    frmMain* window = nullptr;
};
