#include "app/termination.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace tuvo {

namespace {

int terminationPipe[2] = {-1, -1};

void onTermination(int)
{
    const int interrupted = errno; // write() may set it under the code the signal interrupted
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, sizeof byte);
    errno = interrupted;
}

} // namespace

void catchTermination()
{
    // Not inherited by a program started from here, and never blocking the
    // handler (a second signal finds the pipe readable already).
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onTermination; // blocking nothing else: on Linux, {} is the empty set
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void closeOnTermination(QApplication &application)
{
    if (terminationPipe[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [] {
        char bytes[16];
        while (::read(terminationPipe[0], bytes, sizeof bytes) > 0) {
        }
        QApplication::quit();
    });
}

} // namespace tuvo
