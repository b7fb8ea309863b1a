#pragma once

#include <QRandomGenerator>

// Decides, request by request, whether and how the tester fails to answer:
// the reliability tests of the links and of the programs run against these
// faults. One injector serves all links of the simulator, so that request
// counts are the tester's, not a connection's.
class FaultInjector
{
public:
    struct Settings
    {
        double drop = 0;         // probability that a reply is not sent
        double corrupt = 0;      // ... that a serial reply has a wrong CRC
        double badStart = 0;     // ... that a serial reply's start byte is not "$"
        int delayMs = 0;         // every reply this late
        qint64 silentAfter = -1; // no answer from the request after this many on
        qint64 closeAfter = -1;  // a TCP connection is closed after this many
    };

    enum class Fate { Answer, Silent, Drop, Corrupt, BadStart };

    FaultInjector(const Settings &settings, quint32 seed);

    // Counts one request and draws its fate. Over TCP there is no start byte
    // and no CRC to spoil, so those two faults become plain answers there.
    Fate onRequest(bool serial);

    const Settings &settings() const { return m_settings; }
    qint64 requests() const { return m_requests; }
    // How many requests met each fate so far: tests check with it that the
    // faults they asked for did happen.
    qint64 count(Fate fate) const { return m_fates[int(fate)]; }

private:
    Fate draw(bool serial);

    Settings m_settings;
    QRandomGenerator m_random;
    qint64 m_requests = 0;
    qint64 m_fates[5] = {};
};
