// The screen image (300 transactions of ID 32) fetched by the real engine
// and serial transport from qvsim over its pseudo-terminal, paced at the
// tester's 500000 baud. The line limit is 300 x 526 bytes at 50,000 bytes/s,
// 3.156 s; the ratio of the measured time to it shows what the simulator,
// the transport and the engine add. An unpaced run shows the same path
// without the line.

#include "oldproto.h"
#include "packet.h"
#include "progpack.h"
#include "serial.h"
#include "simprocess.h"
#include "waituntil.h"
#include "zorqv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTransactions = 300;
constexpr double kLimitSeconds = kTransactions * 2.0 * Packet::Size / 50000.0;
constexpr int kRounds = 5;

// Seconds per round for one qvsim; empty on a failure.
QList<double> measure(const QStringList &arguments)
{
    SimProcess sim(SimProcess::Link::Pty, arguments);
    if (!sim.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
        return {};
    }
    Zorqv device;
    OldProto proto(&device);
    Serial port;
    QObject::connect(&proto, &OldProto::snd_pckt, &port, &Serial::snd_pckt);
    QObject::connect(&port, &Serial::pckt_rcv, &proto, &OldProto::pckt_rcv);
    QObject::connect(&port, &Serial::port_conn, &proto, &OldProto::port_conn);
    const auto idle = [&] { return !proto.awaitingReply() && proto.queuedPackets() == 0; };
    port.conn_port(sim.ptyPath());
    if (!waitUntil([&] { return device.connected && idle(); }, 5000)) {
        std::fprintf(stderr, "no connection\n");
        return {};
    }

    QTemporaryDir dir;
    QElapsedTimer clock;
    int replies = 0;
    QObject::connect(&proto, &OldProto::snd_pckt, &proto, [&](const QByteArray &p) {
        if (Packet::id(p) == PROGPACK_SCREEN && !clock.isValid())
            clock.start();
    });
    qint64 elapsedNs = 0;
    QObject::connect(&proto, &OldProto::res_rcv, &proto, [&](unsigned short) {
        if (++replies == kTransactions)
            elapsedNs = clock.nsecsElapsed();
    });
    QList<double> seconds;
    for (int round = 0; round < kRounds; ++round) {
        clock.invalidate();
        replies = 0;
        elapsedNs = 0;
        device.screenPath = dir.filePath(QStringLiteral("screen%1.png").arg(round));
        proto.start_test(0x000E);
        if (!waitUntil([&] { return elapsedNs > 0 && idle(); }, 30000)) {
            std::fprintf(stderr, "round %d did not finish (%d replies)\n", round, replies);
            return {};
        }
        seconds << double(elapsedNs) / 1e9;
    }
    return seconds;
}

void report(const char *title, QList<double> seconds)
{
    if (seconds.isEmpty())
        return;
    std::printf("%s\n", title);
    for (double s : seconds)
        std::printf("  %.3f s  ratio %.3f\n", s, s / kLimitSeconds);
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds.at(seconds.size() / 2);
    std::printf("  best %.3f s (%.3f), median %.3f s (%.3f), worst %.3f s (%.3f)\n", seconds.first(),
                seconds.first() / kLimitSeconds, median, median / kLimitSeconds, seconds.last(),
                seconds.last() / kLimitSeconds);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qSetMessagePattern(QStringLiteral("%{if-warning}%{message}%{endif}%{if-critical}%{message}%{endif}"));
    std::printf("Screen image: %d transactions of ID 32 over the pty, engine and Serial transport.\n"
                "Line limit at 500000 baud: %d x %d bytes at 50,000 bytes/s = %.3f s\n",
                kTransactions, kTransactions, 2 * Packet::Size, kLimitSeconds);
    report("paced, --line-rate 500000:", measure({QStringLiteral("--line-rate"), QStringLiteral("500000")}));
    report("unpaced (the path without the line):", measure({}));
    return 0;
}
