#include "multirun.h"

#include <limits>

MultiRun::MultiRun(int process, int peer, const MultiConfigBlock &config, MultiResultBlock &result)
    : TestRun(11, process, peer)
    , m_config(config)
    , m_result(result)
{
    m_marginMs = qint64(get16(m_config, MultiConfigField::Margin) / 1000) * 1000;
    m_durationMs = qint64(get32(m_config, MultiConfigField::Duration)) * 1000;
    put8(m_result, MultiResultField::Present, 1);
}

bool MultiRun::finished() const
{
    return m_stopped || (m_durationMs > 0 && elapsedMs() >= m_durationMs + 2 * m_marginMs);
}

QList<Net::Flow> MultiRun::flows() const
{
    QList<Net::Flow> active;
    for (const Net::Flow &f : m_flows) {
        if (f.txFps > 0)
            active.append(f);
    }
    return active;
}

void MultiRun::step(qint64 ms, const RunContext &context)
{
    using namespace MultiStreamField;
    const qint64 end = m_durationMs > 0 ? m_marginMs + m_durationMs : std::numeric_limits<qint64>::max();
    const double seconds = double(overlap(ms, m_marginMs, end)) / 1000.0;
    const bool sending = seconds > 0;
    const double part = seconds * 1000.0 / double(ms); // flows average over the step
    const quint64 line = context.lineBps[process()];

    std::array<double, MultiConfigField::Streams> fps{};
    double wire = 0; // share of the line all streams ask for
    double totalFps = 0;
    for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
        const std::size_t s = MultiConfigField::stream(i);
        m_flows[i].length = qBound(64, int(get16(m_config, s + Length)), 9600);
        if (!get8(m_config, s + Active))
            continue;
        fps[i] = Net::offeredFps(get8(m_config, s + Units), get16(m_config, s + Rate), line, m_flows[i].length);
        const double lineFps = Net::lineFps(line, m_flows[i].length);
        wire += lineFps > 0 ? fps[i] / lineFps : 0;
    }
    const double scale = wire > 1 ? 1 / wire : 1;
    for (double &f : fps) {
        f *= scale;
        totalFps += f;
    }
    const double share = context.lineBps[peer()] > 0 ? Net::deliveredShare(totalFps) : 0;

    for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
        Net::Flow &flow = m_flows[i];
        flow.txFps = fps[i] * part;
        flow.rxFps = fps[i] * share * part;
        m_tx[i].add(fps[i] * seconds);
        m_rx[i].add(fps[i] * share * seconds);
        const std::size_t r = MultiResultField::stream(i);
        const double lineFps = Net::lineFps(line, flow.length);
        if (sending)
            put8(m_result, r + MultiResultField::Load,
                 quint8(lineFps > 0 ? std::round(fps[i] / lineFps * 100.0) : 0));
        put32(m_result, r + MultiResultField::TxFrames, m_tx[i].u32());
        put32(m_result, r + MultiResultField::RxFrames, m_rx[i].u32());
        if (fps[i] > 0 && sending)
            put32(m_result, r + MultiResultField::Latency,
                  quint32(Net::latencyNs(flow.length, line, totalFps)));
    }
}
