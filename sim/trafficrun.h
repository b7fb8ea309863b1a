#pragma once

#include "testrun.h"

#include "blocksizes.h"

// The traffic test: after the margin it sends frames of one length at one
// rate for the duration, then waits another margin for the last frames.
class TrafficRun final : public TestRun
{
public:
    TrafficRun(int process, int peer, const TrafficConfigBlock &config, TrafficResultBlock &result);

    bool finished() const override;
    void stop() override { m_stopped = true; }
    QList<Net::Flow> flows() const override { return {m_flow}; }
    const char *name() const override { return "traffic"; }

private:
    void step(qint64 ms, const RunContext &context) override;

    TrafficConfigBlock m_config;
    TrafficResultBlock &m_result;
    qint64 m_marginMs = 0;
    qint64 m_durationMs = 0; // 0: until stopped
    bool m_stopped = false;
    Net::Flow m_flow;
    Counter m_tx;
    Counter m_rx;
    Counter m_crc;
    Counter m_pause;
};
