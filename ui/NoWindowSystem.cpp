#include "ui/NoWindowSystem.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

#include <QString>
#include <QtGlobal>

namespace {
struct Held {
    QtMsgType type;
    const char* file; // Qt's own literals, alive for the whole run
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler previous = nullptr;
std::vector<Held>* held = nullptr;
bool active = false;
std::string* message = nullptr;

void Guard(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Only the platform's failure is fatal while the application is made.
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message->data(), message->size());
        ::_exit(1);
    }
    // The platform's notes ("could not connect to display") would only
    // precede the one line; kept until it is known whether they are needed.
    held->push_back({type, context.file, context.line, context.function, context.category, text});
}
} // namespace

NoWindowSystemGuard::NoWindowSystemGuard(std::string line)
{
    message = new std::string(std::move(line));
    held = new std::vector<Held>;
    active = true;
    previous = qInstallMessageHandler(Guard);
}

void NoWindowSystemGuard::release()
{
    if (!active)
        return;
    active = false;
    qInstallMessageHandler(previous);
    for (const Held& h : *held)
        previous(h.type, QMessageLogContext(h.file, h.line, h.function, h.category), h.text);
    delete held;
    held = nullptr;
    delete message;
    message = nullptr;
}

NoWindowSystemGuard::~NoWindowSystemGuard()
{
    release();
}
