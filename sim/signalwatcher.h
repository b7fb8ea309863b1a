#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal on the event loop (signalfd), so
// that the simulator shuts down through its destructors: the pty symlink is
// removed and the flash files are complete.
class SignalWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignalWatcher)

public:
    // Blocks both signals for the calling thread and the threads it starts
    // later; call it first thing in main().
    static void blockSignals();

    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void terminate(int signal);

private:
    void readSignal();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
