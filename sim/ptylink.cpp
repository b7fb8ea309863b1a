#include "ptylink.h"

#include "faultinjector.h"
#include "packet.h"
#include "responder.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr qint64 kMaxQueued = 64 * 1024; // free text beyond this is dropped
constexpr qint64 kChunk = 64;            // bytes per paced write
constexpr char kBadStart = '#';
} // namespace

PtyLink::PtyLink(Responder *responder, FaultInjector *faults, QObject *parent)
    : QObject(parent)
    , m_responder(responder)
    , m_faults(faults)
{
    connect(&m_txTimer, &PreciseTimer::timeout, this, &PtyLink::pump);
}

PtyLink::~PtyLink()
{
    delete m_readNotifier;
    delete m_writeNotifier;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    if (!m_symlink.isEmpty())
        QFile::remove(m_symlink);
}

bool PtyLink::open(QString *error)
{
    termios raw{};
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(::strerror(errno)));
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyLink::readMaster);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] {
        m_writeNotifier->setEnabled(false);
        pump();
    });
    return true;
}

bool PtyLink::makeSymlink(const QString &path, QString *error)
{
    const QFileInfo existing(path);
    if (existing.isSymLink())
        QFile::remove(path);
    if (!QFile::link(m_slavePath, path)) {
        *error = QStringLiteral("cannot create the link %1").arg(path);
        return false;
    }
    m_symlink = path;
    return true;
}

void PtyLink::sendText(const QByteArray &text)
{
    if (queued() + text.size() > kMaxQueued)
        return; // nobody reads the line; a tester's text is lost the same way
    enqueue(text, PreciseTimer::now());
}

qint64 PtyLink::queued() const
{
    qint64 n = 0;
    for (const Segment &s : m_out)
        n += s.bytes.size() - s.sent;
    return n;
}

void PtyLink::readMaster()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const qint64 now = PreciseTimer::now();
        m_rxLineFree = m_baud > 0 ? qMax(now, m_rxLineFree) + lineTime(n) : now;
        m_in.append(buffer, n);
    }
    cutRequests(m_rxLineFree);
}

void PtyLink::cutRequests(qint64 lastByteDone)
{
    for (;;) {
        const qsizetype start = m_in.indexOf(Packet::RequestStart);
        if (start < 0) {
            m_in.clear();
            break;
        }
        m_in.remove(0, start);
        if (m_in.size() < Packet::Size)
            break;
        if (!Packet::crcValid(m_in)) {
            if (m_verbose)
                QTextStream(stderr) << "qvsim: request with a bad CRC ignored\n";
            m_in.remove(0, 1);
            continue;
        }
        // The frame's last byte arrived as many byte times before the last
        // byte read as bytes follow it.
        const qint64 done = m_baud > 0 ? lastByteDone - lineTime(m_in.size() - Packet::Size) : lastByteDone;
        const QByteArray request = m_in.left(Packet::Size);
        m_in.remove(0, Packet::Size);
        handleRequest(request, done);
    }
}

void PtyLink::handleRequest(const QByteArray &request, qint64 arrived)
{
    // The answer is made at once; the line holds it back until the request
    // would have arrived.
    const FaultInjector::Verdict verdict = m_faults->onRequest(true, Packet::id(request));
    const FaultInjector::Fate fate = verdict.fate;
    if (fate == FaultInjector::Fate::Silent)
        return;
    QByteArray reply = m_responder->respond(request);
    if (m_verbose)
        QTextStream(stderr) << "qvsim: serial request " << int(Packet::id(request))
                            << (reply.isEmpty() ? " unanswered" : "") << '\n';
    if (reply.isEmpty() || fate == FaultInjector::Fate::Drop)
        return;
    reply[0] = Packet::SerialReplyStart;
    if (fate == FaultInjector::Fate::BadStart)
        reply[0] = kBadStart;
    Packet::seal(reply);
    if (fate == FaultInjector::Fate::Corrupt)
        reply[Packet::CrcOffset] = char(reply.at(Packet::CrcOffset) ^ 0x5A);
    // A reply delayed on its own (--delay-every) lets the ones after it
    // pass; a delay of every reply keeps their order.
    const bool alone = verdict.delayMs > 0 && m_faults->settings().delayEvery > 1;
    enqueue(reply, arrived + qint64(verdict.delayMs) * 1000000 + m_responder->replyDelayUs() * 1000, alone);
    const QList<QPair<qint64, QByteArray>> text = m_responder->textAfterAnswer();
    for (const auto &[delayUs, bytes] : text)
        enqueue(bytes, arrived + delayUs * 1000);
}

void PtyLink::enqueue(const QByteArray &bytes, qint64 notBefore, bool overtakable)
{
    // The line is in order, like the tester answering one request after the
    // other; only a reply held back on its own is overtaken by those due
    // before it. What is on the line stays whole.
    auto at = m_out.end();
    while (at != m_out.begin() && std::prev(at)->overtakable && std::prev(at)->start < 0
           && std::prev(at)->notBefore > notBefore)
        --at;
    m_out.insert(at, Segment{bytes, notBefore, overtakable});
    pump();
}

void PtyLink::pump()
{
    while (!m_out.empty() && !m_writeNotifier->isEnabled()) {
        Segment &seg = m_out.front();
        const qint64 now = PreciseTimer::now();
        if (seg.start < 0) {
            if (now < seg.notBefore && m_baud == 0) {
                m_txTimer.startAt(seg.notBefore);
                return;
            }
            seg.start = m_baud > 0 ? qMax(seg.notBefore, m_txLineFree) : now;
        }
        const qint64 left = seg.bytes.size() - seg.sent;
        qint64 allowed = left;
        if (m_baud > 0) {
            const qint64 elapsed = now - seg.start;
            const qint64 due = elapsed > 0 ? qint64(double(elapsed) * double(m_baud) / 1e10) : 0;
            allowed = qMin(left, due - seg.sent);
        }
        if (allowed > 0) {
            const ssize_t written = ::write(m_master, seg.bytes.constData() + seg.sent, size_t(allowed));
            if (written > 0) {
                seg.sent += written;
                if (m_baud > 0)
                    m_txLineFree = seg.start + lineTime(seg.sent);
            }
            if (written < allowed) {
                // The pseudo-terminal is full: nobody reads the slave just now.
                m_writeNotifier->setEnabled(true);
                return;
            }
        }
        if (seg.sent < seg.bytes.size()) {
            m_txTimer.startAt(seg.start + lineTime(seg.sent + qMin<qint64>(kChunk, seg.bytes.size() - seg.sent)));
            return;
        }
        m_out.pop_front();
    }
}
