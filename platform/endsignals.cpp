// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/endsignals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_pending = 0;

void onSignal(int sig)
{
    if (g_pending) {
        // The first request has not been seen: the program does not get back to its loop.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    g_pending = 1;
    const char byte = char(sig);
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

std::function<void()>& lastFunction()
{
    static std::function<void()> f;
    return f;
}

std::function<void()>& endFunction()
{
    static std::function<void()> f;
    return f;
}

bool openPipe()
{
    if (g_pipe[0] >= 0)
        return true;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return false;
    }
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        // Stays pending: the program is on its way out, and a second signal means "now".
        const std::function<void()> end = endFunction() ? endFunction() : leaveProgram;
        end();
    });
    return true;
}
}

void leaveProgram()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

void installEndSignals(std::function<void()> end)
{
    endFunction() = std::move(end);
    g_pending = 0;
    if (!qApp || !openPipe())
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void whenEndedAbruptly(std::function<void()> last)
{
    // The function is made first, so that it is destroyed only after the handler has run.
    static const bool registered = (lastFunction(), std::atexit([] {
        if (const std::function<void()> f = std::exchange(lastFunction(), {}))
            f();
    }) == 0);
    if (registered)
        lastFunction() = std::move(last);
}
