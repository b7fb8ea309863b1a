#pragma once

#include "testrun.h"

#include "blocksizes.h"

// The cable diagnostic: a few seconds of measuring, then the four pairs.
// With a link partner every pair is good; without one every pair is open at
// the far end of the cable. Port A has a straight cable, port B a crossed one.
class CableRun final : public TestRun
{
public:
    static constexpr qint64 DurationMs = 3000;
    static constexpr double CableMetres[2] = {35, 12};

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
