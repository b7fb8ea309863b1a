#pragma once

#include "samplestore.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QTabWidget>

class ChartPane;
class QBoxLayout;
class QVBoxLayout;

// The live charts of a page: a "Charts" tab beside a tab that holds the
// page's own layout as it stands, and one sample store per port that the
// result polls fill. A tab gives the charts the whole page at any window
// size, where a panel under the results left them a strip. The store of a
// port starts again at Start and is kept after Stop. Only the shown port's
// store is drawn, and only while the charts tab is open, so a poll costs
// nothing else but the store's row.
class LiveCharts final : public QTabWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveCharts)

public:
    // Takes everything layout holds into its first tab and takes its place.
    LiveCharts(int columns, QBoxLayout *layout, QWidget *parent);

    // A pane draws the shown port's store, or always port's when port is 0 or 1.
    ChartPane *addLines(const QList<int> &columns, bool logAxis = false, int port = -1);
    ChartPane *addBars();
    QList<ChartPane *> panes() const { return m_panes; }

    const SampleStore &store(quint8 port) const { return m_stores[port & 1]; }
    void record(quint8 port, double t, const QList<double> &row);
    // A new run on port.
    void start(quint8 port);
    // The link went: both ports' lines break.
    void linkLost();
    void showPort(quint8 port);
    quint8 shownPort() const { return m_port; }
    // Counts per second of a counter since the previous poll of port (key
    // tells the counters apart); NaN on a run's first poll or after a break.
    // The counter is 32 bits and may wrap once between polls. Measured on
    // this computer's clock: the tester's whole seconds would make a poll
    // late by half a second read as a rate half again as high.
    double rate(quint8 port, int key, quint32 counter);

    bool isOpen() const;
    void setOpen(bool open);
    void retranslate();
    // Draws the shown port's store now (open or not).
    void refresh();

private:
    void redraw();
    void place(ChartPane *pane, int port);

    struct Last
    {
        qint64 ns = 0;
        quint32 counter = 0;
    };
    QElapsedTimer m_clock;
    SampleStore m_stores[2];
    QHash<int, Last> m_last[2];
    quint8 m_port = 0;
    QWidget *m_area = nullptr;
    QVBoxLayout *m_column = nullptr;
    QList<ChartPane *> m_panes;
    QList<int> m_panePorts;
};
