#include "packet.h"
#include "serial.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray replyFrame(quint8 id)
{
    QByteArray p = Packet::make(id, Packet::SerialReplyStart);
    for (int i = Packet::PayloadOffset; i < Packet::CrcOffset; ++i)
        p[i] = char(i % 200 + 40) == '$' ? '#' : char(i % 200 + 40);
    p[2] = '\0'; // NUL bytes must pass the line untouched
    Packet::seal(p);
    return p;
}

} // namespace

// Serial against the master side of a real pseudo-terminal: the line
// settings, both directions, reassembly across reads and the free text.
class TestSerial : public QObject
{
    Q_OBJECT

    int m_master = -1;
    int m_slave = -1;
    QString m_path;

    void writeMaster(const QByteArray &bytes)
    {
        QCOMPARE(::write(m_master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }

    // What the program wrote, collected while its event loop runs.
    QByteArray readMaster(int wanted, int timeoutMs = 2000)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < wanted && clock.elapsed() < timeoutMs) {
            QCoreApplication::processEvents();
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 5) > 0 && (pfd.revents & POLLIN)) {
                char buf[1024];
                const ssize_t n = ::read(m_master, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, int(n));
            }
        }
        return got;
    }

    static void pump(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

private Q_SLOTS:
    void init()
    {
        char name[128];
        QVERIFY(::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_path = QString::fromLocal8Bit(name);
    }
    void cleanup()
    {
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
        m_master = m_slave = -1;
    }

    void opensWithLineSettings()
    {
        Serial serial;
        QSignalSpy conn(&serial, &Serial::port_conn);
        serial.conn_port(m_path);
        QCOMPARE(conn.size(), 1);
        QCOMPARE(conn.at(0).at(0).toString(), m_path);
        QVERIFY(serial.isOpen());

        termios tio{};
        QCOMPARE(::tcgetattr(m_slave, &tio), 0);
        QCOMPARE(::cfgetospeed(&tio), speed_t(B500000));
        QCOMPARE(::cfgetispeed(&tio), speed_t(B500000));
        QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(tio.c_cflag & PARENB));
        QVERIFY(!(tio.c_cflag & CSTOPB));
        QVERIFY(!(tio.c_cflag & CRTSCTS));
        QVERIFY(!(tio.c_iflag & (IXON | IXOFF)));

        serial.conn_port(m_path); // already open: nothing
        QCOMPARE(conn.size(), 1);

        QSignalSpy disc(&serial, &Serial::port_disc);
        serial.disc_port();
        QCOMPARE(disc.size(), 1);
        QVERIFY(!serial.isOpen());
    }

    void openFailureSignalsNothing()
    {
        Serial serial;
        QSignalSpy conn(&serial, &Serial::port_conn);
        serial.conn_port(QStringLiteral("/dev/does-not-exist-qv"));
        QCOMPARE(conn.size(), 0);
        QVERIFY(!serial.isOpen());
    }

    void packetsBothWays_data()
    {
        QTest::addColumn<QList<int>>("pieces");
        QTest::newRow("whole") << QList<int>{Packet::Size};
        QTest::newRow("100 100 63") << QList<int>{100, 100, 63};
        QTest::newRow("1 261 1") << QList<int>{1, 261, 1};
    }
    void packetsBothWays()
    {
        QFETCH(QList<int>, pieces);
        Serial serial;
        serial.conn_port(m_path);
        QVERIFY(serial.isOpen());
        QSignalSpy received(&serial, &Serial::pckt_rcv);

        QByteArray request = Packet::make(61);
        request[4] = '\0';
        request[5] = '\x24';
        Packet::seal(request);
        serial.snd_pckt(request);
        QCOMPARE(readMaster(Packet::Size), request);

        const QByteArray reply = replyFrame(61);
        int pos = 0;
        for (int i = 0; i < pieces.size(); ++i) {
            writeMaster(reply.mid(pos, pieces[i]));
            pos += pieces[i];
            pump(40); // several poll ticks between the pieces
            QCOMPARE(received.size(), i + 1 == pieces.size() ? 1 : 0);
        }
        QCOMPARE(received.at(0).at(0).toByteArray(), reply);
    }

    void freeTextReachesDebug()
    {
        Serial serial;
        serial.conn_port(m_path);
        QSignalSpy text(&serial, &Serial::show_debug);
        QSignalSpy received(&serial, &Serial::pckt_rcv);
        serial.snd_pckt(Packet::make(0));
        readMaster(Packet::Size);
        writeMaster(QByteArray("link up 1000F\r\n") + replyFrame(0));
        QTRY_COMPARE(received.size(), 1);
        QByteArray shown;
        for (const auto &args : std::as_const(text))
            shown += args.at(0).toByteArray();
        QCOMPARE(shown, QByteArray("link up 1000F\r\n"));
    }

    void closedPortWritesNothing()
    {
        Serial serial;
        QSignalSpy received(&serial, &Serial::pckt_rcv);
        serial.snd_pckt(Packet::make(0));
        QCOMPARE(readMaster(1, 100), QByteArray());
        serial.conn_port(m_path);
        serial.disc_port();
        serial.snd_pckt(Packet::make(0));
        QCOMPARE(readMaster(1, 100), QByteArray());
        QCOMPARE(received.size(), 0);
    }

    // Replies are taken on arrival, not on the next 10 ms tick.
    void replyHandledWithoutTimerDelay()
    {
        Serial serial;
        serial.conn_port(m_path);
        QSignalSpy received(&serial, &Serial::pckt_rcv);
        const QByteArray reply = replyFrame(0);
        QList<qint64> micros;
        for (int i = 0; i < 20; ++i) {
            serial.snd_pckt(Packet::make(0));
            QCOMPARE(readMaster(Packet::Size).size(), Packet::Size);
            QElapsedTimer clock;
            clock.start();
            writeMaster(reply);
            while (received.size() <= i && clock.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
            micros << clock.nsecsElapsed() / 1000;
        }
        QCOMPARE(received.size(), 20);
        // Polling alone would leave most replies waiting 3 ms or more.
        const auto slow = std::count_if(micros.cbegin(), micros.cend(), [](qint64 us) { return us > 3000; });
        QVERIFY2(slow <= 5, qPrintable(QStringLiteral("%1 of 20 replies took over 3 ms").arg(slow)));
    }

    // The device disappears (the other end of the pseudo-terminal closed,
    // as a pulled USB adapter): the port closes at once, once, and opening
    // a device again works.
    void deviceGone_data()
    {
        QTest::addColumn<bool>("awaitingReply");
        QTest::newRow("idle") << false;
        QTest::newRow("awaiting a reply") << true;
    }
    void deviceGone()
    {
        QFETCH(bool, awaitingReply);
        Serial serial;
        serial.conn_port(m_path);
        QVERIFY(serial.isOpen());
        QSignalSpy disc(&serial, &Serial::port_disc);
        if (awaitingReply) {
            serial.snd_pckt(Packet::make(0));
            QCOMPARE(readMaster(Packet::Size).size(), Packet::Size);
        }
        QElapsedTimer clock;
        clock.start();
        cleanup();
        QTRY_COMPARE_WITH_TIMEOUT(disc.size(), 1, 3000);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!serial.isOpen());
        pump(50);
        QCOMPARE(disc.size(), 1);

        init();
        QSignalSpy conn(&serial, &Serial::port_conn);
        QSignalSpy received(&serial, &Serial::pckt_rcv);
        serial.conn_port(m_path);
        QCOMPARE(conn.size(), 1);
        serial.snd_pckt(Packet::make(0));
        QCOMPARE(readMaster(Packet::Size).size(), Packet::Size);
        writeMaster(replyFrame(0));
        QTRY_COMPARE(received.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
