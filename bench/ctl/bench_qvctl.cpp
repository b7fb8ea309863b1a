// qvctl as a whole process against qvsim over TCP loopback: the wall time of
// "qvctl info" and "qvctl get traffic", beside the raw cost of what they do
// (a TCP connection, the status exchange, one configuration exchange)
// measured in the same run against the same qvsim; and what "run" adds to
// the time its steps' tests take on the tester (a traffic test sends for its
// duration between two margins).

#include "benchtools.h"
#include "packet.h"
#include "progpack.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 20;


// Milliseconds of one qvctl run, or -1 when it failed.
double qvctl(const QStringList &args)
{
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.start(QStringLiteral(QVCTL_PATH), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

// One request and its 261-byte reply on a connected socket.
bool exchange(QTcpSocket &s, quint8 id, quint8 byte2 = 0, quint8 byte3 = 0)
{
    QByteArray frame(Packet::TcpFrameSize, '\0');
    frame[0] = char(id);
    frame[1] = char(byte2);
    frame[2] = char(byte3);
    s.write(frame);
    QByteArray reply;
    while (reply.size() < Packet::TcpFrameSize) {
        if (!s.waitForReadyRead(2000))
            return false;
        reply += s.readAll();
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimProcess sim(SimProcess::Link::Tcp);
    if (!sim.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
        return 1;
    }
    const QStringList link{QStringLiteral("--connect"), QStringLiteral("127.0.0.1:%1").arg(sim.port())};

    std::vector<double> info, get, raw, rawGet, start;
    for (int i = 0; i < kRounds; ++i) {
        info.push_back(qvctl(link + QStringList{QStringLiteral("info")}));
        get.push_back(qvctl(link + QStringList{QStringLiteral("get"), QStringLiteral("traffic")}));
        // What they do, without a process: connect, the status, a read.
        QElapsedTimer clock;
        clock.start();
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), sim.port());
        if (!s.waitForConnected(2000) || !exchange(s, PROGPACK_CHECKCONNECT) || !exchange(s, PROGPACK_TRANSFER))
            return 1;
        raw.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (!exchange(s, PROGPACK_TRAFFIC_CFG))
            return 1;
        rawGet.push_back(double(clock.nsecsElapsed()) / 1e6);
        // A process that starts and ends at once: the cost of being a program.
        clock.restart();
        QProcess p;
        p.start(QStringLiteral(QVCTL_PATH), {QStringLiteral("--version")});
        p.waitForFinished();
        start.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    if (*std::min_element(info.begin(), info.end()) < 0 || *std::min_element(get.begin(), get.end()) < 0) {
        std::fprintf(stderr, "a qvctl run failed\n");
        return 1;
    }
    std::printf("qvctl against qvsim over TCP loopback, median of %d runs:\n", kRounds);
    std::printf("  qvctl --version (process start)    %7.1f ms\n", BenchTools::median(start));
    std::printf("  qvctl info                         %7.1f ms  (target 150 ms)\n", BenchTools::median(info));
    std::printf("  qvctl get traffic                  %7.1f ms\n", BenchTools::median(get));
    std::printf("  raw connect + status + mode        %7.2f ms\n", BenchTools::median(raw));
    std::printf("  raw ... + configuration read       %7.2f ms\n", BenchTools::median(rawGet));
    std::printf("  info / bare process start          %7.2f\n", BenchTools::median(info) / BenchTools::median(start));

    // A plan of two traffic steps of 3 s each: what run adds to 6 s.
    QTemporaryDir dir;
    QFile plan(dir.filePath(QStringLiteral("plan.json")));
    const QByteArray steps = R"({"steps": [
        {"test": "traffic", "config": {"duration": 3}, "expect": {"load": {"min": 1}}},
        {"test": "traffic", "port": "B", "config": {"duration": 3}, "expect": {"load": {"min": 1}}}]})";
    if (!plan.open(QIODevice::WriteOnly) || plan.write(steps) != steps.size())
        return 1;
    plan.close();
    QProcess config;
    config.start(QStringLiteral(QVCTL_PATH), link + QStringList{QStringLiteral("--json"), QStringLiteral("get"), QStringLiteral("traffic")});
    config.waitForFinished();
    const double marginMs = QJsonDocument::fromJson(config.readAllStandardOutput()).object().value(QStringLiteral("margin")).toDouble(-1);
    if (marginMs < 0)
        return 1;
    const double testsMs = 2 * (3000 + 2 * std::floor(marginMs / 1000) * 1000);
    const double run = qvctl(link + QStringList{QStringLiteral("run"), plan.fileName()});
    std::printf("  run, two 3 s traffic steps         %7.0f ms: %.0f ms beyond the %.0f ms the tests take (target 1000)\n",
                run, run - testsMs, testsMs);
    return 0;
}
