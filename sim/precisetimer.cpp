#include "precisetimer.h"

#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

PreciseTimer::PreciseTimer(QObject *parent)
    : QObject(parent)
    , m_fd(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    Q_ASSERT(m_fd >= 0);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PreciseTimer::expired);
}

PreciseTimer::~PreciseTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 PreciseTimer::now()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void PreciseTimer::startAt(qint64 deadlineNs)
{
    // A zero it_value would disarm the timer; a deadline in the past fires at once.
    deadlineNs = qMax<qint64>(deadlineNs, 1);
    itimerspec when{};
    when.it_value.tv_sec = time_t(deadlineNs / 1000000000);
    when.it_value.tv_nsec = long(deadlineNs % 1000000000);
    ::timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &when, nullptr);
    m_active = true;
}

void PreciseTimer::stop()
{
    itimerspec when{};
    ::timerfd_settime(m_fd, 0, &when, nullptr);
    m_active = false;
}

void PreciseTimer::expired()
{
    quint64 count = 0;
    if (::read(m_fd, &count, sizeof count) != sizeof count)
        return; // spurious wake-up or a timer re-armed meanwhile
    m_active = false;
    Q_EMIT timeout();
}
