// What a line chart draws from a sample store: the whole envelope of a long
// run in a bounded number of points, a gap as a break between pieces, and
// after a poll that changes nothing visible, nothing drawn again (Qt Charts
// lays out and paints a whole series on any change, which after a day made
// each poll several milliseconds).

#include "chartpane.h"
#include "samplestore.h"

#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include <cmath>
#include <limits>

class TestChartPane : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

namespace {

// A rate with noise, and a slow counter: distinct values in each column.
QList<double> row(int t)
{
    const double noise = double((quint32(t) * 2654435761u) % 1000) / 10; // 0 .. 99.9, scattered
    return {1000 + noise, double(t / 600)};
}

struct Drawn
{
    int pieces = 0;
    int points = 0;
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
};

Drawn drawn(const ChartPane &pane, int line)
{
    Drawn d;
    const QString name = QStringLiteral("line %1").arg(line);
    for (QAbstractSeries *s : pane.chart()->series()) {
        auto *xy = qobject_cast<QXYSeries *>(s);
        if (!xy || xy->name() != name || xy->count() == 0)
            continue;
        ++d.pieces;
        d.points += int(xy->count());
        for (const QPointF &p : xy->points()) {
            d.lo = qMin(d.lo, p.y());
            d.hi = qMax(d.hi, p.y());
        }
    }
    return d;
}

} // namespace

void TestChartPane::lines_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("gapAt");      // -1: the link never went
    QTest::addColumn<int>("pieces");     // drawn per line
    QTest::addColumn<int>("maxPoints");  // drawn per line
    QTest::addColumn<double>("growth");  // of the next poll's value over the end's highest
    QTest::addColumn<bool>("redrawn");   // by the next poll

    QTest::newRow("a minute, every point") << 60 << -1 << 1 << 61 << 0.0 << true;
    QTest::newRow("a minute, link lost") << 60 << 30 << 2 << 61 << 0.0 << true;
    QTest::newRow("48 minutes, thinned") << 2900 << -1 << 1 << 820 << 0.0 << false;
    QTest::newRow("a day, folded and thinned") << 86400 << -1 << 1 << 820 << 0.0 << false;
    QTest::newRow("a day, link lost at noon") << 86400 << 43200 << 2 << 820 << 0.0 << false;
    // The value axis runs to 1200 over about 250 pixels: half a pixel is 2.4.
    QTest::newRow("a day, growing by less than a pixel") << 86400 << -1 << 1 << 820 << 0.3 << false;
    QTest::newRow("a day, growing by a pixel") << 86400 << -1 << 1 << 820 << 6.0 << true;
}

void TestChartPane::lines()
{
    QFETCH(int, seconds);
    QFETCH(int, gapAt);
    QFETCH(int, pieces);
    QFETCH(int, maxPoints);
    QFETCH(double, growth);
    QFETCH(bool, redrawn);

    ChartPane pane;
    pane.resize(800, 300); // 400 slices: 800 points at most, bucket edges aside
    pane.show(); // laid out: the plot has its size
    pane.setLines({0, 1});
    pane.setTexts(QStringLiteral("t"), QStringLiteral("s"), QStringLiteral("v"),
                  {QStringLiteral("line 0"), QStringLiteral("line 1")}, {QStringLiteral("t_s"), QStringLiteral("a"), QStringLiteral("b")});
    SampleStore store(2);
    for (int t = 0; t <= seconds; ++t) {
        if (t == gapAt)
            store.breakLine();
        else
            store.add(t, row(t));
    }
    pane.showStore(store);

    for (int line = 0; line < 2; ++line) {
        double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
        for (const QPointF &p : store.points(line)) {
            if (!std::isnan(p.y())) {
                lo = qMin(lo, p.y());
                hi = qMax(hi, p.y());
            }
        }
        const Drawn d = drawn(pane, line);
        QCOMPARE(d.pieces, pieces);
        QVERIFY2(d.points <= maxPoints, qPrintable(QString::number(d.points)));
        QCOMPARE(d.lo, lo);
        QCOMPARE(d.hi, hi);
    }

    // The next second brings the highest value drawn at the end again, grown.
    QList<QSignalSpy *> spies;
    double endHigh = std::numeric_limits<double>::lowest();
    for (QAbstractSeries *s : pane.chart()->series()) {
        auto *xy = qobject_cast<QXYSeries *>(s);
        spies << new QSignalSpy(xy, &QXYSeries::pointsReplaced);
        const QList<QPointF> points = xy->points();
        if (xy->name() == QLatin1String("line 0") && !points.isEmpty())
            endHigh = qMax(points.last().y(), points.value(points.size() - 2).y());
    }
    store.add(seconds + 1, {endHigh + growth, row(seconds).at(1)});
    pane.showStore(store);
    int redraws = 0;
    for (QSignalSpy *spy : std::as_const(spies))
        redraws += int(spy->count());
    qDeleteAll(spies);
    QCOMPARE(redraws > 0, redrawn);
}

QTEST_MAIN(TestChartPane)
#include "tst_chartpane.moc"
