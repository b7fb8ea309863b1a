#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

#include <functional>

class QImage;
class QPainter;
class QPrinter;

// Thrown out of a drawing step when the run has been asked to stop; the
// report being written is then discarded.
struct ReportInterrupted
{
};

// A chart of the RFC-2544 report: one slot per x label.
struct Chart
{
    enum Kind { Bars = 1, Triples = 2, Percent = 3 };
    QString title;
    QStringList labels;
    // Bars: one value per label. Triples: three per label (min, average,
    // max). Percent: the same number of points per label, joined by lines.
    QList<double> values;
    Kind kind = Bars;
    int width = 4000;
    int height = 3000;
};

// The report page in printer device units: a left edge, the current y, and
// rows of 200 units whose cells are outlined and whose first cell is grey.
// Every row that would pass the usable height (28/30 of the page) starts a
// new page first, and every step checks whether the run is to stop.
class Canvas
{
public:
    static constexpr int RowHeight = 200;
    static constexpr int DefaultWidth = 5000;

    Canvas(QPrinter &printer, QPainter &painter, const QImage &check, const QImage &uncheck,
           std::function<bool()> stopRequested);

    int x() const { return m_x; }
    int y() const { return m_y; }
    int top() const { return m_top; }
    void skip(int dy) { m_y += dy; }
    void setWidth(int width) { m_width = width; }

    // Text with its baseline at (x + dx, y + dy), in the given point size.
    void text(int dx, int dy, const QString &text, int pointSize = 11);
    // A caption row that starts a new page unless rowsAfter rows fit below it.
    void caption(const QString &text, int rowsAfter, QColor fill = QColor(102, 255, 255));
    // A row of equal cells (two-, three-, four-column and list rows).
    void row(const QStringList &cells);
    // A two-column row whose right cell holds the check or uncheck image.
    void check(const QString &label, bool on);
    void chart(const Chart &chart);
    void newPage();

private:
    void room(int height);
    void cell(int left, int width, const QString &text, const QColor *fill);
    void fitText(int left, int baseline, int width, const QString &text);
    void restorePen();

    QPrinter &m_printer;
    QPainter &m_painter;
    const QImage &m_check;
    const QImage &m_uncheck;
    std::function<bool()> m_stopRequested;
    int m_x = 0;
    int m_top = 0;
    int m_bottom = 0;
    int m_y = 0;
    int m_width = DefaultWidth;
};
