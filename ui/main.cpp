#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QIcon>

#include "files/Arguments.h"
#include "files/NativeNames.h"
#include "ui/Dialogs.h"
#include "ui/FontWarmUp.h"
#include "ui/NoWindowSystem.h"
#include "ui/ProgramFolder.h"
#include "ui/ProgramPicture.h"
#include "ui/TerminationSignals.h"
#include "ui/Translations.h"
#include "ui/frmMain.h"

int main(int argc, char* argv[])
{
    // English or Polish, as the desktop asks; the texts before the window too.
    Translations translations(LanguageFromEnvironment());
    // A help switch prints the usage and ends before any window (or display) is needed.
    if (ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)).action
        == CommandLine::Action::Help) {
        const QByteArray usage = translations.text("CommandLine", UsageText().data()).toUtf8();
        std::fwrite(usage.data(), 1, std::size_t(usage.size()), stdout);
        return 0;
    }

    StartFontWarmUp();
    // The menu bar stays in the window: asking the session bus for a global
    // menu costs a bus start-up attempt on every launch.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The command line is the program's own (Parametry): Qt sees only the
    // program's name, so no file name is taken for one of Qt's options
    // ("-reverse", "-style=x.ico").
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    NoWindowSystemGuard noWindowSystem(
        translations.text("NoWindowSystem", NoWindowSystemMessage).toUtf8().toStdString());
    QApplication app(qtArgc, qtArgv);
    noWindowSystem.release();
    app.setApplicationName(QStringLiteral("pikselar"));
    // No display name: on X11 Qt would append it to every other window's
    // title ("Wklej — Pikselar", "Błąd — Pikselar"), and those titles are fixed.
    app.setDesktopFileName(QStringLiteral("pikselar"));
    KeepQtSettingsInConfigFolder();

    // Qt's own dialogs and buttons speak the same language.
    translations.install(app);

    Dialogs dialogs;
    frmMain window(dialogs);
    window.setCommandLine(WordsFromArgv(argc, argv));
    dialogs.followCurrentFile([&window] { return NameFromNative(window.editor().CurrentFileName); });
    TerminationSignals terminate(&window);
    // Before the window is shown, so that it is mapped with its icon.
    app.setWindowIcon(ProgramIcon());
    window.show();
    return app.exec();
}
