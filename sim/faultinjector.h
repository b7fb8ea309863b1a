#pragma once

#include <QList>
#include <QRandomGenerator>

// Decides, request by request, whether and how the tester fails to answer:
// the reliability tests of the links and of the programs run against these
// faults. One injector serves all links of the simulator, so that request
// counts are the tester's, not a connection's.
//
// The faults can be aimed at some packet IDs only, and limited in number:
// a test can then hit exactly one step of a session (a configuration write,
// a file read) and find the tester sound again when it reconnects.
class FaultInjector
{
public:
    struct Settings
    {
        double drop = 0;         // probability that a reply is not sent
        double corrupt = 0;      // ... that a serial reply has a wrong CRC
        double badStart = 0;     // ... that a serial reply's start byte is not "$"
        int delayMs = 0;         // every reply this late ...
        qint64 delayEvery = 1;   // ... or only every Nth aimed-at one
        qint64 silentAfter = -1; // no answer from the request after this many on
        qint64 closeAfter = -1;  // a TCP connection is closed after this many
        QList<quint8> ids;       // the requests faults apply to; empty: all
        qint64 faultCount = -1;  // how many requests may suffer a fault; -1: no end
        qint64 faultAfter = 0;   // the first aimed-at requests answered soundly
    };

    enum class Fate { Answer, Silent, Drop, Corrupt, BadStart };

    struct Verdict
    {
        Fate fate = Fate::Answer;
        int delayMs = 0;
        bool aimedAt = false; // the request is one the faults apply to
    };

    FaultInjector(const Settings &settings, quint32 seed);

    // Counts one request and draws its fate. Over TCP there is no start byte
    // and no CRC to spoil, so those two faults become plain answers there.
    // A silence, once begun, covers every request, aimed at or not.
    Verdict onRequest(bool serial, quint8 id);

    // Whether a connection that has answered its closeAfter-th aimed-at
    // request is to be closed now (it spends one fault).
    bool takeClose();

    const Settings &settings() const { return m_settings; }
    qint64 requests() const { return m_requests; }
    // How many requests met each fate so far: tests check with it that the
    // faults they asked for did happen.
    qint64 count(Fate fate) const { return m_fates[int(fate)]; }

private:
    bool budgetLeft() const { return m_settings.faultCount < 0 || m_spent < m_settings.faultCount; }
    Verdict draw(bool serial, quint8 id);

    Settings m_settings;
    QRandomGenerator m_random;
    qint64 m_requests = 0;
    qint64 m_aimedAt = 0;
    qint64 m_spent = 0;
    qint64 m_fates[5] = {};
};
