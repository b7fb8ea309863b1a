// The session recorder's cost: one frame recorded (encoded, checked and
// written to the system) beside the raw round trip of a status request to
// qvsim and the engine's transaction with and without the recorder, all in
// this run; then the bytes an hour a connected session records when status
// and results are polled each second, as the window polls them.

#include "benchengine.h"
#include "oldproto.h"
#include "packet.h"
#include "sessionfile.h"
#include "sessionrecorder.h"
#include "simprocess.h"
#include "tcpsocket.h"
#include "testcodes.h"
#include "testerwiring.h"
#include "serial.h"
#include "zorqv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 2000;
constexpr int kFrames = 20000; // 5 MB: a long day's session



SessionRecorder::Settings into(const QString &dir)
{
    SessionRecorder::Settings s;
    s.directory = dir;
    return s;
}

// The engine and both transports on qvsim's TCP port, as the window wires them.
struct Session
{
    explicit Session(quint16 port, SessionRecorder *recorder)
        : tcp(nullptr, port)
    {
        wireTester(device, proto, serial, tcp);
        recordTester(device, proto, serial, tcp, recorder);
    }
    bool connect()
    {
        tcp.conn_sock(QStringLiteral("127.0.0.1"));
        QElapsedTimer clock;
        clock.start();
        while ((!device.connected || proto.awaitingReply() || proto.queuedPackets() > 0) && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        return device.connected;
    }
    double transactionUs() { return BenchTools::statusTransactionUs(proto, kRounds); }
    Zorqv device;
    OldProto proto{&device};
    Serial serial;
    TcpSocket tcp;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    QTemporaryDir dir;

    // The recorder alone: what each frame adds to a transaction.
    {
        SessionRecorder recorder(QStringLiteral("bench"), QStringLiteral("1"), into(dir.filePath(QStringLiteral("alone"))));
        recorder.begin(QStringLiteral("tcp"), {});
        const QByteArray frame = Packet::make(63);
        std::vector<double> us;
        double total = 0;
        for (int i = 0; i < kFrames; ++i) {
            QElapsedTimer clock;
            clock.start();
            recorder.record(i % 2 ? SessionRecorder::Direction::In : SessionRecorder::Direction::Out,
                            SessionRecorder::Channel::Frame, frame);
            us.push_back(double(clock.nsecsElapsed()) / 1e3);
            total += us.back();
        }
        std::vector<double> sorted = us;
        std::sort(sorted.begin(), sorted.end());
        std::printf("recorder: 263-byte frame median %.2f us, mean %.2f us, 99th percentile %.2f us (%d frames into %s)\n",
                    BenchTools::median(us), total / kFrames, sorted[sorted.size() * 99 / 100], kFrames,
                    qPrintable(QFileInfo(recorder.currentPath()).absolutePath()));
    }

    SimProcess sim(SimProcess::Link::Tcp);
    if (!sim.start()) {
        std::printf("qvsim did not start: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    const double raw = BenchTools::rawStatusRoundTripUs(sim.port(), kRounds);
    double plain = 0;
    double recorded = 0;
    {
        Session s(sim.port(), nullptr);
        if (!s.connect())
            return 1;
        plain = s.transactionUs();
    }
    {
        SessionRecorder recorder(QStringLiteral("bench"), QStringLiteral("1"), into(dir.filePath(QStringLiteral("engine"))));
        Session s(sim.port(), &recorder);
        if (!s.connect())
            return 1;
        recorded = s.transactionUs();
    }
    std::printf("status over TCP to qvsim (median of %d): raw round trip %.1f us, engine %.1f us, "
                "engine recorded %.1f us (+%.1f us for two frames)\n",
                kRounds, raw, plain, recorded, recorded - plain);

    // A connected session as the window keeps it: the record's one-second
    // poll of the status and of the results of the page on show.
    {
        SessionRecorder recorder(QStringLiteral("bench"), QStringLiteral("1"), into(dir.filePath(QStringLiteral("hour"))));
        Session s(sim.port(), &recorder);
        if (!s.connect())
            return 1;
        s.device.activeTest = ActiveTest::Traffic;
        const qint64 atStart = QFileInfo(recorder.currentPath()).size();
        s.device.startStatusTimer();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < seconds * 1000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        const qint64 grown = QFileInfo(recorder.currentPath()).size() - atStart;
        QString error;
        const auto r = SessionFile::Recording::read(recorder.currentPath(), &error);
        const double perHour = double(grown) * 3600.0 * 1000.0 / double(clock.elapsed());
        std::printf("connected session, status and traffic results each second, %d s: %lld bytes, %lld records "
                    "in all; %.2f MB an hour\n",
                    seconds, grown, r ? qlonglong(r->records.size()) : -1LL, perHour / 1e6);
    }
    return 0;
}
