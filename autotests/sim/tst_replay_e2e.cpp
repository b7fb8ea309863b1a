// Session recordings against qvsim: a session of the engine recorded over
// TCP or the pty, played back by qvsim --replay, gives the engine the same
// status, configuration and results; qvsim --dump and --pcap show a
// recording; QVRemote killed mid-session leaves a recording that reads back.

#include "oldproto.h"
#include "serial.h"
#include "sessionfile.h"
#include "sessionrecorder.h"
#include "simprocess.h"
#include "tcpsocket.h"
#include "testerwiring.h"
#include "testpaths.h"
#include "waituntil.h"
#include "zorqv.h"

#include "crc8.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QProcess>
#include <QTcpSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <csignal>

namespace {

constexpr int kWaitMs = 5000;

// The engine, the record and both transports, wired as the window wires
// them, on the link of one qvsim; recorded when a recorder is given.
class Session
{
public:
    Session(bool serial, SimProcess &sim, SessionRecorder *recorder)
        : m_serial(serial)
        , m_sim(sim)
        , tcp(nullptr, sim.port())
    {
        wireTester(device, proto, port, tcp);
        recordTester(device, proto, port, tcp, recorder);
        QObject::connect(&port, &Serial::show_debug, &port, [this](const QByteArray &t) { text += t; });
    }

    bool idle()
    {
        return waitUntil([this] { return !proto.awaitingReply() && proto.queuedPackets() == 0; }, kWaitMs);
    }

    // What a user does: connect, read the traffic test's settings, change
    // and write them, start it and watch status and results three times.
    // durationSeconds differs from the recording's in the loose rows.
    bool run(quint32 durationSeconds)
    {
        if (m_serial)
            port.conn_port(m_sim.ptyPath());
        else
            tcp.conn_sock(QStringLiteral("127.0.0.1"));
        if (!waitUntil([this] { return device.connected; }, kWaitMs) || !idle())
            return false;
        proto.gs_cfg(0x0005);
        if (!idle())
            return false;
        put32(device.trafficConfig[0], TrafficConfigField::Duration, durationSeconds);
        put16(device.trafficConfig[0], TrafficConfigField::Margin, 0);
        proto.gs_cfg(0x0105);
        proto.start_test(0x0105);
        device.activeTest = ActiveTest::Traffic;
        for (int i = 0; i < 3; ++i) {
            QTest::qWait(150);
            proto.upd_status();
            proto.upd_res();
            if (!idle())
                return false;
        }
        QTest::qWait(100); // the tester's last words
        proto.disc_qv();
        return waitUntil([this] { return !device.connected; }, kWaitMs);
    }

    // What the window would show of it.
    QByteArray shown() const
    {
        QByteArray s;
        const auto add = [&s](const auto &block) { s.append(reinterpret_cast<const char *>(block.data()), qsizetype(block.size())); };
        add(device.trafficConfig[0]);
        add(device.trafficResult[0]);
        s += QByteArray::number(device.procState[0]) + ' ' + QByteArray::number(device.serialNumber) + ' '
            + QByteArray::number(device.cpuVersion[1]) + ' ' + QByteArray::number(device.elapsed[0]) + ' '
            + QByteArray::number(device.txRate[0]) + ' ' + device.release.toLatin1();
        return s;
    }

    bool m_serial;
    SimProcess &m_sim;
    Zorqv device;
    OldProto proto{&device};
    Serial port;
    TcpSocket tcp;
    QByteArray text; // the tester's free text, as the debug window shows it
};

SessionRecorder::Settings recordInto(const QString &dir)
{
    SessionRecorder::Settings s;
    s.directory = dir;
    return s;
}

struct ReplayCounts
{
    int exact = -1;
    int loose = -1;
    int notFound = -1;
};

ReplayCounts countsIn(const QByteArray &output)
{
    static const QRegularExpression line(
        QStringLiteral("qvsim: replay: matched exactly (\\d+), loosely (\\d+), not found (\\d+)"));
    const QRegularExpressionMatch m = line.match(QString::fromLocal8Bit(output));
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
}

int framesOut(const SessionFile::Recording &r)
{
    int n = 0;
    for (const SessionFile::Record &rec : r.records)
        n += rec.isFrame() && rec.direction == SessionFile::Direction::Out;
    return n;
}

quint32 le32At(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

class TestReplayE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordAndReplay_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<quint32>("replayDuration");
        QTest::addColumn<int>("loose");
        QTest::newRow("tcp") << false << 2u << 0;
        QTest::newRow("pty") << true << 2u << 0;
        QTest::newRow("tcp, another duration written") << false << 7u << 1;
    }

    void recordAndReplay()
    {
        QFETCH(bool, serial);
        QFETCH(quint32, replayDuration);
        QFETCH(int, loose);
        const SimProcess::Link link = serial ? SimProcess::Link::Pty : SimProcess::Link::Tcp;
        QTemporaryDir sessions;
        QString path;
        QByteArray recorded;
        QByteArray recordedText;
        {
            SimProcess sim(link, {"--serial", "2345", "--speed", "5"});
            QVERIFY2(sim.start(), qPrintable(sim.errorString()));
            SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("1.4.9"), recordInto(sessions.path()));
            Session session(serial, sim, &recorder);
            QVERIFY(session.run(2));
            recorded = session.shown();
            recordedText = session.text;
            const auto &result = session.device.trafficResult[0];
            QVERIFY(std::any_of(result.begin(), result.end(), [](auto b) { return b != 0; }));
            QVERIFY(sim.stop());
            const QStringList files = SessionRecorder::recordings(sessions.path());
            QCOMPARE(files.size(), 1);
            path = files.first();
        }
        QVERIFY2(path.endsWith(QLatin1String("-QVRemote-SN2345.qvrec")), qPrintable(path));
        QString error;
        const auto recording = SessionFile::Recording::read(path, &error);
        QVERIFY2(recording, qPrintable(error));
        QCOMPARE(recording->field(QStringLiteral("transport")), serial ? QStringLiteral("serial") : QStringLiteral("tcp"));
        QCOMPARE(recording->field(QStringLiteral("serial")), QStringLiteral("2345"));
        QCOMPARE(recording->field(QStringLiteral("model")), QStringLiteral("ZORT-QV"));
        const int requests = framesOut(*recording);
        // On the serial line the tester's free text comes between the frames.
        const bool text = std::any_of(recording->records.begin(), recording->records.end(), [](const SessionFile::Record &r) {
            return r.channel == SessionFile::Channel::Text && r.direction == SessionFile::Direction::In;
        });
        QCOMPARE(text, serial);
        QVERIFY2(requests >= 10, qPrintable(QString::number(requests)));

        SimProcess replay(link, {"--replay", path, "--speed", "0"});
        QVERIFY2(replay.start(), qPrintable(replay.errorString()));
        Session again(serial, replay, nullptr);
        QVERIFY(again.run(replayDuration));
        if (loose == 0)
            QCOMPARE(again.shown(), recorded);
        QCOMPARE(again.text, recordedText);
        QCOMPARE(recordedText.isEmpty(), !serial);
        QVERIFY(replay.stop());
        const ReplayCounts counts = countsIn(replay.output());
        QCOMPARE(counts.exact, requests - loose);
        QCOMPARE(counts.loose, loose);
        QCOMPARE(counts.notFound, 0);
    }

    // Both transports share the window's recorder: closing the one that is
    // not connected leaves the other's recording going.
    void otherTransportClosed_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::newRow("serial recording, TCP closed") << true;
        QTest::newRow("TCP recording, serial closed") << false;
    }

    void otherTransportClosed()
    {
        QFETCH(bool, serial);
        QTemporaryDir sessions;
        SimProcess sim(serial ? SimProcess::Link::Pty : SimProcess::Link::Tcp);
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("1"), recordInto(sessions.path()));
        Session s(serial, sim, &recorder);
        if (serial)
            s.port.conn_port(sim.ptyPath());
        else
            s.tcp.conn_sock(QStringLiteral("127.0.0.1"));
        QVERIFY(waitUntil([&] { return s.device.connected; }, kWaitMs));
        QVERIFY(recorder.isRecording());
        if (serial)
            s.tcp.disc_sock();
        else
            s.port.disc_port();
        QVERIFY(recorder.isRecording());
        if (serial)
            s.port.disc_port();
        else
            s.tcp.disc_sock();
        QVERIFY(!recorder.isRecording());
    }

    // Recorded delays are kept (scaled by the speed): a reply the tester
    // gave after 1 s comes after about 1 s, or 250 ms at speed 4; the
    // windows leave room for a loaded machine.
    void replyDelay_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("as recorded") << "1" << 980 << 2500;
        QTest::newRow("four times as fast") << "4" << 240 << 700;
        QTest::newRow("at once") << "0" << 0 << 200;
    }

    void replyDelay()
    {
        QFETCH(QString, speed);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        QTemporaryDir dir;
        QByteArray file = SessionFile::encodeHeader(0, {{QStringLiteral("program"), QStringLiteral("QVRemote")}});
        QByteArray request(261, '\0'); // the status request as TCP carries it
        QByteArray reply(261, '\x07');
        reply[0] = 0;
        SessionFile::appendRecord(file, 1000, SessionFile::Direction::Out, SessionFile::Channel::Frame, request);
        SessionFile::appendRecord(file, 1001000, SessionFile::Direction::In, SessionFile::Channel::Frame, reply);
        const QString path = dir.filePath(QStringLiteral("delay.qvrec"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();

        SimProcess replay(SimProcess::Link::Tcp, {"--replay", path, "--speed", speed});
        QVERIFY2(replay.start(), qPrintable(replay.errorString()));
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), replay.port());
        QVERIFY(socket.waitForConnected(kWaitMs));
        QElapsedTimer clock;
        clock.start();
        socket.write(request);
        QVERIFY(waitUntil([&] { return socket.bytesAvailable() >= 261; }, 4000));
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= minMs && took <= maxMs, qPrintable(QStringLiteral("%1 ms").arg(took)));
        QCOMPARE(socket.readAll(), reply);
    }

    void dumpAndPcap()
    {
        QTemporaryDir dir;
        const qint64 start = 1765360000123;
        QByteArray file = SessionFile::encodeHeader(start, {{QStringLiteral("program"), QStringLiteral("QVRemote")},
                                                            {QStringLiteral("transport"), QStringLiteral("tcp")}});
        QByteArray status(261, '\0');
        QByteArray traffic(261, '\x15');
        traffic[0] = char(63);
        struct Expected
        {
            qint64 timeUs;
            SessionFile::Direction direction;
            SessionFile::Channel channel;
            QByteArray bytes;
            QString line; // what the dump prints for it
        };
        const QList<Expected> records = {
            {1500, SessionFile::Direction::Out, SessionFile::Channel::Frame, status, QStringLiteral("0.001500    >    0  status")},
            {2750, SessionFile::Direction::In, SessionFile::Channel::Frame, status, QStringLiteral("0.002750    <    0  status")},
            {4000, SessionFile::Direction::In, SessionFile::Channel::Text, "boot\n", QStringLiteral("0.004000    <    -  text")},
            {2000100, SessionFile::Direction::Out, SessionFile::Channel::Frame, traffic, QStringLiteral("2.000100    >   63  traffic results")},
        };
        for (const Expected &e : records)
            SessionFile::appendRecord(file, e.timeUs, e.direction, e.channel, e.bytes);
        file += QByteArray(5, '\x01'); // a record cut short
        const QString path = dir.filePath(QStringLiteral("small.qvrec"));
        const QString pcap = dir.filePath(QStringLiteral("small.pcapng"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();

        QProcess dump;
        dump.start(SimProcess::program(), {"--dump", path, "--hex", "--pcap", pcap});
        QVERIFY(dump.waitForFinished(kWaitMs));
        QCOMPARE(dump.exitCode(), 0);
        const QString out = QString::fromUtf8(dump.readAllStandardOutput());
        QVERIFY2(out.contains(QLatin1String("started 2025-12-10T09:46:40.123Z")), qPrintable(out));
        for (const Expected &e : records)
            QVERIFY2(out.contains(e.line + u' '), qPrintable(e.line + QStringLiteral("\n") + out));
        QVERIFY(out.contains(QLatin1String("0000  3f 15 15 15")));
        QVERIFY(out.contains(QLatin1String("5 bytes after the last whole record")));

        // Our own reading of the pcapng: section, interface, one packet per frame.
        QFile p(pcap);
        QVERIFY(p.open(QIODevice::ReadOnly));
        const QByteArray bytes = p.readAll();
        QList<QByteArray> blocks;
        QList<quint32> types;
        for (qsizetype at = 0; at + 12 <= bytes.size();) {
            const quint32 length = le32At(bytes, at + 4);
            QVERIFY(length >= 12 && length % 4 == 0 && at + length <= bytes.size());
            QCOMPARE(le32At(bytes, at + length - 4), length);
            types << le32At(bytes, at);
            blocks << bytes.mid(at + 8, length - 12);
            at += length;
        }
        QCOMPARE(types, (QList<quint32>{0x0A0D0D0A, 1, 6, 6, 6}));
        QCOMPARE(le32At(blocks[0], 0), 0x1A2B3C4Du);
        QCOMPARE(qFromLittleEndian<quint16>(blocks[1].constData()), quint16(147));
        int frame = 0;
        for (const Expected &e : records) {
            if (e.channel != SessionFile::Channel::Frame)
                continue;
            const QByteArray &epb = blocks[2 + frame++];
            const quint64 ts = quint64(le32At(epb, 4)) << 32 | le32At(epb, 8);
            QCOMPARE(ts, quint64(start * 1000 + e.timeUs));
            QCOMPARE(le32At(epb, 12), 263u);
            QCOMPARE(le32At(epb, 16), 263u);
            const QByteArray data = epb.mid(20, 263);
            QCOMPARE(data.at(0), e.direction == SessionFile::Direction::Out ? '@' : '$');
            QCOMPARE(data.mid(1, 261), e.bytes);
            QCOMPARE(quint8(data.at(262)), Crc8::compute(data.constData(), 262));
            const QByteArray options = epb.mid(20 + 264);
            QCOMPARE(qFromLittleEndian<quint16>(options.constData()), quint16(2)); // epb_flags
            QCOMPARE(le32At(options, 4), e.direction == SessionFile::Direction::In ? 1u : 2u);
        }
    }

    // QVRemote itself records; killed, it leaves every whole record behind.
    // Told not to record, it leaves nothing.
    void killedMidSession_data()
    {
        QTest::addColumn<bool>("record");
        QTest::newRow("recorded") << true;
        QTest::newRow("--no-record") << false;
    }

    void killedMidSession()
    {
        QFETCH(bool, record);
        QTemporaryDir sessions;
        SimProcess sim(SimProcess::Link::Pty, {"--serial", "7777"});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        QProcess remote;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QV_SESSIONS_DIR"), sessions.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        remote.setProcessEnvironment(env);
        QStringList arguments{"--serial", sim.ptyPath()};
        if (!record)
            arguments << QStringLiteral("--no-record");
        remote.start(QStringLiteral(QVREMOTE_PATH), arguments);
        QVERIFY(remote.waitForStarted(kWaitMs));
        // The status poll runs each second: three of them, then the kill.
        const auto statusReplies = [&sessions] {
            const QStringList files = SessionRecorder::recordings(sessions.path());
            QString error;
            const auto r = files.isEmpty() ? std::nullopt : SessionFile::Recording::read(files.last(), &error);
            int n = 0;
            for (const SessionFile::Record &rec : r ? r->records : QList<SessionFile::Record>())
                n += rec.isFrame() && rec.direction == SessionFile::Direction::In && rec.id() == 0;
            return n;
        };
        if (record)
            QVERIFY(waitUntil([&] { return statusReplies() >= 3; }, 15000));
        else
            QTest::qWait(2500); // two status polls
        ::kill(pid_t(remote.processId()), SIGKILL);
        QVERIFY(remote.waitForFinished(kWaitMs));
        QVERIFY(sim.stop());

        const QStringList files = SessionRecorder::recordings(sessions.path());
        if (!record) {
            QVERIFY(files.isEmpty());
            QVERIFY2(sim.output().contains("qvsim: requests ") && !sim.output().contains("qvsim: requests 0,"),
                     "the program did talk to the tester");
            return;
        }
        QCOMPARE(files.size(), 1);
        QVERIFY2(files.first().endsWith(QLatin1String("-QVRemote-SN7777.qvrec")), qPrintable(files.first()));
        QString error;
        const auto r = SessionFile::Recording::read(files.first(), &error);
        QVERIFY2(r, qPrintable(error));
        QCOMPARE(r->trailingBytes, 0);
        QCOMPARE(r->field(QStringLiteral("program")), QStringLiteral("QVRemote"));
        QCOMPARE(r->field(QStringLiteral("port")), sim.ptyPath());
        QCOMPARE(r->field(QStringLiteral("cpu")), QStringLiteral("0.27.4"));
        // Each request qvsim saw is in the recording (the last one may have
        // been recorded and not yet sent when the program died).
        static const QRegularExpression requests(QStringLiteral("qvsim: requests (\\d+),"));
        const QRegularExpressionMatch m = requests.match(QString::fromLocal8Bit(sim.output()));
        QVERIFY(m.hasMatch());
        const int seen = m.captured(1).toInt();
        QVERIFY2(framesOut(*r) - seen >= 0 && framesOut(*r) - seen <= 1,
                 qPrintable(QStringLiteral("%1 recorded, %2 seen").arg(framesOut(*r)).arg(seen)));
        // The tester's boot line and the frames, in their order in time.
        qint64 last = -1;
        for (const SessionFile::Record &rec : r->records) {
            QVERIFY(rec.timeUs >= last);
            last = rec.timeUs;
            if (rec.isFrame())
                QCOMPARE(rec.bytes.size(), 263);
        }
    }
};

QTEST_MAIN(TestReplayE2e)
#include "tst_replay_e2e.moc"
