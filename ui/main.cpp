#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/Dialogs.h"
#include "ui/frmMain.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("pikselar"));
    app.setApplicationDisplayName(QStringLiteral("Pikselar"));

    // The interface is Polish: Qt's own dialogs and buttons too.
    QTranslator qtPolish;
    if (qtPolish.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtPolish);

    Dialogs dialogs;
    frmMain window(dialogs);
    window.show();
    return app.exec();
}
