// The updater's link against qvsim over a pseudo-terminal: identification,
// refusal of old firmware, and the error codes and attempt counts of a
// transaction under qvsim's injected faults.

#include "crc8.h"
#include "simprocess.h"
#include "updatelink.h"

#include <QElapsedTimer>
#include <QtEndian>
#include <QSerialPort>
#include <QTest>

class TestUpdateLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identification_data();
    void identification();
    void refusedOpen_data();
    void refusedOpen();
    void openAttempts_data();
    void openAttempts();
    void noReply_data();
    void noReply();
    void modeReadBack();
    void replyMatching_data();
    void replyMatching();
};

namespace {

// A reply frame of the tester: command, 32-bit value, CRC.
// A reply: byte 1 and the bytes after the value mean nothing; text, when
// given, follows the "$" as the tester writes it.
QByteArray frame(quint8 byte1, quint32 value, char start = '$', bool soundCrc = true, const char *text = nullptr)
{
    QByteArray f(UpdateLink::kFrameSize, '\x33');
    f[0] = start;
    f[1] = char(byte1);
    qToLittleEndian<quint32>(value, f.data() + 2);
    if (text)
        f.replace(1, qsizetype(qstrlen(text)) + 1, QByteArray(text, qsizetype(qstrlen(text)) + 1));
    f[UpdateLink::kFrameSize - 1] = char(Crc8::compute(f.constData(), UpdateLink::kFrameSize - 1) ^ (soundCrc ? 0 : 0x5A));
    return f;
}

} // namespace

void TestUpdateLink::identification_data()
{
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<quint16>("serial");
    QTest::addColumn<QString>("cpu");
    QTest::addColumn<QString>("fpga");

    QTest::newRow("defaults") << QStringList() << quint16(1234) << "0.27.4" << "0.12.3";
    QTest::newRow("signed bytes")
        << QStringList{"--serial", "65535", "--cpu-version", "22.26.200", "--fpga-version", "128.255.0"}
        << quint16(65535) << "22.26.-56" << "-128.-1.0";
    QTest::newRow("serial zero") << QStringList{"--serial", "0"} << quint16(0) << "0.27.4" << "0.12.3";
}

void TestUpdateLink::identification()
{
    QFETCH(QStringList, simArguments);
    QFETCH(quint16, serial);
    QFETCH(QString, cpu);
    QFETCH(QString, fpga);

    SimProcess sim(SimProcess::Link::Pty, QStringList{"--updater"} + simArguments);
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    UpdateLink link;
    QCOMPARE(link.open(sim.ptyPath()), int(UpdateLink::NoError));
    QVERIFY(link.isConnected());
    QCOMPARE(link.serialNumber(), serial);
    QCOMPARE(link.cpuVersionText(), cpu);
    QCOMPARE(link.fpgaVersionText(), fpga);
    QCOMPARE(link.mode(), quint8(0));
    link.close();
    QVERIFY(!link.isConnected());
}

void TestUpdateLink::refusedOpen_data()
{
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<int>("code");

    QTest::newRow("old firmware") << QStringList{"--old-firmware"} << int(UpdateLink::OldFirmware);
    QTest::newRow("wrong start byte") << QStringList{"--bad-start", "1"} << int(UpdateLink::BadStart);
    QTest::newRow("wrong CRC") << QStringList{"--corrupt", "1"} << int(UpdateLink::BadCrc);
}

// Every refusal leaves the port closed: another program can open it at once.
void TestUpdateLink::refusedOpen()
{
    QFETCH(QStringList, simArguments);
    QFETCH(int, code);

    SimProcess sim(SimProcess::Link::Pty, QStringList{"--updater"} + simArguments);
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    UpdateLink link;
    QCOMPARE(link.open(sim.ptyPath()), code);
    QVERIFY(!link.isConnected());

    QSerialPort other;
    other.setPortName(sim.ptyPath());
    QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
    other.close();

    QCOMPARE(link.open(QStringLiteral("/dev/qv-no-such-port")), int(UpdateLink::OpenFailed));
    QVERIFY(!link.isConnected());
}

// The status request at open is transact(10): eleven attempts, no more. With
// the first n replies spoiled and silence after them, the last attempt's
// error tells whether an eleventh request went out.
void TestUpdateLink::openAttempts_data()
{
    QTest::addColumn<QString>("answered");
    QTest::addColumn<int>("code");

    QTest::newRow("eleven spoiled replies") << "11" << int(UpdateLink::BadStart);
    QTest::newRow("ten spoiled, then none") << "10" << int(UpdateLink::NoReply);
}

void TestUpdateLink::openAttempts()
{
    QFETCH(QString, answered);
    QFETCH(int, code);

    SimProcess sim(SimProcess::Link::Pty,
                   {"--updater", "--bad-start", "1", "--silent-after", answered});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    UpdateLink link;
    QCOMPARE(link.open(sim.ptyPath()), code);
}

// A silent tester: each attempt waits its full second, so the time counts
// the attempts of transact(r), r + 1 of them.
void TestUpdateLink::noReply_data()
{
    QTest::addColumn<int>("retries");
    QTest::newRow("transact(0)") << 0;
    QTest::newRow("transact(1)") << 1;
}

void TestUpdateLink::noReply()
{
    QFETCH(int, retries);

    SimProcess sim(SimProcess::Link::Pty, {"--updater", "--silent-after", "1"});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    UpdateLink link;
    QCOMPARE(link.open(sim.ptyPath()), int(UpdateLink::NoError));

    link.build(UpdateLink::Status, 0);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(link.transact(retries), int(UpdateLink::NoReply));
    const qint64 elapsed = clock.elapsed();
    const qint64 attempts = retries + 1;
    QVERIFY2(elapsed >= attempts * UpdateLink::kReplyTimeoutMs
                 && elapsed < attempts * UpdateLink::kReplyTimeoutMs + 1000,
             qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
}

void TestUpdateLink::modeReadBack()
{
    SimProcess sim(SimProcess::Link::Pty, {"--updater"});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    UpdateLink link;
    QCOMPARE(link.open(sim.ptyPath()), int(UpdateLink::NoError));
    for (quint8 mode : {UpdateLink::CpuMode, UpdateLink::FsMode, UpdateLink::NormalMode}) {
        QCOMPARE(link.setMode(mode), int(UpdateLink::NoError));
        QCOMPARE(link.mode(), mode);
    }
    // The request bytes: "@", the command, the value, the CRC of all before.
    link.build(UpdateLink::SetMode, 0x04030201);
    const QByteArray request = link.request();
    QCOMPARE(request.size(), UpdateLink::kFrameSize);
    QCOMPARE(request.left(6), QByteArray("@\x47\x01\x02\x03\x04", 6));
}

// What a transaction makes of the bytes in its window. Byte 1 of a reply
// means nothing (zero, a text, noise), so any sound frame answers, except
// for a block the late count of the block before; spoiled frames are errors,
// a partial frame is no reply yet.
void TestUpdateLink::replyMatching_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<quint32>("offset");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("left");

    const QByteArray status = frame(0, 0x11223344);
    const QByteArray text = frame(0, 0, '$', true, "CP_OK");
    const QByteArray block2 = frame(0, 512);
    const QByteArray block3 = frame(0xA5, 768);
    const QByteArray ready = frame(0, 0, '$', true, "ready");
    QTest::newRow("answer, byte 1 zero") << int(UpdateLink::Status) << 0u << status << int(UpdateLink::NoError)
                                         << status;
    QTest::newRow("answer, byte 1 a text") << int(UpdateLink::CpuErase) << 0u << text + status
                                           << int(UpdateLink::NoError) << text + status;
    QTest::newRow("late count of the block before")
        << int(UpdateLink::CpuBlock) << 512u << block2 + block3 << int(UpdateLink::NoError) << block3;
    QTest::newRow("only the late count") << int(UpdateLink::FpgaBlock) << 512u << block2
                                         << int(UpdateLink::NoReply) << QByteArray();
    QTest::newRow("ready that reads as the count before") << int(UpdateLink::CpuBlock) << 0x79646165u << ready
                                                  << int(UpdateLink::NoError) << ready;
    QTest::newRow("refused first block")
        << int(UpdateLink::FsBlock) << 0u << frame(0, 0) << int(UpdateLink::NoError) << frame(0, 0);
    QTest::newRow("other count is an answer")
        << int(UpdateLink::FpgaBlock) << 256u << frame(7, 100) << int(UpdateLink::NoError) << frame(7, 100);
    QTest::newRow("wrong start") << int(UpdateLink::Status) << 0u << frame(0, 0, '#')
                                 << int(UpdateLink::BadStart) << frame(0, 0, '#');
    QTest::newRow("late count, then a wrong CRC")
        << int(UpdateLink::CpuBlock) << 512u << block2 + frame(0, 7, '$', false)
        << int(UpdateLink::BadCrc) << frame(0, 7, '$', false);
    QTest::newRow("partial") << int(UpdateLink::Status) << 0u << status.left(262) << int(UpdateLink::NoReply)
                             << status.left(262);
}

void TestUpdateLink::replyMatching()
{
    QFETCH(int, command);
    QFETCH(quint32, offset);
    QFETCH(QByteArray, received);
    QFETCH(int, result);
    QFETCH(QByteArray, left);

    QByteArray request(UpdateLink::kFrameSize, '\x5A');
    request[0] = '@';
    request[1] = char(command);
    qToLittleEndian<quint32>(offset, request.data() + 2);
    QCOMPARE(UpdateLink::takeReply(request, received), result);
    QCOMPARE(received, left);
}

QTEST_GUILESS_MAIN(TestUpdateLink)
#include "tst_updatelink.moc"
