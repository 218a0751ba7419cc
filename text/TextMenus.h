// The placement window's menus of text mode: font name, size and style. They
// hold the font the text is drawn in, which lasts for the whole run; every
// change asks the window to draw the text again.
#pragma once
#include <array>
#include <functional>

#include <QFont>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class frmFont;

class TextMenus : public QObject {
    Q_OBJECT
public:
    // `rerender` asks for the deferred drawing of the text; the font dialog
    // opens over `window`.
    TextMenus(QMenuBar* bar, QWidget* window, std::function<void()> rerender);

    const QFont& font() const { return font_; }

    // The menus are shown, and their shortcuts live, only in text mode.
    void setTextMode(bool on);
    // Picture mode: the font size follows the first checked size entry.
    void ApplyCheckedSize();

    void mnuZmien_Click();
    void roz_Click(int index);
    void mnuBold_Click();
    void mnuItalic_Click();
    void mnuU_Click();

    QMenu* mnuCzcionka = nullptr;
    QAction* mnuZmien = nullptr;
    QMenu* mnuRozmiar = nullptr;
    std::array<QAction*, 10> roz{}; // 1..9; there is no roz(0)
    QMenu* mnuStyl = nullptr;
    QAction* mnuBold = nullptr;
    QAction* mnuItalic = nullptr;
    QAction* mnuU = nullptr;
    frmFont* fontDialog = nullptr; // created on first use

private:
    void SetFontName(const QString& name);

    QWidget* window_;
    std::function<void()> rerender_;
    QFont font_;
};
