// The about window: the program's name, version and description, and a button
// that opens the maker's page. Created for each showing, destroyed on closing.
#pragma once
#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();

    // The maker's page: the configured web address, or the page about the
    // program built into it when none is configured.
    static QUrl MakerPage();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The maker's web address; empty while the program has none, and then the
// page built into the program is opened instead.
inline constexpr const char* MakerWebAddress = "";
