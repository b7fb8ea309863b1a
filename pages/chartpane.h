#pragma once

#include <QList>
#include <QPointF>
#include <QStringList>
#include <QWidget>

class QAbstractAxis;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class SampleStore;

// One chart of a page, on Qt Charts: lines over the run's time read from a
// sample store, or bars per category (frame sizes, jitter buckets). Every
// page's charts are this one class: it shows a point's time and value on
// hover, toggles a line from its legend entry, saves itself as PNG and its
// data as CSV from its context menu, and takes the page's font. The page
// gives it translated titles again after a language switch.
class ChartPane final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartPane)

public:
    explicit ChartPane(QWidget *parent = nullptr);
    ~ChartPane() override;

    // Lines: one per store column listed; a log axis leaves values <= 0 out.
    void setLines(const QList<int> &columns, bool logAxis = false);
    // Bars: barsPerCategory bars for each category.
    void setBars(int barsPerCategory);
    // Titles; names and csvKeys hold one entry per line or bar of a category
    // (csvKeys name the CSV columns, with their units, and are not translated).
    void setTexts(const QString &title, const QString &xTitle, const QString &yTitle,
                  const QStringList &names, const QStringList &csvKeys);
    // For bars fed from a store: one category per listed column.
    void setCategories(const QStringList &categories);

    // Lines: the store's points; bars: the store's newest row.
    void showStore(const SampleStore &store);
    // Bars given directly: barsPerCategory values per category, in category
    // order; a NaN (not measured) draws no bar. A fixed top (100 for
    // percentages) keeps charts comparable; otherwise the largest value
    // rounded up sets it.
    void showBars(const QList<double> &values, double fixedTop = 0);

    // What the chart shows, as tests and the CSV read it.
    QString title() const { return m_title; }
    QStringList labels() const { return m_categories; }
    QList<double> values() const { return m_barValues; }
    double top() const;
    int lineCount() const { return int(m_lines.size()); }
    QList<QPointF> linePoints(int line) const;
    // The drawn runs of a line (a gap splits it).
    int linePieces(int line) const;
    bool lineShown(int line) const;
    void setLineShown(int line, bool shown);
    QByteArray csv() const;
    QChart *chart() const { return m_chart; }

    bool savePng(const QString &path) const;
    bool saveCsv(const QString &path) const;

    QSize sizeHint() const override { return {420, 260}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Line
    {
        int column = 0;
        QList<QPointF> points;
        QList<QLineSeries *> pieces; // the first one carries the legend entry
        int used = 0; // pieces drawn
        int runs = 0; // between gaps
        bool shown = true;
    };
    void clear();
    void drawLines();
    // Sets the value axis for lines from lo to hi; true when its range changed.
    bool setValueRange(double lo, double hi);
    // The value axis' span, in decades on a log axis.
    double valueSpan() const;
    QLineSeries *piece(int line, int index);
    void legendClicked(int line);
    void hovered(int line, const QPointF &point, bool state);
    void barHovered(int set, bool state, int index);
    void showMenu(const QPoint &pos);
    void applyFont();
    void setAxes(QAbstractAxis *x, QAbstractAxis *y);
    // A short pane drops its title (the axes keep theirs) and ticks.
    void fitToHeight();

    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    QAbstractAxis *m_x = nullptr;
    QAbstractAxis *m_y = nullptr;
    bool m_log = false;
    QList<Line> m_lines;
    QBarSeries *m_bars = nullptr;
    QList<QBarSet *> m_barSets;
    int m_perCategory = 1;
    double m_fixedTop = 0;
    QString m_title;
    QString m_xTitle;
    QString m_yTitle;
    QStringList m_names;
    QStringList m_keys;
    QStringList m_categories;
    QList<double> m_barValues;
    quint64 m_shownRevision = ~quint64(0);
    QPointF m_xWanted{-1, -1}; // the time range last asked for, before nice numbers
    QPointF m_yRange{-1, -1};  // the value range last set
};
