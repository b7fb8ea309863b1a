#include "packet.h"
#include "tcpsocket.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// TcpSocket against a loopback server standing in for the tester.
class TestTcpSocket : public QObject
{
    Q_OBJECT

    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;

    void connectClient(TcpSocket &client)
    {
        QSignalSpy conn(&client, &TcpSocket::sock_conn);
        client.conn_sock(QStringLiteral("127.0.0.1"));
        QVERIFY(m_server.waitForNewConnection(2000));
        m_peer = m_server.nextPendingConnection();
        QVERIFY(m_peer);
        QTRY_COMPARE(conn.size(), 1);
        QVERIFY(client.isConnected());
    }

    QByteArray peerRead(int wanted)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < wanted && clock.elapsed() < 2000) {
            if (m_peer->bytesAvailable() == 0)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            m_peer->waitForReadyRead(5);
            got += m_peer->readAll();
        }
        return got;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
    }
    void cleanup()
    {
        delete m_peer;
        m_peer = nullptr;
        m_server.close();
    }

    void sendsIdAndPayloadOnly()
    {
        TcpSocket client(nullptr, m_server.serverPort());
        connectClient(client);
        QByteArray packet = Packet::make(61);
        for (int i = 2; i < Packet::CrcOffset; ++i)
            packet[i] = char(i);
        Packet::seal(packet);
        client.snd_pckt(packet);
        const QByteArray wire = peerRead(Packet::TcpFrameSize);
        QCOMPARE(wire.size(), Packet::TcpFrameSize);
        QCOMPARE(wire, packet.mid(1, Packet::TcpFrameSize));
    }

    void reassemblesReplies_data()
    {
        QTest::addColumn<QList<int>>("pieces");
        QTest::newRow("whole") << QList<int>{261};
        QTest::newRow("200 + 61") << QList<int>{200, 61};
        QTest::newRow("1 + 260") << QList<int>{1, 260};
    }
    void reassemblesReplies()
    {
        QFETCH(QList<int>, pieces);
        TcpSocket client(nullptr, m_server.serverPort());
        connectClient(client);
        QSignalSpy received(&client, &TcpSocket::pckt_rcv);
        client.snd_pckt(Packet::make(0));
        QCOMPARE(peerRead(Packet::TcpFrameSize).size(), Packet::TcpFrameSize);

        QByteArray reply(Packet::TcpFrameSize, '\0');
        reply[0] = 63;
        for (int i = 1; i < reply.size(); ++i)
            reply[i] = char(i * 3);
        int pos = 0;
        for (int i = 0; i < pieces.size(); ++i) {
            m_peer->write(reply.mid(pos, pieces[i]));
            m_peer->flush();
            pos += pieces[i];
            QTest::qWait(30);
            QCOMPARE(received.size(), i + 1 == pieces.size() ? 1 : 0);
        }
        const QByteArray packet = received.at(0).at(0).toByteArray();
        QCOMPARE(packet.size(), 262);
        QCOMPARE(packet.at(0), Packet::RequestStart);
        QCOMPARE(packet.mid(1), reply);
    }

    void notConnectedIgnoresSend()
    {
        TcpSocket client(nullptr, m_server.serverPort());
        client.snd_pckt(Packet::make(0));
        QVERIFY(!m_server.waitForNewConnection(100));
    }

    void connectWhileConnectedDoesNothing()
    {
        TcpSocket client(nullptr, m_server.serverPort());
        connectClient(client);
        QSignalSpy conn(&client, &TcpSocket::sock_conn);
        client.conn_sock(QStringLiteral("127.0.0.1"));
        QVERIFY(!m_server.waitForNewConnection(200));
        QCOMPARE(conn.size(), 0);

        QSignalSpy disc(&client, &TcpSocket::sock_disc);
        client.disc_sock();
        QCOMPARE(disc.size(), 1);
        QVERIFY(!client.isConnected());
    }

    // Nobody listens: the attempt ends with sock_disc after about 3 s (a
    // window: neither at once nor never), and a new attempt afterwards, now to
    // a listening port, connects.
    void connectTimeoutThenRetry()
    {
        const quint16 port = m_server.serverPort();
        m_server.close();
        TcpSocket client(nullptr, port);
        QSignalSpy disc(&client, &TcpSocket::sock_disc);
        QSignalSpy conn(&client, &TcpSocket::sock_conn);
        QElapsedTimer clock;
        clock.start();
        client.conn_sock(QStringLiteral("127.0.0.1"));
        QTRY_COMPARE_WITH_TIMEOUT(disc.size(), 1, 6000);
        const qint64 ms = clock.elapsed();
        QVERIFY2(ms >= 2700 && ms < 4500, qPrintable(QString::number(ms)));
        QCOMPARE(conn.size(), 0);
        QVERIFY(!client.isConnected());

        QVERIFY(m_server.listen(QHostAddress::LocalHost, port));
        connectClient(client);
    }

    // The tester closes the connection: noticed at once (well before the
    // engine's 1.1 s watchdog), once, and a new connection works.
    void peerCloses_data()
    {
        QTest::addColumn<bool>("awaitingReply");
        QTest::addColumn<bool>("reset");
        QTest::newRow("idle, closed") << false << false;
        QTest::newRow("awaiting a reply, closed") << true << false;
        QTest::newRow("awaiting a reply, reset") << true << true;
    }
    void peerCloses()
    {
        QFETCH(bool, awaitingReply);
        QFETCH(bool, reset);
        TcpSocket client(nullptr, m_server.serverPort());
        connectClient(client);
        QSignalSpy disc(&client, &TcpSocket::sock_disc);
        if (awaitingReply) {
            client.snd_pckt(Packet::make(0));
            QCOMPARE(peerRead(Packet::TcpFrameSize).size(), Packet::TcpFrameSize);
        }
        QElapsedTimer clock;
        clock.start();
        if (reset) {
            m_peer->setSocketOption(QAbstractSocket::KeepAliveOption, 0);
            m_peer->abort();
        } else {
            m_peer->disconnectFromHost();
        }
        QTRY_COMPARE_WITH_TIMEOUT(disc.size(), 1, 3000);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!client.isConnected());
        QTest::qWait(50);
        QCOMPARE(disc.size(), 1);

        delete m_peer;
        m_peer = nullptr;
        connectClient(client);
        QSignalSpy received(&client, &TcpSocket::pckt_rcv);
        client.snd_pckt(Packet::make(0));
        QCOMPARE(peerRead(Packet::TcpFrameSize).size(), Packet::TcpFrameSize);
        m_peer->write(QByteArray(Packet::TcpFrameSize, '\0'));
        QTRY_COMPARE(received.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTcpSocket)
#include "tst_tcpsocket.moc"
