// Windows of one size on Wayland (see the header).
#include "qt/WaylandFixedSize.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr Qt::WindowStates Large = Qt::WindowMaximized | Qt::WindowFullScreen;

// One window's answers, a child of the window.
class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QWidget* window) : QObject(window), window_(window), handle_(window->windowHandle())
    {
        // A request of the window itself (Qt's title bar) is seen here before
        // the compositor answers it.
        connect(handle_, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (Large & state)
                Allow();
        });
        handle_->installEventFilter(this);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Until the compositor has taken the window out of the state again,
        // its size is the compositor's: the window's own size rule waits.
        if (watched == window_)
            return leaving_ && event->type() == QEvent::Resize;
        if (watched != handle_ || event->type() != QEvent::WindowStateChange)
            return false;
        // The state the compositor has applied, with its size.
        if (handle_->windowStates() & Large) {
            Allow();
            if (!fixed_.isValid())
                return false; // a window of any size keeps the state
            leaving_ = true;
            // Asked once the compositor's request is answered: Qt may tell
            // of the state while it is still taking the request in.
            QTimer::singleShot(0, this, [this] { handle_->setWindowStates(handle_->windowStates() & ~Large); });
            return true; // the window's own handlers never see the state
        }
        if (leaving_) {
            leaving_ = false;
            window_->setMaximumSize(fixed_);
            fixed_ = QSize();
        }
        return false;
    }

private:
    // Lets the window take whatever size the compositor gives it.
    void Allow()
    {
        if (fixed_.isValid() || window_->minimumSize() != window_->maximumSize())
            return;
        fixed_ = window_->maximumSize();
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    QWidget* window_;
    QWindow* handle_;
    QSize fixed_; // the one size, while another is allowed
    bool leaving_ = false;
};

// Gives every window that shows its keeper.
class Watcher : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || !widget->windowHandle())
            return false;
        for (QObject* child : widget->children())
            if (dynamic_cast<FixedSizeKeeper*>(child))
                return false;
        new FixedSizeKeeper(widget);
        return false;
    }
};

} // namespace

void KeepFixedSizesOnWayland()
{
    static bool installed = false;
    if (installed || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    installed = true;
    qApp->installEventFilter(new Watcher(qApp));
}
