#include "samplestore.h"

#include <QTest>

#include <cmath>

// A run simulated poll by poll: one row per second unless said otherwise.
struct Run
{
    double seconds = 0;    // length of the run
    double step = 1;       // seconds between polls
    double breakAt = -1;   // the link goes at this time (no polls until it is back)
    double backAt = -1;
};
Q_DECLARE_METATYPE(Run)

class TestSampleStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
    void newRun_data();
    void newRun();
};

// Value of column c at time t: distinct per column, never 0, and going up
// and down within a bucket (its first value is neither its least nor its
// largest).
static double valueAt(double t, int c)
{
    return 1000 * (c + 1) + std::fmod(t * 37 + 50, 97) + 1;
}

static void feed(SampleStore &s, const Run &r, int columns)
{
    for (double t = 0; t <= r.seconds; t += r.step) {
        if (r.breakAt >= 0 && t >= r.breakAt && t < r.backAt)
            continue;
        if (r.breakAt >= 0 && t >= r.backAt && s.lastTime() < r.breakAt) {
            s.breakLine();
            s.breakLine(); // a second report of the same loss adds nothing
        }
        QList<double> row;
        for (int c = 0; c < columns; ++c)
            row << valueAt(t, c);
        s.add(t, row);
    }
}

void TestSampleStore::run_data()
{
    QTest::addColumn<Run>("run");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("points");      // points per column after the run
    QTest::addColumn<int>("gaps");        // NaN points
    QTest::addColumn<int>("maxKBytes");   // memory held at the end

    // Under an hour everything is kept as it came.
    QTest::newRow("10 min, 3 columns") << Run{600, 1, -1, -1} << 3 << 601 << 0 << 64;
    // A day: the last hour as it came (3601 rows), 23 h in 60 s buckets of two points.
    QTest::newRow("24 h, 3 columns") << Run{86400, 1, -1, -1} << 3 << 3601 + 2 * 1380 << 0 << 320;
    QTest::newRow("24 h, 20 columns") << Run{86400, 1, -1, -1} << 20 << 3601 + 2 * 1380 << 0 << 2048;
    QTest::newRow("24 h, two polls a second") << Run{86400, 0.5, -1, -1} << 3 << 7201 + 2 * 1380 << 0 << 600;
    // The link lost for 20 s within the last hour: one gap, the missed polls not made up.
    QTest::newRow("lost link, recent") << Run{600, 1, 100, 120} << 2 << 601 - 20 + 1 << 1 << 64;
    // The gap folds into the buckets and is still a gap.
    QTest::newRow("lost link, folded") << Run{7200, 1, 100, 120} << 2 << 3601 + 2 * 60 + 1 << 1 << 160;
}

void TestSampleStore::run()
{
    QFETCH(Run, run);
    QFETCH(int, columns);
    QFETCH(int, points);
    QFETCH(int, gaps);
    QFETCH(int, maxKBytes);

    SampleStore s(columns);
    feed(s, run, columns);
    QVERIFY2(s.bytes() <= std::size_t(maxKBytes) * 1024, qPrintable(QString::number(s.bytes())));
    for (int c = 0; c < columns; ++c) {
        const QList<QPointF> p = s.points(c);
        QCOMPARE(p.size(), points);
        int nan = 0;
        double lastX = -1;
        for (const QPointF &pt : p) {
            QVERIFY(pt.x() >= lastX); // oldest first
            lastX = pt.x();
            if (std::isnan(pt.y()))
                ++nan;
            else
                QVERIFY2(pt.y() >= 1000 * (c + 1) + 1, "a value that no poll brought (a zero)");
        }
        QCOMPARE(nan, gaps);
        // The newest point is the last poll, as it came.
        QCOMPARE(p.last(), QPointF(run.seconds, valueAt(run.seconds, c)));
    }
    // A bucket's minimum and maximum are the smallest and largest values in it.
    if (run.seconds > 3600 && run.breakAt < 0) {
        const QList<QPointF> p = s.points(0);
        double lo = 1e300, hi = -1e300;
        for (double t = 0; t < 60; t += run.step) {
            lo = qMin(lo, valueAt(t, 0));
            hi = qMax(hi, valueAt(t, 0));
        }
        QCOMPARE(p.at(0).y(), lo);
        QCOMPARE(p.at(1).y(), hi);
    }
}

// Start empties the store; a time running backwards is a new run too.
void TestSampleStore::newRun_data()
{
    QTest::addColumn<bool>("reset");
    QTest::addColumn<double>("nextTime");
    QTest::addColumn<int>("points");

    QTest::newRow("Start") << true << 5.0 << 1;
    QTest::newRow("time back to 0") << false << 0.0 << 1;
    QTest::newRow("time goes on") << false << 7300.0 << 3501 + 2 * 62 + 1;
    QTest::newRow("same second again") << false << 7200.0 << 3601 + 2 * 60;
}

void TestSampleStore::newRun()
{
    QFETCH(bool, reset);
    QFETCH(double, nextTime);
    QFETCH(int, points);

    SampleStore s(2);
    feed(s, Run{7200, 1, -1, -1}, 2);
    const std::size_t dayBytes = s.bytes();
    if (reset)
        s.reset();
    s.add(nextTime, {7, 8});
    QCOMPARE(s.points(1).size(), points);
    QCOMPARE(s.points(1).last(), QPointF(nextTime, 8));
    if (points == 1)
        QVERIFY(s.bytes() < dayBytes / 10); // the memory goes back too
}

QTEST_GUILESS_MAIN(TestSampleStore)
#include "tst_samplestore.moc"
