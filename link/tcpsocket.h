#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

class SessionRecorder;

// Carries packets to and from a tester reached over TCP: 261-byte frames
// without start byte and checksum, one reply awaited at a time.
class TcpSocket final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TcpSocket)

public:
    static constexpr quint16 DefaultPort = 55555;

    // The program always uses the tester's port; tests pass their own.
    explicit TcpSocket(QObject *parent = nullptr, quint16 port = DefaultPort);
    ~TcpSocket() override;

    bool isConnected() const { return m_connected; }
    // Every connection is recorded there once it stands (not owned).
    void setRecorder(SessionRecorder *recorder) { m_recorder = recorder; }

Q_SIGNALS:
    void sock_conn(QString peer);
    void sock_disc();
    void pckt_rcv(QByteArray packet);

public Q_SLOTS:
    void conn_sock(const QString &host);
    void disc_sock();
    void snd_pckt(const QByteArray &packet);

private Q_SLOTS:
    void tmrTimeout();
    void tConTimeout();
    void socketConn();

private:
    void createSocket();
    void readStep();
    void linkLost();

    const quint16 m_port;
    bool m_connected = false;
    QTimer m_pollTimer;
    QTimer m_connectTimer;
    QByteArray m_rxBuffer;
    QTcpSocket *m_socket = nullptr;
    SessionRecorder *m_recorder = nullptr;
};
