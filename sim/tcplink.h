#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>

class FaultInjector;
class QTcpServer;
class QTcpSocket;
class Responder;

// The tester's remote-control Ethernet port: a TCP server whose frames are
// 261 bytes each way (ID and payload, no start byte, no CRC). One program at
// a time: a new connection replaces the previous one.
class TcpLink final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TcpLink)

public:
    TcpLink(Responder *responder, FaultInjector *faults, QObject *parent = nullptr);
    ~TcpLink() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    QHostAddress address() const;
    quint16 port() const;
    void setVerbose(bool on) { m_verbose = on; }

private:
    void accept();
    void readClient(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &frame);

    Responder *m_responder;
    FaultInjector *m_faults;
    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_client;
    qint64 m_clientRequests = 0;
    bool m_verbose = false;
};
