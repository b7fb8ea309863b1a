#include "rfcrun.h"

#include "rfclayout.h"

RfcRun::RfcRun(int process, int peer, const RfcConfigBlock &config, RfcResultBlock &result)
    : TestRun(1, process, peer)
    , m_config(config)
    , m_result(result)
{
    using namespace RfcConfigField;
    for (std::size_t i = 0; i < Slots; ++i) {
        put16(m_result, RfcSummaryField::frameLength(i), get16(m_config, slotSize(i)));
        if (get8(m_config, slotEnabled(i)))
            m_slots.push_back(i);
    }
    for (int phase = Throughput; phase < Done; ++phase) {
        for (std::size_t i = 0; i < Slots; ++i)
            setStatus(phase, i, phaseEnabled(phase) && get8(m_config, slotEnabled(i)) ? RfcStatus::Wait : RfcStatus::Off);
    }
    enterPhase(Throughput);
}

bool RfcRun::phaseEnabled(int phase) const
{
    using namespace RfcConfigField;
    static constexpr std::size_t flags[4] = {ThrEnabled, LatEnabled, FrlEnabled, BtbEnabled};
    return phase < Done && get8(m_config, flags[phase]) != 0;
}

void RfcRun::setStatus(int phase, std::size_t slot, quint8 status)
{
    using namespace RfcSummaryField;
    switch (phase) {
    case Throughput: put8(m_result, thrStatus(slot), status); break;
    case Latency: put8(m_result, latStatus(slot), status); break;
    case Frameloss: put8(m_result, frlStatus(slot), status); break;
    case BackToBack: put8(m_result, btbStatus(slot), status); break;
    default: break;
    }
}

void RfcRun::enterPhase(int phase)
{
    while (phase < Done && (!phaseEnabled(phase) || m_slots.empty()))
        ++phase;
    m_phase = phase;
    m_slotPos = 0;
    if (m_phase != Done)
        enterSlot();
}

void RfcRun::enterSlot()
{
    const std::size_t slot = m_slots[m_slotPos];
    m_length = qBound(64, int(get16(m_config, RfcConfigField::slotSize(slot))), 9600);
    m_pass = m_fail = -1;
    m_step = 0;
    m_iteration = 0;
    setStatus(m_phase, slot, RfcStatus::Running);
}

void RfcRun::nextSlot()
{
    setStatus(m_phase, m_slots[m_slotPos], RfcStatus::Ok);
    if (++m_slotPos < m_slots.size())
        enterSlot();
    else
        enterPhase(m_phase + 1);
}

void RfcRun::beginTrial(double load, qint64 seconds)
{
    m_load = load;
    m_trialEnd = elapsedMs() + qMax<qint64>(1, seconds) * 1000;
    m_inTrial = true;
}

double RfcRun::loss(double load, const RunContext &context) const
{
    const double fps = Net::offeredFps(0, load, context.lineBps[process()], m_length);
    return 1.0 - Net::deliveredShare(fps);
}

void RfcRun::stop()
{
    m_stopped = true;
    if (m_phase != Done)
        setStatus(m_phase, m_slots[m_slotPos], RfcStatus::Stop);
}

QList<Net::Flow> RfcRun::flows() const
{
    return m_inTrial ? QList<Net::Flow>{m_flow} : QList<Net::Flow>{};
}

void RfcRun::step(qint64, const RunContext &context)
{
    using namespace RfcConfigField;
    if (m_phase != Done && (context.lineBps[process()] == 0 || context.lineBps[peer()] == 0)) {
        for (std::size_t slot : m_slots)
            for (int phase = m_phase; phase < Done; ++phase)
                if (phaseEnabled(phase))
                    setStatus(phase, slot, RfcStatus::NoSync);
        m_phase = Done;
    }
    while (m_phase != Done) {
        if (m_inTrial) {
            if (elapsedMs() < m_trialEnd)
                break;
            m_inTrial = false;
            endTrial(context);
            continue;
        }
        const std::size_t slot = m_slots[m_slotPos];
        switch (m_phase) {
        case Throughput:
            beginTrial(m_pass < 0 && m_fail < 0 ? get8(m_config, ThrStartLoad)
                       : m_pass < 0             ? get8(m_config, ThrEndLoad)
                                                : (m_pass + m_fail) / 2,
                       get32(m_config, ThrSample));
            break;
        case Latency: {
            const double thr = std::round(getFloat(m_result, RfcSummaryField::thrLoad(slot)));
            const double load = get8(m_config, LatUserLoading) ? get8(m_config, latUserLoad(slot))
                                                               : (thr > 0 ? thr : 100.0);
            beginTrial(load, qint64(get32(m_config, LatIterations)) * get32(m_config, LatInterval));
            break;
        }
        case Frameloss:
            beginTrial(int(get8(m_config, FrlStartLoad)) - m_step * int(get8(m_config, FrlStep)),
                       get32(m_config, FrlSample));
            break;
        case BackToBack:
            beginTrial(100, 1);
            break;
        default:
            break;
        }
    }
    const double fps = m_inTrial ? Net::offeredFps(0, m_load, context.lineBps[process()], m_length) : 0;
    m_flow.length = m_length;
    m_flow.txFps = fps;
    m_flow.rxFps = fps * Net::deliveredShare(fps);
}

void RfcRun::endTrial(const RunContext &context)
{
    using namespace RfcConfigField;
    using namespace RfcSummaryField;
    const std::size_t slot = m_slots[m_slotPos];
    const quint64 line = context.lineBps[process()];
    switch (m_phase) {
    case Throughput: {
        const int load = int(m_load);
        (loss(m_load, context) > 0 ? m_fail : m_pass) = load;
        const int start = get8(m_config, ThrStartLoad);
        const int end = qMin<int>(get8(m_config, ThrEndLoad), start);
        const bool found = m_pass == start || (m_pass >= 0 && m_fail >= 0 && m_fail - m_pass <= 1);
        const bool nothing = m_fail >= 0 && m_fail <= end;
        if (!found && !nothing)
            return;
        const int result = found ? m_pass : 0;
        putFloat(m_result, thrLoad(slot), float(result));
        putFloat(m_result, thrRate(slot), float(result / 100.0 * double(line)));
        if (nothing) {
            setStatus(m_phase, slot, RfcStatus::Error);
            if (++m_slotPos < m_slots.size())
                enterSlot();
            else
                enterPhase(m_phase + 1);
            return;
        }
        break;
    }
    case Latency: {
        const double fps = Net::offeredFps(0, m_load, line, m_length);
        const double jitter = 1.0 + 0.02 * (context.random->generateDouble() - 0.5);
        putDouble(m_result, latValue(slot), std::round(Net::latencyNs(m_length, line, fps) * jitter));
        break;
    }
    case Frameloss: {
        const double lost = loss(m_load, context) * 100.0;
        put32(m_result, RfcResultLayout::value(slot, std::size_t(m_step)), quint32(std::round(lost)));
        put8(m_result, RfcResultLayout::byte(slot, std::size_t(m_step)), quint8(m_load));
        const int next = int(m_load) - int(get8(m_config, FrlStep));
        if (++m_step < MaxSteps && get8(m_config, FrlStep) > 0 && next >= int(get8(m_config, FrlEndLoad)) && next > 0)
            return;
        break;
    }
    case BackToBack: {
        if (++m_iteration < int(get16(m_config, BtbIterations)))
            return;
        const double excess = Net::lineFps(line, m_length) - Net::CapacityFps;
        const double lo = get16(m_config, BtbMin);
        const double hi = qMax<double>(lo, get16(m_config, BtbMax));
        const double burst = excess > 0 ? BufferFrames / excess : hi;
        put16(m_result, btbMin(slot), quint16(qBound(lo, std::floor(burst * 0.9), hi)));
        put16(m_result, btbMax(slot), quint16(qBound(lo, std::ceil(burst * 1.1), hi)));
        break;
    }
    default:
        return;
    }
    nextSlot();
}
