#include "dnsrun.h"

#include "pinglayout.h"

#include <cstring>

DnsRun::DnsRun(int process, const DnsConfigBlock &config, DnsResultBlock &result)
    : TestRun(9, process, process)
    , m_result(result)
{
    const auto *text = reinterpret_cast<const char *>(config.data());
    m_name = QByteArray(text, qsizetype(strnlen(text, config.size())));
    m_result.fill(0);
    std::memcpy(m_result.data() + DnsResultField::Name, m_name.constData(),
                size_t(qMin<qsizetype>(m_name.size(), DnsResultField::NameSize - 1)));
    put8(m_result, DnsResultField::Status, DnsStatus::InProgress);
}

void DnsRun::step(qint64, const RunContext &context)
{
    if (m_answerAt < 0)
        m_answerAt = 200 + context.random->bounded(600);
    if (m_done || elapsedMs() < m_answerAt)
        return;
    const auto address = Net::resolve(m_name);
    put8(m_result, DnsResultField::Status, address ? DnsStatus::Passed : DnsStatus::Error);
    for (int i = 0; i < 4; ++i) // first dotted octet in the lowest byte
        put8(m_result, DnsResultField::Address + std::size_t(i), address ? quint8(*address >> (24 - 8 * i)) : 0);
    m_done = true;
}
