// The live charts against the simulated tester: open a page and its charts,
// start the test, and check poll after poll that the chart holds the value
// the poll brought (a count as it is, a rate as the count's growth over the
// time between two polls). Real transports, engine and qvsim.

#include "bertlayout.h"
#include "jitterlayout.h"
#include "chartpane.h"
#include "livecharts.h"
#include "mainform.h"
#include "multilayout.h"
#include "pinglayout.h"
#include "resultvalues.h"
#include "simprocess.h"
#include "statslayout.h"
#include "testcodes.h"
#include "testform.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTabBar>

#include <cmath>
#include <functional>

using Reading = std::function<double(const Zorqv &device)>;
Q_DECLARE_METATYPE(Reading)

class TestChartsE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
};

void TestChartsE2e::run_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("tab");      // -1: the page has no tabs
    QTest::addColumn<QString>("start"); // empty: nothing to start
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("pane");
    QTest::addColumn<int>("line");     // -1: the first bar
    QTest::addColumn<bool>("rate");    // the line is the reading's growth per second
    QTest::addColumn<Reading>("reading");

    QTest::newRow("traffic Tx rate")
        << "bTraffic" << -1 << "bStartXX" << int(TestNo::Traffic) << 0 << 0 << true
        << Reading([](const Zorqv &d) { return double(ResultValues::Traffic::counts(d.trafficResult[0]).tx); });
    QTest::newRow("multistream stream 1 Rx rate")
        << "bMulti" << -1 << "bStartXX" << int(TestNo::Multi) << 0 << 0 << true << Reading([](const Zorqv &d) {
               return double(ResultValues::Multi::stream(d.multiConfig[0], d.multiResult[0], 0).rx);
           });
    QTest::newRow("jitter first bucket")
        << "bJitter" << -1 << "bStartXX" << int(TestNo::Jitter) << 0 << -1 << false
        << Reading([](const Zorqv &d) { return double(get64(d.jitterResult[0], JitterResultField::bucket(0))); });
    QTest::newRow("BERT error bits")
        << "bBert" << -1 << "bStartXX" << int(TestNo::Bert) << 0 << 0 << false
        << Reading([](const Zorqv &d) { return double(get64(d.bertResult[0], BertResultField::ErrorBits)); });
    QTest::newRow("statistics port A Rx rate")
        << "bStats" << -1 << "" << int(TestNo::Stats) << 0 << 0 << true << Reading([](const Zorqv &d) {
               return 8.0 * get32(d.statsResult[0], StatsResultField::rx(StatsResultField::Bytes));
           });
    // The newest answered reply's latency.
    QTest::newRow("ping latency")
        << "bTCPIP" << 0 << "bStart" << int(TestNo::Ping) << 0 << 0 << false << Reading([](const Zorqv &d) {
               namespace F = PingResultField;
               int best = -1;
               double latency = NAN;
               for (std::size_t i = 0; i < F::Rows; ++i) {
                   const int seq = get16(d.pingResult[0], F::row(i) + F::Sequence);
                   const quint8 status = get8(d.pingResult[0], F::row(i) + F::Status);
                   if (seq > best && status != PingStatus::Request) {
                       best = seq;
                       latency = status == PingStatus::Ok ? get32(d.pingResult[0], F::row(i) + F::Latency) : NAN;
                   }
               }
               return latency;
           });
}

void TestChartsE2e::run()
{
    QFETCH(QString, button);
    QFETCH(int, tab);
    QFETCH(QString, start);
    QFETCH(int, test);
    QFETCH(int, pane);
    QFETCH(int, line);
    QFETCH(bool, rate);
    QFETCH(Reading, reading);

    SimProcess sim(SimProcess::Link::Tcp);
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainForm form(nullptr, sim.port());
    form.show();
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(form.device().connected, 5000);
    QMessageBox *warning = nullptr; // the two-port tester's release warning
    QTRY_VERIFY((warning = form.findChild<QMessageBox *>()) != nullptr);
    warning->close();

    QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
    TestForm *page = nullptr;
    for (TestForm *p : form.pages()) {
        if (p->isVisible())
            page = p;
    }
    QVERIFY(page);
    if (tab >= 0)
        page->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(tab);
    auto *charts = page->findChild<LiveCharts *>();
    QVERIFY(charts);
    QTest::mouseClick(charts->tabBar(), Qt::LeftButton, {}, charts->tabBar()->tabRect(1).center());
    QVERIFY(charts->isOpen());
    ChartPane *chart = charts->panes().value(pane);
    QVERIFY(chart);

    // Each poll of port A: what it brought, and the chart's points after it.
    struct Poll
    {
        qint64 ms; // when it arrived
        double value;
        QList<QPointF> points;
        QList<double> bars;
    };
    QList<Poll> polls;
    QElapsedTimer clock;
    clock.start();
    connect(&form.engine(), &OldProto::res_rcv, this, [&](unsigned short code) {
        if ((code & 0xFF) == test && (code >> 8) == 0)
            polls.append(Poll{clock.elapsed(), reading(form.device()), chart->linePoints(line), chart->values()});
    });

    if (!start.isEmpty()) {
        auto *b = page->findChild<QPushButton *>(start);
        QTRY_VERIFY_WITH_TIMEOUT(b->isEnabled(), 5000);
        QTest::mouseClick(b, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(charts->store(0).isEmpty() == false, 15000);
        polls.clear(); // from the first sample of the run on
    }
    // Four polls, and three new samples among them: a ping reply may miss a
    // poll on a loaded machine.
    QTRY_VERIFY_WITH_TIMEOUT(polls.size() >= 4 && (line < 0 || polls.last().points.size() >= polls.first().points.size() + 3),
                             20000);

    int checked = 0;
    for (int k = 1; k < polls.size(); ++k) {
        const Poll &now = polls.at(k);
        const Poll &before = polls.at(k - 1);
        if (line < 0) {
            QCOMPARE(now.bars.value(0), now.value);
            ++checked;
            continue;
        }
        if (now.points.size() <= before.points.size() || now.points.isEmpty())
            continue; // no new sample (a ping reply still awaited)
        const QPointF last = now.points.last();
        if (!rate) {
            QVERIFY2(last.y() == now.value || (std::isnan(last.y()) && std::isnan(now.value)),
                     qPrintable(QStringLiteral("poll %1: chart %2, poll %3").arg(k).arg(last.y()).arg(now.value)));
        } else {
            // Per second between the two polls as this test saw them arrive,
            // which a loaded machine (or a sanitizer build) may shift by some
            // tens of milliseconds against the page: a tenth either way still
            // tells a rate from a count or a wrong unit.
            const double seconds = (now.ms - before.ms) / 1000.0;
            const double grown = now.value - before.value;
            QVERIFY2(std::abs(last.y() * seconds - grown) <= 0.1 * grown + 1e-6,
                     qPrintable(QStringLiteral("poll %1: rate %2 over %3 s, grown %4")
                                    .arg(k).arg(last.y()).arg(seconds).arg(grown)));
        }
        ++checked;
    }
    QVERIFY2(checked >= 2, qPrintable(QString::number(checked)));
    QVERIFY(sim.stop());
}

QTEST_MAIN(TestChartsE2e)
#include "tst_charts_e2e.moc"
