#pragma once

#include "testrun.h"

#include "blocksizes.h"

// The bit error rate test: pattern frames for the duration; the path flips
// about one bit in 10^9, and every second with lost frames loses the
// sequence synchronisation.
class BertRun final : public TestRun
{
public:
    static constexpr double BitErrorRate = 1e-9;

    BertRun(int process, int peer, const BertConfigBlock &config, BertResultBlock &result);

    bool finished() const override { return m_stopped || (m_durationMs > 0 && elapsedMs() >= m_durationMs); }
    void stop() override { m_stopped = true; }
    QList<Net::Flow> flows() const override { return {m_flow}; }
    const char *name() const override { return "BERT"; }

private:
    void step(qint64 ms, const RunContext &context) override;

    BertConfigBlock m_config;
    BertResultBlock &m_result;
    qint64 m_durationMs = 0;
    bool m_stopped = false;
    bool m_lossThisSecond = false;
    Net::Flow m_flow;
    Counter m_bits;
    Counter m_errors;
    quint32 m_lss = 0;
    quint32 m_los = 0;
};
