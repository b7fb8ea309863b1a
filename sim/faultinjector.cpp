#include "faultinjector.h"

FaultInjector::FaultInjector(const Settings &settings, quint32 seed)
    : m_settings(settings)
    , m_random(seed)
{
}

FaultInjector::Verdict FaultInjector::onRequest(bool serial, quint8 id)
{
    const Verdict verdict = draw(serial, id);
    ++m_fates[int(verdict.fate)];
    return verdict;
}

FaultInjector::Verdict FaultInjector::draw(bool serial, quint8 id)
{
    ++m_requests;
    Verdict verdict;
    verdict.aimedAt = budgetLeft() && (m_settings.ids.isEmpty() || m_settings.ids.contains(id));
    if (verdict.aimedAt)
        ++m_aimedAt;
    if (m_settings.silentAfter >= 0 && m_aimedAt > m_settings.silentAfter && budgetLeft()) {
        ++m_spent;
        verdict.fate = Fate::Silent;
        return verdict;
    }
    if (!verdict.aimedAt || m_aimedAt <= m_settings.faultAfter)
        return verdict;
    // Three draws for every request, whatever the link, so that a seed gives
    // the same sequence of faults over TCP and over the serial line.
    const bool drop = m_random.generateDouble() < m_settings.drop;
    const bool corrupt = m_random.generateDouble() < m_settings.corrupt;
    const bool badStart = m_random.generateDouble() < m_settings.badStart;
    if (drop)
        verdict.fate = Fate::Drop;
    else if (serial && corrupt)
        verdict.fate = Fate::Corrupt;
    else if (serial && badStart)
        verdict.fate = Fate::BadStart;
    if ((m_aimedAt - m_settings.faultAfter) % m_settings.delayEvery == 0)
        verdict.delayMs = m_settings.delayMs;
    if (verdict.fate != Fate::Answer || verdict.delayMs > 0)
        ++m_spent;
    return verdict;
}

bool FaultInjector::takeClose()
{
    if (!budgetLeft())
        return false;
    ++m_spent;
    return true;
}
