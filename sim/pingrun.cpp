#include "pingrun.h"

#include "pinglayout.h"

PingRun::PingRun(int process, const PingConfigBlock &config, PingResultBlock &result, PingStatsBlock &stats)
    : TestRun(4, process, process)
    , m_config(config)
    , m_result(result)
    , m_stats(stats)
{
    write();
}

void PingRun::stop()
{
    for (Probe &p : m_probes) {
        if (p.status == PingStatus::Request)
            p.status = PingStatus::Interrupted;
    }
    m_stopped = true;
    write();
}

void PingRun::step(qint64, const RunContext &context)
{
    const qint64 pause = qMax<qint64>(100, get16(m_config, PingConfigField::Pause));
    const quint32 destination = get32(m_config, PingConfigField::IpDst);
    while (m_nextSend <= elapsedMs()) {
        Probe probe;
        probe.sequence = ++m_sequence;
        if (probe.sequence == 0)
            probe.sequence = m_sequence = 1; // 0 marks an empty row
        probe.status = PingStatus::Request;
        if (const auto latency = Net::pingLatencyMs(context.iface[process()], destination)) {
            probe.latencyMs = *latency + (context.random->bounded(4) == 0 ? 1 : 0);
            probe.due = m_nextSend + probe.latencyMs;
        } else {
            probe.due = m_nextSend + Net::TimeoutMs;
        }
        m_probes.append(probe);
        if (m_probes.size() > qsizetype(PingResultField::Rows))
            m_probes.removeFirst();
        ++m_sent;
        m_nextSend += pause;
    }
    for (Probe &p : m_probes) {
        if (p.status != PingStatus::Request || p.due > elapsedMs())
            continue;
        if (p.latencyMs < 0) {
            p.status = PingStatus::Timeout;
            continue;
        }
        p.status = PingStatus::Ok;
        ++m_received;
        m_latencySum += p.latencyMs;
        m_min = qMin(m_min, quint32(p.latencyMs));
        m_max = qMax(m_max, quint32(p.latencyMs));
    }
    write();
}

void PingRun::write()
{
    using namespace PingResultField;
    m_result.fill(0);
    for (qsizetype i = 0; i < m_probes.size(); ++i) {
        const Probe &p = m_probes[i];
        const std::size_t r = row(std::size_t(i));
        put8(m_result, r + Status, p.status);
        put16(m_result, r + Sequence, p.sequence);
        put32(m_result, r + Latency, p.status == PingStatus::Ok ? quint32(p.latencyMs) : 0);
    }
    put32(m_stats, PingStatsField::Sent, m_sent);
    put32(m_stats, PingStatsField::Received, m_received);
    putFloat(m_stats, PingStatsField::Average, m_received ? float(m_latencySum / m_received) : 0.0f);
    put32(m_stats, PingStatsField::Minimum, m_min);
    put32(m_stats, PingStatsField::Maximum, m_max);
}
