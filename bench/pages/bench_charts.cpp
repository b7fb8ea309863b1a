// The live charts' cost: memory of a page's sample store after a simulated
// day; GUI-thread and CPU time per result poll with every chart of a page
// open and drawing (a fresh run, and a run a day long); the idle CPU of a
// window connected to qvsim with a chart open.

#include "bertform.h"
#include "bertlayout.h"
#include "chartpane.h"
#include "jitterform.h"
#include "livecharts.h"
#include "mainform.h"
#include "multiform.h"
#include "multilayout.h"
#include "samplestore.h"
#include "simprocess.h"
#include "statsform.h"
#include "tcpipform.h"
#include "testcodes.h"
#include "trafficform.h"
#include "trafficlayout.h"
#include "zorqv.h"

#include <QApplication>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSet>
#include <QThread>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void storeMemory()
{
    std::printf("Sample store (one port), 1 poll/s:\n");
    const struct { const char *page; int columns; } pages[] = {
        {"traffic", 3}, {"multistream", 20}, {"jitter", 9}, {"BERT", 2}, {"statistics", 2}, {"ping", 1}};
    for (const auto &p : pages) {
        SampleStore s(p.columns);
        QList<double> row(p.columns);
        std::size_t firstHour = 0;
        for (int t = 0; t <= 86400; ++t) {
            for (int c = 0; c < p.columns; ++c)
                row[c] = t % 97 + c;
            s.add(t, row);
            if (t == 3600)
                firstHour = s.bytes();
        }
        std::printf("  %-12s %2d columns: after 1 h %7.1f KiB, after 24 h %7.1f KiB (%.1f KiB per further hour), %zu points per line\n",
                    p.page, p.columns, firstHour / 1024.0, s.bytes() / 1024.0,
                    (double(s.bytes()) - double(firstHour)) / 23 / 1024.0, s.pointCount());
    }
}

// Polls a page as the engine would, counters growing, every chart open.
void pollCost(const char *name, TestForm *page, Zorqv &device, quint8 test, int stateBit,
              const std::function<void(int)> &fill)
{
    page->resize(1280, 800);
    page->show();
    page->activate();
    auto *charts = page->findChild<LiveCharts *>();
    device.procState[0] = StateBit::tx(stateBit) | StateBit::rx(stateBit);
    device.connected = true;
    int second = 0;
    auto poll = [&] {
        ++second;
        device.elapsedCounter[0].update(quint8(second));
        fill(second);
        page->res_rcv(quint16(test));
        QApplication::processEvents(); // the repaint
    };
    // Qt Charts lays out and draws a whole series again on any change to it.
    int redraws = 0;
    QSet<QXYSeries *> counted;
    auto countRedraws = [&] {
        for (ChartPane *pane : charts->panes()) {
            for (QAbstractSeries *series : pane->chart()->series()) {
                auto *xy = qobject_cast<QXYSeries *>(series);
                if (xy && !counted.contains(xy)) {
                    counted.insert(xy);
                    QObject::connect(xy, &QXYSeries::pointsReplaced, page, [&] { ++redraws; });
                }
            }
        }
    };
    auto measure = [&](int polls, const char *when) {
        redraws = 0;
        // Polls 20 ms apart, timed alone: the charts' rates come from this
        // computer's clock, and back to back they would jump about as a
        // real tester's never do.
        qint64 ns = 0;
        double cpu = 0;
        for (int i = 0; i < polls; ++i) {
            QThread::msleep(20);
            countRedraws(); // a line grows new series
            QElapsedTimer wall;
            const double cpu0 = cpuSeconds();
            wall.start();
            poll();
            ns += wall.nsecsElapsed();
            cpu += cpuSeconds() - cpu0;
        }
        const double ms = ns / 1e6 / polls;
        cpu = cpu * 1000 / polls;
        std::printf("  %-12s %-18s GUI thread %6.2f ms/poll, CPU %6.2f ms/poll, %5.2f series redrawn/poll\n", name, when,
                    ms, cpu, double(redraws) / polls);
    };
    poll(); // the page's first paint is no poll's cost
    measure(30, "(charts closed)");
    charts->setOpen(true);
    measure(60, "(first minute)");
    // Fast forward to a day: the charts closed, so only the store works.
    charts->setOpen(false);
    for (int i = 0; i < 86400 - 120; ++i) {
        ++second;
        device.elapsedCounter[0].update(quint8(second));
        fill(second);
        page->res_rcv(quint16(test));
    }
    charts->setOpen(true);
    measure(60, "(after 24 h)");
    page->hide();
}

void pagesCost()
{
    std::printf("Per poll, every chart of the page open, 1280x800 (target < 2 ms):\n");
    Zorqv device;
    {
        TrafficForm page(&device);
        pollCost("traffic", &page, device, TestNo::Traffic, StateBit::Traffic, [&](int s) {
            put32(device.trafficResult[0], TrafficResultField::TxFrames, quint32(s) * 1000);
            put32(device.trafficResult[0], TrafficResultField::RxFrames, quint32(s) * 999);
        });
    }
    {
        for (std::size_t i = 0; i < MultiConfigField::Streams; ++i)
            device.multiConfig[0][MultiConfigField::stream(i) + MultiStreamField::Active] = 1;
        MultiForm page(&device);
        page.cfg_rcv(quint16(TestNo::Multi));
        pollCost("multistream", &page, device, TestNo::Multi, StateBit::Multi, [&](int s) {
            device.multiResult[0][MultiResultField::Present] = 1;
            for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
                put32(device.multiResult[0], MultiResultField::stream(i) + MultiResultField::TxFrames, quint32(s) * 100);
                put32(device.multiResult[0], MultiResultField::stream(i) + MultiResultField::RxFrames, quint32(s) * (99 - i));
            }
        });
    }
    {
        BertForm page(&device);
        pollCost("BERT", &page, device, TestNo::Bert, StateBit::Bert, [&](int s) {
            put32(device.bertResult[0], BertResultField::Elapsed, quint32(s));
            put64(device.bertResult[0], BertResultField::RxBits, quint64(s) * 1000000);
            put64(device.bertResult[0], BertResultField::ErrorBits, quint64(s / 7)); // a bit in error every 7 s
        });
    }
}

void idleCpu()
{
    SimProcess sim(SimProcess::Link::Tcp);
    if (!sim.start()) {
        std::printf("qvsim did not start: %s\n", qPrintable(sim.errorString()));
        return;
    }
    MainForm form(nullptr, sim.port());
    form.resize(1280, 800);
    form.show();
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    if (!QTest::qWaitFor([&] { return form.device().connected; }, 5000)) {
        std::printf("QVRemote did not connect to qvsim\n");
        return;
    }
    QTest::qWait(500);
    if (auto *box = form.findChild<QMessageBox *>())
        box->close();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bTraffic")), Qt::LeftButton);
    LiveCharts *charts = nullptr;
    for (TestForm *p : form.pages()) {
        if (p->isVisible())
            charts = p->findChild<LiveCharts *>();
    }
    for (bool open : {false, true}) {
        charts->setOpen(open);
        QTest::qWait(1000);
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(20000);
        const double cpu = cpuSeconds() - cpu0;
        std::printf("Idle, connected to qvsim, traffic page, charts %s, 20 s: CPU %.2f %% of one core (target < 1 %%)\n",
                    open ? "open" : "closed", 100 * cpu / (wall.nsecsElapsed() / 1e9));
    }
    sim.stop();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    storeMemory();
    pagesCost();
    idleCpu();
    return 0;
}
