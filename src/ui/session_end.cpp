#include "ui/session_end.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <utility>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace sondrel {

namespace {
#ifndef _WIN32
constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler may do next to nothing: it writes one byte, and the
// event loop does the closing. The descriptors are the one state a handler
// can reach.
int signalSockets[2] = {-1, -1};

extern "C" void OnStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}
#endif
}  // namespace

SessionEnd::SessionEnd(QWidget& mainWindow) : mainWindow_(mainWindow)
{
    // The session manager asks before the session ends; this is the answer.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { CloseMainWindow(); });
#ifndef _WIN32
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return;
    notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
        }
        Stop();
    });
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        ::sigaction(signal, &action, nullptr);
#endif
}

SessionEnd::~SessionEnd()
{
#ifndef _WIN32
    for (const int signal : kStopSignals)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    for (int& socket : signalSockets)
        if (socket >= 0)
            ::close(std::exchange(socket, -1));
#endif
}

void SessionEnd::CloseMainWindow()
{
    mainWindow_.close();
}

void SessionEnd::Stop()
{
    CloseMainWindow();
    // A file or print dialog may still hold its own event loop open; the
    // program ends all the same.
    QCoreApplication::quit();
}

}  // namespace sondrel
