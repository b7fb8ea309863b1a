#pragma once

#include "testrun.h"

#include "blocksizes.h"

// A DNS lookup: "in progress" for the name server's answer time, then the
// address or an error. It cannot be stopped, only waited for.
class DnsRun final : public TestRun
{
public:
    DnsRun(int process, const DnsConfigBlock &config, DnsResultBlock &result);

    bool finished() const override { return m_done; }
    const char *name() const override { return "DNS"; }
    bool storesResults() const override { return false; }

private:
    void step(qint64 ms, const RunContext &context) override;

    QByteArray m_name;
    DnsResultBlock &m_result;
    qint64 m_answerAt = -1;
    bool m_done = false;
};
