// SIGTERM, SIGINT and SIGHUP close the given window as its close box would,
// so the shutdown (options saved) runs. The signal handler only writes a byte
// to a pipe; the window is closed later, in the event loop.
#pragma once
#include <QObject>

class QSocketNotifier;
class QWidget;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one instance per process.
    explicit TerminationSignals(QWidget* window);
    ~TerminationSignals() override;

private:
    void received();

    QWidget* window_;
    QSocketNotifier* notifier_ = nullptr;
};
