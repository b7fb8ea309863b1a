#include "faultinjector.h"

FaultInjector::FaultInjector(const Settings &settings, quint32 seed)
    : m_settings(settings)
    , m_random(seed)
{
}

FaultInjector::Fate FaultInjector::onRequest(bool serial)
{
    const Fate fate = draw(serial);
    ++m_fates[int(fate)];
    return fate;
}

FaultInjector::Fate FaultInjector::draw(bool serial)
{
    ++m_requests;
    if (m_settings.silentAfter >= 0 && m_requests > m_settings.silentAfter)
        return Fate::Silent;
    // Three draws for every request, whatever the link, so that a seed gives
    // the same sequence of faults over TCP and over the serial line.
    const bool drop = m_random.generateDouble() < m_settings.drop;
    const bool corrupt = m_random.generateDouble() < m_settings.corrupt;
    const bool badStart = m_random.generateDouble() < m_settings.badStart;
    if (drop)
        return Fate::Drop;
    if (serial && corrupt)
        return Fate::Corrupt;
    if (serial && badStart)
        return Fate::BadStart;
    return Fate::Answer;
}
