// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace lumenar {

namespace {

int g_wakeUp[2] = {-1, -1};
volatile std::sig_atomic_t g_requested = 0;

// Only what is safe in a signal handler: a flag and a write that never blocks (a full
// pipe already holds a wake-up).
void onSignal(int)
{
    const int saved = errno;
    g_requested = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_wakeUp[1], &byte, 1);
    errno = saved;
}

void drain()
{
    char bytes[64];
    while (::read(g_wakeUp[0], bytes, sizeof bytes) > 0) { }
}

} // namespace

void TerminationSignals::install()
{
    if (g_wakeUp[0] < 0 && ::pipe2(g_wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wakeUp[0] = g_wakeUp[1] = -1; // the flag alone still stops start-up
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TerminationSignals::requested()
{
    return g_requested != 0;
}

void TerminationSignals::reset()
{
    g_requested = 0;
    if (g_wakeUp[0] >= 0)
        drain();
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (g_wakeUp[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_wakeUp[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        drain();
        emit received();
    });
}

} // namespace lumenar
