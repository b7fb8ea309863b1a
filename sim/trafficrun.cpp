#include "trafficrun.h"

#include "trafficlayout.h"

#include <limits>

TrafficRun::TrafficRun(int process, int peer, const TrafficConfigBlock &config, TrafficResultBlock &result)
    : TestRun(5, process, peer)
    , m_config(config)
    , m_result(result)
{
    using namespace TrafficConfigField;
    // Whole seconds of margin, as the estimate on the page counts them.
    m_marginMs = qint64(get16(m_config, Margin) / 1000) * 1000;
    m_durationMs = qint64(get32(m_config, Duration)) * 1000;
    m_flow.length = qBound(64, int(get16(m_config, Length)), 9600);
}

bool TrafficRun::finished() const
{
    return m_stopped || (m_durationMs > 0 && elapsedMs() >= m_durationMs + 2 * m_marginMs);
}

void TrafficRun::step(qint64 ms, const RunContext &context)
{
    using namespace TrafficResultField;
    const qint64 end = m_durationMs > 0 ? m_marginMs + m_durationMs : std::numeric_limits<qint64>::max();
    const double seconds = double(overlap(ms, m_marginMs, end)) / 1000.0;
    const quint64 line = context.lineBps[process()];
    const double fps = Net::offeredFps(get8(m_config, TrafficConfigField::Units),
                                       get16(m_config, TrafficConfigField::Rate), line, m_flow.length);
    const double share = context.lineBps[peer()] > 0 ? Net::deliveredShare(fps) : 0;
    // The flows average over the step, so that the port statistics count
    // what the result counts.
    const bool sending = seconds > 0;
    const double part = seconds * 1000.0 / double(ms);
    m_flow.txFps = fps * part;
    m_flow.rxFps = fps * share * part;
    m_flow.pauseFps = share < 1 ? 2000.0 * (1 - share) * part : 0;

    const double received = fps * share * seconds;
    m_tx.add(fps * seconds);
    m_rx.add(received);
    m_crc.add(double(Net::poisson(received * 1e-10, *context.random)));
    m_pause.add(m_flow.pauseFps * seconds);

    put32(m_result, TxFrames, m_tx.u32());
    put32(m_result, RxFrames, m_rx.u32());
    put32(m_result, TxBytes, quint32(std::fmod(std::floor(m_tx.value()) * m_flow.length, 4294967296.0)));
    put32(m_result, Crc, m_crc.u32());
    put32(m_result, Pause, m_pause.u32());
    const double lineFps = Net::lineFps(line, m_flow.length);
    if (lineFps > 0 && sending)
        put8(m_result, Load, quint8(qBound(0.0, std::round(fps / lineFps * 100.0), 100.0)));
}
