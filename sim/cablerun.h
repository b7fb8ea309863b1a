#pragma once

#include "testrun.h"

#include "blocksizes.h"

// The cable diagnostic: a few seconds of measuring, then the four pairs.
// Port A has a sound straight cable of 35 m: every pair good with a link
// partner, open at the far end without one. Port B has a crossed cord of
// 12 m whose pair 3-4 is wired the wrong way round (inverted polarity) and
// whose pairs 5-6 and 7-8, which a 10/100 link does not need, are damaged
// 9 m along; without a link partner pair 3-4 shows a fault as well.
class CableRun final : public TestRun
{
public:
    static constexpr qint64 DurationMs = 3000;

    struct Wiring
    {
        quint8 withLink;    // CableState with a link partner
        quint8 withoutLink; // and without one
        double metres;      // to the far end or to the fault
        bool inverted;
    };
    static const Wiring Cable[2][4];

    CableRun(int process, CableResultBlock &result);

    bool finished() const override { return m_stopped || elapsedMs() >= DurationMs; }
    void stop() override { m_stopped = true; }
    const char *name() const override { return "cable test"; }
    bool storesResults() const override { return false; }

private:
    void step(qint64 ms, const RunContext &context) override;

    CableResultBlock &m_result;
    bool m_stopped = false;
};
