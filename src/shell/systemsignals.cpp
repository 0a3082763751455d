#include "shell/systemsignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orv {

namespace {

// The handler may only write a byte; the event loop reads it and acts.
int gPipe[2] = {-1, -1};

extern "C" void OnSignal(int number)
{
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t n = ::write(gPipe[0], &byte, 1);
    errno = saved;
}

}  // namespace

SystemSignals::SystemSignals(QObject* parent) : QObject(parent)
{
    std::signal(SIGXFSZ, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gPipe) != 0) return;
    notifier_ = new QSocketNotifier(gPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SystemSignals::Dispatch);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(number, &action, nullptr);
}

SystemSignals::~SystemSignals()
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) std::signal(number, SIG_DFL);
    for (int& fd : gPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void SystemSignals::Dispatch()
{
    // One signal per activation, so that each request runs on its own turn
    // of the event loop, in the order the signals came.
    char byte = 0;
    if (::read(gPipe[1], &byte, 1) != 1) return;
    if (byte == SIGHUP) emit updateRequested();
    else emit endRequested();
}

}  // namespace orv
