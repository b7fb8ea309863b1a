#include "oldproto.h"

#include "progpack.h"
#include "zorqv.h"

#include <QDebug>

OldProto::OldProto(Zorqv *device, QObject *parent)
    : QObject(parent)
    , m_device(device)
{
    m_responseTimer.setSingleShot(true);
    m_responseTimer.setInterval(ResponseTimeoutMs);
    // A coarse timer may fire up to 5 % early, before a tester that answers
    // within its time has had the chance to.
    m_responseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_responseTimer, &QTimer::timeout, this, &OldProto::tQvTmout);
}

OldProto::~OldProto() = default;

void OldProto::send(const QByteArray &packet)
{
    if (!packet.isEmpty())
        m_sendQueue.append(packet);
    if (m_responseTimer.isActive() || m_sendQueue.isEmpty())
        return;
    m_responseTimer.start();
    Q_EMIT snd_pckt(m_sendQueue.takeFirst());
}

void OldProto::pckt_rcv(const QByteArray &packet)
{
    m_responseTimer.stop();
    decode(packet);
    send(QByteArray());
}

void OldProto::tQvTmout()
{
    qDebug() << "Proto: QV timeout";
    m_responseTimer.stop();
    if (m_device->linkType == 1)
        Q_EMIT disc_port();
    else if (m_device->linkType == 2)
        Q_EMIT disc_sock();
}

void OldProto::port_conn(const QString &)
{
    qDebug() << "Proto: port connected.";
    linkOpened(1);
}

void OldProto::sock_conn(const QString &)
{
    qDebug() << "Proto: socket connected.";
    linkOpened(2);
}

void OldProto::linkOpened(int linkType)
{
    m_device->linkType = linkType;
    // A wait left over from the previous link would hold back the status
    // request and, when it ran out, close this new link.
    m_responseTimer.stop();
    request(PROGPACK_CHECKCONNECT, 0);
    qDebug() << "Proto: PROGPACK_CHECKCONNECT sent";
}

void OldProto::port_disc()
{
    qDebug() << "Proto: port disconnected";
    reset();
}

void OldProto::sock_disc()
{
    qDebug() << "Proto: socket disconnected";
    reset();
}

void OldProto::reset()
{
    m_device->connected = false;
    m_device->linkType = 0;
    m_sendQueue.clear();
    m_pendingProcess.clear();
    m_pendingOffset.clear();
    m_pendingLength.clear();
    m_pendingStep.clear();
    m_pendingResultFlag.clear();
    m_downloading = false;
    // The response timer is left alone: if it runs, it still fires and,
    // with no link open, only writes its line.
    Q_EMIT qv_disc();
    Q_EMIT status_upd();
}

void OldProto::disc_qv()
{
    if (m_device->linkType == 1)
        Q_EMIT disc_port();
    else if (m_device->linkType == 2)
        Q_EMIT disc_sock();
}

void OldProto::upd_status()
{
    request(PROGPACK_CHECKCONNECT, 0);
}

void OldProto::debug_fpga_rw(uint w)
{
    request(PROGPACK_FPGA_RW, w);
}

std::optional<quint8> OldProto::takeProcess(quint8 id, int limit)
{
    if (m_pendingProcess.isEmpty()) {
        qDebug() << "Proto: reply" << id << "without a pending request ignored";
        return std::nullopt;
    }
    const quint8 proc = m_pendingProcess.dequeue();
    if (proc >= limit)
        return std::nullopt;
    return proc;
}
