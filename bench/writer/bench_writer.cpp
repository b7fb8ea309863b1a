// The report writer: the time of each of the seven reports of one typical
// two-port result file (median of several runs on this thread), the whole
// job on the worker thread, and the GUI thread's longest event-loop stall
// while that job runs (target: none over 50 ms). Then the same file
// downloaded from qvsim over TCP loopback through the engine: the download
// alone beside the raw transaction cost measured in the same run, and the
// download with all seven reports (target: under 1 s, no stall over 50 ms).

#include "benchtools.h"
#include "oldproto.h"
#include "packet.h"
#include "pdfcreator.h"
#include "reportresources.h"
#include "reportwriter.h"
#include "resultfiles.h"
#include "simprocess.h"
#include "tcpsocket.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kRawRounds = 500;
constexpr quint32 kAllReports = 0x100 | 0x020 | 0x010 | 0x040 | 0x080 | 0x002 | 0x800;
const char *const kNames[] = {"bert", "traffic", "ping", "trace", "jitter", "rfc2544", "multi"};


ReportJob job(const QString &dir, quint32 mask)
{
    ReportJob j;
    j.directory = dir;
    j.data = ResultFiles::typical();
    j.mask = mask;
    j.serialNumber = 1234;
    j.linkSpeedA = 3;
    j.linkSpeedB = 2;
    return j;
}

// Runs the event loop until done() holds; the longest gap between two
// ticks of a 1 ms timer meanwhile is the GUI thread's longest stall (ms).
template <typename Done>
double runMeasuringStall(const Done &done)
{
    QElapsedTimer tick;
    double longest = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longest = std::max(longest, tick.nsecsElapsed() / 1e6);
        tick.restart();
    });
    tick.start();
    timer.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return std::max(longest, tick.nsecsElapsed() / 1e6);
}


// The engine connected to qvsim over TCP, as the window wires it.
class Link
{
public:
    explicit Link(quint16 port)
        : transport(nullptr, port)
    {
        QObject::connect(&proto, &OldProto::snd_pckt, &transport, &TcpSocket::snd_pckt);
        QObject::connect(&transport, &TcpSocket::pckt_rcv, &proto, &OldProto::pckt_rcv);
        QObject::connect(&transport, &TcpSocket::sock_conn, &proto, &OldProto::sock_conn);
        QObject::connect(&transport, &TcpSocket::sock_disc, &proto, &OldProto::sock_disc);
        QObject::connect(&device, &Zorqv::download_failed,
                         [](const QString &text) { std::printf("  download failed: %s\n", qPrintable(text)); });
    }
    bool connect()
    {
        transport.conn_sock(QStringLiteral("127.0.0.1"));
        QElapsedTimer clock;
        clock.start();
        while (!device.connected && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        return device.connected;
    }
    bool idle() const { return !proto.awaitingReply() && proto.queuedPackets() == 0; }
    void download(const QString &name, const QString &folder)
    {
        device.fileName = name;
        device.reportDir = folder;
        device.reportMask = int(kAllReports);
        proto.start_test(requestCode(TestNo::FileTransfer, 1));
    }

    Zorqv device;
    OldProto proto{&device};
    TcpSocket transport;
};

class JobCatcher final : public ReportSink
{
public:
    void startReport(const ReportJob &) override { ++jobs; }
    int jobs = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    QTemporaryDir dir;
    const ReportResources texts = ReportResources::current();

    std::printf("report writer, typical two-port result file, median of %d runs\n", kRuns);
    double sum = 0;
    for (int i = 0; i < 7; ++i) {
        std::vector<double> ms;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const ReportOutcome out = ReportWriter::write(job(dir.path(), ReportWriter::Reports[i].bit), texts);
            ms.push_back(t.nsecsElapsed() / 1e6);
            if (!out.ok())
                std::printf("  %s failed: %s\n", kNames[i], qPrintable(out.message()));
        }
        sum += BenchTools::median(ms);
        std::printf("  %-8s %7.1f ms\n", kNames[i], BenchTools::median(ms));
    }
    std::printf("  sum      %7.1f ms\n", sum);

    // The whole job on the worker while the GUI thread runs a 1 ms timer.
    std::vector<double> jobMs, stallMs;
    for (int r = 0; r < kRuns; ++r) {
        PDFCreator writer;
        bool finished = false;
        QObject::connect(&writer, &PDFCreator::reportFinished, [&] { finished = true; });
        QElapsedTimer clock;
        clock.start();
        writer.startReport(job(dir.filePath(QStringLiteral("job")), kAllReports));
        stallMs.push_back(runMeasuringStall([&] { return finished; }));
        jobMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double sevenMs = BenchTools::median(jobMs);
    std::printf("all seven on the worker thread: %.1f ms (median)\n", sevenMs);
    std::printf("GUI thread's longest stall meanwhile: %.1f ms (median of runs), %.1f ms (worst); target 50 ms\n",
                BenchTools::median(stallMs), *std::max_element(stallMs.begin(), stallMs.end()));

    // The same file on qvsim's flash, fetched over TCP loopback.
    QTemporaryDir flash;
    QDir(flash.path()).mkpath(QStringLiteral("fs"));
    QFile file(flash.filePath(QStringLiteral("fs/$RES_001")));
    if (!file.open(QIODevice::WriteOnly) || file.write(ResultFiles::typical()) != ResultFiles::typical().size())
        return 1;
    file.close();
    SimProcess sim(SimProcess::Link::Tcp, {"--flash-dir", flash.path()});
    if (!sim.start()) {
        std::printf("qvsim did not start: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    const double rawUs = BenchTools::rawStatusRoundTripUs(sim.port(), kRawRounds);
    if (rawUs <= 0) {
        std::printf("qvsim did not answer the raw requests\n");
        return 1;
    }
    Link link(sim.port());
    if (!link.connect()) {
        std::printf("no connection to qvsim\n");
        return 1;
    }
    // Transfer mode in, open, 64 reads of up to 256 bytes, transfer mode out.
    constexpr int transactions = 1 + 1 + 64 + 1;
    JobCatcher catcher;
    link.device.setReportSink(&catcher);
    std::vector<double> downloadMs;
    for (int r = 0; r < kRuns * 2; ++r) {
        const int before = catcher.jobs;
        QElapsedTimer clock;
        clock.start();
        link.download(QStringLiteral("$RES_001"), dir.path());
        runMeasuringStall([&] { return catcher.jobs > before && link.idle(); });
        downloadMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double rawDownloadMs = transactions * rawUs / 1e3;
    std::printf("download of 16368 bytes over TCP loopback (%d transactions): %.1f ms (median of %d)\n",
                transactions, BenchTools::median(downloadMs), kRuns * 2);
    std::printf("  raw round trip to qvsim %.1f us (median of %d), x %d = %.1f ms; ratio %.2f\n", rawUs, kRawRounds,
                transactions, rawDownloadMs, BenchTools::median(downloadMs) / rawDownloadMs);

    link.device.setReportSink(nullptr);
    std::vector<double> totalMs, totalStallMs;
    for (int r = 0; r < kRuns; ++r) {
        int finished = 0;
        QMetaObject::Connection c = QObject::connect(&link.device, &Zorqv::report_finished,
                                                     [&](const ReportOutcome &out) {
                                                         ++finished;
                                                         if (!out.ok())
                                                             std::printf("  reports failed: %s\n",
                                                                         qPrintable(out.message()));
                                                     });
        QElapsedTimer clock;
        clock.start();
        link.download(QStringLiteral("$RES_001"), dir.path());
        totalStallMs.push_back(runMeasuringStall([&] { return finished > 0; }));
        totalMs.push_back(clock.nsecsElapsed() / 1e6);
        QObject::disconnect(c);
    }
    const double total = BenchTools::median(totalMs);
    std::printf("download + all seven PDFs over TCP loopback: %.1f ms (median of %d); target 1000 ms, ratio %.2f\n",
                total, kRuns, total / 1000.0);
    std::printf("  = download %.2f x, seven PDFs from a file %.2f x of the whole\n", BenchTools::median(downloadMs) / total,
                sevenMs / total);
    std::printf("  GUI thread's longest stall meanwhile: %.1f ms (median), %.1f ms (worst); target 50 ms, ratio %.2f\n",
                BenchTools::median(totalStallMs), *std::max_element(totalStallMs.begin(), totalStallMs.end()),
                *std::max_element(totalStallMs.begin(), totalStallMs.end()) / 50.0);
    sim.stop();
    return 0;
}
