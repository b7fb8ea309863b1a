// A 1 MiB CPU image into qvsim over a pseudo-terminal, once unpaced and once
// at the tester's line rate (500000 baud). Unpaced, the time per block less
// a bare pty round trip of the same 263 + 263 bytes is what the updater
// itself costs per block. Paced, the transfer is set against the line limit:
// 4096 blocks of 526 bytes at 50,000 bytes/s, 43.1 s.

#include "crc8.h"
#include "updater.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

namespace {

constexpr int kFrame = 263;
constexpr qint64 kImageSize = 1024 * 1024;
constexpr int kBlocks = int(kImageSize / 256);
constexpr double kLineBytesPerSecond = 50000.0;

bool readAll(int fd, char *buffer, int size)
{
    int got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, size_t(size - got));
        if (n <= 0)
            return false;
        got += int(n);
    }
    return true;
}

bool writeAll(int fd, const char *buffer, int size)
{
    int put = 0;
    while (put < size) {
        const ssize_t n = ::write(fd, buffer + put, size_t(size - put));
        if (n <= 0)
            return false;
        put += int(n);
    }
    return true;
}

// Microseconds per round trip of 263 bytes out and 263 back through a raw
// pty, with an echoing peer in a second thread: the floor under any link.
double rawRoundTripUs(int roundTrips)
{
    int master = -1, slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return -1;
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);

    std::thread echo([master, roundTrips] {
        char frame[kFrame];
        for (int i = 0; i < roundTrips; ++i) {
            if (!readAll(master, frame, kFrame) || !writeAll(master, frame, kFrame))
                return;
        }
    });
    char frame[kFrame] = {'@'};
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    for (; done < roundTrips; ++done) {
        if (!writeAll(slave, frame, kFrame) || !readAll(slave, frame, kFrame))
            break;
    }
    const double us = double(clock.nsecsElapsed()) / 1e3 / qMax(done, 1);
    echo.join();
    ::close(slave);
    ::close(master);
    return done == roundTrips ? us : -1;
}

struct Run
{
    bool ok = false;
    double transferSeconds = 0;  // first block out to last reply in
    double flashSeconds = 0;     // the whole procedure, erase and pause included
    int blocks = 0;
};

// Starts qvsim in updater mode and returns the pty it serves, or "".
QString startQvsim(QProcess &sim, const QStringList &extraArgs)
{
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(QVSIM_PATH), QStringList{QStringLiteral("--updater"), QStringLiteral("--pty")} + extraArgs);
    if (!sim.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start qvsim\n");
        return {};
    }
    QString pty;
    bool ready = false;
    const QRegularExpression ptyLine(QStringLiteral("^qvsim: pty (\\S+)"));
    QElapsedTimer wait;
    wait.start();
    while (!ready && wait.elapsed() < 5000) {
        if (!sim.canReadLine() && !sim.waitForReadyRead(500))
            continue;
        while (sim.canReadLine()) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            const auto m = ptyLine.match(line);
            if (m.hasMatch())
                pty = m.captured(1);
            ready = ready || line == QLatin1String("qvsim: ready");
        }
    }
    if (!ready || pty.isEmpty()) {
        std::fprintf(stderr, "qvsim did not get ready\n");
        return {};
    }
    return pty;
}

void stopQvsim(QProcess &sim)
{
    sim.terminate();
    if (!sim.waitForFinished(3000)) {
        sim.kill();
        sim.waitForFinished();
    }
}

// Milliseconds per status round trip of a bare blocking client against
// qvsim: what the paced line and the simulator allow without any updater.
double bareClientRoundTripMs(const QStringList &extraArgs, int roundTrips)
{
    QProcess sim;
    const QString pty = startQvsim(sim, extraArgs);
    if (pty.isEmpty())
        return -1;
    const int fd = ::open(pty.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    double ms = -1;
    if (fd >= 0) {
        termios raw{};
        ::tcgetattr(fd, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(fd, TCSANOW, &raw);
        char request[kFrame] = {'@', 0};
        request[kFrame - 1] = char(Crc8::compute(request, kFrame - 1));
        char reply[kFrame];
        QElapsedTimer clock;
        clock.start();
        int done = 0;
        for (; done < roundTrips; ++done) {
            if (!writeAll(fd, request, kFrame) || !readAll(fd, reply, kFrame))
                break;
        }
        if (done == roundTrips)
            ms = double(clock.nsecsElapsed()) / 1e6 / roundTrips;
        ::close(fd);
    }
    stopQvsim(sim);
    return ms;
}

Run flashThroughQvsim(const QByteArray &image, const QStringList &extraArgs)
{
    Run run;
    QProcess sim;
    const QString pty = startQvsim(sim, extraArgs);
    if (pty.isEmpty())
        return run;

    Updater updater;
    QElapsedTimer transfer;
    qint64 lastBlockNs = 0;
    QObject::connect(&updater, &Updater::progressStarted, &updater, [&](Updater::Bar bar, qint64) {
        if (bar == Updater::Bar::Cpu)
            transfer.start();
    });
    QObject::connect(&updater, &Updater::blockSent, &updater, [&](Updater::Bar bar, qint64) {
        if (bar != Updater::Bar::Cpu)
            return;
        lastBlockNs = transfer.nsecsElapsed();
        ++run.blocks;
    });
    QObject::connect(&updater, &Updater::message, &updater, [](const QString &text, Updater::Severity severity) {
        if (severity == Updater::Severity::Error)
            std::fprintf(stderr, "  %s\n", qPrintable(text));
    });

    if (updater.connectDevice(pty) == UpdateLink::NoError) {
        QElapsedTimer whole;
        whole.start();
        run.ok = updater.flashCpu(image, image.size()) == UpdateLink::NoError;
        run.flashSeconds = double(whole.nsecsElapsed()) / 1e9;
        run.transferSeconds = double(lastBlockNs) / 1e9;
        updater.disconnectDevice();
    }
    stopQvsim(sim);
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    QByteArray image(kImageSize, '\0');
    QRandomGenerator rng(20240601);
    for (char &byte : image)
        byte = char(rng.bounded(256));

    std::printf("QVUpdater: 1 MiB CPU image (%d blocks of 256 bytes) into qvsim over a pty\n\n", kBlocks);

    const double rawUs = rawRoundTripUs(20000);
    std::printf("raw pty round trip, 263 + 263 bytes:      %8.1f us\n", rawUs);

    const Run unpaced = flashThroughQvsim(image, {});
    if (!unpaced.ok) {
        std::printf("unpaced run failed\n");
        return 1;
    }
    const double perBlockUs = unpaced.transferSeconds * 1e6 / unpaced.blocks;
    std::printf("unpaced: %d blocks in %.3f s (procedure %.3f s)\n",
                unpaced.blocks, unpaced.transferSeconds, unpaced.flashSeconds);
    std::printf("  time per block:                         %8.1f us\n", perBlockUs);
    std::printf("  per-block overhead beyond the raw pty:  %8.1f us (%.3f ms)\n",
                perBlockUs - rawUs, (perBlockUs - rawUs) / 1e3);
    // The same round trip from a bare blocking client separates what qvsim
    // spends per request from what the updater spends.
    const double bareUs = bareClientRoundTripMs({}, 4000) * 1e3;
    std::printf("  bare blocking client against qvsim:     %8.1f us per round trip\n", bareUs);
    std::printf("  the updater's own share per block:      %8.1f us\n\n", perBlockUs - bareUs);

    const double limit = kBlocks * 2.0 * kFrame / kLineBytesPerSecond;
    const Run paced = flashThroughQvsim(image, {QStringLiteral("--line-rate"), QStringLiteral("500000")});
    if (!paced.ok) {
        std::printf("paced run failed\n");
        return 1;
    }
    std::printf("--line-rate 500000: %d blocks in %.2f s (procedure %.2f s)\n",
                paced.blocks, paced.transferSeconds, paced.flashSeconds);
    std::printf("  line limit %d x %d bytes at 50,000 bytes/s: %.2f s\n", kBlocks, 2 * kFrame, limit);
    std::printf("  ratio to the line limit:                %8.3f (goal <= 1.05)\n",
                paced.transferSeconds / limit);

    const QStringList pacedArgs{QStringLiteral("--line-rate"), QStringLiteral("500000")};
    const double bareMs = bareClientRoundTripMs(pacedArgs, 400);
    std::printf("  for comparison, a bare blocking client:  %.3f ms per round trip,"
                " ratio %.3f; the updater: %.3f ms\n",
                bareMs, bareMs / (2.0 * kFrame / kLineBytesPerSecond * 1e3),
                paced.transferSeconds * 1e3 / paced.blocks);
    return 0;
}
