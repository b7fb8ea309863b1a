#pragma once

#include "testrun.h"

#include "blocksizes.h"
#include "jitterlayout.h"

#include <array>

// The jitter test: a stream for the duration whose frames are sorted into
// the delay-variation buckets; the variation grows with the load on the path.
class JitterRun final : public TestRun
{
public:
    JitterRun(int process, int peer, const JitterConfigBlock &config, JitterResultBlock &result);

    bool finished() const override { return m_stopped || (m_durationMs > 0 && elapsedMs() >= m_durationMs); }
    void stop() override { m_stopped = true; }
    QList<Net::Flow> flows() const override { return {m_flow}; }
    const char *name() const override { return "jitter"; }

private:
    void step(qint64 ms, const RunContext &context) override;

    JitterConfigBlock m_config;
    JitterResultBlock &m_result;
    qint64 m_durationMs = 0;
    bool m_stopped = false;
    Net::Flow m_flow;
    Counter m_all;
    Counter m_inOrder;
    std::array<Counter, JitterResultField::Buckets> m_buckets;
};
