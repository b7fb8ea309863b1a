#include "tcpsocket.h"

#include "packet.h"
#include "sessionrecorder.h"

#include <QDebug>

namespace {
constexpr int kConnectTimeoutMs = 3000;
constexpr int kDisconnectWaitMs = 1000;
} // namespace

TcpSocket::TcpSocket(QObject *parent, quint16 port)
    : QObject(parent)
    , m_port(port)
{
    m_pollTimer.setInterval(Packet::ReadPollMs);
    m_connectTimer.setInterval(kConnectTimeoutMs);
    m_connectTimer.setSingleShot(true);
    // The 3 s the user is promised: a coarse timer may fire up to 5 % early.
    m_connectTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &TcpSocket::tmrTimeout);
    connect(&m_connectTimer, &QTimer::timeout, this, &TcpSocket::tConTimeout);
    createSocket();
}

TcpSocket::~TcpSocket()
{
    m_pollTimer.stop();
    m_connectTimer.stop();
    m_socket->disconnect(this);
    m_socket->abort();
    delete m_socket;
}

void TcpSocket::createSocket()
{
    m_socket = new QTcpSocket(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::connected, this, &TcpSocket::socketConn);
    // A reply is handled when it arrives; the poll timer stays as the
    // fallback and marks whether a reply is awaited at all.
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        if (m_pollTimer.isActive())
            readStep();
    });
    // A connection the tester closes or that breaks ends here and now, not
    // when the engine's watchdog runs out (which a link that is only polled
    // for status would need a second for, and an idle one never).
    connect(m_socket, &QTcpSocket::disconnected, this, &TcpSocket::linkLost);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::SocketTimeoutError && error != QAbstractSocket::TemporaryError)
            linkLost();
    });
}

void TcpSocket::linkLost()
{
    // Attempts that fail are ended by the connect timer; disc_sock clears
    // the flag before it closes, so its own close does not come back here.
    if (!m_connected)
        return;
    qDebug() << "TcpSocket: connection lost:" << m_socket->errorString();
    m_connected = false;
    m_pollTimer.stop();
    m_connectTimer.stop();
    m_socket->abort();
    if (m_recorder)
        m_recorder->end();
    Q_EMIT sock_disc();
}

void TcpSocket::conn_sock(const QString &host)
{
    if (m_connected)
        return;
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState
            && !m_socket->waitForDisconnected(kDisconnectWaitMs)) {
            m_socket->disconnect(this);
            m_socket->abort();
            m_socket->deleteLater();
            createSocket();
        }
    }
    qDebug() << "TcpSocket::conn_sock(QString host)" << host;
    m_rxBuffer.clear();
    m_connectTimer.start();
    m_socket->connectToHost(host, m_port, QIODevice::ReadWrite);
}

void TcpSocket::socketConn()
{
    m_connectTimer.stop();
    m_connected = true;
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (m_recorder) {
        m_recorder->begin(QStringLiteral("tcp"),
                          {{QStringLiteral("host"), m_socket->peerAddress().toString()},
                           {QStringLiteral("port"), QString::number(m_socket->peerPort())}});
    }
    Q_EMIT sock_conn(m_socket->peerName().isEmpty() ? m_socket->peerAddress().toString()
                                                    : m_socket->peerName());
}

void TcpSocket::tConTimeout()
{
    m_connectTimer.stop();
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    Q_EMIT sock_disc();
}

void TcpSocket::disc_sock()
{
    // The recorder is the other transport's too: only this link's own ends here.
    if (m_connected && m_recorder)
        m_recorder->end();
    m_connected = false;
    m_pollTimer.stop();
    m_connectTimer.stop();
    m_socket->disconnectFromHost();
    Q_EMIT sock_disc();
}

void TcpSocket::snd_pckt(const QByteArray &packet)
{
    if (!m_connected || packet.size() < 1 + Packet::TcpFrameSize)
        return;
    const QByteArrayView frame(packet.constData() + Packet::IdOffset, Packet::TcpFrameSize);
    m_socket->write(frame.data(), frame.size());
    if (m_recorder)
        m_recorder->record(SessionRecorder::Direction::Out, SessionRecorder::Channel::Frame, frame);
    qDebug() << "TcpSocket: snd packet ID:" << int(Packet::id(packet));
    m_pollTimer.start();
}

void TcpSocket::tmrTimeout()
{
    readStep();
}

void TcpSocket::readStep()
{
    if (m_socket->bytesAvailable() < Packet::TcpFrameSize)
        return;
    m_pollTimer.stop();
    m_rxBuffer = m_socket->read(Packet::TcpFrameSize);
    if (m_rxBuffer.isEmpty())
        return;
    if (m_recorder)
        m_recorder->record(SessionRecorder::Direction::In, SessionRecorder::Channel::Frame, m_rxBuffer);
    m_rxBuffer.prepend(Packet::RequestStart);
    qDebug() << "TcpSocket: rcv packet ID:" << int(Packet::id(m_rxBuffer));
    Q_EMIT pckt_rcv(m_rxBuffer);
}
