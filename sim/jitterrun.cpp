#include "jitterrun.h"

#include <limits>

JitterRun::JitterRun(int process, int peer, const JitterConfigBlock &config, JitterResultBlock &result)
    : TestRun(7, process, peer)
    , m_config(config)
    , m_result(result)
{
    m_durationMs = qint64(get32(m_config, JitterConfigField::Duration)) * 1000;
    m_flow.length = qBound(64, int(get16(m_config, JitterConfigField::Length)), 9600);
}

void JitterRun::step(qint64 ms, const RunContext &context)
{
    using namespace JitterResultField;
    // Nothing is sent past the duration, however long the last step.
    const qint64 end = m_durationMs > 0 ? m_durationMs : std::numeric_limits<qint64>::max();
    const double seconds = double(overlap(ms, 0, end)) / 1000.0;
    const double part = seconds * 1000.0 / double(ms);
    const double fps = Net::offeredFps(get8(m_config, JitterConfigField::Units), get8(m_config, JitterConfigField::Rate),
                                       context.lineBps[process()], m_flow.length);
    const double share = context.lineBps[peer()] > 0 ? Net::deliveredShare(fps) : 0;
    m_flow.txFps = fps * part;
    m_flow.rxFps = fps * share * part;
    const double received = fps * share * seconds;
    m_all.add(received);
    // Frames overtake each other only on a congested path.
    m_inOrder.add(received * (share < 1 ? 0.999 : 1.0 - 1e-7));

    // Delay variation exponential with a mean (ms) that climbs with the load.
    const double load = std::min(fps / Net::CapacityFps, 1.5);
    const double mean = 0.05 + 4.0 * load * load * load;
    const double threshold = std::max<double>(1, get16(m_config, JitterConfigField::Threshold));
    const double width = threshold / 8.0;
    for (std::size_t j = 0; j < Buckets; ++j) {
        const double lo = std::exp(-double(j) * width / mean);
        const double hi = j + 1 < Buckets ? std::exp(-double(j + 1) * width / mean) : 0.0;
        m_buckets[j].add(received * (lo - hi));
    }

    put64(m_result, RxAll, m_all.u64());
    put64(m_result, RxInOrder, m_inOrder.u64());
    for (std::size_t j = 0; j < Buckets; ++j)
        put64(m_result, bucket(j), m_buckets[j].u64());
}
