#include "oldproto.h"

#include "packet.h"
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
    const QByteArray next = m_sendQueue.takeFirst();
    m_awaitedId = Packet::id(next);
    Q_EMIT snd_pckt(next);
}

void OldProto::pckt_rcv(const QByteArray &packet)
{
    // The tester answers each request with the request's ID. A reply that
    // arrives when none is awaited, or with another ID, is a late one (its
    // request timed out on a link since closed): taken, it would be filed
    // under the request now outstanding, and every reply after it one late.
    if (!m_responseTimer.isActive() || Packet::id(packet) != m_awaitedId) {
        qDebug() << "Proto: stray reply ID" << int(Packet::id(packet)) << "ignored";
        return;
    }
    m_responseTimer.stop();
    decode(packet);
    send(QByteArray());
}

void OldProto::tQvTmout()
{
    qDebug() << "Proto: QV timeout";
    m_responseTimer.stop();
    m_linkEnd = LinkEnd::Silent;
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
    m_linkEnd = LinkEnd::Lost;
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
    // Said before the pages and the window are reset, so that the user
    // learns why the link went when it was not the user who closed it. A
    // transport that ends before its link opened has failed to connect.
    QString why;
    if (m_device->linkType == 0)
        why = tr("Could not connect to the tester.");
    else if (m_linkEnd == LinkEnd::Silent)
        why = tr("The tester stopped answering. The connection is closed.");
    else if (m_linkEnd == LinkEnd::Lost)
        why = tr("The connection to the tester was lost.");
    m_linkEnd = LinkEnd::Asked;
    m_device->connected = false;
    m_device->linkType = 0;
    m_sendQueue.clear();
    m_pendingProcess.clear();
    m_pendingOffset.clear();
    m_pendingLength.clear();
    m_pendingStep.clear();
    m_pendingTracePage.clear();
    m_pendingResultFlag.clear();
    m_transferHolds = 0;
    if (m_opensAwaited > 0 || m_reading)
        failDownload(DownloadFailure::LinkLost);
    // Nothing is awaited on a link that has gone.
    m_responseTimer.stop();
    if (!why.isEmpty())
        Q_EMIT link_lost(why);
    Q_EMIT qv_disc();
    Q_EMIT status_upd();
}

void OldProto::disc_qv()
{
    if (m_device->linkType != 0)
        m_linkEnd = LinkEnd::Asked;
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
