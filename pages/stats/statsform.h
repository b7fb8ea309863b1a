#pragma once

#include "deviceform.h"

#include <QElapsedTimer>

#include <memory>

namespace Ui {
class StatsForm;
}
class ChartPane;
class LiveCharts;

// The frame counters of both test ports, received and transmitted side by
// side, whatever port the main window has chosen; the one-port model shows
// port A only. Resets the counters and sets whether the tester resets them
// itself when a test starts.
class StatsForm final : public DeviceForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatsForm)

public:
    explicit StatsForm(Zorqv *device, QWidget *parent = nullptr);
    ~StatsForm() override;

    void retranslate() override;

public Q_SLOTS:
    void status_upd() override;
    void res_rcv(unsigned short code) override;
    void cfg_rcv(unsigned short code) override;

private Q_SLOTS:
    void bResetStatsClicked();

private:
    void showPort(quint8 port);
    // Hides what concerns port B on the one-port model.
    void applyModel();
    void storeConfig() override;
    void nameCharts();
    // Rates of port p's byte counters since its previous poll.
    void sample(quint8 p);

    std::unique_ptr<Ui::StatsForm> ui;
    bool m_autoReset = false;
    // The statistics run with no test of their own: their charts count the
    // seconds since the page was made.
    QElapsedTimer m_clock;
    LiveCharts *m_charts = nullptr;
    ChartPane *m_port[2] = {};
};
