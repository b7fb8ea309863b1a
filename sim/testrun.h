#pragma once

#include "block.h"
#include "network.h"

#include <QList>
#include <QRandomGenerator>

#include <cmath>
#include <cstring>

// What a running test may ask of the tester around it.
struct RunContext
{
    quint64 lineBps[2] = {};      // per port; 0 without a link
    Net::Interface iface[2] = {}; // the test ports' own addresses
    QRandomGenerator *random = nullptr;
};

// A counter that grows by fractions of frames and shows as the tester's
// unsigned field, wrapping as the tester's 32-bit counters do.
class Counter
{
public:
    void add(double amount) { m_value += amount; }
    double value() const { return m_value; }
    quint32 u32() const { return quint32(std::fmod(std::floor(m_value), 4294967296.0)); }
    quint64 u64() const { return quint64(m_value); }

private:
    double m_value = 0;
};

// One test running on a process: it owns its copy of the configuration
// taken at the start, fills its result block as simulated time passes and
// ends by itself when its configuration says so. A cross-port test sends on
// its process's port and receives on the peer's.
class TestRun
{
public:
    TestRun(int bit, int process, int peer)
        : m_bit(bit)
        , m_process(process)
        , m_peer(peer)
    {
    }
    virtual ~TestRun() = default;
    TestRun(const TestRun &) = delete;
    TestRun &operator=(const TestRun &) = delete;

    int bit() const { return m_bit; }   // its bit in the state words
    int process() const { return m_process; }
    int peer() const { return m_peer; } // the receiving port's process
    qint64 elapsedMs() const { return m_elapsedMs; }

    void advance(qint64 ms, const RunContext &context)
    {
        m_elapsedMs += ms;
        step(ms, context);
    }
    virtual bool finished() const = 0;
    // The user's stop: the results show that the run was cut short.
    virtual void stop() {}
    // The frame streams the run has on the wire now.
    virtual QList<Net::Flow> flows() const { return {}; }
    // Short name for the tester's text lines and its result files.
    virtual const char *name() const = 0;
    // Whether the end of the run stores a result file.
    virtual bool storesResults() const { return true; }

protected:
    virtual void step(qint64 ms, const RunContext &context) = 0;

    // The part of the last step of ms that fell into [from, to).
    qint64 overlap(qint64 ms, qint64 from, qint64 to) const
    {
        const qint64 start = qMax(m_elapsedMs - ms, from);
        const qint64 end = qMin(m_elapsedMs, to);
        return qMax<qint64>(0, end - start);
    }

private:
    int m_bit;
    int m_process;
    int m_peer;
    qint64 m_elapsedMs = 0;
};
