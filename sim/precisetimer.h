#pragma once

#include <QObject>

class QSocketNotifier;

// A one-shot timer on an absolute CLOCK_MONOTONIC deadline with nanosecond
// resolution (timerfd). QTimer rounds to milliseconds, which on a 5 ms frame
// at 500000 baud would add a fifth to every transaction.
class PreciseTimer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreciseTimer)

public:
    explicit PreciseTimer(QObject *parent = nullptr);
    ~PreciseTimer() override;

    // CLOCK_MONOTONIC in nanoseconds: the time base of startAt().
    static qint64 now();

    // Fires once at the deadline (at once if it has passed); a new call
    // replaces the previous deadline.
    void startAt(qint64 deadlineNs);
    void stop();
    bool isActive() const { return m_active; }

Q_SIGNALS:
    void timeout();

private:
    void expired();

    int m_fd = -1;
    bool m_active = false;
    QSocketNotifier *m_notifier = nullptr;
};
