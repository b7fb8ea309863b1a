#include "livecharts.h"

#include "chartpane.h"

#include <QBoxLayout>

#include <cmath>
#include <limits>

LiveCharts::LiveCharts(int columns, QBoxLayout *layout, QWidget *parent)
    : QTabWidget(parent)
    , m_stores{SampleStore(columns), SampleStore(columns)}
{
    setObjectName(QStringLiteral("tLiveCharts"));
    setDocumentMode(true); // no frame: the page keeps its room
    auto *test = new QWidget(this);
    test->setObjectName(QStringLiteral("tabTest"));
    auto *moved = new QVBoxLayout(test);
    int left, top, right, bottom;
    layout->getContentsMargins(&left, &top, &right, &bottom);
    moved->setContentsMargins(left, qMax(top, 4), right, bottom);
    moved->setSpacing(layout->spacing());
    while (layout->count() > 0) {
        const int stretch = layout->stretch(0);
        QLayoutItem *item = layout->takeAt(0);
        if (QWidget *w = item->widget()) {
            moved->addWidget(w, stretch, item->alignment());
            delete item;
        } else if (QLayout *sub = item->layout()) {
            sub->setParent(nullptr);
            moved->addLayout(sub, stretch);
        } else {
            moved->addItem(item);
            moved->setStretch(moved->count() - 1, stretch);
        }
    }
    addTab(test, QString());
    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("tabCharts"));
    m_column = new QVBoxLayout(m_area);
    m_column->setContentsMargins(0, 4, 0, 0);
    addTab(m_area, QString());
    layout->addWidget(this);
    connect(this, &QTabWidget::currentChanged, this, &LiveCharts::redraw);
    retranslate();
}

ChartPane *LiveCharts::addLines(const QList<int> &columns, bool logAxis, int port)
{
    auto *pane = new ChartPane(m_area);
    pane->setLines(columns, logAxis);
    place(pane, port);
    return pane;
}

ChartPane *LiveCharts::addBars()
{
    auto *pane = new ChartPane(m_area);
    pane->setBars(1);
    place(pane, -1);
    return pane;
}

void LiveCharts::place(ChartPane *pane, int port)
{
    // One below the other, each the tab's full width: a time axis wants
    // width more than height.
    m_column->addWidget(pane, 1);
    m_panes.append(pane);
    m_panePorts.append(port);
}

void LiveCharts::record(quint8 port, double t, const QList<double> &row)
{
    m_stores[port & 1].add(t, row);
    redraw(); // panes whose store has not changed skip it
}

void LiveCharts::start(quint8 port)
{
    m_stores[port & 1].reset();
    m_last[port & 1].clear();
    if ((port & 1) == m_port)
        redraw();
}

void LiveCharts::linkLost()
{
    for (int p = 0; p < 2; ++p) {
        m_stores[p].breakLine();
        m_last[p].clear();
    }
    redraw();
}

void LiveCharts::showPort(quint8 port)
{
    if (m_port == (port & 1))
        return;
    m_port = port & 1;
    redraw();
}

double LiveCharts::rate(quint8 port, int key, quint32 counter)
{
    if (!m_clock.isValid())
        m_clock.start();
    const qint64 now = m_clock.nsecsElapsed();
    QHash<int, Last> &last = m_last[port & 1];
    const auto it = last.constFind(key);
    double r = std::numeric_limits<double>::quiet_NaN();
    if (it != last.cend() && now > it->ns)
        r = double(quint32(counter - it->counter)) * 1e9 / double(now - it->ns);
    last.insert(key, Last{now, counter});
    return r;
}

bool LiveCharts::isOpen() const
{
    return currentWidget() == m_area;
}

void LiveCharts::setOpen(bool open)
{
    setCurrentWidget(open ? m_area : widget(0)); // draws through currentChanged
}

void LiveCharts::retranslate()
{
    setTabText(0, tr("Test"));
    setTabText(1, tr("Charts"));
    setTabToolTip(1, tr("The charts of this test while it runs"));
}

void LiveCharts::refresh()
{
    for (int i = 0; i < m_panes.size(); ++i) {
        const int port = m_panePorts.at(i);
        m_panes.at(i)->showStore(m_stores[port < 0 ? m_port : port & 1]);
    }
}

void LiveCharts::redraw()
{
    if (isOpen())
        refresh();
}
