#pragma once

// For the screenshot programs, which scripts/screenshot stops with SIGTERM:
// the signal ends the event loop instead of the process, so destructors run
// and an emulator the program started is stopped rather than left running
// in the namespace.

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace QuitOnTerm {

inline int *pipeEnds()
{
    static int ends[2] = {-1, -1};
    return ends;
}

inline void install(QCoreApplication &app)
{
    int *ends = pipeEnds();
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0)
        return;
    auto *notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    // Only a write happens in the handler itself.
    std::signal(SIGTERM, [](int) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(pipeEnds()[0], &c, 1);
    });
}

} // namespace QuitOnTerm
