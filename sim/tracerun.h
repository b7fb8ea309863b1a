#pragma once

#include "testrun.h"

#include "blocksizes.h"

// Trace route: one probe per hop, each after the pause that follows the
// previous answer or time-out, until the destination answers or the hops
// run out. Like the tester, it probes as many hops as it keeps, so a silent
// destination fills every page of the result.
class TraceRun final : public TestRun
{
public:
    static constexpr int MaxHops = int(BlockSize::TraceHops);

    TraceRun(int process, const TraceConfigBlock &config, TraceResultBlock &result);

    bool finished() const override { return m_stopped || m_done; }
    void stop() override;
    const char *name() const override { return "trace"; }

private:
    void step(qint64 ms, const RunContext &context) override;
    void writeHop(int k, quint8 status);

    TraceConfigBlock m_config;
    TraceResultBlock &m_result;
    bool m_routed = false;
    bool m_stopped = false;
    bool m_done = false;
    QList<Net::Hop> m_hops;
    int m_current = 0;       // hop being probed
    qint64 m_probeStart = 0;
};
