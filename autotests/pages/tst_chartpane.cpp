// What a line chart draws from a sample store: the whole envelope of a long
// run in a bounded number of points, a gap as a break between pieces, and
// after a poll that changes nothing visible, nothing drawn again; a poll
// that does, redraws a short series per line (Qt Charts lays out and paints
// a whole series on any change, which after a day made each poll several
// milliseconds). Axes that follow a growing run step seldom, with round
// ends, and never cut a value off.

#include "chartpane.h"
#include "samplestore.h"

#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>
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
    void axes_data();
    void axes();
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
    int series = 0;
    int points = 0; // a series shares its first point with the one before
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
        ++d.series;
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
    QTest::addColumn<bool>("redrawn");   // by the next poll: a series of 33 points at most per line

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
        QCOMPARE(pane.linePieces(line), pieces);
        const int points = d.points - (d.series - pieces);
        QVERIFY2(points <= maxPoints, qPrintable(QString::number(points)));
        QCOMPARE(d.lo, lo);
        QCOMPARE(d.hi, hi);
    }

    // The next second brings the highest value drawn at the end again, grown.
    QList<QSignalSpy *> spies;
    QList<QXYSeries *> spied;
    double endHigh = std::numeric_limits<double>::lowest();
    for (QAbstractSeries *s : pane.chart()->series()) {
        auto *xy = qobject_cast<QXYSeries *>(s);
        spies << new QSignalSpy(xy, &QXYSeries::pointsReplaced);
        spied << xy;
        const QList<QPointF> points = xy->points();
        if (xy->name() == QLatin1String("line 0") && !points.isEmpty())
            endHigh = qMax(points.last().y(), points.value(points.size() - 2).y());
    }
    store.add(seconds + 1, {endHigh + growth, row(seconds).at(1)});
    pane.showStore(store);
    int redraws = 0;
    qsizetype redrawnPoints = 0;
    for (qsizetype k = 0; k < spies.size(); ++k) {
        redraws += int(spies[k]->count());
        if (spies[k]->count() > 0)
            redrawnPoints += spied[k]->count();
    }
    qDeleteAll(spies);
    QCOMPARE(redraws > 0, redrawn);
    QVERIFY2(redrawnPoints <= 2 * 33, qPrintable(QString::number(redrawnPoints)));
}

void TestChartPane::axes_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<double>("slope");  // of the value per second
    QTest::addColumn<int>("timeSteps");  // at most, over the run
    QTest::addColumn<int>("valueSteps"); // at most

    // Three decades of time, and a count growing over one and a half: the
    // axes step by half again at least, about six times a decade.
    QTest::newRow("a growing count") << 3000 << 7.0 << 20 << 11;
    QTest::newRow("a steady rate") << 3000 << 0.0 << 20 << 1;
}

void TestChartPane::axes()
{
    QFETCH(int, seconds);
    QFETCH(double, slope);
    QFETCH(int, timeSteps);
    QFETCH(int, valueSteps);

    ChartPane pane;
    pane.resize(800, 300);
    pane.show();
    pane.setLines({0});
    SampleStore store(1);
    auto *x = qobject_cast<QValueAxis *>(pane.chart()->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(pane.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(x && y);
    QSignalSpy xSteps(x, &QValueAxis::rangeChanged);
    QSignalSpy ySteps(y, &QValueAxis::rangeChanged);
    const double start = 3; // the tester's clock when the run began
    for (int t = 0; t <= seconds; ++t) {
        const double value = 500 + slope * t;
        store.add(start + t, {value});
        pane.showStore(store);
        // Everything shown, between round labels.
        QVERIFY2(x->min() <= start && x->max() >= start + t, qPrintable(QString::number(t)));
        QVERIFY2(y->min() <= value && y->max() >= value, qPrintable(QString::number(t)));
        const double step = (x->max() - x->min()) / (x->tickCount() - 1);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
        QVERIFY2(qFuzzyCompare(mantissa, 1.0) || qFuzzyCompare(mantissa, 2.0) || qFuzzyCompare(mantissa, 5.0),
                 qPrintable(QString::number(step)));
        QVERIFY(qFuzzyIsNull(std::remainder(x->min(), step) / step));
    }
    QVERIFY2(xSteps.count() <= timeSteps, qPrintable(QString::number(xSteps.count())));
    QVERIFY2(ySteps.count() <= valueSteps, qPrintable(QString::number(ySteps.count())));
}

QTEST_MAIN(TestChartPane)
#include "tst_chartpane.moc"
