#include "samplestore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Folded rows are dropped once this many have gathered: the vectors then
// never hold much more than the last hour, and moving the hour costs
// little per poll.
constexpr std::size_t kDropBatch = 256;

} // namespace

SampleStore::SampleStore(int columns, double fullSpan, double bucketSpan)
    : m_fullSpan(fullSpan)
    , m_bucketSpan(bucketSpan > 0 ? bucketSpan : 60)
{
    reset(columns);
}

void SampleStore::reset(int columns)
{
    m_columns = qMax(1, columns);
    m_times.clear();
    m_values.clear();
    m_head = 0;
    m_buckets.clear();
    m_min.clear();
    m_max.clear();
    // Memory of a long run goes back too.
    m_times.shrink_to_fit();
    m_values.shrink_to_fit();
    m_buckets.shrink_to_fit();
    m_min.shrink_to_fit();
    m_max.shrink_to_fit();
    ++m_revision;
}

double SampleStore::lastTime() const
{
    if (m_head < m_times.size())
        return m_times.back();
    return m_buckets.empty() ? kNaN : m_buckets.back().start;
}

double SampleStore::lastValue(int column) const
{
    if (column < 0 || column >= m_columns || m_head == m_times.size())
        return kNaN;
    return m_values[(m_times.size() - 1) * std::size_t(m_columns) + std::size_t(column)];
}

bool SampleStore::isBreak(std::size_t row) const
{
    for (int c = 0; c < m_columns; ++c) {
        if (!std::isnan(m_values[row * std::size_t(m_columns) + std::size_t(c)]))
            return false;
    }
    return true;
}

void SampleStore::add(double t, const QList<double> &values)
{
    if (!std::isfinite(t))
        return;
    if (!isEmpty() && t < lastTime())
        reset();
    const std::size_t n = std::size_t(m_columns);
    // A break (no value at all) always goes on as a row of its own.
    const bool brings = std::any_of(values.cbegin(), values.cend(), [](double v) { return !std::isnan(v); });
    if (brings && m_head < m_times.size() && t == m_times.back() && !isBreak(m_times.size() - 1)) {
        const std::size_t last = (m_times.size() - 1) * n;
        for (std::size_t c = 0; c < n; ++c)
            m_values[last + c] = c < std::size_t(values.size()) ? values[qsizetype(c)] : kNaN;
        ++m_revision;
        return;
    }
    m_times.push_back(t);
    for (int c = 0; c < m_columns; ++c)
        m_values.push_back(c < values.size() ? values[c] : kNaN);
    // An all-NaN row reads as a break: a poll without a single value.
    while (m_head < m_times.size() && m_times[m_head] < t - m_fullSpan)
        fold(m_head++);
    if (m_head >= kDropBatch) {
        m_times.erase(m_times.begin(), m_times.begin() + std::ptrdiff_t(m_head));
        m_values.erase(m_values.begin(), m_values.begin() + std::ptrdiff_t(m_head * std::size_t(m_columns)));
        m_head = 0;
    }
    ++m_revision;
}

void SampleStore::breakLine()
{
    if (isEmpty())
        return;
    if (m_head < m_times.size() && isBreak(m_times.size() - 1))
        return; // already broken
    if (m_head == m_times.size() && m_buckets.back().breakAfter)
        return;
    add(lastTime(), {});
}

void SampleStore::fold(std::size_t row)
{
    const std::size_t n = std::size_t(m_columns);
    if (isBreak(row)) {
        if (!m_buckets.empty())
            m_buckets.back().breakAfter = true;
        return;
    }
    const double t = m_times[row];
    const auto index = qint64(std::floor(t / m_bucketSpan));
    if (m_buckets.empty() || m_buckets.back().index != index || m_buckets.back().breakAfter) {
        m_buckets.push_back(Bucket{t, index, false});
        m_min.insert(m_min.end(), n, kNaN);
        m_max.insert(m_max.end(), n, kNaN);
    }
    const std::size_t b = (m_buckets.size() - 1) * n;
    for (std::size_t c = 0; c < n; ++c) {
        const double v = m_values[row * n + c];
        if (std::isnan(v))
            continue;
        if (std::isnan(m_min[b + c]) || v < m_min[b + c])
            m_min[b + c] = v;
        if (std::isnan(m_max[b + c]) || v > m_max[b + c])
            m_max[b + c] = v;
    }
}

QList<QPointF> SampleStore::points(int column) const
{
    QList<QPointF> out;
    if (column < 0 || column >= m_columns)
        return out;
    const std::size_t n = std::size_t(m_columns);
    const std::size_t c = std::size_t(column);
    out.reserve(qsizetype(pointCount()));
    for (std::size_t b = 0; b < m_buckets.size(); ++b) {
        const Bucket &bucket = m_buckets[b];
        // The bucket's maximum halfway between its first row and its end.
        const double end = (double(bucket.index) + 1) * m_bucketSpan;
        const double middle = bucket.start + (end - bucket.start) / 2;
        out.append(QPointF(bucket.start, m_min[b * n + c]));
        out.append(QPointF(middle, m_max[b * n + c]));
        if (bucket.breakAfter)
            out.append(QPointF(middle, kNaN));
    }
    for (std::size_t r = m_head; r < m_times.size(); ++r)
        out.append(QPointF(m_times[r], m_values[r * n + c]));
    return out;
}

std::size_t SampleStore::pointCount() const
{
    std::size_t breaks = 0;
    for (const Bucket &b : m_buckets)
        breaks += b.breakAfter ? 1 : 0;
    return 2 * m_buckets.size() + breaks + (m_times.size() - m_head);
}

std::size_t SampleStore::bytes() const
{
    return sizeof(*this) + m_times.capacity() * sizeof(double) + m_values.capacity() * sizeof(double)
           + m_buckets.capacity() * sizeof(Bucket) + (m_min.capacity() + m_max.capacity()) * sizeof(double);
}
