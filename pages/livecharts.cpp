#include "livecharts.h"

#include "chartpane.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QToolButton>

#include <cmath>
#include <limits>

LiveCharts::LiveCharts(int columns, QBoxLayout *layout, QWidget *parent)
    : QWidget(parent)
    , m_stores{SampleStore(columns), SampleStore(columns)}
    , m_layout(layout)
{
    setObjectName(QStringLiteral("fLiveCharts"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_toggle = new QToolButton(this);
    m_toggle->setObjectName(QStringLiteral("bCharts"));
    m_toggle->setCheckable(true);
    m_toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toggle->setAutoRaise(true);
    m_toggle->setArrowType(Qt::RightArrow);
    column->addWidget(m_toggle);
    m_area = new QWidget(this);
    m_grid = new QGridLayout(m_area);
    m_grid->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_area, 1);
    m_area->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    connect(m_toggle, &QToolButton::toggled, this, &LiveCharts::setOpen);

    int at = layout->count();
    if (at > 0 && layout->itemAt(at - 1)->spacerItem())
        --at;
    layout->insertWidget(at, this);
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
    const int n = int(m_panes.size());
    m_grid->addWidget(pane, n / 2, n % 2);
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
    return m_toggle->isChecked();
}

void LiveCharts::setOpen(bool open)
{
    if (m_toggle->isChecked() != open) {
        m_toggle->setChecked(open); // comes back here through toggled
        return;
    }
    m_toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    m_area->setVisible(open);
    // Open, the charts take the room the page leaves below its results.
    setSizePolicy(QSizePolicy::Preferred, open ? QSizePolicy::Expanding : QSizePolicy::Maximum);
    if (m_layout)
        m_layout->setStretchFactor(this, open ? 1 : 0);
    redraw();
}

void LiveCharts::retranslate()
{
    m_toggle->setText(tr("Charts"));
    m_toggle->setToolTip(tr("Show or hide the charts of this test"));
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
