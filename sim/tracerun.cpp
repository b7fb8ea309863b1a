#include "tracerun.h"

#include "pinglayout.h"

TraceRun::TraceRun(int process, const TraceConfigBlock &config, TraceResultBlock &result)
    : TestRun(6, process, process)
    , m_config(config)
    , m_result(result)
{
    m_result.fill(0);
}

void TraceRun::stop()
{
    if (!m_done && m_current < m_hops.size())
        writeHop(m_current, TraceStatus::Timeout);
    m_stopped = true;
}

void TraceRun::writeHop(int k, quint8 status)
{
    using namespace TraceHopField;
    const std::size_t at = hop(std::size_t(k));
    const Net::Hop &h = m_hops[k];
    const bool answered = status == TraceStatus::Ok || status == TraceStatus::Reached;
    put8(m_result, at + Status, status);
    for (int i = 0; i < 4; ++i) // first dotted octet in the lowest byte
        put8(m_result, at + Address + std::size_t(i), answered ? quint8(h.address >> (24 - 8 * i)) : 0);
    put32(m_result, at + Latency, answered ? quint32(h.latencyMs) : 0);
    put8(m_result, at + Number, quint8(k + 1));
}

void TraceRun::step(qint64, const RunContext &context)
{
    const quint32 destination = get32(m_config, TraceConfigField::IpDst);
    if (!m_routed) {
        m_hops = Net::route(context.iface[process()], destination, MaxHops);
        m_routed = true;
        if (m_hops.isEmpty()) {
            m_done = true;
            return;
        }
        writeHop(0, TraceStatus::Probing);
    }
    const qint64 pause = qMax<qint64>(100, get16(m_config, TraceConfigField::Pause));
    while (!m_done) {
        const Net::Hop &h = m_hops[m_current];
        const qint64 answerAt = m_probeStart + (h.answers ? h.latencyMs : Net::TimeoutMs);
        if (elapsedMs() < answerAt)
            break;
        const bool last = m_current + 1 == m_hops.size();
        const bool reached = h.answers && h.address == destination;
        writeHop(m_current, !h.answers ? TraceStatus::Timeout : reached ? TraceStatus::Reached : TraceStatus::Ok);
        if (last || reached) {
            m_done = true;
            break;
        }
        if (elapsedMs() < answerAt + pause)
            break;
        m_probeStart = answerAt + pause;
        writeHop(++m_current, TraceStatus::Probing);
    }
}
