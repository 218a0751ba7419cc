#include "FuzzSupport.h"

#include <cstdlib>

#include <QGuiApplication>

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives for the whole run
}
