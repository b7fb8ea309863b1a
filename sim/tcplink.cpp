#include "tcplink.h"

#include "faultinjector.h"
#include "packet.h"
#include "responder.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

TcpLink::TcpLink(Responder *responder, FaultInjector *faults, QObject *parent)
    : QObject(parent)
    , m_responder(responder)
    , m_faults(faults)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &TcpLink::accept);
}

TcpLink::~TcpLink() = default;

bool TcpLink::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    return true;
}

QHostAddress TcpLink::address() const
{
    return m_server->serverAddress();
}

quint16 TcpLink::port() const
{
    return m_server->serverPort();
}

void TcpLink::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (m_client) {
            m_client->disconnect(this);
            m_client->abort();
            m_client->deleteLater();
        }
        m_client = socket;
        m_clientRequests = 0;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readClient(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (m_verbose)
            QTextStream(stderr) << "qvsim: TCP client " << socket->peerAddress().toString() << '\n';
    }
}

void TcpLink::readClient(QTcpSocket *socket)
{
    while (socket->state() == QAbstractSocket::ConnectedState
           && socket->bytesAvailable() >= Packet::TcpFrameSize) {
        const QByteArray frame = socket->read(Packet::TcpFrameSize);
        answer(socket, frame);
    }
}

void TcpLink::answer(QTcpSocket *socket, const QByteArray &frame)
{
    const FaultInjector::Verdict verdict = m_faults->onRequest(false, quint8(frame.at(0)));
    const FaultInjector::Fate fate = verdict.fate;
    const qint64 closeAfter = m_faults->settings().closeAfter;
    const bool last = closeAfter >= 0 && verdict.aimedAt && ++m_clientRequests >= closeAfter
        && m_faults->takeClose();
    QByteArray reply;
    if (fate != FaultInjector::Fate::Silent) {
        // The request as the serial line would carry it, so that the tester
        // reads one packet form whatever the link.
        QByteArray request = Packet::RequestStart + frame + '\0';
        Packet::seal(request);
        reply = m_responder->respond(request);
        if (m_verbose)
            QTextStream(stderr) << "qvsim: TCP request " << int(Packet::id(request))
                                << (reply.isEmpty() ? " unanswered" : "") << '\n';
        if (fate == FaultInjector::Fate::Drop)
            reply.clear();
    }
    const QByteArray wire = reply.isEmpty() ? QByteArray() : reply.mid(Packet::IdOffset, Packet::TcpFrameSize);
    const QPointer<QTcpSocket> target(socket);
    const auto send = [this, target, wire, last] {
        if (!target || target->state() != QAbstractSocket::ConnectedState)
            return;
        if (!wire.isEmpty())
            target->write(wire);
        if (last) {
            if (m_verbose)
                QTextStream(stderr) << "qvsim: closing the TCP connection\n";
            target->disconnectFromHost();
        }
    };
    const int delayMs = verdict.delayMs + int(m_responder->replyDelayUs() / 1000);
    if (delayMs > 0)
        QTimer::singleShot(delayMs, Qt::PreciseTimer, socket, send);
    else
        send();
}
