#include "rfcchart.h"

#include "resultvalues.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int kBands = 4;
// Bar colours of a group, in value order (min, average, max).
const QColor kBarColors[] = {QColor(200, 40, 40), QColor(40, 80, 200), QColor(30, 150, 60)};

} // namespace

RfcChart::RfcChart(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RfcChart::setData(const QString &title, const QStringList &labels, const QList<double> &values,
                       int barsPerLabel, double fixedTop)
{
    m_title = title;
    m_labels = labels;
    m_values = values;
    m_perLabel = qMax(1, barsPerLabel);
    m_fixedTop = fixedTop;
    update();
}

double RfcChart::top() const
{
    if (m_fixedTop > 0)
        return m_fixedTop;
    double largest = 0;
    for (double v : m_values) {
        if (std::isfinite(v))
            largest = qMax(largest, v);
    }
    if (!(largest > 0) || largest > 1e300)
        return largest > 0 ? largest : 1.0;
    // The next round number, so that the four bands read as round numbers.
    const double decade = std::pow(10.0, std::floor(std::log10(largest)));
    for (double m : {1.0, 1.2, 1.6, 2.0, 2.4, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (m * decade >= largest)
            return m * decade;
    }
    return 10 * decade;
}

void RfcChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.height();
    const double maxValue = top();

    int left = 0;
    for (int b = 0; b <= kBands; ++b)
        left = qMax(left, fm.horizontalAdvance(ResultValues::general(maxValue * b / kBands)));
    left += 8;
    // Room above the plot for the title and for the value over a full bar.
    const QRect plot(left, 2 * line + 8, width() - left - 8, height() - 3 * line - 16);
    p.drawText(QRect(0, 0, width(), line + 4), Qt::AlignHCenter | Qt::AlignTop, m_title);
    if (plot.width() < 20 || plot.height() < 20)
        return;

    // Four bands with their values on the axis.
    for (int b = 0; b <= kBands; ++b) {
        const int y = plot.bottom() - plot.height() * b / kBands;
        p.setPen(b == 0 ? palette().color(QPalette::WindowText) : QColor(200, 200, 200));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, y - line / 2, left - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                   ResultValues::general(maxValue * b / kBands));
    }
    p.drawLine(plot.bottomLeft(), plot.topLeft());

    const int count = int(m_labels.size());
    if (count == 0)
        return;
    const double slotWidth = double(plot.width()) / count;
    const double barWidth = slotWidth * 0.6 / m_perLabel;
    for (int i = 0; i < count; ++i) {
        const double x0 = plot.left() + i * slotWidth;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRectF(x0, plot.bottom() + 2, slotWidth, line), Qt::AlignHCenter | Qt::AlignTop,
                   m_labels.at(i));
        for (int k = 0; k < m_perLabel; ++k) {
            const int at = i * m_perLabel + k;
            const double v = at < m_values.size() ? m_values.at(at) : NAN;
            if (!std::isfinite(v))
                continue;
            const double h = qBound(0.0, v / maxValue, 1.0) * plot.height();
            const QRectF bar(x0 + slotWidth * 0.2 + k * barWidth, plot.bottom() - h, barWidth, h);
            const QColor colour = kBarColors[k % 3];
            p.fillRect(bar, colour.lighter(150));
            p.setPen(colour);
            p.drawRect(bar);
            if (m_perLabel == 1) {
                p.setPen(palette().color(QPalette::WindowText));
                p.drawText(QRectF(x0, bar.top() - line, slotWidth, line), Qt::AlignHCenter | Qt::AlignBottom,
                           ResultValues::general(v));
            }
        }
    }
}
