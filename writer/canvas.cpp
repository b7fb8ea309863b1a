#include "canvas.h"

#include "resultvalues.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QColor kPen(31, 31, 31);
const QColor kFirstCell(217, 217, 217);
constexpr int kTextDx = 30;
constexpr int kTextBaseline = 170;
constexpr int kBodyPoints = 11;
constexpr int kAxisPoints = 7;
constexpr int kSmallestPoints = 5;
constexpr double kLabelSpacing = 250; // device units between two point labels

QFont reportFont(int points)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(points);
    return f;
}

double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// A position pos kept in lo..hi; lo wins when the range is empty.
int fitInto(int pos, int lo, int hi)
{
    return std::max(lo, std::min(pos, hi));
}

// Cuts the segment a-b, whose y coordinates are values, to the part with
// values in lo..hi; false when no part is. Done in value space, so that a
// huge value never becomes a huge device coordinate.
bool cutToScale(QPointF &a, QPointF &b, double lo, double hi)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dv = b.y() - a.y();
    const std::pair<double, double> edges[2] = {{-dv, a.y() - lo}, {dv, hi - a.y()}};
    for (const auto &[p, q] : edges) {
        if (p == 0.0) {
            if (q < 0.0)
                return false;
            continue;
        }
        const double t = q / p;
        if (p < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const QPointF from = a;
    const QPointF d = b - a;
    a = from + d * t0;
    b = from + d * t1;
    return true;
}

// The top of a bar chart's scale: a round number a little above the largest
// value, so that the bands read as round numbers and the value written over
// the highest bar stays inside the plot.
double scaleTop(double largest)
{
    if (!(largest > 0.0) || !std::isfinite(largest))
        return 1.0;
    const double wanted = largest * 1.1;
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    double top = 10.0 * decade;
    for (double m : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (m * decade >= wanted) {
            top = m * decade;
            break;
        }
    }
    // Near the largest double the round number overflows; an infinite top
    // would flatten every bar.
    return std::isfinite(top) ? top : largest;
}

} // namespace

Canvas::Canvas(QPrinter &printer, QPainter &painter, const QImage &check, const QImage &uncheck,
               std::function<bool()> stopRequested)
    : m_printer(printer)
    , m_painter(painter)
    , m_check(check)
    , m_uncheck(uncheck)
    , m_stopRequested(std::move(stopRequested))
{
    const QRect vp = painter.viewport();
    m_x = 2 * vp.width() / 21;
    m_top = vp.height() / 15;
    m_bottom = vp.height() * 28 / 30;
    m_y = m_top;
    restorePen();
}

void Canvas::restorePen()
{
    m_painter.setFont(reportFont(kBodyPoints));
    m_painter.setPen(kPen);
    m_painter.setBrush(Qt::NoBrush);
}

void Canvas::newPage()
{
    if (m_stopRequested && m_stopRequested())
        throw ReportInterrupted{};
    m_printer.newPage();
    m_y = m_top;
}

void Canvas::room(int height)
{
    if (m_stopRequested && m_stopRequested())
        throw ReportInterrupted{};
    if (m_y + height > m_bottom && m_y > m_top)
        newPage();
}

void Canvas::text(int dx, int dy, const QString &text, int pointSize)
{
    m_painter.setFont(reportFont(pointSize));
    m_painter.drawText(m_x + dx, m_y + dy, text);
    m_painter.setFont(reportFont(kBodyPoints));
}

// A text wider than its cell is set smaller until it fits, and only then
// shortened, so that nothing runs into the next cell.
void Canvas::fitText(int left, int baseline, int width, const QString &text)
{
    if (text.isEmpty())
        return;
    const int room = width - 2 * kTextDx;
    int points = kBodyPoints;
    QFont font = reportFont(points);
    while (points > kSmallestPoints && QFontMetrics(font, &m_printer).horizontalAdvance(text) > room)
        font = reportFont(--points);
    m_painter.setFont(font);
    const QString shown = QFontMetrics(font, &m_printer).elidedText(text, Qt::ElideRight, room);
    m_painter.drawText(left + kTextDx, baseline, shown);
    m_painter.setFont(reportFont(kBodyPoints));
}

void Canvas::cell(int left, int width, const QString &text, const QColor *fill)
{
    const QRect r(left, m_y, width, RowHeight);
    if (fill)
        m_painter.fillRect(r, *fill);
    m_painter.drawRect(QRect(left, m_y, width - 1, RowHeight - 1));
    fitText(left, m_y + kTextBaseline, width, text);
}

void Canvas::caption(const QString &text, int rowsAfter, QColor fill)
{
    if (rowsAfter > 0 && m_y + (rowsAfter + 1) * RowHeight > m_bottom && m_y > m_top)
        newPage();
    room(RowHeight);
    cell(m_x, m_width, text, &fill);
    m_y += RowHeight;
}

void Canvas::row(const QStringList &cells)
{
    room(RowHeight);
    const int n = int(cells.size());
    for (int i = 0; i < n; ++i) {
        const int left = m_x + i * m_width / n;
        const int right = m_x + (i + 1) * m_width / n;
        cell(left, right - left, cells.at(i), i == 0 ? &kFirstCell : nullptr);
    }
    m_y += RowHeight;
}

void Canvas::check(const QString &label, bool on)
{
    room(RowHeight);
    const int half = m_width / 2;
    cell(m_x, half, label, &kFirstCell);
    cell(m_x + half, m_width - half, QString(), nullptr);
    m_painter.drawImage(QPoint(m_x + half + 1, m_y - 1), on ? m_check : m_uncheck);
    m_y += RowHeight;
}

void Canvas::chart(const Chart &c)
{
    room(c.height);
    const int left = m_x + 400;
    const int right = m_x + c.width - 401;
    // The title takes the first row and the second is left for the value
    // over a full-height bar; the plot box starts below them.
    const int top = m_y + 400;
    const int bottom = m_y + c.height - 400;
    const int plotW = right - left;
    const int plotH = bottom - top;

    m_painter.drawText(m_x + 200, m_y + 199, c.title);
    m_painter.drawRect(QRect(left, top, plotW, plotH));

    // The y scale: 0..100 for percentages, else up to the largest value.
    double topValue = 100.0;
    if (c.kind != Chart::Percent) {
        double largest = 0.0;
        for (double v : c.values)
            largest = std::max(largest, finiteOrZero(v));
        topValue = scaleTop(largest);
    }
    const auto yOf = [&](double v) {
        const double clamped = std::clamp(finiteOrZero(v), 0.0, topValue);
        return bottom - int(std::lround(clamped / topValue * plotH));
    };

    QFont axis = reportFont(kAxisPoints);
    m_painter.setFont(axis);
    const QFontMetrics fm(axis, &m_printer);
    QPen grid(QColor(190, 190, 190));
    for (int k = 0; k <= 4; ++k) {
        const int gy = bottom - k * plotH / 4;
        if (k > 0 && k < 4) {
            m_painter.setPen(grid);
            m_painter.drawLine(left, gy, right, gy);
        }
        m_painter.setPen(kPen);
        m_painter.drawLine(left - 40, gy, left, gy);
        // k / 4 first: the product of a scale near the largest double with k
        // would overflow.
        const QString label = ResultValues::general(topValue * (k / 4.0));
        m_painter.drawText(QRect(m_x, gy - 100, 340, 200), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                           label);
    }

    const int slotCount = int(c.labels.size());
    if (slotCount == 0) {
        restorePen();
        m_y += c.height + RowHeight;
        return;
    }
    const double slotW = double(plotW) / slotCount;
    const auto slotLeft = [&](int i) { return left + int(std::lround(i * slotW)); };
    for (int i = 0; i < slotCount; ++i) {
        const QRect labelBox(slotLeft(i), bottom + 20, int(slotW), 200);
        m_painter.drawText(labelBox, Qt::AlignHCenter | Qt::AlignTop,
                           fm.elidedText(c.labels.at(i), Qt::ElideRight, int(slotW)));
    }
    const auto valueAbove = [&](int cx, int y, double v) {
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRect(cx - 300, y - 190, 600, 180),
                           Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip, ResultValues::general(v));
    };

    if (c.kind == Chart::Bars) {
        for (int i = 0; i < slotCount && i < c.values.size(); ++i) {
            const int w = int(slotW / 2);
            const int bx = slotLeft(i) + int(slotW / 4);
            const int by = yOf(c.values.at(i));
            m_painter.setPen(Qt::red);
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(QRect(bx, by, w, bottom - by));
            valueAbove(bx + w / 2, by, c.values.at(i));
        }
    } else if (c.kind == Chart::Triples) {
        const QColor pens[3] = {Qt::red, Qt::blue, Qt::green};
        const QColor fills[3] = {Qt::darkRed, Qt::darkBlue, Qt::darkGreen};
        const int w = int(slotW * 2 / 9);
        // Bars at 1/9, 3/9 and 5/9 of the slot: they stay inside it.
        const auto barLeft = [&](int k) { return slotLeft(k / 3) + int(slotW * (1 + 2 * (k % 3)) / 9); };
        const int bars = std::min(int(c.values.size()), 3 * slotCount);
        for (int k = 0; k < bars; ++k) {
            const int by = yOf(c.values.at(k));
            m_painter.setPen(pens[k % 3]);
            m_painter.setBrush(fills[k % 3]);
            m_painter.drawRect(QRect(barLeft(k), by, w, bottom - by));
        }
        m_painter.setBrush(Qt::NoBrush);
        // The values last, so that no bar covers a neighbour's value.
        for (int k = 0; k < bars; ++k)
            valueAbove(barLeft(k) + w / 2, yOf(c.values.at(k)), c.values.at(k));
    } else {
        const int perSlot = int(c.values.size()) / slotCount;
        const double step = perSlot > 0 ? slotW / perSlot : slotW;
        // Every 10th point carries its value, or every 20th, 30th... where
        // the points are too close for that.
        const int labelEvery = 10 * std::max(1, int(std::ceil(kLabelSpacing / (step * 10))));
        // The scale is fixed, so a value above it is real and must not be
        // flattened onto the top edge: its lines run towards it and are cut
        // where they leave the box, and the wide pen is cut there as well.
        m_painter.save();
        m_painter.setClipRect(QRect(left, top, plotW + 1, plotH + 1));
        m_painter.setPen(QPen(Qt::blue, 8));
        const auto deviceY = [&](double v) { return bottom - v / topValue * plotH; };
        for (int i = 0; i < slotCount && perSlot > 0; ++i) {
            for (int s = 1; s < perSlot; ++s) {
                const double xs = slotLeft(i) + step * (s - 0.5);
                QPointF a(xs, finiteOrZero(c.values.at(i * perSlot + s - 1)));
                QPointF b(xs + step, finiteOrZero(c.values.at(i * perSlot + s)));
                if (cutToScale(a, b, 0.0, topValue))
                    m_painter.drawLine(QPointF(a.x(), deviceY(a.y())), QPointF(b.x(), deviceY(b.y())));
            }
        }
        // A value stands over its point, moved inside the box where it would
        // leave it; an off-scale value thus sits at the top edge.
        m_painter.setPen(Qt::black);
        const int textH = fm.height();
        for (int i = 0; i < slotCount && perSlot > 0; ++i) {
            for (int s = 0; s < perSlot; s += labelEvery) {
                const double v = c.values.at(i * perSlot + s);
                const QString text = ResultValues::general(v);
                const int textW = fm.horizontalAdvance(text);
                const int px = slotLeft(i) + int(step * (s + 0.5));
                const QRect r(fitInto(px - textW / 2, left + 10, right - 10 - textW),
                              fitInto(yOf(v) - 10 - textH, top + 10, bottom - 10 - textH), textW, textH);
                m_painter.drawText(r, Qt::AlignCenter, text);
            }
        }
        m_painter.restore();
    }
    restorePen();
    m_y += c.height + RowHeight;
}
