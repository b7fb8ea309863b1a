// qvsim's updater mode at the byte level, through a minimal updater client
// on the pseudo-terminal.

#include "block.h"
#include "crc8.h"
#include "simprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

namespace {

constexpr int kFrame = 263;

// Builds updater requests and reads one 263-byte reply.
class UpdaterClient
{
public:
    bool open(const QString &path)
    {
        m_port.setPortName(path);
        return m_port.open(QIODevice::ReadWrite) && m_port.setBaudRate(500000);
    }

    static QByteArray request(quint8 command, quint32 value, const QByteArray &data = {})
    {
        QByteArray p(kFrame, '\0');
        p[0] = '@';
        p[1] = char(command);
        Bytes::put32(p.data(), 2, value);
        p.replace(6, qMin<qsizetype>(data.size(), 256), data.left(256));
        p[262] = char(Crc8::compute(p.constData(), 262));
        return p;
    }

    // The reply, or fewer than 263 bytes when none came within timeoutMs.
    QByteArray send(const QByteArray &packet, int timeoutMs = 1000)
    {
        m_port.write(packet);
        m_port.waitForBytesWritten(timeoutMs);
        QByteArray reply;
        QElapsedTimer clock;
        clock.start();
        while (reply.size() < kFrame && clock.elapsed() < timeoutMs) {
            if (m_port.bytesAvailable() > 0 || m_port.waitForReadyRead(int(timeoutMs - clock.elapsed())))
                reply += m_port.read(kFrame - reply.size());
        }
        return reply;
    }

    QByteArray transact(quint8 command, quint32 value, const QByteArray &data = {})
    {
        return send(request(command, value, data));
    }

private:
    QSerialPort m_port;
};

bool validReply(const QByteArray &r)
{
    return r.size() == kFrame && r.at(0) == '$' && quint8(r.at(262)) == Crc8::compute(r.constData(), 262);
}

quint32 value(const QByteArray &r)
{
    return Bytes::get32(r.constData(), 2);
}

// What the updater searches: the reply read as one string from byte 0.
QByteArray text(const QByteArray &r)
{
    return QByteArray(r.constData());
}

QByteArray randomBytes(int n, quint32 seed)
{
    QByteArray data(n, '\0');
    QRandomGenerator random(seed);
    for (char &c : data)
        c = char(random.bounded(256));
    return data;
}

} // namespace

class TestSimUpdater : public QObject
{
    Q_OBJECT

private:
    // Starts qvsim in updater mode writing into m_dir, and connects.
    bool startSim(const QStringList &extra = {})
    {
        m_sim = std::make_unique<SimProcess>(SimProcess::Link::Pty,
                                             QStringList{QStringLiteral("--updater"), QStringLiteral("--flash-dir"),
                                                         m_dir->path(), QStringLiteral("--seed"), QStringLiteral("7")}
                                                 + extra);
        m_client = std::make_unique<UpdaterClient>();
        if (!m_sim->start()) {
            qWarning() << m_sim->errorString();
            return false;
        }
        return m_client->open(m_sim->ptyPath());
    }

    // Sends data in 256-byte blocks and checks each reply's count; returns
    // the text of the last reply.
    QByteArray sendBlocks(quint8 command, const QByteArray &data)
    {
        QByteArray last;
        for (int pos = 0; pos < data.size(); pos += 256) {
            const int end = qMin<int>(pos + 256, int(data.size()));
            last = m_client->transact(command, quint32(pos), data.mid(pos, 256));
            if (!validReply(last))
                return "invalid reply";
            if (end < data.size() && value(last) != quint32(end))
                return "count " + QByteArray::number(value(last)) + " after " + QByteArray::number(end);
        }
        return text(last);
    }

    QByteArray flashFile(const QString &name)
    {
        QFile f(m_dir->filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<UpdaterClient> m_client;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        m_client.reset();
        if (m_sim)
            QVERIFY(m_sim->stop()); // a clean exit on SIGTERM
        m_sim.reset();
    }

    void status_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("versions"); // bytes 2..7
        QTest::addColumn<int>("serial");
        QTest::newRow("qv") << QStringList{} << QByteArray("\x00\x1b\x04\x00\x0c\x03", 6) << 1234;
        QTest::newRow("qvb") << QStringList{"--model", "qvb", "--serial", "77"}
                             << QByteArray("\x00\x03\x06\x00\x04\x01", 6) << 77;
        QTest::newRow("old firmware") << QStringList{"--old-firmware"}
                                      << QByteArray("\xfd\xfc\x04\x00\x0c\x03", 6) << 1234;
        QTest::newRow("versions, noise") << QStringList{"--cpu-version", "22.26.5", "--fpga-version", "1.2.200",
                                                        "--undefined", "noise=3"}
                                         << QByteArray("\x16\x1a\x05\x01\x02\xc8", 6) << 1234;
    }

    void status()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, versions);
        QFETCH(int, serial);
        QVERIFY(startSim(arguments));
        const QByteArray r = m_client->transact(0, 0);
        QVERIFY(validReply(r));
        QCOMPARE(r.mid(2, 6), versions);
        QCOMPARE(int(quint8(r.at(8))), 0); // normal mode
        QCOMPARE(int(Bytes::get16(r.constData(), 25)), serial);
    }

    // Bytes the updater's protocol leaves undefined: zero, or noise that
    // differs from reply to reply, around defined bytes that stay exact.
    void undefinedBytes_data()
    {
        QTest::addColumn<QString>("undefined");
        QTest::newRow("zero") << "zero";
        QTest::newRow("noise") << "noise=11";
    }

    void undefinedBytes()
    {
        QFETCH(QString, undefined);
        QVERIFY(startSim({"--undefined", undefined}));
        const bool noise = undefined != QLatin1String("zero");
        // Bytes 1 to 261 around what each reply defines.
        const auto undefinedNonZero = [](const QByteArray &r, int from, int to) {
            int n = 0;
            for (int i = 1; i < 262; ++i)
                n += (i < from || i >= to) && r.at(i) != 0;
            return n;
        };
        const QByteArray mode = m_client->transact(71, 4);
        const QByteArray erase = m_client->transact(13, 0);
        const QByteArray length = m_client->transact(12, 300);
        QVERIFY(validReply(mode) && validReply(erase) && validReply(length));
        QCOMPARE(erase.mid(1, 6), QByteArray("CP_OK\0", 6)); // the text follows the "$"
        QCOMPARE(value(length), 300u);
        for (const auto &[reply, from, to] : {std::tuple(mode, 1, 1), std::tuple(erase, 1, 7),
                                              std::tuple(length, 2, 6)}) {
            const int n = undefinedNonZero(reply, from, to);
            QVERIFY2(noise ? n > 200 : n == 0, qPrintable(QString::number(n)));
        }
        QCOMPARE(m_client->transact(71, 4) == mode, !noise);
    }

    void modeSwitch()
    {
        QVERIFY(startSim());
        for (const quint8 mode : {quint8(4), quint8(1), quint8(2), quint8(0)}) {
            QVERIFY(validReply(m_client->transact(71, mode)));
            QCOMPARE(int(quint8(m_client->transact(0, 0).at(8))), int(mode));
        }
        // A mode the tester does not have leaves the mode as it was.
        QVERIFY(validReply(m_client->transact(71, 3)));
        QCOMPARE(int(quint8(m_client->transact(0, 0).at(8))), 0);
    }

    void cpuImage_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("whole blocks") << 1024;
        QTest::newRow("partial last block") << 1000;
        QTest::newRow("one byte") << 1;
    }

    void cpuImage()
    {
        QFETCH(int, size);
        QVERIFY(startSim());
        const QByteArray image = randomBytes(size, quint32(size));
        m_client->transact(71, 4);
        QVERIFY(text(m_client->transact(13, 0)).contains("CP_OK"));
        QCOMPARE(value(m_client->transact(12, quint32(size))), quint32(size));
        QCOMPARE(sendBlocks(11, image), QByteArray("$ready"));
        QCOMPARE(flashFile("cpu.bin"), image);
    }

    void fpgaImage()
    {
        QVERIFY(startSim());
        const QByteArray image = randomBytes(768, 3);
        m_client->transact(71, 1);
        QVERIFY(validReply(m_client->transact(3, 0)));
        QStringList polls;
        for (int i = 0; i < 10; ++i) {
            const QByteArray t = text(m_client->transact(4, 0));
            polls << QString::fromLatin1(t.mid(1));
            if (!t.contains("Clr.."))
                break;
        }
        QCOMPARE(polls, (QStringList{"Clr..", "Clr..", "Clr..", "ClrOK"}));
        QCOMPARE(value(m_client->transact(2, 768)), 768u);
        QCOMPARE(sendBlocks(1, image), QByteArray("$ready"));
        QCOMPARE(flashFile("fpga.rpd"), image);
    }

    // Outside its mode, or out of order, a step is refused in the way the
    // updater detects: no keyword, or a count or echo of 0.
    void refused_data()
    {
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<quint8>("command");
        QTest::addColumn<QByteArray>("expected"); // text, or "=0" for a zero value
        QTest::newRow("CPU erase in normal mode") << quint8(0) << quint8(13) << QByteArray("CP_ER");
        QTest::newRow("CPU length before erase") << quint8(4) << quint8(12) << QByteArray("=0");
        QTest::newRow("CPU block before length") << quint8(4) << quint8(11) << QByteArray("=0");
        QTest::newRow("erase poll without erase") << quint8(1) << quint8(4) << QByteArray("ClrER");
        QTest::newRow("FPGA length before erase") << quint8(1) << quint8(2) << QByteArray("=0");
        QTest::newRow("file outside file mode") << quint8(0) << quint8(41) << QByteArray("ER");
    }

    void refused()
    {
        QFETCH(quint8, mode);
        QFETCH(quint8, command);
        QFETCH(QByteArray, expected);
        QVERIFY(startSim());
        m_client->transact(71, mode);
        const QByteArray r = m_client->transact(command, 512, QByteArray("name"));
        QVERIFY(validReply(r));
        if (expected == "=0")
            QCOMPARE(value(r), 0u);
        else
            QCOMPARE(text(r).mid(1), expected);
    }

    void skippedBlockNotCounted()
    {
        QVERIFY(startSim());
        m_client->transact(71, 4);
        m_client->transact(13, 0);
        m_client->transact(12, 1024);
        QCOMPARE(value(m_client->transact(11, 0, randomBytes(256, 1))), 256u);
        QCOMPARE(value(m_client->transact(11, 512, randomBytes(256, 2))), 256u); // a gap
        QCOMPARE(value(m_client->transact(11, 0, randomBytes(256, 1))), 256u);   // a repeat
        QCOMPARE(value(m_client->transact(11, 256, randomBytes(256, 3))), 512u);
        QVERIFY(!QFile::exists(m_dir->filePath("cpu.bin")));
    }

    void fileSystem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("font") << "font16.bin" << 700;
        QTest::newRow("empty") << "empty.cfg" << 0;
    }

    void fileSystem()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QVERIFY(startSim());
        const QByteArray contents = randomBytes(size, 9);
        m_client->transact(71, 2);
        QVERIFY(text(m_client->transact(40, 0)).contains("OK"));
        m_client->transact(71, 0);
        m_client->transact(71, 2);
        QVERIFY(text(m_client->transact(41, quint32(size), name.toLatin1())).contains("OK"));
        if (size > 0)
            QCOMPARE(sendBlocks(43, contents), QByteArray("$ready"));
        QCOMPARE(flashFile("fs/" + name), contents);
    }

    void serialNumber()
    {
        QVERIFY(startSim());
        QVERIFY(validReply(m_client->transact(254, 4321)));
        QCOMPARE(int(Bytes::get16(m_client->transact(0, 0).constData(), 25)), 4321);
        QCOMPARE(flashFile("serial.txt"), QByteArray("4321\n"));
    }

    void badRequestCrcIgnored()
    {
        QVERIFY(startSim());
        QByteArray bad = UpdaterClient::request(0, 0);
        bad[262] = char(bad.at(262) ^ 1);
        QCOMPARE(m_client->send(bad, 300).size(), 0);
        QVERIFY(validReply(m_client->transact(0, 0)));
    }

    void faults_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // per request: ok, none, crc, start
        QTest::newRow("drop all") << QStringList{"--drop", "1"} << "none none";
        QTest::newRow("corrupt all") << QStringList{"--corrupt", "1"} << "crc crc";
        QTest::newRow("bad start all") << QStringList{"--bad-start", "1"} << "start start";
        QTest::newRow("silent after 2") << QStringList{"--silent-after", "2"} << "ok ok none none";
        QTest::newRow("delay") << QStringList{"--delay", "1500"} << "none ok";
    }

    void faults()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QVERIFY(startSim(arguments));
        QStringList seen;
        for (int i = 0; i < expected.count(u' ') + 1; ++i) {
            const QByteArray r = m_client->transact(0, 0);
            if (r.size() < kFrame)
                seen << "none";
            else if (quint8(r.at(262)) != Crc8::compute(r.constData(), 262))
                seen << "crc";
            else if (r.at(0) != '$')
                seen << "start";
            else
                seen << "ok";
        }
        QCOMPARE(seen.join(u' '), expected);
    }
};

QTEST_GUILESS_MAIN(TestSimUpdater)
#include "tst_simupdater.moc"
