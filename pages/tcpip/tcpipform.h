#pragma once

#include "blocksizes.h"
#include "processform.h"

#include <QIcon>

#include <memory>

namespace Ui {
class TCPIPForm;
}
class ChartPane;

// The IP-level tests of one port on three tabs: ping, trace route and DNS
// lookup. The tab on show is the test the buttons and the poll act on;
// switching ports moves all three tabs, each with its own edit buffers.
class TCPIPForm final : public ProcessForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCPIPForm)

public:
    explicit TCPIPForm(Zorqv *device, QWidget *parent = nullptr);
    ~TCPIPForm() override;

    enum Tab { PingTab, TraceTab, DnsTab };
    enum PingColumn { PingNumber, PingStatus, PingFrame, PingLatency };
    enum TraceColumn { HopNumber, HopAddress, HopLatency };

    const PingConfigBlock &pingConfig(quint8 proc) const { return m_ping[proc & 1]; }
    const TraceConfigBlock &traceConfig(quint8 proc) const { return m_trace[proc & 1]; }
    const DnsConfigBlock &dnsConfig(quint8 proc) const { return m_dns[proc & 1]; }

public Q_SLOTS:
    // The displays of each test for port p, as res_rcv runs them for the
    // current port.
    void ping_res_rcv(unsigned char p);
    void trace_res_rcv(unsigned char p);
    void dns_res_rcv(unsigned char p);

private Q_SLOTS:
    void sPageValue(int value);
    void curTabChanged(int index);

private:
    void showConfig(quint8 proc) override;
    void storeConfig(quint8 proc) override;
    void takeTestConfig(quint8 proc, int test) override;
    void giveTestConfig(quint8 proc, int test) override;
    void showTestConfig(quint8 proc, int test) override;
    void showTestResult(quint8 proc, int test) override;
    void updateControls(quint32 s, quint32 o) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    void setTitles(quint8 port) override;

    void showPing(quint8 proc);
    void sample(quint8 proc, int test) override;
    void nameCharts();
    void showTrace(quint8 proc);
    void showDns(quint8 proc);

    std::unique_ptr<Ui::TCPIPForm> ui;
    ChartPane *m_latency = nullptr;
    PingConfigBlock m_ping[2] = {};
    TraceConfigBlock m_trace[2] = {};
    DnsConfigBlock m_dns[2] = {};
    const QIcon m_procIcon;
    const QIcon m_infoIcon;
    const QIcon m_okIcon;
};
