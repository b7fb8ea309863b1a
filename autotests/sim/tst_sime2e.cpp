// The real protocol engine and transports against qvsim, over TCP and over
// the pseudo-terminal's serial line.

#include "oldproto.h"
#include "serial.h"
#include "simprocess.h"
#include "waituntil.h"
#include "tcpsocket.h"
#include "zorqv.h"

#include "iflayout.h"
#include "oamlayout.h"
#include "progpack.h"
#include "resultfile.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr int kWaitMs = 5000;

// Catches the job the engine hands over when a download completes.
class JobCatcher final : public ReportSink
{
public:
    void startReport(const ReportJob &job) override { jobs.append(job); }
    QList<ReportJob> jobs;
};

// The engine, the device record and both transports, wired as the main
// window wires them, talking to one qvsim.
class Rig
{
public:
    explicit Rig(bool serial, const QStringList &arguments = {})
        : m_serial(serial)
        , sim(serial ? SimProcess::Link::Pty : SimProcess::Link::Tcp, arguments)
    {
        QObject::connect(&proto, &OldProto::snd_pckt, &port, &Serial::snd_pckt);
        QObject::connect(&port, &Serial::pckt_rcv, &proto, &OldProto::pckt_rcv);
        QObject::connect(&proto, &OldProto::disc_port, &port, &Serial::disc_port);
        QObject::connect(&port, &Serial::port_conn, &proto, &OldProto::port_conn);
        QObject::connect(&port, &Serial::port_disc, &proto, &OldProto::port_disc);
        device.setReportSink(&catcher);
    }

    // Starts qvsim; the TCP transport is made for the port it listens on.
    bool start()
    {
        if (!sim.start()) {
            qWarning().noquote() << sim.errorString();
            return false;
        }
        tcp = std::make_unique<TcpSocket>(nullptr, sim.port());
        QObject::connect(&proto, &OldProto::snd_pckt, tcp.get(), &TcpSocket::snd_pckt);
        QObject::connect(tcp.get(), &TcpSocket::pckt_rcv, &proto, &OldProto::pckt_rcv);
        QObject::connect(&proto, &OldProto::disc_sock, tcp.get(), &TcpSocket::disc_sock);
        QObject::connect(tcp.get(), &TcpSocket::sock_conn, &proto, &OldProto::sock_conn);
        QObject::connect(tcp.get(), &TcpSocket::sock_disc, &proto, &OldProto::sock_disc);
        return true;
    }

    void open()
    {
        if (m_serial)
            port.conn_port(sim.ptyPath());
        else
            tcp->conn_sock(QStringLiteral("127.0.0.1"));
    }

    bool connectAndWait()
    {
        open();
        return waitUntil([this] { return device.connected; }) && idle();
    }

    // Waits until the engine has nothing outstanding or queued.
    bool idle(int timeoutMs = kWaitMs)
    {
        return waitUntil([this] { return !proto.awaitingReply() && proto.queuedPackets() == 0; }, timeoutMs);
    }

    bool poll()
    {
        proto.upd_status();
        return idle();
    }

    bool m_serial;
    SimProcess sim;
    Zorqv device;
    OldProto proto{&device};
    Serial port;
    std::unique_ptr<TcpSocket> tcp;
    JobCatcher catcher;
};

// The device record's copy of a test's configuration for a process.
QByteArray *blockBytes(Zorqv &d, int test, int proc, QByteArray *scratch)
{
    const auto bytes = [scratch](const auto &block) {
        *scratch = QByteArray(reinterpret_cast<const char *>(block.data()), qsizetype(block.size()));
        return scratch;
    };
    switch (test) {
    case TestNo::Loopback: return bytes(d.lbConfig[proc]);
    case TestNo::Rfc: return bytes(d.rfcConfig[proc]);
    case TestNo::Ping: return bytes(d.pingConfig[proc]);
    case TestNo::Traffic: return bytes(d.trafficConfig[proc]);
    case TestNo::Trace: return bytes(d.traceConfig[proc]);
    case TestNo::Jitter: return bytes(d.jitterConfig[proc]);
    case TestNo::Bert: return bytes(d.bertConfig[proc]);
    case TestNo::Dns: return bytes(d.dnsConfig[proc]);
    case TestNo::Multi: return bytes(d.multiConfig[proc]);
    case TestNo::Iface: return bytes(d.ifaceConfig[proc]);
    default: return nullptr;
    }
}

void setBlock(Zorqv &d, int test, int proc, const QByteArray &b)
{
    const auto set = [&b](auto &block) { copyIn(block, b, 0); };
    switch (test) {
    case TestNo::Loopback: set(d.lbConfig[proc]); break;
    case TestNo::Rfc: set(d.rfcConfig[proc]); break;
    case TestNo::Ping: set(d.pingConfig[proc]); break;
    case TestNo::Traffic: set(d.trafficConfig[proc]); break;
    case TestNo::Trace: set(d.traceConfig[proc]); break;
    case TestNo::Jitter: set(d.jitterConfig[proc]); break;
    case TestNo::Bert: set(d.bertConfig[proc]); break;
    case TestNo::Dns: set(d.dnsConfig[proc]); break;
    case TestNo::Multi: set(d.multiConfig[proc]); break;
    case TestNo::Iface: set(d.ifaceConfig[proc]); break;
    default: break;
    }
}

void addLinkRows(const char *what = "")
{
    QTest::newRow(qPrintable(QStringLiteral("tcp%1").arg(QLatin1String(what)))) << false;
    QTest::newRow(qPrintable(QStringLiteral("pty%1").arg(QLatin1String(what)))) << true;
}

} // namespace

class TestSimE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handshake_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void handshake()
    {
        QFETCH(bool, serial);
        Rig rig(serial, {"--serial", "4321"});
        QVERIFY(rig.start());
        QSignalSpy connected(&rig.proto, &OldProto::qv_conn);
        QVERIFY(rig.connectAndWait());
        QCOMPARE(connected.size(), 1);
        const Zorqv &d = rig.device;
        QVERIFY(d.connected);
        QCOMPARE(d.linkType, serial ? 1 : 2);
        QCOMPARE(d.serialNumber, quint16(4321));
        QVERIFY(!d.isQvb);
        QCOMPARE(d.release, QStringLiteral("1.5"));
        QCOMPARE(d.linkSpeed[0], quint8(3));
        QCOMPARE(d.linkSpeed[1], quint8(3));
        QCOMPARE(d.duplex, quint8(0x22));
        QCOMPARE(d.statusByte8, quint8(0)); // transfer mode left by the handshake
        QVERIFY(rig.poll());
        QCOMPARE(connected.size(), 1);
    }

    void configRoundTrip_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<int>("test");
        QTest::addColumn<int>("proc");
        const struct
        {
            int test;
            const char *name;
        } tests[] = {{TestNo::Loopback, "loopback"}, {TestNo::Rfc, "RFC"},     {TestNo::Ping, "ping"},
                     {TestNo::Traffic, "traffic"},   {TestNo::Trace, "trace"}, {TestNo::Jitter, "jitter"},
                     {TestNo::Bert, "BERT"},         {TestNo::Dns, "DNS"},     {TestNo::Multi, "multistream"},
                     {TestNo::Iface, "interface"}};
        for (const bool serial : {false, true}) {
            for (const auto &t : tests) {
                const int proc = t.test == TestNo::Iface ? 0 : 1;
                QTest::addRow("%s %s", serial ? "pty" : "tcp", t.name) << serial << t.test << proc;
            }
        }
    }

    void configRoundTrip()
    {
        QFETCH(bool, serial);
        QFETCH(int, test);
        QFETCH(int, proc);
        Rig rig(serial);
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        rig.device.curProc = quint8(proc);
        QByteArray scratch;
        QByteArray block = *blockBytes(rig.device, test, proc, &scratch);
        QRandomGenerator random{quint32(test)};
        for (char &c : block)
            c = char(random.bounded(256));
        if (test == TestNo::Iface)
            block[IfaceConfigField::OamMode] = char(OamMode::Disabled); // the OAM page's byte
        setBlock(rig.device, test, proc, block);
        QSignalSpy cfg(&rig.proto, &OldProto::cfg_rcv);
        // Interface settings address the interface in the argument.
        const quint16 arg = test == TestNo::Iface ? quint16(proc * 64 + 1) : 1;
        rig.proto.gs_cfg(quint16(arg << 8 | test));
        QVERIFY(rig.idle());
        setBlock(rig.device, test, proc, QByteArray(block.size(), '\0'));
        rig.proto.gs_cfg(quint16((arg & ~1) << 8 | test));
        QVERIFY(rig.idle());
        QCOMPARE(*blockBytes(rig.device, test, proc, &scratch), block);
        QVERIFY(!cfg.isEmpty());
        QCOMPARE(int(cfg.last().at(0).value<unsigned short>()), proc << 8 | test);
    }

    void oamAndStatsSettings_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void oamAndStatsSettings()
    {
        QFETCH(bool, serial);
        Rig rig(serial);
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        rig.device.ifaceConfig[0][IfaceConfigField::OamMode] = OamMode::Passive;
        rig.proto.gs_cfg(0x010A);
        rig.device.statsFlag = true;
        rig.proto.gs_cfg(0x010D);
        QVERIFY(rig.idle());
        rig.device.ifaceConfig[0][IfaceConfigField::OamMode] = 0;
        rig.device.statsFlag = false;
        rig.proto.gs_cfg(0x000A);
        rig.proto.gs_cfg(0x000D);
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.ifaceConfig[0][IfaceConfigField::OamMode], OamMode::Passive);
        QVERIFY(rig.device.statsFlag);
        QCOMPARE(rig.device.procState[0], StateBit::tx(StateBit::Oam)); // a session runs
    }

    void startAndStop_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<int>("argument"); // 1 same port, 0 cross
        QTest::addColumn<quint32>("stateA");
        QTest::addColumn<quint32>("stateB");
        for (const bool serial : {false, true}) {
            const char *link = serial ? "pty" : "tcp";
            QTest::addRow("%s A->A", link) << serial << 1 << (StateBit::tx(5) | StateBit::rx(5)) << 0u;
            QTest::addRow("%s A->B", link) << serial << 0 << StateBit::tx(5) << StateBit::rx(5);
        }
    }

    void startAndStop()
    {
        QFETCH(bool, serial);
        QFETCH(int, argument);
        QFETCH(quint32, stateA);
        QFETCH(quint32, stateB);
        Rig rig(serial);
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        rig.proto.gs_cfg(0x0005); // as the page does: read, change, write
        QVERIFY(rig.idle());
        put32(rig.device.trafficConfig[0], TrafficConfigField::Duration, 0); // until stopped
        put16(rig.device.trafficConfig[0], TrafficConfigField::Margin, 0);  // sends at once
        rig.proto.gs_cfg(0x0105);
        rig.proto.start_test(quint16(argument << 8 | TestNo::Traffic));
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.procState[0], stateA);
        QCOMPARE(rig.device.procState[1], stateB);
        QCOMPARE(rig.device.topology[0], quint8(argument == 1 ? Mode::SamePort : Mode::Cross));
        QVERIFY(waitUntil([&] { return rig.poll() && rig.device.txRate[0] > 1000000; }, 2 * kWaitMs));
        // The same request stops it.
        rig.proto.start_test(quint16(argument << 8 | TestNo::Traffic));
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.procState[0], 0u);
        QCOMPARE(rig.device.procState[1], 0u);
    }

    void testEndsByItself_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void testEndsByItself()
    {
        QFETCH(bool, serial);
        Rig rig(serial, {"--speed", "10"});
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        rig.proto.start_test(0x0002); // cable test, 3 s
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.procState[0], StateBit::tx(StateBit::Cable) | StateBit::rx(StateBit::Cable));
        QVERIFY(waitUntil([&] { return rig.poll() && rig.device.procState[0] == 0; }));
        rig.device.activeTest = ActiveTest::Cable;
        rig.proto.upd_res();
        QVERIFY(rig.idle());
        QCOMPARE(rig.device.cableResult[0], quint8(1)); // the pairs are measured
    }

    void files_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void files()
    {
        QFETCH(bool, serial);
        QTemporaryDir reports;
        Rig rig(serial, {"--speed", "20"});
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        // A short traffic run leaves a result file behind.
        rig.proto.gs_cfg(0x0005);
        QVERIFY(rig.idle());
        put32(rig.device.trafficConfig[0], TrafficConfigField::Duration, 1);
        put16(rig.device.trafficConfig[0], TrafficConfigField::Margin, 0);
        rig.proto.gs_cfg(0x0105);
        rig.proto.start_test(0x0105);
        QVERIFY(rig.poll());
        QVERIFY(rig.device.procState[0] != 0);
        QVERIFY(waitUntil([&] { return rig.poll() && rig.device.procState[0] == 0; }));

        QSignalSpy listed(&rig.proto, &OldProto::cfg_rcv);
        rig.device.fileName = QStringLiteral("e2e");
        rig.proto.start_test(0x020E); // save, then the list comes again
        QVERIFY(rig.idle());
        QCOMPARE(rig.device.fileList, (QStringList{"$TRAF_001", "$e2e"}));
        QCOMPARE(listed.last().at(0).value<unsigned short>(), quint16(TestNo::FileTransfer));

        rig.device.trafficConfig[0].fill(0);
        rig.device.fileName = QStringLiteral("$e2e");
        rig.proto.start_test(0x030E); // load
        QVERIFY(rig.idle());
        rig.proto.gs_cfg(0x0005);
        QVERIFY(rig.idle());
        QCOMPARE(get32(rig.device.trafficConfig[0], TrafficConfigField::Duration), 1u);

        rig.device.fileName = QStringLiteral("$TRAF_001");
        rig.device.reportDir = reports.path();
        rig.proto.start_test(0x010E); // download
        QVERIFY(rig.idle());
        QCOMPARE(rig.catcher.jobs.size(), 1);
        const ReportJob &job = rig.catcher.jobs.first();
        QCOMPARE(job.data.size(), qsizetype(ResultFile::Size));
        QCOMPARE(job.directory, reports.path() + QStringLiteral("/TRAF_001"));
        QCOMPARE(job.serialNumber, quint16(1234));
        const qsizetype result = qsizetype(ResultFile::TrafficResult);
        QVERIFY(Bytes::get32(job.data.constData(), result + TrafficResultField::TxFrames) > 0);

        rig.device.fileName = QStringLiteral("$e2e");
        rig.proto.start_test(0x040E); // delete
        QVERIFY(rig.idle());
        QCOMPARE(rig.device.fileList, QStringList{"$TRAF_001"});
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.statusByte8, quint8(0)); // out of transfer mode again
    }

    void screenImage_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void screenImage()
    {
        QFETCH(bool, serial);
        QTemporaryDir dir;
        Rig rig(serial);
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        rig.device.screenPath = dir.filePath(QStringLiteral("screen.png"));
        QSignalSpy chunks(&rig.proto, &OldProto::res_rcv);
        rig.proto.start_test(0x000E);
        QVERIFY(rig.idle(20000));
        QCOMPARE(chunks.size(), 300);
        QCOMPARE(rig.device.screenCount, int(BlockSize::Screen));
        const QImage saved(rig.device.screenPath);
        QCOMPARE(saved.size(), QSize(320, 240));
        QVERIFY(saved.pixel(2, 2) != saved.pixel(2, 100)); // a title bar over the page
    }

    void freeTextBetweenFrames()
    {
        Rig rig(true);
        QVERIFY(rig.start());
        QSignalSpy text(&rig.port, &Serial::show_debug);
        QVERIFY(rig.connectAndWait());
        rig.proto.start_test(0x0004); // ping: the tester says so on its line
        QVERIFY(rig.poll());
        QVERIFY(rig.poll());
        QByteArray all;
        for (const QList<QVariant> &piece : text)
            all += piece.at(0).toByteArray();
        QVERIFY2(all.contains("A: ping started"), all.constData());
        QVERIFY(!all.contains('$'));
        QCOMPARE(rig.device.procState[0], StateBit::tx(StateBit::Ping) | StateBit::rx(StateBit::Ping));
    }

    void linkLost_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("handshake"); // whether the tester answers it
        QTest::newRow("tcp silent after 4") << false << QStringList{"--silent-after", "4"} << true;
        QTest::newRow("pty silent after 4") << true << QStringList{"--silent-after", "4"} << true;
        QTest::newRow("tcp all dropped") << false << QStringList{"--drop", "1"} << false;
        QTest::newRow("pty all corrupt") << true << QStringList{"--corrupt", "1"} << false;
        QTest::newRow("pty bad start") << true << QStringList{"--bad-start", "1"} << false;
    }

    void linkLost()
    {
        QFETCH(bool, serial);
        QFETCH(QStringList, arguments);
        QFETCH(bool, handshake);
        Rig rig(serial, arguments);
        QVERIFY(rig.start());
        QSignalSpy lost(&rig.proto, &OldProto::qv_disc);
        if (handshake) {
            QVERIFY(rig.connectAndWait()); // requests 1 and 2
            rig.proto.upd_status();        // 3
            QVERIFY(rig.idle());
            QVERIFY(lost.isEmpty());
            rig.proto.upd_status(); // 4: the last answer
            rig.proto.upd_status();
        } else {
            rig.open();
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(waitUntil([&] { return !lost.isEmpty(); }));
        QVERIFY(!rig.device.connected);
        // The watchdog, not the link: not before about 1.1 s.
        QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    }

    // The tester closes the TCP connection, or the serial device goes away
    // (qvsim ends, closing its end of the pseudo-terminal): the engine's
    // usual disconnect follows at once, not after its watchdog, and a new
    // connection works and stays.
    void closedByTester_data()
    {
        QTest::addColumn<bool>("serial");
        addLinkRows();
    }

    void closedByTester()
    {
        QFETCH(bool, serial);
        Rig rig(serial, serial ? QStringList() : QStringList{"--close-after", "3"});
        QVERIFY(rig.start());
        QSignalSpy lost(&rig.proto, &OldProto::qv_disc);
        QVERIFY(rig.connectAndWait()); // requests 1 and 2
        QElapsedTimer clock;
        clock.start();
        if (serial)
            QVERIFY(rig.sim.stop());
        else
            rig.proto.upd_status(); // 3: answered, then the connection is closed
        QVERIFY(waitUntil([&] { return !lost.isEmpty(); }));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!rig.device.connected);
        QCOMPARE(rig.device.linkType, 0);

        SimProcess again(SimProcess::Link::Pty);
        if (serial) {
            QVERIFY2(again.start(), qPrintable(again.errorString()));
            rig.port.conn_port(again.ptyPath());
        } else {
            rig.open(); // the handshake's two requests; a third would close it again
        }
        QVERIFY(waitUntil([&] { return rig.device.connected; }));
        QVERIFY(rig.idle());
        QTest::qWait(1300); // past any watchdog left from the first link
        QVERIFY(rig.device.connected);
        QCOMPARE(lost.size(), 1);
    }

    void ptyLinkAndCleanExit()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("ttyQV"));
        Rig rig(true, {"--pty-link", link});
        QVERIFY(rig.start());
        QCOMPARE(QFileInfo(link).symLinkTarget(), rig.sim.ptyPath());
        rig.port.conn_port(link);
        QVERIFY(waitUntil([&] { return rig.device.connected; }));
        rig.port.disc_port();
        QVERIFY(rig.sim.stop()); // SIGTERM: exit code 0, the link removed
        QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
    }

    void qvbModel()
    {
        Rig rig(false, {"--model", "qvb"});
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        QVERIFY(rig.device.isQvb);
        QCOMPARE(rig.device.release, QStringLiteral("1.5"));
        QCOMPARE(rig.device.linkSpeed[1], quint8(0));
        // No port B: a cross-port start is refused.
        rig.proto.start_test(quint16(TestNo::Bert));
        QVERIFY(rig.poll());
        QCOMPARE(rig.device.procState[0], 0u);
    }

    void lineRatePacing()
    {
        // 500000 baud: 263 bytes each way take 10.52 ms a transaction.
        Rig rig(true, {"--line-rate", "500000"});
        QVERIFY(rig.start());
        QVERIFY(rig.connectAndWait());
        constexpr int transactions = 30;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < transactions; ++i) {
            rig.proto.upd_status();
            QVERIFY(rig.idle());
        }
        const double limitMs = transactions * 526 / 50.0;
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        QVERIFY2(ms >= limitMs * 0.98, qPrintable(QString::number(ms)));
        QVERIFY2(ms < limitMs * 5, qPrintable(QString::number(ms))); // a loaded machine is slower, never faster
    }
};

QTEST_MAIN(TestSimE2e)
#include "tst_sime2e.moc"
