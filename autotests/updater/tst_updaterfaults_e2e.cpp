// The updater against a faulty tester, end to end over a pseudo-terminal:
// every run ends within its window, success is reported only when the whole
// image is in the tester's flash, a failure is told to the user and leaves
// no image behind, and the same updater connects and writes again to a
// sound tester afterwards.

#include "updaterfixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace {

const QByteArray kCpu = UpdateFiles::pattern(10 * 256 + 77, 21);
const QByteArray kFpga = UpdateFiles::pattern(2 * 256 + 99, 22);
const QByteArray kFsFile = UpdateFiles::pattern(2 * 256 + 5, 23);
const QString kFsName = QStringLiteral("cal.dat");
constexpr quint16 kSerial = 2468;

const QString kNoReply = QStringLiteral("Нет ответа от прибора.");
const QString kPortLost = QStringLiteral("Ошибка чтения из COM порта.");

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// What qvsim did to the requests, from the line it prints on exit.
struct SimCounts
{
    qint64 requests = -1;
    qint64 spoiled = 0; // dropped, corrupted or bad start
};

SimCounts simCounts(SimProcess &sim)
{
    static const QRegularExpression line(QStringLiteral(
        "requests (\\d+), dropped (\\d+), corrupted (\\d+), bad start (\\d+), unanswered (\\d+)"));
    sim.stop();
    const QRegularExpressionMatch m = line.match(QString::fromLocal8Bit(sim.output()));
    SimCounts c;
    if (m.hasMatch()) {
        c.requests = m.captured(1).toLongLong();
        c.spoiled = m.captured(2).toLongLong() + m.captured(3).toLongLong() + m.captured(4).toLongLong();
    }
    return c;
}

QByteArray flashed(const QString &dir, const QString &name)
{
    QFile f(QDir(dir).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The tester's flash in dir holds exactly what the phase sent (an RPD file
// goes out rounded up with 0xFF), and nothing else.
bool flashedAsSent(const QString &dir, const QString &phase)
{
    const bool all = phase == QLatin1String("all");
    QByteArray rpd;
    if (phase == QLatin1String("fpga"))
        rpd = kFpga + QByteArray(Updater::rpdLength(kFpga) - kFpga.size(), char(0xFF));
    return flashed(dir, "fpga.rpd") == (all ? kFpga : rpd)
        && flashed(dir, "cpu.bin") == (all || phase == QLatin1String("cpu") ? kCpu : QByteArray())
        && flashed(dir, "fs/" + kFsName) == (all || phase == QLatin1String("fs") ? kFsFile : QByteArray())
        && flashed(dir, "serial.txt")
        == (all || phase == QLatin1String("serial") ? QByteArray::number(kSerial) + '\n' : QByteArray());
}

} // namespace

class TestUpdaterFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faults_data();
    void faults();

private:
    // Connects and runs the phase; true when the updater reported success.
    bool runPhase(UpdaterFixture &f, const QString &phase, const QString &port);
};

bool TestUpdaterFaults::runPhase(UpdaterFixture &f, const QString &phase, const QString &port)
{
    if (f.updater.connectDevice(port) != UpdateLink::NoError)
        return false;
    if (phase == QLatin1String("handshake"))
        return true;
    if (phase == QLatin1String("fs"))
        return f.updater.updateFsFiles({f.writeFile(kFsName, kFsFile)}) == UpdateLink::NoError;
    if (phase == QLatin1String("fpga"))
        return f.updater.updateFpgaFile(f.writeFile("image.rpd", kFpga)) == UpdateLink::NoError;
    if (phase == QLatin1String("cpu"))
        return f.updater.updateCpuFile(f.writeFile("image.bin", kCpu)) == UpdateLink::NoError;
    if (phase == QLatin1String("serial"))
        return f.updater.writeSerialNumber(QString::number(kSerial)) == UpdateLink::NoError;
    // "all": the combined file (file system, FPGA, CPU), then the serial number.
    const QString path = f.writeFile("all.qvup", UpdateFiles::combined(kCpu, kFpga, {{kFsName.toLatin1(), kFsFile}}));
    return f.updater.updateCombinedFile(path) == UpdateLink::NoError
        && f.updater.writeSerialNumber(QString::number(kSerial)) == UpdateLink::NoError;
}

// Rows: qvsim's faults, the phase they hit, and the outcome: success
// (message empty) or a failure the user is told with message. A vanishing
// tester is killed while the updater waits for a reply: 50 ms after the
// message vanishOn, or after the block ending at "bytes:N" went out.
void TestUpdaterFaults::faults_data()
{
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("vanishOn");
    QTest::addColumn<bool>("resent");       // more requests than to a sound tester
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");

    // Spoiled replies are sent again; the seeds spoil some in every phase.
    QTest::newRow("drop, all") << QStringList{"--drop", "0.08", "--seed", "5"} << "all" << "" << true << ""
                               << 3000 << 15000;
    QTest::newRow("corrupt, all") << QStringList{"--corrupt", "0.1", "--seed", "6"} << "all" << "" << true << ""
                                  << 2000 << 10000;
    QTest::newRow("bad start, all") << QStringList{"--bad-start", "0.1", "--seed", "7"} << "all" << "" << true
                                    << "" << 2000 << 10000;
    // Well within the 1 s window (the machine may be loaded) a reply counts at
    // once; after it, the late reply answers the request sent again, and the
    // reply still owed is waited for before the next request, which it must
    // never answer.
    QTest::newRow("delay 700, serial") << QStringList{"--delay", "700"} << "serial" << "" << false << ""
                                       << 1300 << 3500;
    QTest::newRow("delay 1100, serial") << QStringList{"--delay", "1100"} << "serial" << "" << true << ""
                                        << 2900 << 4500;
    QTest::newRow("delay 1500, serial") << QStringList{"--delay", "1500"} << "serial" << "" << true << ""
                                        << 3700 << 5500;
    // A silent tester: every attempt waits its second, 11 of them at
    // connect, 21 for a block.
    QTest::newRow("silent, handshake") << QStringList{"--silent-after", "0"} << "handshake" << "" << true
                                       << kNoReply << 10500 << 14000;
    QTest::newRow("silent, fpga blocks") << QStringList{"--silent-after", "10"} << "fpga" << "" << true
                                         << kNoReply << 20500 << 26000;
    // A tester that goes away (its pseudo-terminal closes) in mid-wait.
    const QStringList slow{"--delay", "400"};
    QTest::newRow("vanished, fpga erase") << slow << "fpga" << "Очищается флеш память FPGA." << false
                                          << kPortLost << 1000 << 4000;
    QTest::newRow("vanished, cpu blocks") << slow << "cpu" << "bytes:768" << false << kPortLost << 5000 << 9000;
    QTest::newRow("vanished, fs file") << slow << "fs" << "bytes:256" << false << kPortLost << 3000 << 7000;
}

void TestUpdaterFaults::faults()
{
    QFETCH(QStringList, simArguments);
    QFETCH(QString, phase);
    QFETCH(QString, vanishOn);
    QFETCH(bool, resent);
    QFETCH(QString, message);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);

    UpdaterFixture f(simArguments);
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));

    QElapsedTimer vanished;
    double cpuAtVanish = 0;
    auto vanish = [&] {
        QTimer::singleShot(50, &f.updater, [&] {
            if (vanished.isValid())
                return;
            vanished.start();
            cpuAtVanish = cpuSeconds();
            f.sim.stop();
        });
    };
    if (vanishOn.startsWith(QLatin1String("bytes:"))) {
        const qint64 at = vanishOn.mid(6).toLongLong();
        connect(&f.updater, &Updater::blockSent, this, [&, at](Updater::Bar, qint64 value) {
            if (value == at)
                vanish();
        });
    } else if (!vanishOn.isEmpty()) {
        connect(&f.updater, &Updater::message, this, [&](const QString &text) {
            if (text == vanishOn)
                vanish();
        });
    }

    QElapsedTimer clock;
    clock.start();
    const bool ok = runPhase(f, phase, f.sim.ptyPath());
    const qint64 elapsed = clock.elapsed();
    QString report = QStringLiteral("%1 in %2 ms").arg(ok ? "success" : "failure").arg(elapsed);
    if (vanished.isValid()) {
        const qint64 afterVanish = vanished.elapsed();
        report += QStringLiteral(", %1 ms (%2 ms CPU) after the tester vanished")
                      .arg(afterVanish)
                      .arg(qRound((cpuSeconds() - cpuAtVanish) * 1000));
        // At once: not the rest of the attempt's second, nor spinning.
        QVERIFY2(afterVanish <= 500, qPrintable(report));
    }
    qInfo("%s; %s", qPrintable(report), qPrintable(f.messages.filter(QRegularExpression("^[^/]")).join(" | ")));
    QVERIFY2(elapsed >= minMs && elapsed <= maxMs, qPrintable(report));
    QCOMPARE(vanished.isValid(), !vanishOn.isEmpty());

    if (message.isEmpty()) {
        QVERIFY2(ok, qPrintable(f.messages.join(u'\n')));
        QVERIFY(flashedAsSent(f.flashDir.path(), phase));
    } else {
        QVERIFY(!ok);
        QVERIFY2(f.messages.contains(message), qPrintable(f.messages.join(u'\n')));
        QVERIFY(flashedAsSent(f.flashDir.path(), QStringLiteral("nothing")));
    }
    const SimCounts faulty = simCounts(f.sim);

    // The same updater, a sound tester, the same phase: it connects and
    // writes again, and its request count is the one the faults exceed.
    QTemporaryDir soundFlash;
    SimProcess sound(SimProcess::Link::Pty, {"--updater", "--flash-dir", soundFlash.path()});
    QVERIFY2(sound.start(), qPrintable(sound.errorString()));
    f.messages.clear();
    QVERIFY2(runPhase(f, phase, sound.ptyPath()), qPrintable(f.messages.join(u'\n')));
    QVERIFY(flashedAsSent(soundFlash.path(), phase));
    const SimCounts healthy = simCounts(sound);
    qInfo("requests: %lld to the faulty tester (%lld spoiled), %lld to a sound one", faulty.requests,
          faulty.spoiled, healthy.requests);
    QVERIFY(faulty.requests >= 0 && healthy.requests > 0);
    if (!vanished.isValid())
        QCOMPARE(faulty.requests > healthy.requests, resent);
    if (simArguments.contains(QLatin1String("--seed")))
        QVERIFY(faulty.spoiled > 0);
}

QTEST_GUILESS_MAIN(TestUpdaterFaults)
#include "tst_updaterfaults_e2e.moc"
