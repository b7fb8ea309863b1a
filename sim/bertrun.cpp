#include "bertrun.h"

#include "bertlayout.h"

#include <limits>

BertRun::BertRun(int process, int peer, const BertConfigBlock &config, BertResultBlock &result)
    : TestRun(8, process, peer)
    , m_config(config)
    , m_result(result)
{
    m_durationMs = qint64(get32(m_config, BertConfigField::Duration)) * 1000;
    m_flow.length = qBound(64, int(get16(m_config, BertConfigField::Size)), 9600);
}

void BertRun::step(qint64 ms, const RunContext &context)
{
    using namespace BertResultField;
    // Nothing is sent past the duration, however long the last step.
    const qint64 end = m_durationMs > 0 ? m_durationMs : std::numeric_limits<qint64>::max();
    const double seconds = double(overlap(ms, 0, end)) / 1000.0;
    const double part = seconds * 1000.0 / double(ms);
    const bool signal = context.lineBps[peer()] > 0;
    const double fps = Net::offeredFps(get8(m_config, BertConfigField::Units), get16(m_config, BertConfigField::Rate),
                                       context.lineBps[process()], m_flow.length);
    const double share = signal ? Net::deliveredShare(fps) : 0;
    m_flow.txFps = fps * part;
    m_flow.rxFps = fps * share * part;
    const double bits = fps * share * seconds * m_flow.length * 8.0;
    m_bits.add(bits);
    m_errors.add(double(Net::poisson(bits * BitErrorRate, *context.random)));
    m_lossThisSecond = m_lossThisSecond || share < 1;

    // Seconds are counted as they complete.
    const qint64 before = (elapsedMs() - ms) / 1000;
    const qint64 after = elapsedMs() / 1000;
    for (qint64 s = before; s < after; ++s) {
        if (!signal)
            ++m_los;
        else if (m_lossThisSecond || context.random->generateDouble() < 0.002)
            ++m_lss;
        m_lossThisSecond = false;
    }

    put64(m_result, RxBits, m_bits.u64());
    put64(m_result, ErrorBits, m_errors.u64());
    put32(m_result, Lss, m_lss);
    put32(m_result, Los, m_los);
    put32(m_result, Elapsed, quint32(after));
}
