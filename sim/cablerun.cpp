#include "cablerun.h"

#include "cablelayout.h"

using namespace CableState;

const CableRun::Wiring CableRun::Cable[2][4] = {
    {{Good, Open, 35, false}, {Good, Open, 35, false}, {Good, Open, 35, false}, {Good, Open, 35, false}},
    {{Good, Open, 12, false}, {Good, Fault, 12, true}, {Short, Short, 9, false},
     {Impedance, Impedance, 9, false}},
};

CableRun::CableRun(int process, CableResultBlock &result)
    : TestRun(2, process, process)
    , m_result(result)
{
}

void CableRun::step(qint64, const RunContext &context)
{
    using namespace CableResultField;
    if (elapsedMs() < DurationMs)
        return;
    const bool link = context.lineBps[process()] > 0;
    const bool crossed = process() == 1;
    m_result.fill(0);
    put8(m_result, Detail, link ? 1 : 0);
    put8(m_result, Straight12_34, crossed ? 0 : 1);
    put8(m_result, Straight56_78, crossed ? 0 : 1);
    for (std::size_t pair = 0; pair < Pairs; ++pair) {
        const Wiring &w = Cable[process()][pair];
        // About 5 ns per metre, pairs twisted a little differently.
        const double ns = w.metres * 5.0 * (1.0 + 0.01 * double(pair)) + context.random->generateDouble() * 4.0;
        put8(m_result, polarity(pair), w.inverted ? 1 : 0);
        put8(m_result, delay(pair), quint8(qMin(255.0, ns / CableDistance::DelayUnitNs)));
        put8(m_result, state(pair), link ? w.withLink : w.withoutLink);
        put8(m_result, distance(pair), CableDistance::raw(w.metres + context.random->generateDouble() - 0.5));
    }
}
