#include "chartpane.h"

#include "csv.h"
#include "samplestore.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

#include <QCursor>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QResizeEvent>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Segments per drawn series: what a poll makes Qt Charts lay out again.
constexpr qsizetype kSegmentsPerSeries = 32;

// Line and bar colours in series order: distinct on screen and on paper.
const QColor kColors[] = {QColor(40, 80, 200),  QColor(200, 40, 40),  QColor(30, 150, 60),
                          QColor(220, 140, 0),  QColor(130, 60, 170), QColor(0, 150, 160),
                          QColor(120, 120, 120), QColor(190, 90, 150), QColor(110, 80, 30),
                          QColor(0, 0, 0)};

QColor colorOf(int i)
{
    return kColors[i % int(std::size(kColors))];
}

// The next round number at or above largest, so that the axis ticks read as
// round numbers.
double roundedTop(double largest)
{
    if (!(largest > 0) || largest > 1e300)
        return largest > 0 ? largest : 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(largest)));
    for (double m : {1.0, 1.2, 1.6, 2.0, 2.4, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (m * decade >= largest)
            return m * decade;
    }
    return 10 * decade;
}

// The end of an axis that follows a value: kept while it holds the value
// and the value fills half of it at least; outgrown, raised by half again at
// least. A steadily growing count (run time, lost frames) so rescales the
// chart, which lays it out and draws it whole, about five times a decade
// instead of ten, at the price of emptier charts after each step.
double followingTop(double current, double needed)
{
    if (current > 0 && needed <= current && 2 * needed > current)
        return current;
    if (current > 0 && needed > current)
        return roundedTop(qMax(needed, 1.5 * current));
    return roundedTop(needed);
}

// 1, 2, 5 or 10 times a power of ten: the next at or above x, or the
// nearest to it.
double niceNumber(double x, bool atOrAbove)
{
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    const double q = x / decade;
    if (atOrAbove)
        return (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10) * decade;
    return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * decade;
}

// An axis range with round ends and a round step, about five ticks.
struct NiceRange
{
    double lo;
    double hi;
    int ticks;
};
NiceRange niceRange(double lo, double hi)
{
    if (!(hi > lo) || hi - lo > 1e300)
        return {lo, hi, 5};
    const double step = niceNumber(niceNumber(hi - lo, true) / 4, false);
    const double first = std::floor(lo / step);
    const double last = std::ceil(hi / step);
    return {first * step, last * step, int(last - first) + 1};
}

// Keeps a line drawable in about a millisecond however long the run: per
// slice of the time axis (about two pixels) only the smallest and the
// largest point, in their order; a gap (NaN) is kept as it is. The slices
// hang on the axis range, not on the points, so a poll that leaves every
// slice's extremes as they were leaves the result as it was, and the chart
// is not drawn again.
QList<QPointF> thinned(const QList<QPointF> &points, double x0, double width, int slices)
{
    if (points.size() <= 2 * slices || !(width > 0))
        return points;
    QList<QPointF> out;
    out.reserve(2 * slices + 16);
    qint64 slice = -1;
    QPointF lo, hi;
    bool any = false;
    auto flush = [&] {
        if (!any)
            return;
        if (lo.x() <= hi.x()) {
            out.append(lo);
            if (hi != lo)
                out.append(hi);
        } else {
            out.append(hi);
            out.append(lo);
        }
        any = false;
    };
    for (const QPointF &p : points) {
        if (std::isnan(p.y())) {
            flush();
            out.append(p);
            continue;
        }
        const auto s = qint64(std::floor((p.x() - x0) / width));
        if (s != slice) {
            flush();
            slice = s;
        }
        if (!any) {
            lo = hi = p;
            any = true;
        } else if (p.y() < lo.y()) {
            lo = p;
        } else if (p.y() > hi.y()) {
            hi = p;
        }
    }
    flush();
    return out;
}

QString numberText(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 10) : QStringLiteral("---");
}

QString csvNumber(double v)
{
    return std::isfinite(v) ? Csv::number(v) : QString();
}

} // namespace

ChartPane::ChartPane(QWidget *parent)
    : QWidget(parent)
    , m_chart(new QChart)
{
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->setBackgroundRoundness(0);
    m_view = new QChartView(m_chart, this); // owns the chart
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &ChartPane::showMenu);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    applyFont();
}

ChartPane::~ChartPane() = default;

void ChartPane::clear()
{
    m_chart->removeAllSeries();
    for (QAbstractAxis *axis : m_chart->axes())
        m_chart->removeAxis(axis);
    delete m_x;
    delete m_y;
    m_x = m_y = nullptr;
    m_lines.clear();
    m_bars = nullptr;
    m_barSets.clear();
    m_shownRevision = ~quint64(0);
    // New axes: nothing of the old ranges holds.
    m_xWanted = m_yRange = QPointF(-1, -1);
}

void ChartPane::setAxes(QAbstractAxis *x, QAbstractAxis *y)
{
    m_x = x;
    m_y = y;
    m_chart->addAxis(m_x, Qt::AlignBottom);
    m_chart->addAxis(m_y, Qt::AlignLeft);
}

void ChartPane::setLines(const QList<int> &columns, bool logAxis)
{
    clear();
    m_log = logAxis;
    QAbstractAxis *y = nullptr;
    if (logAxis) {
        auto *axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%.0e"));
        y = axis;
    } else {
        auto *axis = new QValueAxis;
        axis->setLabelFormat(QStringLiteral("%.6g"));
        y = axis;
    }
    auto *x = new QValueAxis;
    x->setLabelFormat(QStringLiteral("%.6g"));
    setAxes(x, y);
    for (int c : columns) {
        Line line;
        line.column = c;
        m_lines.append(line);
    }
    for (int i = 0; i < m_lines.size(); ++i)
        piece(i, 0);
    // Beside the plot, the names keep their full length.
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->legend()->setVisible(true);
    applyFont();
    fitToHeight();
}

void ChartPane::setBars(int barsPerCategory)
{
    clear();
    m_log = false;
    m_perCategory = qMax(1, barsPerCategory);
    m_bars = new QBarSeries;
    for (int k = 0; k < m_perCategory; ++k) {
        auto *set = new QBarSet(QString());
        set->setColor(colorOf(k).lighter(140));
        set->setBorderColor(colorOf(k));
        connect(set, &QBarSet::hovered, this, [this, k](bool state, int index) { barHovered(k, state, index); });
        m_bars->append(set);
        m_barSets.append(set);
    }
    m_chart->addSeries(m_bars);
    auto *y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.6g"));
    setAxes(new QBarCategoryAxis, y);
    m_bars->attachAxis(m_x);
    m_bars->attachAxis(m_y);
    // One bar per category needs no legend.
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setVisible(m_perCategory > 1);
    applyFont();
    fitToHeight();
}

QLineSeries *ChartPane::piece(int line, int index)
{
    Line &l = m_lines[line];
    while (l.pieces.size() <= index) {
        auto *series = new QLineSeries;
        QPen pen(colorOf(line));
        pen.setWidthF(1); // drawn by the raster engine's fast path for thin lines
        series->setPen(pen);
        series->setName(line < m_names.size() ? m_names.at(line) : QString());
        m_chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        connect(series, &QXYSeries::hovered, this,
                [this, line](const QPointF &point, bool state) { hovered(line, point, state); });
        const QList<QLegendMarker *> markers = m_chart->legend()->markers(series);
        for (QLegendMarker *marker : markers) {
            if (l.pieces.isEmpty())
                connect(marker, &QLegendMarker::clicked, this, [this, line] { legendClicked(line); });
            else
                marker->setVisible(false);
        }
        l.pieces.append(series);
    }
    return l.pieces[index];
}

void ChartPane::setTexts(const QString &title, const QString &xTitle, const QString &yTitle,
                         const QStringList &names, const QStringList &csvKeys)
{
    m_title = title;
    m_xTitle = xTitle;
    m_yTitle = yTitle;
    m_names = names;
    m_keys = csvKeys;
    fitToHeight();
    if (m_x)
        m_x->setTitleText(xTitle);
    if (m_y)
        m_y->setTitleText(yTitle);
    for (int i = 0; i < m_lines.size(); ++i) {
        for (QLineSeries *s : std::as_const(m_lines[i].pieces))
            s->setName(i < names.size() ? names.at(i) : QString());
    }
    for (int k = 0; k < m_barSets.size(); ++k)
        m_barSets[k]->setLabel(k < names.size() ? names.at(k) : QString());
}

void ChartPane::setCategories(const QStringList &categories)
{
    m_categories = categories;
    if (auto *axis = qobject_cast<QBarCategoryAxis *>(m_x)) {
        axis->clear();
        axis->append(categories);
    }
}

void ChartPane::showStore(const SampleStore &store)
{
    if (m_bars) {
        // The newest row, one bar per category.
        QList<double> values;
        for (int c = 0; c < m_categories.size(); ++c)
            values << store.lastValue(c);
        showBars(values, m_fixedTop);
        return;
    }
    if (store.revision() == m_shownRevision)
        return;
    m_shownRevision = store.revision();
    for (Line &l : m_lines)
        l.points = store.points(l.column);
    drawLines();
}

void ChartPane::drawLines()
{
    auto widen = [](double &a, double &b, double v) {
        if (std::isnan(a) || v < a)
            a = v;
        if (std::isnan(b) || v > b)
            b = v;
    };
    // The points come oldest first: the ends give the time range.
    double x0 = kNaN, x1 = kNaN;
    for (const Line &l : std::as_const(m_lines)) {
        if (!l.points.isEmpty()) {
            widen(x0, x1, l.points.first().x());
            widen(x0, x1, l.points.last().x());
        }
    }
    bool xRescaled = false;
    auto *x = qobject_cast<QValueAxis *>(m_x);
    if (x) {
        // Rounded up, so that the axis (and the chart's layout) changes
        // only now and then as the run grows.
        const double span = m_xWanted.x() == x0 ? m_xWanted.y() - m_xWanted.x() : 0.0;
        const QPointF wanted = std::isnan(x0) ? QPointF(0, 1) : QPointF(x0, x0 + followingTop(span, x1 - x0));
        if (wanted != m_xWanted) {
            xRescaled = true;
            m_xWanted = wanted;
            // Round labels, whatever the first time. Set here, not by the
            // axis: it would lay itself out again for each step.
            const NiceRange nice = niceRange(wanted.x(), wanted.y());
            if (x->tickCount() != nice.ticks)
                x->setTickCount(nice.ticks);
            x->setRange(nice.lo, nice.hi);
        }
    }
    const QPointF xRange = x ? QPointF(x->min(), x->max()) : QPointF(0, 1);
    // Two points per slice: about one slice per two pixels, and no more than
    // about 2000 points in the whole pane however many lines it has.
    const int slices = qBound(50, 1000 / int(qMax<qsizetype>(1, m_lines.size())), qMax(50, m_view->width() / 2));
    const double sliceWidth = (xRange.y() - xRange.x()) / slices;
    QList<QList<QPointF>> shown;
    double lo = kNaN, hi = kNaN;
    for (const Line &l : std::as_const(m_lines)) {
        shown.append(thinned(l.points, xRange.x(), sliceWidth, slices));
        for (const QPointF &p : std::as_const(shown.last())) {
            if (l.shown && !std::isnan(p.y()) && !(m_log && !(p.y() > 0)))
                widen(lo, hi, p.y());
        }
    }
    const bool rescaled = setValueRange(lo, hi) || xRescaled;
    // How far a point must move to show: half a pixel.
    const QRectF plot = m_chart->plotArea();
    const double dx = (xRange.y() - xRange.x()) / qMax(1.0, plot.width()) / 2;
    const double dy = valueSpan() / qMax(1.0, plot.height()) / 2;
    auto onScreenAlike = [&](const QList<QPointF> &drawn, const QList<QPointF> &wanted) {
        if (drawn.size() != wanted.size())
            return false;
        if (rescaled || plot.isEmpty())
            return drawn == wanted;
        for (qsizetype k = 0; k < drawn.size(); ++k) {
            const double y0 = m_log ? std::log10(drawn[k].y()) : drawn[k].y();
            const double y1 = m_log ? std::log10(wanted[k].y()) : wanted[k].y();
            if (std::abs(drawn[k].x() - wanted[k].x()) >= dx || !(std::abs(y0 - y1) < dy))
                return false;
        }
        return true;
    };
    for (int i = 0; i < m_lines.size(); ++i) {
        Line &l = m_lines[i];
        int used = 0;
        int runs = 0;
        QList<QPointF> run;
        run.reserve(shown[i].size());
        auto flush = [&] {
            if (run.isEmpty())
                return;
            ++runs;
            // Qt Charts lays out and draws a whole series on any change, so a
            // run is drawn as series of a fixed number of segments, each
            // sharing its last point with the next: a poll that adds a
            // point changes the newest alone. A series that would look the
            // same is left alone: after a day a poll moves a line by far
            // less than a pixel.
            for (qsizetype from = 0;; from += kSegmentsPerSeries) {
                const QList<QPointF> part = run.mid(from, kSegmentsPerSeries + 1);
                QLineSeries *s = piece(i, used++);
                if (!onScreenAlike(s->points(), part))
                    s->replace(part);
                s->setVisible(l.shown);
                if (from + kSegmentsPerSeries >= run.size() - 1)
                    break;
            }
            run.clear();
        };
        for (const QPointF &p : std::as_const(shown[i])) {
            // A gap (no value), and on a log axis a value it cannot show,
            // ends the piece.
            if (std::isnan(p.y()) || (m_log && !(p.y() > 0))) {
                flush();
                continue;
            }
            run.append(p);
        }
        flush();
        // A line without a value (an inactive stream) has no legend entry.
        for (QLegendMarker *marker : m_chart->legend()->markers(l.pieces.first())) {
            if (marker->isVisible() != (used > 0)) // else the legend is laid out again
                marker->setVisible(used > 0);
        }
        for (int k = used; k < l.pieces.size(); ++k) {
            // The first piece stays for the legend entry.
            if (l.pieces[k]->count() > 0)
                l.pieces[k]->clear();
            l.pieces[k]->setVisible(k == 0 && l.shown);
        }
        l.used = used;
        l.runs = runs;
    }
}

bool ChartPane::setValueRange(double lo, double hi)
{
    QPointF range;
    if (auto *y = qobject_cast<QLogValueAxis *>(m_y)) {
        // Whole decades; over more than four, a label every third decade,
        // or the labels of a short chart would run into each other.
        int top = std::isnan(hi) ? 0 : int(std::ceil(std::log10(hi)));
        int bottom = std::isnan(lo) ? -12 : int(std::floor(std::log10(lo)));
        // Two decades at least: a log axis labels only its decades.
        bottom = qMin(bottom, top - 2);
        const bool wide = top - bottom > 4;
        if (wide) {
            bottom = int(std::floor(bottom / 3.0)) * 3;
            top = int(std::ceil(top / 3.0)) * 3;
        }
        y->setBase(wide ? 1000 : 10);
        range = QPointF(std::pow(10.0, bottom), std::pow(10.0, top));
        y->setRange(range.x(), range.y());
    } else if (auto *y = qobject_cast<QValueAxis *>(m_y)) {
        const double bottom = (!std::isnan(lo) && lo < 0) ? -followingTop(-m_yRange.x(), -lo) : 0.0;
        range = QPointF(bottom, followingTop(m_yRange.y(), std::isnan(hi) ? 0.0 : hi));
        y->setRange(range.x(), range.y());
    }
    const bool changed = range != m_yRange;
    m_yRange = range;
    return changed;
}

double ChartPane::valueSpan() const
{
    return m_log ? std::log10(m_yRange.y()) - std::log10(m_yRange.x()) : m_yRange.y() - m_yRange.x();
}

void ChartPane::showBars(const QList<double> &values, double fixedTop)
{
    if (!m_bars)
        return;
    m_barValues = values;
    m_fixedTop = fixedTop;
    for (int k = 0; k < m_barSets.size(); ++k) {
        QList<qreal> heights;
        for (int i = 0; i < m_categories.size(); ++i) {
            const int at = i * m_perCategory + k;
            const double v = at < values.size() ? values.at(at) : kNaN;
            heights << (std::isfinite(v) ? v : 0.0);
        }
        QBarSet *set = m_barSets[k];
        if (set->count() == heights.size()) {
            for (int i = 0; i < heights.size(); ++i) {
                if (set->at(i) != heights.at(i))
                    set->replace(i, heights.at(i));
            }
        } else {
            set->remove(0, set->count());
            set->append(heights);
        }
    }
    if (auto *y = qobject_cast<QValueAxis *>(m_y))
        y->setRange(0, top());
}

double ChartPane::top() const
{
    if (m_bars && m_fixedTop > 0)
        return m_fixedTop;
    double largest = 0;
    if (m_bars) {
        for (double v : m_barValues) {
            if (std::isfinite(v))
                largest = qMax(largest, v);
        }
    } else {
        for (const Line &l : m_lines) {
            for (const QPointF &p : l.points) {
                if (l.shown && std::isfinite(p.y()))
                    largest = qMax(largest, p.y());
            }
        }
    }
    return roundedTop(largest);
}

QList<QPointF> ChartPane::linePoints(int line) const
{
    return line >= 0 && line < m_lines.size() ? m_lines[line].points : QList<QPointF>();
}

int ChartPane::linePieces(int line) const
{
    return line >= 0 && line < m_lines.size() ? m_lines[line].runs : 0;
}

bool ChartPane::lineShown(int line) const
{
    return line >= 0 && line < m_lines.size() && m_lines[line].shown;
}

void ChartPane::setLineShown(int line, bool shown)
{
    if (line < 0 || line >= m_lines.size())
        return;
    Line &l = m_lines[line];
    l.shown = shown;
    for (int k = 0; k < l.pieces.size(); ++k)
        l.pieces[k]->setVisible(shown && (k < l.used || k == 0));
    // A hidden line's legend entry stays, dimmed, to bring it back.
    if (!l.pieces.isEmpty()) {
        for (QLegendMarker *marker : m_chart->legend()->markers(l.pieces.first())) {
            QColor c = marker->labelBrush().color();
            c.setAlphaF(shown ? 1.0 : 0.4);
            marker->setLabelBrush(c);
            QBrush b = marker->brush();
            QColor bc = colorOf(line);
            bc.setAlphaF(shown ? 1.0 : 0.3);
            b.setColor(bc);
            marker->setBrush(b);
            marker->setVisible(true);
        }
    }
    drawLines();
}

void ChartPane::legendClicked(int line)
{
    setLineShown(line, !lineShown(line));
}

void ChartPane::hovered(int line, const QPointF &point, bool state)
{
    if (!state) {
        QToolTip::hideText();
        return;
    }
    // The nearest stored point, not the spot on the line between two.
    const QList<QPointF> &pts = m_lines[line].points;
    QPointF best = point;
    double distance = std::numeric_limits<double>::max();
    for (const QPointF &p : pts) {
        if (!std::isnan(p.y()) && std::abs(p.x() - point.x()) < distance) {
            distance = std::abs(p.x() - point.x());
            best = p;
        }
    }
    const QString name = line < m_names.size() ? m_names.at(line) : QString();
    QToolTip::showText(QCursor::pos(), QStringLiteral("%1\n%2: %3\n%4: %5")
                                           .arg(name, m_xTitle, numberText(best.x()), m_yTitle,
                                                numberText(best.y())),
                       m_view);
}

void ChartPane::barHovered(int set, bool state, int index)
{
    if (!state) {
        QToolTip::hideText();
        return;
    }
    const int at = index * m_perCategory + set;
    const QString category = index < m_categories.size() ? m_categories.at(index) : QString();
    const QString name = m_perCategory > 1 && set < m_names.size() ? m_names.at(set) + QLatin1Char('\n') : QString();
    QToolTip::showText(QCursor::pos(), QStringLiteral("%1%2: %3\n%4: %5")
                                           .arg(name, m_xTitle, category, m_yTitle,
                                                numberText(at < m_barValues.size() ? m_barValues.at(at) : kNaN)),
                       m_view);
}

QByteArray ChartPane::csv() const
{
    QList<QStringList> rows;
    if (m_bars) {
        for (int i = 0; i < m_categories.size(); ++i) {
            QStringList row{m_categories.at(i)};
            for (int k = 0; k < m_perCategory; ++k) {
                const int at = i * m_perCategory + k;
                row << csvNumber(at < m_barValues.size() ? m_barValues.at(at) : kNaN);
            }
            rows << row;
        }
    } else if (!m_lines.isEmpty()) {
        // All lines come from one store: the same times, row by row.
        const QList<QPointF> &times = m_lines.first().points;
        for (int r = 0; r < times.size(); ++r) {
            QStringList row{csvNumber(times.at(r).x())};
            for (const Line &l : m_lines)
                row << csvNumber(r < l.points.size() ? l.points.at(r).y() : kNaN);
            rows << row;
        }
    }
    return Csv::document(m_keys, rows);
}

bool ChartPane::savePng(const QString &path) const
{
    return m_view->grab().save(path, "PNG");
}

bool ChartPane::saveCsv(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(csv()) >= 0 && file.flush();
}

void ChartPane::showMenu(const QPoint &pos)
{
    QMenu menu(this);
    QAction *png = menu.addAction(tr("Save as PNG…"));
    menu.addAction(tr("Save data as CSV…"));
    QAction *chosen = menu.exec(m_view->mapToGlobal(pos));
    if (!chosen)
        return;
    const bool isPng = chosen == png;
    QString path = QFileDialog::getSaveFileName(this, chosen->text().remove(QChar(0x2026)), QString(),
                                                isPng ? tr("PNG images (*.png)") : tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QString suffix = isPng ? QStringLiteral(".png") : QStringLiteral(".csv");
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    if (isPng)
        savePng(path);
    else
        saveCsv(path);
}

void ChartPane::applyFont()
{
    const QFont f = font();
    QFont bold = f;
    bold.setBold(true);
    m_chart->setTitleFont(bold);
    m_chart->legend()->setFont(f);
    for (QAbstractAxis *axis : {m_x, m_y}) {
        if (!axis)
            continue;
        axis->setLabelsFont(f);
        axis->setTitleFont(f);
    }
}

void ChartPane::fitToHeight()
{
    constexpr int kShort = 230; // px: below it a title would squeeze the plot
    const bool tall = height() >= kShort;
    m_chart->setTitle(tall ? m_title : QString());
    if (auto *y = qobject_cast<QValueAxis *>(m_y))
        y->setTickCount(tall ? 5 : 3);
}

void ChartPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitToHeight();
}

void ChartPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        applyFont();
    QWidget::changeEvent(event);
}
