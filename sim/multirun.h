#pragma once

#include "testrun.h"

#include "blocksizes.h"
#include "multilayout.h"

#include <array>

// The multistream test: up to ten streams share the port for the duration,
// framed by the margin like the traffic test. When they ask for more than
// the line carries, each gets its share of it.
class MultiRun final : public TestRun
{
public:
    MultiRun(int process, int peer, const MultiConfigBlock &config, MultiResultBlock &result);

    bool finished() const override;
    void stop() override { m_stopped = true; }
    QList<Net::Flow> flows() const override;
    const char *name() const override { return "multistream"; }

private:
    void step(qint64 ms, const RunContext &context) override;

    MultiConfigBlock m_config;
    MultiResultBlock &m_result;
    qint64 m_marginMs = 0;
    qint64 m_durationMs = 0;
    bool m_stopped = false;
    std::array<Net::Flow, MultiConfigField::Streams> m_flows;
    std::array<Counter, MultiConfigField::Streams> m_tx;
    std::array<Counter, MultiConfigField::Streams> m_rx;
};
