// Help in the main window: the help bar following the pointer, help mode with
// its notice and help window, the help bar on and off, the about window.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QtTest>

#include "support/TestSupport.h"
#include "ui/HelpTexts.h"
#include "ui/Label.h"
#include "ui/PictureButton.h"
#include "qt/SurfaceView.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"

namespace {
// Records whether help mode was already on when the notice appeared.
class NoticeDialogs : public ScriptedDialogs {
public:
    const Editor* editor = nullptr;
    std::vector<bool> helpModeAtMessage;
    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override
    {
        helpModeAtMessage.push_back(editor && editor->HelpMode);
        ScriptedDialogs::message(parent, text, title, icon);
    }
};

QString Notice() { return QString::fromUtf8(HelpModeNotice); }
QString Short(int kind, int index) { return QString::fromStdString(ShortHelpText(kind, index)); }
} // namespace

class TestHelpMode : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void helpBarFollowsThePointer_data();
    void helpBarFollowsThePointer();
    void helpBarIsUpdatedWhileHidden();
    void helpBarShowsEveryTextWhole();
    void everyControlHasAnAccessibleName();
    void helpModeNoticeOnlyWhenSwitchedOn();
    void helpModeShowsTheButtonsHelp_data();
    void helpModeShowsTheButtonsHelp();
    void helpBarToggleResizesTheWindow();
    void aboutWindowOpensFromTheMenuEachTime();

private:
    std::unique_ptr<NoticeDialogs> dialogs_;
    std::unique_ptr<frmMain> w_;
};

void TestHelpMode::init()
{
    dialogs_ = std::make_unique<NoticeDialogs>();
    w_ = std::make_unique<frmMain>(*dialogs_);
    dialogs_->editor = &w_->editor();
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    QTRY_VERIFY(w_->ResizeLock); // start-up completed
}

void TestHelpMode::cleanup()
{
    w_.reset();
    dialogs_.reset();
}

void TestHelpMode::helpBarFollowsThePointer_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::newRow("text tool") << "Toolbar" << 0 << 4;
    QTest::newRow("empty tool") << "Toolbar" << 0 << 5;
    QTest::newRow("colour 10") << "lblKol" << 1 << 10;
    QTest::newRow("arrow right") << "cmdKey" << 2 << 3;
    QTest::newRow("1:1 preview") << "picMini" << 3 << 0;
    QTest::newRow("half preview") << "picEXE" << 4 << 0;
    QTest::newRow("help bar") << "lblHelp" << 5 << 0;
}

void TestHelpMode::helpBarFollowsThePointer()
{
    QFETCH(QString, control);
    QFETCH(int, kind);
    QFETCH(int, index);
    frmMain& w = *w_;
    QCOMPARE(w.lblHelp->text(), QStringLiteral("Pasek pomocy"));
    QWidget* target = control == "Toolbar" ? static_cast<QWidget*>(w.Toolbar[index])
                      : control == "lblKol" ? static_cast<QWidget*>(w.lblKol[index])
                      : control == "cmdKey" ? static_cast<QWidget*>(w.cmdKey[index])
                      : control == "picMini" ? static_cast<QWidget*>(w.picMini)
                      : control == "picEXE" ? static_cast<QWidget*>(w.picEXE)
                                            : static_cast<QWidget*>(w.lblHelp);
    QTest::mouseMove(target, QPoint(5, 5));
    QTRY_COMPARE(w.lblHelp->text(), Short(kind, index));
    // The canvas leaves the last text standing.
    QTest::mouseMove(w.picIkona, QPoint(50, 50));
    QTest::qWait(20);
    QCOMPARE(w.lblHelp->text(), Short(kind, index));
}

void TestHelpMode::helpBarIsUpdatedWhileHidden()
{
    frmMain& w = *w_;
    w.mnuPasekPomocy->trigger();
    QVERIFY(!w.lblHelp->isVisible());
    QTest::mouseMove(w.lblKol[3], QPoint(5, 5));
    QTRY_COMPARE(w.lblHelp->text(), Short(ShortPalette, 3));
    w.mnuPasekPomocy->trigger();
    QVERIFY(w.lblHelp->isVisible());
    QCOMPARE(w.lblHelp->text(), QStringLiteral("Kliknij tutaj, aby wybrać niebieski kolor"));
}

void TestHelpMode::helpBarShowsEveryTextWhole()
{
    // Every control that explains itself in the bar, through its own movement.
    frmMain& w = *w_;
    std::vector<std::pair<QWidget*, QString>> controls;
    for (int i = 0; i < 8; ++i)
        controls.emplace_back(w.Toolbar[i], Short(ShortToolbar, i));
    for (int i = 0; i < PaletteSize; ++i)
        controls.emplace_back(w.lblKol[i], Short(ShortPalette, i));
    for (int i = 0; i < 4; ++i)
        controls.emplace_back(w.cmdKey[i], Short(ShortArrow, i));
    controls.emplace_back(w.picMini, Short(ShortMini, 0));
    controls.emplace_back(w.picEXE, Short(ShortThumb, 0));
    controls.emplace_back(w.lblHelp, Short(ShortHelpBar, 0));
    const qreal usual = QApplication::font(w.lblHelp).pointSizeF();
    bool someSmaller = false;
    for (const auto& [control, text] : controls) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control, &move);
        QCOMPARE(w.lblHelp->text(), text);
        const QFont f = w.lblHelp->font();
        const qreal width = QFontMetricsF(f).horizontalAdvance(text);
        QVERIFY2(width <= w.lblHelp->contentsRect().width(),
                 qPrintable(QStringLiteral("%1: %2 px at %3 pt").arg(text).arg(width).arg(f.pointSizeF())));
        QVERIFY2(QFontMetricsF(f).height() <= w.lblHelp->height(), qPrintable(text));
        // Short texts keep the usual size; only a long one is made smaller.
        if (QFontMetricsF(QApplication::font(w.lblHelp)).horizontalAdvance(text)
            <= w.lblHelp->contentsRect().width())
            QCOMPARE(f.pointSizeF(), usual);
        else
            someSmaller = true;
    }
    QVERIFY(someSmaller); // the pencil's text does not fit at the usual size
}

void TestHelpMode::everyControlHasAnAccessibleName()
{
    // A control added without a name shows here; the reading over AT-SPI
    // is checked end to end.
    frmMain& w = *w_;
    const auto widgets = w.centralWidget()->findChildren<QWidget*>();
    QVERIFY(widgets.size() >= 28 + 3 + 2 + 4);
    for (QWidget* c : widgets) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), c->metaObject()->className());
    }
    QAccessibleInterface* black = QAccessible::queryAccessibleInterface(w.lblKol[0]);
    QCOMPARE(black->role(), QAccessible::Button);
    QCOMPARE(black->text(QAccessible::Name), QStringLiteral("czarny"));
    QCOMPARE(black->text(QAccessible::Description), Short(ShortPalette, 0));
    // A reader's press selects the colour as a click does.
    QAccessibleInterface* red = QAccessible::queryAccessibleInterface(w.lblKol[1]);
    red->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(int(w.editor().CurrentColor), 1);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.Toolbar[0])->text(QAccessible::Name),
             Short(ShortToolbar, 0));
    QCOMPARE(QAccessible::queryAccessibleInterface(w.picIkona)->role(), QAccessible::Graphic);
}

void TestHelpMode::helpModeNoticeOnlyWhenSwitchedOn()
{
    frmMain& w = *w_;
    QCOMPARE(w.mnuPomoc2->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(w.mnuPomoc2->isVisible());
    w.mnuPomoc2->trigger();
    QVERIFY(w.editor().HelpMode);
    QVERIFY(w.mnuPomoc2->isChecked());
    QCOMPARE(dialogs_->messages.size(), size_t(1));
    QCOMPARE(dialogs_->messages[0].text, Notice());
    QCOMPARE(dialogs_->messages[0].title, QStringLiteral("Pomoc"));
    QCOMPARE(dialogs_->messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(dialogs_->helpModeAtMessage, std::vector<bool>{true});

    w.mnuPomoc2->trigger(); // off: no message
    QVERIFY(!w.editor().HelpMode);
    QVERIFY(!w.mnuPomoc2->isChecked());
    QCOMPARE(dialogs_->messages.size(), size_t(1));

    w.mnuPomoc2->trigger(); // on again: the notice again
    QVERIFY(w.editor().HelpMode);
    QCOMPARE(dialogs_->messages.size(), size_t(2));
}

void TestHelpMode::helpModeShowsTheButtonsHelp_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("kind");
    QTest::newRow("empty tool shows ?") << "Toolbar" << 5 << 1;
    QTest::newRow("pencil") << "Toolbar" << 0 << 1;
    QTest::newRow("colour 3") << "lblKol" << 3 << 2;
    QTest::newRow("colour 12, same text") << "lblKol" << 12 << 2;
    QTest::newRow("arrow down") << "cmdKey" << 2 << 3;
    QTest::newRow("Ctrl+Up on the canvas") << "key" << 0 << 3;
}

void TestHelpMode::helpModeShowsTheButtonsHelp()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(int, kind);
    frmMain& w = *w_;
    w.mnuPomoc2->trigger();
    QString shown;
    int showings = 0, others = 0;
    // Closes every modal window that comes while the button is clicked, and
    // counts the help window's showings: the press and release run the
    // handlers, so every showing is over when the click returns.
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto* help = qobject_cast<frmHelp*>(modal);
        if (!help) {
            ++others;
            modal->hide();
            return;
        }
        ++showings;
        shown = help->lblHelp->text();
        QTest::mouseClick(help->Label3, Qt::LeftButton); // "X"
    });
    closer.start();
    if (control == "Toolbar")
        QTest::mouseClick(w.Toolbar[index], Qt::LeftButton);
    else if (control == "lblKol")
        QTest::mouseClick(w.lblKol[index], Qt::LeftButton);
    else if (control == "cmdKey")
        QTest::mouseClick(w.cmdKey[index], Qt::LeftButton);
    else
        QTest::keyClick(w.picIkona, Qt::Key_Up, Qt::ControlModifier);
    closer.stop();
    // A colour button runs its handler for the click and again for the
    // release, so its help window comes a second time once the first closes.
    QCOMPARE(showings, control == "lblKol" ? 2 : 1);
    QCOMPARE(others, 0);
    QCOMPARE(shown, QString::fromStdString(LongHelpText(kind, index)));
    QVERIFY(!w.HelpWindow->isVisible());
    // One help window for the whole run, hidden between uses.
    QCOMPARE(w.findChildren<frmHelp*>().size(), 1);
}

void TestHelpMode::helpBarToggleResizesTheWindow()
{
    frmMain& w = *w_;
    const QSize start = w.size();
    QCOMPARE(w.mnuPasekPomocy->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
    w.mnuPasekPomocy->trigger();
    QVERIFY(!w.mnuPasekPomocy->isChecked());
    QTRY_COMPARE(w.size(), start - QSize(0, 32));
    w.mnuPasekPomocy->trigger();
    QVERIFY(w.mnuPasekPomocy->isChecked());
    QTRY_COMPARE(w.size(), start);
    QVERIFY(w.lblHelp->isVisible());
}

void TestHelpMode::aboutWindowOpensFromTheMenuEachTime()
{
    frmMain& w = *w_;
    QCOMPARE(w.mnuOProgramie->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    for (int showing = 0; showing < 2; ++showing) {
        QString title;
        WhenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        w.mnuOProgramie->trigger();
        QCOMPARE(title, QStringLiteral("O programie"));
        QVERIFY(!QApplication::activeModalWidget());
    }
}

QTEST_MAIN(TestHelpMode)
#include "test_helpmode.moc"
