#include "support/MainWindowFixture.h"

#include <QtTest>

bool MainWindowFixture::start(bool keys)
{
    stop();
    dialogs = new ScriptedDialogs;
    window = new frmMain(*dialogs);
    window->show();
    if (!(keys ? QTest::qWaitForWindowActive(window) : QTest::qWaitForWindowExposed(window)))
        return false;
    if (!QTest::qWaitFor([this] { return window->ResizeLock; })) // start-up completed
        return false;
    return !keys || QTest::qWaitFor([this] { return window->picIkona->isEnabled(); });
}

void MainWindowFixture::stop()
{
    delete window;
    delete dialogs;
    window = nullptr;
    dialogs = nullptr;
}
