#pragma once

#include <QList>
#include <QPointF>

#include <cstddef>
#include <vector>

// The samples of one page and port over a run, for its live charts: one row
// of values per result poll at the tester's elapsed time. The last hour is
// kept as it came; older rows fold into buckets that keep each value's
// minimum and maximum, so that a day-long run stays a few hundred kilobytes.
// A lost link leaves a break that the charts draw as a gap, never as zeros.
class SampleStore
{
public:
    explicit SampleStore(int columns = 1, double fullSpan = 3600, double bucketSpan = 60);

    int columns() const { return m_columns; }
    // Empties the store for a new run, with another number of columns.
    void reset(int columns);
    void reset() { reset(m_columns); }

    // One poll: values beyond the row's end count as NaN (no value). A time
    // earlier than the last row's starts a new run; the same time as the
    // last row's replaces that row's values (two polls in one second).
    void add(double t, const QList<double> &values);
    // The link went: the next row starts a new line piece.
    void breakLine();

    bool isEmpty() const { return m_buckets.empty() && m_head == m_times.size(); }
    double lastTime() const;
    // The newest row's value of column (NaN when none).
    double lastValue(int column) const;
    // Column's points oldest first: a folded bucket gives its minimum at its
    // start and its maximum half a bucket later; a break gives a NaN point.
    QList<QPointF> points(int column) const;
    // Rows as they would be read out (for sizing), and the memory held.
    std::size_t pointCount() const;
    std::size_t bytes() const;
    // Changes whenever the points change.
    quint64 revision() const { return m_revision; }

private:
    struct Bucket
    {
        double start = 0;   // time of its first row
        qint64 index = 0;   // start / bucketSpan, rounded down
        bool breakAfter = false;
    };
    void fold(std::size_t row);
    bool isBreak(std::size_t row) const;

    int m_columns = 1;
    double m_fullSpan = 3600;
    double m_bucketSpan = 60;
    // Full-resolution rows from m_head on; rows before it are folded and
    // dropped in batches.
    std::vector<double> m_times;
    std::vector<double> m_values; // m_columns per row
    std::size_t m_head = 0;
    std::vector<Bucket> m_buckets;
    std::vector<double> m_min; // m_columns per bucket
    std::vector<double> m_max;
    quint64 m_revision = 0;
};
