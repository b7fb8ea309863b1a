#pragma once

#include "testrun.h"

#include "blocksizes.h"

// Ping: one echo request per pause until stopped; the last six requests
// are the rows of the result, the statistics count them all.
class PingRun final : public TestRun
{
public:
    PingRun(int process, const PingConfigBlock &config, PingResultBlock &result, PingStatsBlock &stats);

    bool finished() const override { return m_stopped; }
    void stop() override;
    const char *name() const override { return "ping"; }

private:
    struct Probe
    {
        quint16 sequence = 0;
        quint8 status = 0;
        qint64 due = 0;        // when it is answered or times out
        int latencyMs = -1;    // -1: no answer will come
    };

    void step(qint64 ms, const RunContext &context) override;
    void write();

    PingConfigBlock m_config;
    PingResultBlock &m_result;
    PingStatsBlock &m_stats;
    bool m_stopped = false;
    qint64 m_nextSend = 0;
    quint16 m_sequence = 0;
    QList<Probe> m_probes; // the last six, oldest first
    quint32 m_sent = 0;
    quint32 m_received = 0;
    double m_latencySum = 0;
    quint32 m_min = 0xFFFFFFFF;
    quint32 m_max = 0;
};
