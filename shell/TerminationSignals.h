// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lumenar {

// SIGTERM (logout, shutdown, kill) and SIGINT (Ctrl+C) ask the program to end through its
// own exit path. The handler only notes the request; the program acts on it between the
// steps of its start-up (requested()) or from its event loop (received()), where it is safe
// to close windows and touch the database.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers. Called first thing, so no moment of start-up is left to the
    // signals' default action.
    static void install();
    // True once a signal has arrived. Safe to ask at any time.
    static bool requested();
    // Forgets a request (tests raise the signals over and over in one process).
    static void reset();

    // Reports each arrival on the event loop, also one from before it was made.
    explicit TerminationSignals(QObject *parent = nullptr);

signals:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace lumenar
