#include "session.h"

#include "packet.h"
#include "progpack.h"
#include "testerwiring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace {
// Conditions that no signal announces (a file written by the engine) are
// looked at this often as well.
constexpr int kRecheckMs = 20;
// The status pace while a test's end is awaited: a status exchange is a few
// milliseconds even on the serial line.
constexpr int kEndPollMs = 200;
} // namespace

Session::Session(quint16 tcpPort, QObject *parent)
    : QObject(parent)
    , m_tcp(nullptr, tcpPort)
{
    wireTester(m_device, m_engine, m_serial, m_tcp);
    // The status poll keeps the process states current; results are asked
    // for by the commands, never by a page.
    connect(&m_engine, &OldProto::qv_conn, this, [this] { m_device.startStatusTimer(); });
    connect(&m_engine, &OldProto::qv_disc, this, [this] {
        m_device.stopStatusTimer();
        m_lost = true;
        Q_EMIT progressed();
    });
    connect(&m_engine, &OldProto::link_lost, this, [this](const QString &why) { m_why = why; });
    for (auto signal : {&OldProto::status_upd, &OldProto::qv_conn})
        connect(&m_engine, signal, this, &Session::progressed);
    connect(&m_engine, &OldProto::cfg_rcv, this, &Session::progressed);
    connect(&m_engine, &OldProto::res_rcv, this, &Session::progressed);
    connect(&m_device, &Zorqv::report_finished, this, &Session::progressed);
    connect(&m_device, &Zorqv::download_failed, this, [this](const QString &text) {
        m_why = text;
        Q_EMIT progressed();
    });
}

Session::~Session()
{
    close();
}

Session::Wait Session::connectTcp(const QString &host, int timeoutMs)
{
    m_lost = false;
    m_why.clear();
    m_tcp.conn_sock(host);
    return afterOpen(timeoutMs);
}

Session::Wait Session::connectSerial(const QString &device, int timeoutMs)
{
    m_lost = false;
    m_why.clear();
    if (!QFileInfo::exists(Serial::devicePath(device))) {
        m_why = tr("%1: there is no such serial port.").arg(device);
        return Wait::Lost;
    }
    m_serial.conn_port(device);
    if (!m_serial.isOpen()) {
        m_why = tr("%1 cannot be opened as a serial port (%2).").arg(device, m_serial.openErrorString());
        return Wait::Lost;
    }
    return afterOpen(timeoutMs);
}

Session::Wait Session::afterOpen(int timeoutMs)
{
    const Wait w = waitFor([this] { return m_device.connected; }, timeoutMs);
    if (w == Wait::Lost && m_why.isEmpty())
        m_why = tr("Could not connect to the tester.");
    if (w == Wait::TimedOut)
        m_why = tr("The tester did not answer in time.");
    return w;
}

void Session::close()
{
    if (m_device.linkType == 0)
        return;
    m_engine.disc_qv();
    // The transports report the close from the event loop.
    QElapsedTimer clock;
    clock.start();
    while (m_device.linkType != 0 && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

Session::Wait Session::waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    // A connection that has been made counts as lost once it ends; before,
    // an end is the failure to connect.
    const bool wasConnected = m_device.connected;
    m_lost = false;
    for (;;) {
        if (done())
            return Wait::Done;
        if (m_lost || (wasConnected && !m_device.connected))
            return Wait::Lost;
        const qint64 left = ms - clock.elapsed();
        if (left <= 0)
            return Wait::TimedOut;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &Session::progressed, &loop, &QEventLoop::quit);
        timer.start(int(qMin<qint64>(left, kRecheckMs)));
        loop.exec();
    }
}

Session::Wait Session::settle(int ms)
{
    return waitFor([this] { return !m_engine.awaitingReply() && m_engine.queuedPackets() == 0; }, ms);
}

Session::Wait Session::refreshStatus(int ms)
{
    int seen = 0;
    QMetaObject::Connection counter = connect(&m_engine, &OldProto::status_upd, this, [&seen] { ++seen; });
    m_engine.upd_status();
    const Wait w = waitFor([&seen] { return seen > 0; }, ms);
    disconnect(counter);
    return w;
}

Session::Wait Session::waitForStatus(const std::function<bool()> &done, int ms)
{
    QTimer poll;
    poll.setInterval(kEndPollMs);
    connect(&poll, &QTimer::timeout, this, [this] {
        if (!m_engine.awaitingReply() && m_engine.queuedPackets() == 0)
            m_engine.upd_status();
    });
    poll.start();
    return waitFor(done, ms);
}
