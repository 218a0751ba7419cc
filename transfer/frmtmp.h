// The placement window: hidden from start-up to shutdown. Besides placing
// fragments it carries the selection marker picture xsel; its staging surface
// `pic` and the undo buffers live in the editor state.
#pragma once
#include <QDialog>
#include <QImage>

struct Editor;

class frmtmp : public QDialog {
    Q_OBJECT
public:
    frmtmp(Editor& editor, QWidget* parent = nullptr);

    // The 20 x 20 marker of the selected palette button.
    const QImage& xsel() const { return xsel_; }

private:
    Editor& e_;
    QImage xsel_;
};
