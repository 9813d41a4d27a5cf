#pragma once

#include <QObject>

class QSocketNotifier;

namespace LynClient {

// Turns SIGINT and SIGTERM into a quit of the event loop, so that the normal
// shutdown runs (and stops the local server) instead of the process dying.
class SignalQuit : public QObject
{
    Q_OBJECT
public:
    explicit SignalQuit(QObject *parent = nullptr);
    ~SignalQuit() override;

private:
    static void onSignal(int signal);
    void onNotified();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace LynClient
