#pragma once

#include "testrun.h"

#include "blocksizes.h"

#include <vector>

// The RFC-2544 benchmark: throughput, latency, frame loss and back-to-back,
// each over the enabled frame sizes, one trial after another with the
// configured trial times. The summary and the frame-loss rows fill sub-test
// by sub-test; statuses go from "Wait" through "Running" to "OK".
class RfcRun final : public TestRun
{
public:
    // Frames the path buffers: how long a line-rate burst of frames it
    // cannot forward at once lasts before the first loss.
    static constexpr double BufferFrames = 2.0e6;
    static constexpr int MaxSteps = 100;

    RfcRun(int process, int peer, const RfcConfigBlock &config, RfcResultBlock &result);

    bool finished() const override { return m_phase == Done || m_stopped; }
    void stop() override;
    QList<Net::Flow> flows() const override;
    const char *name() const override { return "RFC-2544"; }

private:
    enum Phase { Throughput, Latency, Frameloss, BackToBack, Done };

    void step(qint64 ms, const RunContext &context) override;
    bool phaseEnabled(int phase) const;
    void setStatus(int phase, std::size_t slot, quint8 status);
    void enterPhase(int phase);
    void enterSlot();
    void nextSlot();
    void beginTrial(double load, qint64 seconds);
    void endTrial(const RunContext &context);
    double loss(double load, const RunContext &context) const;

    RfcConfigBlock m_config;
    RfcResultBlock &m_result;
    std::vector<std::size_t> m_slots; // enabled frame-size slots
    int m_phase = Throughput;
    std::size_t m_slotPos = 0;
    bool m_stopped = false;
    bool m_inTrial = false;
    qint64 m_trialEnd = 0;
    double m_load = 0;
    int m_length = 64;
    Net::Flow m_flow;
    // Throughput search: highest load that passed, lowest that failed.
    int m_pass = -1;
    int m_fail = -1;
    int m_step = 0;      // frame loss
    int m_iteration = 0; // back to back
};
