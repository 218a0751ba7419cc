#include "ui/AboutPage.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/ProgramResources.h"
#include "ui/Translations.h"

namespace {
// The page in the interface's language.
const char* PageName()
{
    return InterfaceLanguage() == Language::English ? EnglishAboutPageName : AboutPageName;
}

QByteArray PageBytes()
{
    QFile page(ProgramResource(PageName()));
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}
} // namespace

QUrl AboutPageFile()
{
    // Made by mkdtemp, so no one else can plant a file or a link under the name.
    static QTemporaryDir folder;
    if (!folder.isValid())
        return {};
    const QString path = folder.filePath(QString::fromUtf8(PageName()));
    QFile file(path);
    if (!file.exists()) {
        const QByteArray bytes = PageBytes();
        if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly)
            || file.write(bytes) != bytes.size() || !file.flush()) {
            file.remove();
            return {};
        }
    }
    return QUrl::fromLocalFile(path);
}

void ShowAboutPage(QWidget* parent)
{
    QDialog window(parent);
    window.setWindowTitle(QCoreApplication::translate("AboutPage", "Strona WWW"));
    auto* view = new QTextBrowser(&window);
    view->setOpenExternalLinks(true);
    view->setHtml(QString::fromUtf8(PageBytes()));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window.resize(520, 440);
    window.exec();
}
