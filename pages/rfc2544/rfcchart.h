#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

// A bar chart of one RFC-2544 result per frame size, for the page's charts
// tab: one bar per label, or groups of bars (back to back: min, average,
// max). A fixed top (100 for percentages) keeps loads comparable between
// runs; otherwise the largest value sets the scale.
class RfcChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RfcChart)

public:
    explicit RfcChart(QWidget *parent = nullptr);

    // values holds barsPerLabel values per label, in label order; a NaN
    // value (not measured) draws no bar.
    void setData(const QString &title, const QStringList &labels, const QList<double> &values,
                 int barsPerLabel = 1, double fixedTop = 0);

    QString title() const { return m_title; }
    QStringList labels() const { return m_labels; }
    QList<double> values() const { return m_values; }
    // The value at the top of the y axis.
    double top() const;

    QSize sizeHint() const override { return {360, 220}; }
    QSize minimumSizeHint() const override { return {220, 150}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QStringList m_labels;
    QList<double> m_values;
    int m_perLabel = 1;
    double m_fixedTop = 0;
};
