// The report writer: the time of each of the seven reports of one typical
// two-port result file (median of several runs on this thread), the whole
// job on the worker thread, and the GUI thread's longest event-loop stall
// while that job runs (target: none over 50 ms).

#include "pdfcreator.h"
#include "reportresources.h"
#include "reportwriter.h"
#include "resultfiles.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;
const char *const kNames[] = {"bert", "traffic", "ping", "trace", "jitter", "rfc2544", "multi"};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
        sum += median(ms);
        std::printf("  %-8s %7.1f ms\n", kNames[i], median(ms));
    }
    std::printf("  sum      %7.1f ms\n", sum);

    // The whole job on the worker while the GUI thread runs a 1 ms timer:
    // the longest gap between two ticks is the longest stall.
    std::vector<double> jobMs, stallMs;
    for (int r = 0; r < kRuns; ++r) {
        PDFCreator writer;
        QEventLoop loop;
        QObject::connect(&writer, &PDFCreator::reportFinished, &loop, &QEventLoop::quit);
        QElapsedTimer clock, tick;
        double longest = 0;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            longest = std::max(longest, tick.nsecsElapsed() / 1e6);
            tick.restart();
        });
        clock.start();
        tick.start();
        timer.start();
        writer.startReport(job(dir.filePath(QStringLiteral("job")), 0x100 | 0x020 | 0x010 | 0x040 | 0x080 | 0x002 | 0x800));
        loop.exec();
        jobMs.push_back(clock.nsecsElapsed() / 1e6);
        longest = std::max(longest, tick.nsecsElapsed() / 1e6);
        stallMs.push_back(longest);
    }
    std::printf("all seven on the worker thread: %.1f ms (median)\n", median(jobMs));
    std::printf("GUI thread's longest stall meanwhile: %.1f ms (median of runs), %.1f ms (worst); target 50 ms\n",
                median(stallMs), *std::max_element(stallMs.begin(), stallMs.end()));
    return 0;
}
